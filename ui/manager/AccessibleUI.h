// CAccessibleUI: the platform's accessibility interface (IAccessible) over one control, or
// over the window's client area (then it speaks for the manager's root, whatever root is
// attached). Children are full objects of their own; child ids a client passes are
// CHILDID_SELF, a position among this object's children (1 to count) or a descendant's
// negated accessible id (as events carry them).
//
// Ownership: reference counted by its clients; holds a reference to its tree. Its control is
// borrowed; once the tree cuts it off (control or window gone) every call answers
// RPC_E_DISCONNECTED and nothing is read from the control again. Locations are screen
// coordinates. Calls arrive on the window's thread.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"
#include "ui/manager/OleAccLibrary.h"

namespace VarnUI {

class CAccessibleTreeUI;
class CControlUI;

class CAccessibleUI final : public IAccessible {
public:
    // control null: the window's client area.
    CAccessibleUI(CAccessibleTreeUI* tree, CControlUI* control);
    CAccessibleUI(const CAccessibleUI&) = delete;
    CAccessibleUI& operator=(const CAccessibleUI&) = delete;

    // Called by the tree: the control or the window is gone.
    void Disconnect() { m_connected = false; m_control = nullptr; }
    CControlUI* GetControl() const { return m_control; }
    // Objects alive in the process, for tests that look for leaks.
    static long LiveCount();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; clients use the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // IAccessible (AccessibleUI.cpp)
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // IAccessible: focus, selection, navigation, hit test, actions (AccessibleUIActions.cpp)
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

private:
    ~CAccessibleUI();

    // The control this object speaks for now; null when cut off or when the window has no
    // tree.
    CControlUI* Self() const;
    // The control a child id names: S_OK, E_INVALIDARG for an id that names nothing,
    // RPC_E_DISCONNECTED when this object is cut off.
    HRESULT Resolve(const VARIANT& child, CControlUI*& control) const;
    // A getter's common part: checks and clears out, resolves the child id, then lets
    // reader(control, out) answer.
    template <typename Out, typename Reader>
    HRESULT ReadChild(const VARIANT& child, Out* out, Reader reader);
    // Sets *out to a new string or null; S_FALSE for an empty text.
    static HRESULT ToBstr(const CUIString& text, BSTR* out);
    // The object of control as a VARIANT: CHILDID_SELF for this object's own control.
    void ObjectVariant(CControlUI* control, VARIANT* out);
    bool IsClient() const { return m_client; }

    LONG m_refs = 1;
    CAccessibleTreeUI* m_tree;
    CControlUI* m_control;
    bool m_client;
    bool m_connected = true;
};

} // namespace VarnUI

// CAccessibleTreeUI: the accessible side of one skinned window, made when a client first asks
// the window for its object (WM_GETOBJECT). It hands out one CAccessibleUI per control for as
// long as clients hold it, cuts each off when its control or the window goes, and performs
// default actions on the window's thread.
//
// Ownership: reference counted; the manager holds one reference and every object one, so it
// outlives the window while clients keep objects. The objects in its map are borrowed (each
// leaves the map as it dies). Controls are borrowed and watched: a control's destroy
// listeners and the manager's ForgetControl cut its object off before the control goes.
// Everything runs on the window's thread.
#pragma once

#include "ui/manager/AccessibleObjectMap.h"
#include "ui/manager/OleAccLibrary.h"

#include <windows.h>

namespace VarnUI {

class CAccessibleUI;
class CControlUI;
class CManagerUI;

class CAccessibleTreeUI {
public:
    explicit CAccessibleTreeUI(CManagerUI* manager);
    CAccessibleTreeUI(const CAccessibleTreeUI&) = delete;
    CAccessibleTreeUI& operator=(const CAccessibleTreeUI&) = delete;

    void AddRef();
    void Release();

    // The answer to WM_GETOBJECT for the client area; false leaves the message to the
    // platform.
    bool OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A new reference to the object of control, or of the window's client area for null;
    // null once the window is gone.
    IAccessible* ObjectFor(CControlUI* control);
    // A new reference to the platform's object of the window frame, or null.
    IDispatch* FrameObject() const;

    // Null once the window is gone.
    CManagerUI* GetManager() const { return m_manager; }
    HWND GetWindow() const { return m_window; }
    // Whether control belongs to the window's tree now (a removed control does not).
    bool IsInTree(CControlUI* control) const;
    // The control under root (or root itself) with that accessible id, or null.
    static CControlUI* FindById(CControlUI* root, LONG id);
    // Whether control has the keyboard focus: the window's focus and the window the thread's.
    bool HasFocus(CControlUI* control) const;

    // Queues a click on control, delivered to this window after the current call returns.
    bool PostDefaultAction(CControlUI* control);
    // A queued click arrives; id is the control's accessible id.
    void PerformDefaultAction(LONG id);
    // Whether message is the one PostDefaultAction queues.
    static bool IsActionMessage(UINT message);

    // The control is going: its object answers errors from now on.
    void ForgetControl(CControlUI* control);
    // The window is going: every object answers errors from now on.
    void Disconnect();
    // An object's last reference went.
    void Unregister(CAccessibleUI* object);

private:
    ~CAccessibleTreeUI();
    bool OnControlDestroyed(void* control);
    void Detach(CControlUI* control, bool stopWatching);
    void ClickAt(LONG id);

    LONG m_refs = 1;
    CManagerUI* m_manager;
    HWND m_window;
    CAccessibleUI* m_client = nullptr;
    CAccessibleObjectMap m_objects;
};

} // namespace VarnUI

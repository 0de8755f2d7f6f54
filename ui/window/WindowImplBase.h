// WindowImplBase: the skinned frameless window that applications derive from. While its
// window is created it drops the caption, takes the whole window area as client area, picks
// the skin source, builds the control tree from the skin file into its own manager, and from
// then on gives every message to its overridable handlers first and to the manager second.
// It drags by the skin's caption area, resizes by the skin's size box, rounds the window's
// corners, and answers the system buttons "closebtn", "minbtn", "maxbtn", "restorebtn" and
// the Escape key.
//
// Ownership: the object owns its manager (and through it the control tree); it is created by
// the application and, when its window goes, unregisters itself from the manager in
// OnFinalMessage, where a subclass may delete it. Hit tests speak in window client
// coordinates, which here are the whole window.
#pragma once

#include "ui/base/UIString.h"
#include "ui/manager/ManagerTypes.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinBuilder.h"
#include "ui/skin/SkinResources.h"
#include "ui/window/NotifyPump.h"
#include "ui/window/WindowWnd.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();

    // CWindowWnd overrides (WindowClassName stays for each window to supply)
    const wchar_t* SuperclassName() const override;
    UINT ClassStyle() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND window) override;
    ~WindowImplBase() override;

    // Called once the control tree is built and attached.
    virtual void OnInitWindow();
    // The "click" entry of the notification table: the system buttons.
    virtual void OnClick(NotifyUI& msg);
    virtual CUIString SkinFolder() = 0;
    virtual CUIString SkinFile() = 0;
    // Return and Escape key-downs, offered before the manager sees them; the answer does not
    // claim the key. Default: Escape closes the window.
    virtual bool OnDefaultKey(WPARAM key);
    virtual SkinSourceKind ResourceType() const;
    virtual CUIString ZipFileName() const;
    // A resource name, or an integer id made with MAKEINTRESOURCEW; empty by default.
    virtual const wchar_t* ResourceId() const;

    // Message handlers: each takes the message's parameters and a handled flag preset to
    // true; clearing the flag passes the message on to the manager and the previous procedure.
    virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Every message without a handler of its own, and those whose handler cleared the flag.
    virtual LRESULT OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The window's current style without WS_CAPTION; the style set while creating.
    virtual LONG WindowStyle() const;

    // INotifyUI: the table-driven dispatch
    void Notify(NotifyUI& msg) override;
    // IMessageFilterUI: Return and Escape go to OnDefaultKey
    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // IDialogBuilderCallback: no controls of its own
    CControlUI* CreateControl(const wchar_t* name) override;

    // CNotifyPump override
    const NotifyMap* MessageMap() const override;
    static const NotifyMap s_notifyMap;

    CManagerUI& PaintManager() { return m_manager; }

protected:
    CManagerUI m_manager;

private:
    bool SelectSkinSource();
    CControlUI* BuildSkin();
    void ApplyRoundCorner();
    void SwapMaxRestoreButtons(bool wasMaximized);
    bool IsCaptionPoint(POINT client, const RECT& clientRect) const;
};

} // namespace VarnUI

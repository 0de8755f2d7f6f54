// CWindowWnd: wraps one native window, top-level or child. It registers the window class
// (its own class, or a copy of an existing one: a superclass), creates the window or
// subclasses an existing one, finds itself again from the window handle in its static window
// procedures, and offers showing, modal running, closing, centring, icons and messages.
//
// The object does not own its window: the window owns nothing of the object either, and the
// object learns of the window's end in OnFinalMessage, where a subclass may delete it. The
// object owns the icons SetIcon loaded. Coordinates are screen coordinates unless a name says
// "client". Everything but PostMessage and Close runs on the thread that created the window.
#pragma once

#include "ui/window/WindowHandles.h"

#include <windows.h>

namespace VarnUI {

class CWindowWnd {
public:
    CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    // The class name to register; every window class supplies its own.
    virtual const wchar_t* WindowClassName() const = 0;
    // An existing class to copy (superclass); null means a class of its own.
    virtual const wchar_t* SuperclassName() const;
    virtual UINT ClassStyle() const;
    // Default: the previous window procedure.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once after the window's last message; the object may delete itself here.
    virtual void OnFinalMessage(HWND window);
    // An object destroyed while its window still exists detaches from the window first, so
    // the window's later messages never reach a dead object.
    virtual ~CWindowWnd();

    HWND Handle() const { return m_window; }
    operator HWND() const { return m_window; }

    // Null when the class cannot be registered or the window cannot be created.
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HMENU menu = nullptr);
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rc,
                HMENU menu = nullptr);
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle);

    // Takes over an existing window's messages; null when its procedure cannot be replaced.
    HWND Subclass(HWND window);
    void Unsubclass();

    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window, disables its owner and runs messages until the window is gone;
    // returns the wParam of the WM_CLOSE that ended it (0 without one). A WM_QUIT ends the
    // loop early and is posted again for the outer loop.
    UINT ShowModal();
    // Posts WM_CLOSE with the result as wParam; safe from any thread.
    void Close(UINT result = IDOK);
    // Centres on the owner (or on the work area without one), kept inside the work area.
    void CenterWindow();
    // Loads an icon resource of the framework instance at the large and the small icon size.
    void SetIcon(UINT resourceId);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sets the client size; -1 keeps that side as it is.
    void ResizeClient(int width = -1, int height = -1);

protected:
    bool RegisterWindowClass();
    bool RegisterSuperclass();

    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Leaves a window that outlives the object: its messages go to the default procedure
    // from then on. Safe to call when no window exists.
    void DetachFromWindow();

    HWND m_window = nullptr;
    WNDPROC m_previousProc;
    bool m_subclassed = false;

private:
    // Both static procedures: the object is kept in the window's property (superclassed
    // windows) or in its user data.
    static LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool property);
    // The window's last message (WM_NCDESTROY).
    static LRESULT FinishWindow(CWindowWnd* object, HWND window, WPARAM wParam, LPARAM lParam,
                                bool property);

    COwnedIcon m_bigIcon;
    COwnedIcon m_smallIcon;
};

} // namespace VarnUI

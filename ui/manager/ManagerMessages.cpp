// The message handler: the message filters, then one handler per window message. Mouse
// routing and tooltips live in ManagerMouse.cpp, painting in ManagerPaint.cpp.
#include "ui/manager/ManagerUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"

namespace VarnUI {
namespace {

// Messages reflected to the child window that sent them carry this offset.
constexpr UINT kReflectOffset = 0x2000;

} // namespace

bool CManagerUI::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_paintWindow == nullptr) return false;
    if (OfferToFilters(message, wParam, lParam, result)) return true;
    if (m_layered && HandleLayeredFrame(message, wParam, result)) return true;

    switch (message) {
    case WM_CLOSE:
        OnClose();
        return false;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_TIMER:
        OnTimer(wParam, lParam);
        return false;
    case WM_SIZE:
        OnSize(wParam, lParam);
        result = 0;
        return true;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return false;
    case WM_MOUSEACTIVATE:
        if (!m_noActivate) return false;
        result = MA_NOACTIVATE;
        return true;
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam, result);
    case WM_NOTIFY:
        // A notification without its header cannot name the window to reflect it to.
        if (lParam == 0) return false;
        return OnReflect(message, reinterpret_cast<NMHDR*>(lParam)->hwndFrom, wParam, lParam, result);
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnReflect(message, reinterpret_cast<HWND>(lParam), wParam, lParam, result);
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return false;
    case WM_CONTEXTMENU:
        OnContextMenu(wParam, lParam);
        return false;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return false;
    case WM_KEYUP:
        OnKeyUp(wParam, lParam);
        return false;
    case WM_CHAR:
        OnChar(wParam, lParam);
        return false;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return false;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return false;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return false;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(wParam, lParam);
        return false;
    case WM_RBUTTONDOWN:
        OnRButtonDown(wParam, lParam);
        return false;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return false;
    case WM_MOUSEHOVER:
        return OnMouseHover(lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;
    case WM_PRINTCLIENT:
        OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return false;
    case kAsyncNotifyMessage:
        OnAsyncNotify();
        return false;
    case kDpiChangedMessage:
        OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
        result = 0;
        return true;
    default:
        return OnAccessibleMessage(message, wParam, lParam, result);
    }
}

bool CManagerUI::OfferToFilters(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    LifeGuard guard(*this);
    CUIPtrArray filters(m_messageFilters);
    for (int i = 0; i < filters.GetSize(); ++i) {
        if (m_messageFilters.Find(filters[i]) < 0) continue;
        bool handled = false;
        const LRESULT answer = static_cast<IMessageFilterUI*>(filters[i])->MessageHandler(message, wParam, lParam, handled);
        // A filter that destroyed the window took this manager with it: nothing may follow.
        if (guard.IsDestroyed()) {
            if (handled) result = answer;
            return true;
        }
        if (!handled) continue;
        result = answer;
        switch (message) {
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL: {
            POINT pt = PointFromLParam(lParam);
            ::ScreenToClient(m_paintWindow, &pt);
            m_lastMousePos = pt;
            break;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            m_lastMousePos = PointFromLParam(lParam);
            break;
        default:
            break;
        }
        return true;
    }
    return false;
}

bool CManagerUI::HandleLayeredFrame(UINT message, WPARAM wParam, LRESULT& result) const
{
    switch (message) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        result = 0;
        return true;
    case WM_NCACTIVATE:
        if (::IsIconic(m_paintWindow)) return false;
        result = wParam == 0 ? TRUE : FALSE;
        return true;
    default:
        return false;
    }
}

EventUI CManagerUI::MakeEvent(int type, CControlUI* sender, WPARAM wParam, LPARAM lParam) const
{
    EventUI event;
    event.type = type;
    event.sender = sender;
    event.timestamp = ::GetTickCount();
    event.mouse = m_lastMousePos;
    event.keyState = CurrentKeyState();
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

void CManagerUI::FocusWindow()
{
    if (!m_noActivate) ::SetFocus(m_paintWindow);
}

void CManagerUI::OnClose()
{
    LifeGuard guard(*this);
    if (m_hover != nullptr) {
        CControlUI* hover = m_hover;
        m_hover = nullptr;
        EventUI event = MakeEvent(EVT_MOUSELEAVE, hover);
        hover->Event(event);
        if (guard.IsDestroyed()) return;
    }
    if (m_click != nullptr) {
        CControlUI* click = m_click;
        m_click = nullptr;
        // A window that is only hidden on close must not keep the mouse.
        if (m_captured) ReleaseCapture();
        EventUI event = MakeEvent(EVT_BUTTONUP, click);
        click->Event(event);
        if (guard.IsDestroyed()) return;
    }
    SetFocus(nullptr, true);
    if (guard.IsDestroyed()) return;
    if (::GetActiveWindow() == m_paintWindow) {
        const bool child = (::GetWindowLongW(m_paintWindow, GWL_STYLE) & WS_CHILD) != 0;
        HWND next = child ? ::GetParent(m_paintWindow) : ::GetWindow(m_paintWindow, GW_OWNER);
        if (next != nullptr) ::SetFocus(next);
    }
    DestroyTooltip();
}

void CManagerUI::OnSize(WPARAM wParam, LPARAM lParam)
{
    if (m_focus != nullptr) {
        LifeGuard guard(*this);
        EventUI event = MakeEvent(EVT_WINDOWSIZE, m_focus, wParam, lParam);
        m_focus->Event(event);
        if (guard.IsDestroyed()) return;
    }
    if (m_root != nullptr) m_root->RequestLayout();
    if (m_layered) Invalidate();
}

void CManagerUI::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    if (info == nullptr) return;
    if (m_minTrack.cx > 0) info->ptMinTrackSize.x = m_minTrack.cx;
    if (m_minTrack.cy > 0) info->ptMinTrackSize.y = m_minTrack.cy;
    if (m_maxTrack.cx > 0) info->ptMaxTrackSize.x = m_maxTrack.cx;
    if (m_maxTrack.cy > 0) info->ptMaxTrackSize.y = m_maxTrack.cy;
}

bool CManagerUI::OnSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_root == nullptr || LOWORD(lParam) != HTCLIENT) return false;
    if (m_captured) {
        result = TRUE;
        return true;
    }
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_paintWindow, &pt);
    CControlUI* control = FindControlAt(pt);
    if (control == nullptr || (control->QueryControlFlags() & CTLFLAG_SETCURSOR) == 0) return false;
    EventUI event = MakeEvent(EVT_SETCURSOR, control, wParam, lParam);
    event.mouse = pt;
    control->Event(event);
    result = TRUE;
    return true;
}

bool CManagerUI::OnReflect(UINT message, HWND target, WPARAM wParam, LPARAM lParam, LRESULT& result) const
{
    if (target == nullptr) return false;
    result = ::SendMessageW(target, message + kReflectOffset, wParam, lParam);
    return true;
}

void CManagerUI::OnKillFocus(HWND gaining)
{
    if (gaining == nullptr) return;
    HWND child = gaining;
    while (child != nullptr && ::GetParent(child) != m_paintWindow) child = ::GetParent(child);
    if (child == nullptr) return;
    const int index = m_nativeWindows.Find(child);
    if (index < 0) return;
    auto* control = static_cast<CControlUI*>(m_nativeWindowControls[index]);
    if (control != m_focus) SetFocus(control, false);
}

void CManagerUI::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr || m_captured) return;
    POINT pt = PointFromLParam(lParam);
    ::ScreenToClient(m_paintWindow, &pt);
    m_lastMousePos = pt;
    if (m_click == nullptr) return;
    CControlUI* click = m_click;
    m_click = nullptr;
    EventUI event = MakeEvent(EVT_CONTEXTMENU, click, 0, reinterpret_cast<LPARAM>(click));
    event.keyState = static_cast<WORD>(wParam);
    click->Event(event);
}

void CManagerUI::SendKeyEvent(CControlUI* control, int type, WPARAM wParam, LPARAM lParam)
{
    EventUI event = MakeEvent(type, control, wParam, lParam);
    event.key = static_cast<wchar_t>(wParam);
    control->Event(event);
}

void CManagerUI::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr || m_focus == nullptr) return;
    m_keyControl = m_focus;
    SendKeyEvent(m_focus, EVT_KEYDOWN, wParam, lParam);
}

void CManagerUI::OnKeyUp(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr || m_keyControl == nullptr) return;
    CControlUI* control = m_keyControl;
    m_keyControl = nullptr;
    SendKeyEvent(control, EVT_KEYUP, wParam, lParam);
}

void CManagerUI::OnChar(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr || m_focus == nullptr) return;
    SendKeyEvent(m_focus, EVT_CHAR, wParam, lParam);
}

void CManagerUI::OnPrintClient(HDC dc, LPARAM flags)
{
    if (m_root == nullptr || dc == nullptr) return;
    RECT client = {};
    ::GetClientRect(m_paintWindow, &client);
    const int saved = ::SaveDC(dc);
    m_root->Paint(dc, client, nullptr);
    ::RestoreDC(dc, saved);
    if ((flags & PRF_CHILDREN) == 0) return;
    for (HWND child = ::GetWindow(m_paintWindow, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc = {};
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_paintWindow, reinterpret_cast<POINT*>(&rc), 2);
        POINT origin = {};
        ::OffsetViewportOrgEx(dc, rc.left, rc.top, &origin);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
        ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    }
}

} // namespace VarnUI

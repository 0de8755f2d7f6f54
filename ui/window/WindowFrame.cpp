// The frame of a skinned window: the whole window is client area, the skin's size box and
// caption stand in for the borders and the title bar, and the corners may be rounded.
#include "ui/window/WindowImplBase.h"

#include "ui/controls/ControlUI.h"
#include "ui/render/GdiHandles.h"

namespace VarnUI {

namespace {

// The work area of the window's monitor, relative to the monitor's own origin.
bool RelativeWorkArea(HWND window, RECT& work)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
    work = monitor.rcWork;
    ::OffsetRect(&work, -monitor.rcMonitor.left, -monitor.rcMonitor.top);
    return true;
}

// Controls that take clicks of their own even inside the caption.
bool IsClickable(const CControlUI* control)
{
    const wchar_t* name = control->GetClassName();
    return ::lstrcmpiW(name, L"Button") == 0 || ::lstrcmpiW(name, L"Option") == 0 ||
           ::lstrcmpiW(name, L"Text") == 0;
}

} // namespace

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (::IsIconic(m_window)) handled = false;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&)
{
    // Either form of lParam starts with the proposed window rectangle; leaving it as it is
    // makes the whole window client area.
    if (!::IsZoomed(m_window) || lParam == 0) return 0;
    RECT work = {};
    if (!RelativeWorkArea(m_window, work)) return 0;
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    proposed->right = proposed->left + (work.right - work.left);
    proposed->bottom = proposed->top + (work.bottom - work.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(m_window, &pt);
    RECT client = {};
    ::GetClientRect(m_window, &client);

    if (!::IsZoomed(m_window)) {
        const RECT& box = m_manager.GetSizeBox();
        const bool left = pt.x < client.left + box.left;
        const bool right = pt.x > client.right - box.right;
        if (pt.y < client.top + box.top) {
            return left ? HTTOPLEFT : (right ? HTTOPRIGHT : HTTOP);
        }
        if (pt.y > client.bottom - box.bottom) {
            return left ? HTBOTTOMLEFT : (right ? HTBOTTOMRIGHT : HTBOTTOM);
        }
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    return IsCaptionPoint(pt, client) ? HTCAPTION : HTCLIENT;
}

bool WindowImplBase::IsCaptionPoint(POINT client, const RECT& clientRect) const
{
    const RECT& caption = m_manager.GetCaptionRect();
    // The caption's top and bottom are distances from the top edge, not insets.
    if (client.x < clientRect.left + caption.left || client.x >= clientRect.right - caption.right ||
        client.y < caption.top || client.y >= caption.bottom) {
        return false;
    }
    const CControlUI* control = m_manager.FindControlAt(client);
    return control != nullptr && !IsClickable(control);
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    // The manager and the default procedure see the message after this.
    handled = false;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (info == nullptr) return 0;
    RECT work = {};
    if (RelativeWorkArea(m_window, work)) {
        info->ptMaxPosition.x = work.left;
        info->ptMaxPosition.y = work.top;
        info->ptMaxTrackSize.x = work.right - work.left;
        info->ptMaxTrackSize.y = work.bottom - work.top;
    }
    const SIZE minimum = m_manager.GetMinInfo();
    info->ptMinTrackSize.x = minimum.cx;
    info->ptMinTrackSize.y = minimum.cy;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    if (!::IsIconic(m_window)) ApplyRoundCorner();
    return 0;
}

void WindowImplBase::ApplyRoundCorner()
{
    const SIZE corner = m_manager.GetRoundCorner();
    if (corner.cx == 0 && corner.cy == 0) return;
    RECT rc = {};
    if (!::GetWindowRect(m_window, &rc)) return;
    ::OffsetRect(&rc, -rc.left, -rc.top);
    CGdiRegion region(::CreateRoundRectRgn(0, 0, rc.right + 1, rc.bottom + 1, corner.cx, corner.cy));
    if (!region) return;
    // The window owns the region only once it has taken it.
    if (::SetWindowRgn(m_window, region.get(), TRUE) != 0) region.release();
}

LRESULT WindowImplBase::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    // The low four bits of the command are the platform's own.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMessage(WM_CLOSE, 0, 0);
        return 0;
    }
    const HWND window = m_window;
    const bool wasMaximized = ::IsZoomed(window) != FALSE;
    const LRESULT result = CWindowWnd::HandleMessage(message, wParam, lParam);
    // The command may have destroyed the window and this object with it.
    if (!::IsWindow(window)) return result;
    if ((::IsZoomed(window) != FALSE) != wasMaximized) SwapMaxRestoreButtons(wasMaximized);
    return result;
}

void WindowImplBase::SwapMaxRestoreButtons(bool wasMaximized)
{
    CControlUI* maxButton = m_manager.FindControlByName(L"maxbtn");
    CControlUI* restoreButton = m_manager.FindControlByName(L"restorebtn");
    if (maxButton == nullptr || restoreButton == nullptr) return;
    maxButton->SetVisible(wasMaximized);
    restoreButton->SetVisible(!wasMaximized);
}

} // namespace VarnUI

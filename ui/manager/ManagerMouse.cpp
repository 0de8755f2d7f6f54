// Mouse routing (hover, click and capture), the wheel, hover tracking and the tooltip.
#include "ui/manager/ManagerUI.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"
#include "ui/skin/SkinResources.h"

namespace VarnUI {
namespace {

// The tool record as the tooltip control of every version understands it.
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

HINSTANCE ModuleInstance()
{
    HINSTANCE instance = CSkinResources::GetInstance();
    return instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
}

bool LoadCommonControls()
{
    void(WINAPI * init)() = nullptr;
    if (!ResolveProc(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControls", init)) return false;
    init();
    return true;
}

// The tooltip class lives in the common controls, loaded with the first tooltip rather than
// at start: most windows never show one. Once per process; the module stays loaded.
bool CommonControlsReady()
{
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    return RunOnce(once, LoadCommonControls);
}

} // namespace

CControlUI* CManagerUI::OwnControlAt(POINT pt) const
{
    CControlUI* control = FindControlAt(pt);
    return control != nullptr && control->GetManager() == this ? control : nullptr;
}

void CManagerUI::TrackMouse()
{
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = m_paintWindow;
    track.dwHoverTime = m_tooltipWindow != nullptr
                            ? static_cast<DWORD>(::SendMessageW(m_tooltipWindow, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                            : m_hoverTime;
    ::TrackMouseEvent(&track);
    m_mouseTracking = true;
}

void CManagerUI::LeaveHover(WPARAM wParam, LPARAM lParam, const LifeGuard& guard)
{
    ControlWatch old(*this, guard, m_hover);
    EventUI event = MakeEvent(EVT_MOUSELEAVE, m_hover, wParam, lParam);
    // Listeners may leave the list (or be deleted) while it is walked: each is checked
    // against the live list before it is called.
    CUIPtrArray listeners(m_mouseLeaveListeners);
    for (int i = 0; i < listeners.GetSize(); ++i) {
        if (m_mouseLeaveListeners.Find(listeners[i]) < 0) continue;
        event.sender = old.get();
        static_cast<CControlUI*>(listeners[i])->Event(event);
        if (guard.IsDestroyed()) return;
    }
    if (old.get() != nullptr) {
        event.sender = old.get();
        old.get()->Event(event);
        if (guard.IsDestroyed()) return;
    }
    if (m_hover == old.get()) m_hover = nullptr;
    DeactivateTooltip();
}

void CManagerUI::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr) return;
    if (!m_mouseTracking) TrackMouse();
    const POINT pt = PointFromLParam(lParam);
    m_lastMousePos = pt;
    CControlUI* under = FindControlAt(pt);
    if (under != nullptr && under->GetManager() != this) return;

    LifeGuard guard(*this);
    ControlWatch target(*this, guard, under);
    if (!m_captured) {
        if (under != m_hover && m_hover != nullptr) {
            LeaveHover(wParam, lParam, guard);
            if (guard.IsDestroyed()) return;
            under = target.get();
        }
        if (under != m_hover && under != nullptr) {
            m_hover = under;
            EventUI event = MakeEvent(EVT_MOUSEENTER, under, wParam, lParam);
            under->Event(event);
            if (guard.IsDestroyed()) return;
        }
    }
    // A pressed control keeps receiving the moves of its drag, wherever the mouse is.
    CControlUI* receiver = m_click != nullptr ? m_click : target.get();
    if (receiver == nullptr) return;
    EventUI event = MakeEvent(EVT_MOUSEMOVE, receiver, wParam, lParam);
    receiver->Event(event);
}

void CManagerUI::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    FocusWindow();
    if (m_root == nullptr) return;
    m_lastMousePos = PointFromLParam(lParam);
    CControlUI* control = OwnControlAt(m_lastMousePos);
    if (control == nullptr) return;
    LifeGuard guard(*this);
    ControlWatch target(*this, guard, control);
    m_click = control;
    control->SetFocus();
    if (guard.IsDestroyed() || target.get() == nullptr) return;
    SetCapture();
    EventUI event = MakeEvent(EVT_BUTTONDOWN, control, wParam, lParam);
    event.keyState = static_cast<WORD>(wParam);
    control->Event(event);
}

void CManagerUI::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    m_lastMousePos = PointFromLParam(lParam);
    if (m_click == nullptr) return;
    LifeGuard guard(*this);
    ControlWatch click(*this, guard, m_click);
    ReleaseCapture();
    if (click.get() == nullptr) return;
    EventUI event = MakeEvent(EVT_BUTTONUP, click.get(), wParam, lParam);
    event.keyState = static_cast<WORD>(wParam);
    click.get()->Event(event);
    if (guard.IsDestroyed()) return;
    if (m_click == click.get()) m_click = nullptr;
}

void CManagerUI::OnLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    FocusWindow();
    m_lastMousePos = PointFromLParam(lParam);
    CControlUI* control = OwnControlAt(m_lastMousePos);
    if (control == nullptr) return;
    // Recorded before the event: a control deleted by it is then forgotten with the rest.
    m_click = control;
    SetCapture();
    EventUI event = MakeEvent(EVT_DBLCLICK, control, wParam, lParam);
    event.keyState = static_cast<WORD>(wParam);
    control->Event(event);
}

void CManagerUI::OnRButtonDown(WPARAM wParam, LPARAM lParam)
{
    FocusWindow();
    m_lastMousePos = PointFromLParam(lParam);
    CControlUI* control = OwnControlAt(m_lastMousePos);
    if (control == nullptr) return;
    LifeGuard guard(*this);
    ControlWatch target(*this, guard, control);
    control->SetFocus();
    if (guard.IsDestroyed() || target.get() == nullptr) return;
    m_click = control;
    EventUI event = MakeEvent(EVT_RBUTTONDOWN, control, wParam, lParam);
    event.keyState = static_cast<WORD>(wParam);
    control->Event(event);
}

void CManagerUI::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr) return;
    POINT pt = PointFromLParam(lParam);
    ::ScreenToClient(m_paintWindow, &pt);
    m_lastMousePos = pt;
    CControlUI* control = OwnControlAt(pt);
    if (control == nullptr) return;
    LifeGuard guard(*this);
    const short delta = static_cast<short>(HIWORD(wParam));
    EventUI event = MakeEvent(EVT_SCROLLWHEEL, control, delta < 0 ? 1 : 0, lParam);
    control->Event(event);
    if (guard.IsDestroyed()) return;
    // The content may have scrolled under the mouse: let hover follow it.
    ::SendMessageW(m_paintWindow, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

bool CManagerUI::OnMouseHover(LPARAM lParam)
{
    if (m_root == nullptr) return false;
    m_mouseTracking = false;
    const POINT pt = PointFromLParam(lParam);
    CControlUI* control = FindControlAt(pt);
    if (control == nullptr) return false;
    LifeGuard guard(*this);
    ControlWatch target(*this, guard, control);
    if (m_hover != nullptr) {
        EventUI event = MakeEvent(EVT_MOUSEHOVER, m_hover, 0, lParam);
        event.mouse = pt;
        m_hover->Event(event);
        if (guard.IsDestroyed()) return true;
    }
    if (target.get() != nullptr) ShowTooltip(target.get(), pt);
    return true;
}

void CManagerUI::OnMouseLeave()
{
    if (m_root != nullptr) DeactivateTooltip();
    if (m_mouseTracking) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        RECT window = {};
        ::GetWindowRect(m_paintWindow, &window);
        // A leave reported while the pointer is still over the client area (another window
        // popped up and went) keeps the hover; otherwise (-1, -1) lies over no control.
        LPARAM where = -1;
        if (!::IsIconic(m_paintWindow) && ::GetActiveWindow() == m_paintWindow && ::PtInRect(&window, cursor) &&
            ::SendMessageW(m_paintWindow, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) == HTCLIENT) {
            ::ScreenToClient(m_paintWindow, &cursor);
            where = MAKELPARAM(cursor.x, cursor.y);
        }
        LifeGuard guard(*this);
        ::SendMessageW(m_paintWindow, WM_MOUSEMOVE, 0, where);
        if (guard.IsDestroyed()) return;
    }
    m_mouseTracking = false;
}

void CManagerUI::ShowTooltip(CControlUI* control, POINT pt)
{
    CUIString text = control->GetToolTip();
    if (text.IsEmpty()) return;
    ExpandLanguageTokens(text);
    m_tooltipText = text;

    m_toolInfo = {};
    m_toolInfo.cbSize = kToolInfoSize;
    m_toolInfo.uFlags = TTF_IDISHWND;
    m_toolInfo.hwnd = m_paintWindow;
    m_toolInfo.uId = reinterpret_cast<UINT_PTR>(m_paintWindow);
    m_toolInfo.hinst = ModuleInstance();
    m_toolInfo.lpszText = const_cast<wchar_t*>(m_tooltipText.GetData());
    m_toolInfo.rect = control->GetPos();
    const LPARAM tool = reinterpret_cast<LPARAM>(&m_toolInfo);
    const int width = control->GetToolTipWidth();

    if (m_tooltipWindow == nullptr) {
        if (!CommonControlsReady()) return;
        m_tooltipWindow = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                            m_paintWindow, nullptr, ModuleInstance(), nullptr);
        if (m_tooltipWindow == nullptr) return;
        ::SendMessageW(m_tooltipWindow, TTM_ADDTOOLW, 0, tool);
        ::SendMessageW(m_tooltipWindow, TTM_SETMAXTIPWIDTH, 0, width);
        ::SendMessageW(m_tooltipWindow, TTM_SETTOOLINFOW, 0, tool);
        ::SendMessageW(m_tooltipWindow, TTM_TRACKACTIVATE, TRUE, tool);
    }
    if (m_lastTooltipOwner != nullptr) {
        if (m_lastTooltipOwner != control) {
            ::SendMessageW(m_tooltipWindow, TTM_SETMAXTIPWIDTH, 0, width);
        } else if (width != m_lastTooltipWidth) {
            ::SendMessageW(m_tooltipWindow, TTM_SETMAXTIPWIDTH, 0, width);
            m_lastTooltipWidth = width;
        }
        ::SendMessageW(m_tooltipWindow, TTM_SETTOOLINFOW, 0, tool);
        ::SendMessageW(m_tooltipWindow, TTM_TRACKACTIVATE, TRUE, tool);
    } else {
        m_lastTooltipOwner = control;
    }
    ::SendMessageW(m_tooltipWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x, pt.y));
}

void CManagerUI::DeactivateTooltip()
{
    if (m_tooltipWindow == nullptr) return;
    ::SendMessageW(m_tooltipWindow, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_toolInfo));
}

void CManagerUI::DestroyTooltip()
{
    if (m_tooltipWindow != nullptr && ::IsWindow(m_tooltipWindow)) ::DestroyWindow(m_tooltipWindow);
    m_tooltipWindow = nullptr;
}

} // namespace VarnUI

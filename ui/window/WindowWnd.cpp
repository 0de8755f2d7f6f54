#include "ui/window/WindowWnd.h"

#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinResources.h"

#include <utility>

namespace VarnUI {

namespace {

// Superclassed windows keep their object in this property: the copied class's own code may
// use the window's user data.
const wchar_t kObjectProperty[] = L"WndX";

// Where a window keeps its object: the user data for windows of an own class and subclassed
// ones, the property for superclassed ones.
CWindowWnd* ObjectOf(HWND window, bool property)
{
    if (property) return static_cast<CWindowWnd*>(::GetPropW(window, kObjectProperty));
    return reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void StoreObject(HWND window, CWindowWnd* object, bool property)
{
    if (property) {
        ::SetPropW(window, kObjectProperty, object);
    } else {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
}

void ForgetObject(HWND window, bool property)
{
    // A property left on a window past WM_NCDESTROY is never freed, so it is removed rather
    // than set to null.
    if (property) {
        ::RemovePropW(window, kObjectProperty);
    } else {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
}

int RoundUpTo16(int value)
{
    return (value + 15) & ~15;
}

} // namespace

CWindowWnd::CWindowWnd() : m_previousProc(::DefWindowProcW) {}

CWindowWnd::~CWindowWnd()
{
    DetachFromWindow();
}

const wchar_t* CWindowWnd::SuperclassName() const
{
    return nullptr;
}

UINT CWindowWnd::ClassStyle() const
{
    return 0;
}

LRESULT CWindowWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_previousProc, m_window, message, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND /*window*/) {}

HWND CWindowWnd::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                        int width, int height, HMENU menu)
{
    const bool registered = SuperclassName() != nullptr ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered) return nullptr;
    // The handle is stored at WM_NCCREATE and cleared at WM_NCDESTROY; a window that fails
    // during creation may already have deleted this object, so nothing is written after.
    return ::CreateWindowExW(exStyle, WindowClassName(), title, style, x, y, width, height, parent, menu,
                             CSkinResources::GetInstance(), this);
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rc,
                        HMENU menu)
{
    return Create(parent, title, style, exStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                  menu);
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle)
{
    return Create(parent, title, style, exStyle, 0, 0, 0, 0, nullptr);
}

bool CWindowWnd::RegisterWindowClass()
{
    const wchar_t* name = WindowClassName();
    if (name == nullptr || *name == L'\0') return false;
    WNDCLASSW wc = {};
    wc.style = ClassStyle();
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = CSkinResources::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (::RegisterClassW(&wc) != 0) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindowWnd::RegisterSuperclass()
{
    const wchar_t* name = WindowClassName();
    if (name == nullptr || *name == L'\0') return false;
    const HINSTANCE instance = CSkinResources::GetInstance();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    // System classes first, then classes of the framework's own module.
    if (!::GetClassInfoExW(nullptr, SuperclassName(), &wc) &&
        !::GetClassInfoExW(instance, SuperclassName(), &wc)) {
        return false;
    }
    m_previousProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StaticControlProc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    if (::RegisterClassExW(&wc) != 0) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT CALLBACK CWindowWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(window, message, wParam, lParam, false);
}

LRESULT CALLBACK CWindowWnd::StaticControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(window, message, wParam, lParam, true);
}

LRESULT CWindowWnd::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool property)
{
    CWindowWnd* object = nullptr;
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        object = static_cast<CWindowWnd*>(create->lpCreateParams);
        if (object != nullptr) {
            object->m_window = window;
            StoreObject(window, object, property);
        }
    } else {
        object = ObjectOf(window, property);
        if (message == WM_NCDESTROY && object != nullptr) {
            return FinishWindow(object, window, wParam, lParam, property);
        }
    }
    if (object == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return object->HandleMessage(message, wParam, lParam);
}

LRESULT CWindowWnd::FinishWindow(CWindowWnd* object, HWND window, WPARAM wParam, LPARAM lParam,
                                 bool property)
{
    const LRESULT result = ::CallWindowProcW(object->m_previousProc, window, WM_NCDESTROY, wParam, lParam);
    ForgetObject(window, property);
    if (object->m_subclassed) object->Unsubclass();
    object->m_window = nullptr;
    // No window shows the icons any more.
    object->m_bigIcon.reset();
    object->m_smallIcon.reset();
    object->OnFinalMessage(window);
    return result;
}

HWND CWindowWnd::Subclass(HWND window)
{
    if (window == nullptr || !::IsWindow(window)) return nullptr;
    // The object is findable before the new procedure can run.
    const LONG_PTR oldUserData = ::GetWindowLongPtrW(window, GWLP_USERDATA);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWindowProc)));
    if (previous == nullptr) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, oldUserData);
        return nullptr;
    }
    m_previousProc = previous;
    m_subclassed = true;
    m_window = window;
    return m_window;
}

void CWindowWnd::Unsubclass()
{
    if (m_window == nullptr || !::IsWindow(m_window) || !m_subclassed) return;
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    m_previousProc = ::DefWindowProcW;
    m_subclassed = false;
}

void CWindowWnd::DetachFromWindow()
{
    if (m_window == nullptr) return;
    if (::IsWindow(m_window)) {
        for (const bool property : {true, false}) {
            if (ObjectOf(m_window, property) == this) ForgetObject(m_window, property);
        }
        if (m_subclassed) Unsubclass();
        // The icons go with the object, so the window must stop using them first.
        if (m_bigIcon) ::SendMessageW(m_window, WM_SETICON, ICON_BIG, 0);
        if (m_smallIcon) ::SendMessageW(m_window, WM_SETICON, ICON_SMALL, 0);
    }
    m_window = nullptr;
    m_bigIcon.reset();
    m_smallIcon.reset();
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus)
{
    if (m_window == nullptr || !::IsWindow(m_window)) return;
    ::ShowWindow(m_window, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal()
{
    // The object may delete itself when its window goes, so the loop keeps its own copy of
    // the handle and never reads a member after the first dispatch.
    const HWND window = m_window;
    if (window == nullptr || !::IsWindow(window)) return 0;
    const HWND owner = ::GetWindow(window, GW_OWNER);
    ::ShowWindow(window, SW_SHOWNORMAL);
    if (owner != nullptr) ::EnableWindow(owner, FALSE);

    UINT result = 0;
    MSG msg = {};
    bool quit = false;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got == -1) break;
        if (msg.message == WM_CLOSE && msg.hwnd == window) {
            result = static_cast<UINT>(msg.wParam);
            if (owner != nullptr) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        if (!CManagerUI::TranslateUIMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner != nullptr) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    if (quit) ::PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

void CWindowWnd::Close(UINT result)
{
    const HWND window = m_window;
    if (window == nullptr || !::IsWindow(window)) return;
    ::PostMessageW(window, WM_CLOSE, static_cast<WPARAM>(result), 0);
}

void CWindowWnd::CenterWindow()
{
    if (m_window == nullptr || !::IsWindow(m_window)) return;
    RECT self = {};
    if (!::GetWindowRect(m_window, &self)) return;
    const HWND owner = ::GetWindow(m_window, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    const HMONITOR nearest = ::MonitorFromWindow(owner != nullptr ? owner : m_window, MONITOR_DEFAULTTONEAREST);
    if (!::GetMonitorInfoW(nearest, &monitor)) return;
    const RECT area = monitor.rcWork;
    RECT center = area;
    if (owner != nullptr && !::IsIconic(owner) && !::GetWindowRect(owner, &center)) center = area;

    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int x = (center.left + center.right) / 2 - width / 2;
    int y = (center.top + center.bottom) / 2 - height / 2;
    if (x < area.left) {
        x = area.left;
    } else if (x + width > area.right) {
        x = area.right - width;
    }
    if (y < area.top) {
        y = area.top;
    } else if (y + height > area.bottom) {
        y = area.bottom - height;
    }
    ::SetWindowPos(m_window, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT resourceId)
{
    if (m_window == nullptr || !::IsWindow(m_window)) return;
    const HINSTANCE instance = CSkinResources::GetInstance();
    // Loaded unshared, so this object owns them; each replaces the previous one only after
    // the window has let go of it.
    COwnedIcon big(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                   RoundUpTo16(::GetSystemMetrics(SM_CXICON)),
                                                   RoundUpTo16(::GetSystemMetrics(SM_CYICON)),
                                                   LR_DEFAULTCOLOR)));
    ::SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    m_bigIcon = std::move(big);
    COwnedIcon small(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                     RoundUpTo16(::GetSystemMetrics(SM_CXSMICON)),
                                                     RoundUpTo16(::GetSystemMetrics(SM_CYSMICON)),
                                                     LR_DEFAULTCOLOR)));
    ::SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_smallIcon = std::move(small);
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_window, message, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageW(m_window, message, wParam, lParam);
}

void CWindowWnd::ResizeClient(int width, int height)
{
    if (m_window == nullptr) return;
    RECT rc = {};
    if (!::GetClientRect(m_window, &rc)) return;
    if (width != -1) rc.right = width;
    if (height != -1) rc.bottom = height;
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    const BOOL hasMenu = (style & WS_CHILD) == 0 && ::GetMenu(m_window) != nullptr;
    if (!::AdjustWindowRectEx(&rc, style, hasMenu, exStyle)) return;
    ::SetWindowPos(m_window, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

} // namespace VarnUI

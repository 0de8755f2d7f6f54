#include "ManagerTestSupport.h"

namespace VarnTest {
namespace {

const wchar_t kClassName[] = L"VarnManagerTestWindow";
const wchar_t kHostClassName[] = L"VarnManagerHostWindow";

void RegisterTestClass()
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

void RegisterHostClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = kHostClassName;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

HostWindow::HostWindow(int width, int height, bool visible, HWND parent)
{
    RegisterHostClass(Procedure);
    const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
    m_window = ::CreateWindowExW(WS_EX_NOACTIVATE, kHostClassName, L"manager host", style, 0, 0, width, height,
                                 parent, nullptr, ::GetModuleHandleW(nullptr), this);
    m_manager.Init(m_window, L"host");
    // Shown after creation: here a window created visible takes seconds to destroy.
    if (visible) ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
}

HostWindow::~HostWindow()
{
    if (m_window != nullptr) ::DestroyWindow(m_window);
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        host->m_window = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    const bool handled = host->m_manager.MessageHandler(message, wParam, lParam, result);
    // A listener may have deleted the host (and destroyed the window) meanwhile.
    if (reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA)) != host) return result;
    host->m_handled[message] = handled;
    return handled ? result : ::DefWindowProcW(window, message, wParam, lParam);
}

bool HostWindow::Handled(UINT message) const
{
    const auto found = m_handled.find(message);
    return found != m_handled.end() && found->second;
}

LRESULT HostWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_window, message, wParam, lParam);
}

void HostWindow::Mouse(UINT message, int x, int y, WPARAM keys) const
{
    ::SendMessageW(m_window, message, keys, MAKELPARAM(x, y));
}

void HostWindow::Pump()
{
    MSG msg = {};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!VarnUI::CManagerUI::TranslateUIMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void HostWindow::PaintNow() const
{
    ::UpdateWindow(m_window);
}

TestWindow::TestWindow(int width, int height, HWND parent)
{
    RegisterTestClass();
    const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
    m_window = ::CreateWindowExW(0, kClassName, L"manager test", style, 0, 0, width, height, parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (m_window != nullptr) ::DestroyWindow(m_window);
}

TestContainer::~TestContainer()
{
    for (VarnUI::CControlUI* child : m_children) delete child;
}

void TestContainer::Add(VarnUI::CControlUI* child)
{
    m_children.push_back(child);
    child->SetManager(GetManager(), this, false);
}

void TestContainer::RemoveAndDestroy(VarnUI::CControlUI* child)
{
    for (auto it = m_children.begin(); it != m_children.end(); ++it) {
        if (*it == child) {
            m_children.erase(it);
            child->Destroy();
            return;
        }
    }
}

void TestContainer::SetManager(VarnUI::CManagerUI* manager, VarnUI::CControlUI* parent, bool init)
{
    for (VarnUI::CControlUI* child : m_children) child->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

VarnUI::CControlUI* TestContainer::FindControl(VarnUI::FindControlProc proc, void* data, UINT flags)
{
    if ((flags & VarnUI::FIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & VarnUI::FIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & VarnUI::FIND_HITTEST) != 0 && !::PtInRect(&GetPos(), *static_cast<POINT*>(data))) return nullptr;
    if ((flags & VarnUI::FIND_ME_FIRST) != 0) {
        if (VarnUI::CControlUI* found = CControlUI::FindControl(proc, data, flags)) return found;
    }
    const int count = static_cast<int>(m_children.size());
    for (int i = 0; i < count; ++i) {
        const int index = (flags & VarnUI::FIND_TOP_FIRST) != 0 ? count - 1 - i : i;
        if (VarnUI::CControlUI* found = m_children[index]->FindControl(proc, data, flags)) return found;
    }
    if ((flags & VarnUI::FIND_ME_FIRST) == 0) return CControlUI::FindControl(proc, data, flags);
    return nullptr;
}

bool TestContainer::Paint(HDC dc, const RECT& updateRect, VarnUI::CControlUI* stopControl)
{
    if (!CControlUI::Paint(dc, updateRect, stopControl)) return false;
    for (VarnUI::CControlUI* child : m_children) {
        if (child->IsVisible() && !child->Paint(dc, updateRect, stopControl)) return false;
    }
    return true;
}

void TestContainer::SetVisible(bool visible)
{
    CControlUI::SetVisible(visible);
    for (VarnUI::CControlUI* child : m_children) child->SetInheritedVisible(IsVisible());
}

void TestContainer::SetInheritedVisible(bool visible)
{
    CControlUI::SetInheritedVisible(visible);
    for (VarnUI::CControlUI* child : m_children) child->SetInheritedVisible(IsVisible());
}

LoggingControl::LoggingControl(const wchar_t* name, RECT pos, std::wstring* log, UINT flags)
    : m_log(log), m_flags(flags)
{
    SetName(name);
    SetPos(pos, false);
}

void LoggingControl::HandleEvent(VarnUI::EventUI& event)
{
    events.push_back(event);
    if (m_log != nullptr) {
        *m_log += GetName().GetData();
        *m_log += L".";
        *m_log += EventName(event.type);
        *m_log += L" ";
    }
    CControlUI::HandleEvent(event);
}

const wchar_t* EventName(int type)
{
    switch (type) {
    case VarnUI::EVT_KEYDOWN: return L"keydown";
    case VarnUI::EVT_KEYUP: return L"keyup";
    case VarnUI::EVT_CHAR: return L"char";
    case VarnUI::EVT_SYSKEY: return L"syskey";
    case VarnUI::EVT_MOUSEMOVE: return L"move";
    case VarnUI::EVT_MOUSELEAVE: return L"leave";
    case VarnUI::EVT_MOUSEENTER: return L"enter";
    case VarnUI::EVT_MOUSEHOVER: return L"hover";
    case VarnUI::EVT_BUTTONDOWN: return L"down";
    case VarnUI::EVT_BUTTONUP: return L"up";
    case VarnUI::EVT_RBUTTONDOWN: return L"rdown";
    case VarnUI::EVT_DBLCLICK: return L"dblclick";
    case VarnUI::EVT_CONTEXTMENU: return L"menu";
    case VarnUI::EVT_SCROLLWHEEL: return L"wheel";
    case VarnUI::EVT_KILLFOCUS: return L"killfocus";
    case VarnUI::EVT_SETFOCUS: return L"setfocus";
    case VarnUI::EVT_WINDOWSIZE: return L"size";
    case VarnUI::EVT_SETCURSOR: return L"cursor";
    case VarnUI::EVT_TIMER: return L"timer";
    default: return L"?";
    }
}

void NotifyLog::Notify(VarnUI::NotifyUI& msg)
{
    records.push_back(msg);
    log += msg.type.GetData();
    log += L":";
    log += msg.sender != nullptr ? msg.sender->GetName().GetData() : L"-";
    log += L" ";
}

Canvas::Canvas(int width, int height, DWORD fill) : m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

Canvas::~Canvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

DWORD Canvas::At(int x, int y) const
{
    ::GdiFlush();
    return m_bits[static_cast<size_t>(y) * m_width + x] & 0x00FFFFFF;
}

void Canvas::Fill(DWORD rgb)
{
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = rgb;
}

DWORD WindowPixel(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return static_cast<DWORD>(GetRValue(color)) << 16 | static_cast<DWORD>(GetGValue(color)) << 8 | GetBValue(color);
}

VarnUI::CControlUI* MakeControl(const wchar_t* name, RECT pos)
{
    auto* control = new VarnUI::CControlUI;
    control->SetName(name);
    control->SetPos(pos, false);
    return control;
}

DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

bool IsDeadGdiObject(HGDIOBJ object)
{
    return ::GetObjectType(object) == 0;
}

} // namespace VarnTest

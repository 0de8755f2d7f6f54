#include "WidgetTestSupport.h"

#include <cstdio>

using namespace VarnUI;

namespace WidgetTest {
namespace {

const wchar_t kClassName[] = L"VarnWidgetTestWindow";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* manager = reinterpret_cast<CManagerUI*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterHostClass()
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

LPARAM PointParam(POINT pt)
{
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

} // namespace

CTestRoot::~CTestRoot()
{
    for (CControlUI* child : m_children) delete child;
}

void CTestRoot::Add(CControlUI* child)
{
    m_children.push_back(child);
    if (GetManager() != nullptr) {
        GetManager()->AdoptControls(child, this);
    } else {
        child->SetManager(nullptr, this, false);
    }
}

void CTestRoot::SetManager(CManagerUI* manager, CControlUI* parent, bool init)
{
    for (CControlUI* child : m_children) child->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CTestRoot::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & FIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & FIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & FIND_HITTEST) != 0 && !::PtInRect(&GetPos(), *static_cast<POINT*>(data))) return nullptr;
    if ((flags & FIND_ME_FIRST) != 0) {
        if (CControlUI* found = CControlUI::FindControl(proc, data, flags)) return found;
    }
    const int count = static_cast<int>(m_children.size());
    for (int i = 0; i < count; ++i) {
        const int index = (flags & FIND_TOP_FIRST) != 0 ? count - 1 - i : i;
        if (CControlUI* found = m_children[index]->FindControl(proc, data, flags)) return found;
    }
    if ((flags & FIND_ME_FIRST) == 0) return CControlUI::FindControl(proc, data, flags);
    return nullptr;
}

bool CTestRoot::PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl)
{
    CControlUI::PaintContent(dc, updateRect, stopControl);
    for (CControlUI* child : m_children) {
        if (child->IsVisible() && !child->Paint(dc, updateRect, stopControl)) return false;
    }
    return true;
}

CWidgetHost::CWidgetHost(int width, int height)
{
    RegisterHostClass();
    // Away from the screen's corner, where other test programs on the same display put theirs.
    m_window = ::CreateWindowExW(0, kClassName, L"widget test", WS_POPUP, 640, 480, width, height, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    m_manager.reset(new CManagerUI);
    m_manager->Init(m_window);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_manager.get()));
    m_root = new CTestRoot;
    m_manager->AttachRoot(m_root);
    m_root->SetPos({0, 0, width, height}, false);
    m_manager->AddNotifier(this);
    m_manager->AddFont(0, L"DejaVu Sans", 14, false, false, false);
    m_manager->SetDefaultFontColor(0xFF000000);
    // A hidden window keeps no update region, and the tests read it.
    ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
    Validate();
}

CWidgetHost::~CWidgetHost()
{
    m_manager->RemoveNotifier(this);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    m_manager.reset();
    ::DestroyWindow(m_window);
}

void CWidgetHost::Send(CControlUI* control, int type, POINT pt, WPARAM wParam, wchar_t key)
{
    EventUI event;
    event.type = type;
    event.sender = control;
    event.timestamp = ::GetTickCount();
    event.mouse = pt;
    event.key = key;
    event.wParam = wParam;
    control->Event(event);
}

// The real pointer goes along, so that hover tracking agrees with the messages.
void CWidgetHost::PlacePointer(POINT pt)
{
    POINT screen = pt;
    ::ClientToScreen(m_window, &screen);
    ::SetCursorPos(screen.x, screen.y);
}

void CWidgetHost::MouseDown(POINT pt)
{
    PlacePointer(pt);
    ::SendMessageW(m_window, WM_MOUSEMOVE, 0, PointParam(pt));
    ::SendMessageW(m_window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
}

void CWidgetHost::MouseMove(POINT pt)
{
    PlacePointer(pt);
    ::SendMessageW(m_window, WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt));
}

void CWidgetHost::MouseUp(POINT pt)
{
    ::SendMessageW(m_window, WM_LBUTTONUP, 0, PointParam(pt));
}

void CWidgetHost::Wheel(POINT pt, int delta)
{
    POINT screen = pt;
    ::ClientToScreen(m_window, &screen);
    ::SendMessageW(m_window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                   PointParam(screen));
}

void CWidgetHost::Validate()
{
    ::ValidateRect(m_window, nullptr);
}

bool CWidgetHost::HasUpdate() const
{
    return ::GetUpdateRect(m_window, nullptr, FALSE) != FALSE;
}

void CWidgetHost::Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG msg;
        while (::PeekMessageW(&msg, m_window, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
}

void CWidgetHost::Notify(NotifyUI& msg)
{
    if (msg.type == L"setfocus" || msg.type == L"killfocus" || msg.type == L"windowinit") return;
    notes.push_back({msg.type.GetData(), msg.sender, msg.wParam});
}

std::vector<std::wstring> CWidgetHost::Types() const
{
    std::vector<std::wstring> types;
    for (const Note& note : notes) types.push_back(note.type);
    return types;
}

CCanvas::CCanvas(int width, int height, std::uint32_t fill) : m_width(width), m_height(height)
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
    m_bits = static_cast<std::uint32_t*>(bits);
    m_previous = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

CCanvas::~CCanvas()
{
    ::SelectObject(m_dc, m_previous);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void CCanvas::Fill(std::uint32_t color)
{
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = color;
}

std::uint32_t CCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    return m_bits[y * m_width + x] & 0x00FFFFFF;
}

int CCanvas::Count(const RECT& rc, std::uint32_t rgb) const
{
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (Pixel(x, y) == (rgb & 0x00FFFFFF)) ++count;
        }
    }
    return count;
}

int CCanvas::CountOther(const RECT& rc, std::uint32_t rgb) const
{
    return (rc.right - rc.left) * (rc.bottom - rc.top) - Count(rc, rgb);
}

void PaintInto(CCanvas& canvas, CControlUI& control)
{
    const RECT update = control.GetPos();
    control.Paint(canvas.dc(), update, nullptr);
    ::GdiFlush();
}

std::wstring WriteBmp(const wchar_t* name, int width, int height,
                      const std::function<std::uint32_t(int x, int y)>& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> bytes(54 + static_cast<std::size_t>(stride) * height, 0);
    auto le32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    le32(2, static_cast<std::uint32_t>(bytes.size()));
    le32(10, 54);
    le32(14, 40);
    le32(18, static_cast<std::uint32_t>(width));
    le32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        unsigned char* row = &bytes[54 + static_cast<std::size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            row[x * 3] = static_cast<unsigned char>(c);
            row[x * 3 + 1] = static_cast<unsigned char>(c >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(c >> 16);
        }
    }
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path =
        std::wstring(folder) + L"varn_widget_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + name + L".bmp";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return path;
}

} // namespace WidgetTest

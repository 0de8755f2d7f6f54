// The floor of the start-up and memory benchmarks: the least a Win32 program does to show one
// 454x200 window (at 96 DPI; at other display scales as large as a scale-aware window is),
// centred, painted white, closed by WM_CLOSE. Created visible, as the
// uninstaller's window is. Built a second time with VARN_FLOOR_COM, it first initialises COM
// as the uninstaller must, which under Wine alone takes a good part of the start.
#include <objbase.h>
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"VarnFloorWindow";
#ifdef VARN_FLOOR_COM
constexpr wchar_t kTitle[] = L"Varnholt floor with COM";
#else
constexpr wchar_t kTitle[] = L"Varnholt floor";
#endif
constexpr int kWidth = 454;
constexpr int kHeight = 200;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
#ifdef VARN_FLOOR_COM
    if (FAILED(::CoInitialize(nullptr))) return 1;
#endif
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassW(&windowClass)) return 1;

    int dpi = 96;
    if (HDC screen = ::GetDC(nullptr)) {
        dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
        ::ReleaseDC(nullptr, screen);
    }
    const int width = ::MulDiv(kWidth, dpi, 96);
    const int height = ::MulDiv(kHeight, dpi, 96);
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = (area.left + area.right) / 2 - width / 2;
    const int y = (area.top + area.bottom) / 2 - height / 2;
    HWND window = ::CreateWindowExW(0, kClassName, kTitle, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                    x, y, width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ::ShowWindow(window, SW_SHOW);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}

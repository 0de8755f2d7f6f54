#include "ui/base/DpiScale.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"

namespace VarnUI {
namespace {

int MulDivRounded(int value, int numerator, int denominator)
{
    if (numerator == denominator || denominator <= 0) return value;
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

int ScaleToDpi(int value, int dpi)
{
    return MulDivRounded(value, dpi, kBaseDpi);
}

RECT ScaleToDpi(const RECT& rc, int dpi)
{
    return {ScaleToDpi(rc.left, dpi), ScaleToDpi(rc.top, dpi), ScaleToDpi(rc.right, dpi),
            ScaleToDpi(rc.bottom, dpi)};
}

SIZE ScaleToDpi(const SIZE& size, int dpi)
{
    return {ScaleToDpi(size.cx, dpi), ScaleToDpi(size.cy, dpi)};
}

int RescaleDpi(int value, int fromDpi, int toDpi)
{
    if (fromDpi == toDpi) return value;
    return ScaleToDpi(MulDivRounded(value, kBaseDpi, fromDpi), toDpi);
}

RECT RescaleDpi(const RECT& rc, int fromDpi, int toDpi)
{
    return {RescaleDpi(rc.left, fromDpi, toDpi), RescaleDpi(rc.top, fromDpi, toDpi),
            RescaleDpi(rc.right, fromDpi, toDpi), RescaleDpi(rc.bottom, fromDpi, toDpi)};
}

SIZE RescaleDpi(const SIZE& size, int fromDpi, int toDpi)
{
    return {RescaleDpi(size.cx, fromDpi, toDpi), RescaleDpi(size.cy, fromDpi, toDpi)};
}

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    // Present from Windows 10 1607 on; older systems have one DPI for every window.
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static GetDpiForWindowFn getDpiForWindow = nullptr;
    RunOnce(once, [] { return ResolveProc(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow", getDpiForWindow); });
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return kBaseDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

} // namespace VarnUI

#include "ui/render/BlendRoutines.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"
#include "ui/render/GdiHandles.h"
#include "ui/render/PixelBuffer.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace VarnUI {
namespace {

using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

struct Routines {
    AlphaBlendProc alphaBlend = nullptr;
    GradientFillProc gradientFill = nullptr;
};

// Looked up once; the library stays loaded for the rest of the process.
const Routines& PlatformRoutines()
{
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static Routines routines;
    RunOnce(once, [] {
        HMODULE library = LoadSystemLibrary(L"msimg32.dll");
        ResolveProc(library, "AlphaBlend", routines.alphaBlend);
        ResolveProc(library, "GradientFill", routines.gradientFill);
        return true;
    });
    return routines;
}

std::atomic<bool> g_forceFallback{false};

inline std::uint32_t Scale(std::uint32_t value, std::uint32_t factor)
{
    return (value * factor + 127) / 255;
}

// Source-over for premultiplied pixels: d = s * k + d * (1 - alpha(s) * k), k = constant / 255.
void BlendPixels(const std::uint8_t* source, std::uint8_t* dest, std::size_t count, BLENDFUNCTION blend)
{
    const std::uint32_t constant = blend.SourceConstantAlpha;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    for (std::size_t i = 0; i < count; ++i, source += 4, dest += 4) {
        const std::uint32_t sourceAlpha = perPixel ? Scale(source[3], constant) : constant;
        const std::uint32_t keep = 255 - sourceAlpha;
        for (int c = 0; c < 3; ++c) {
            // Non-premultiplied input could overflow a channel; saturate instead of wrapping.
            const std::uint32_t value = Scale(source[c], constant) + Scale(dest[c], keep);
            dest[c] = static_cast<std::uint8_t>(std::min<std::uint32_t>(value, 255));
        }
        dest[3] = static_cast<std::uint8_t>(std::min<std::uint32_t>(sourceAlpha + Scale(dest[3], keep), 255));
    }
}

} // namespace

bool CBlendRoutines::Blend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
    const AlphaBlendProc platform = g_forceFallback ? nullptr : PlatformRoutines().alphaBlend;
    if (platform != nullptr) {
        return platform(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend) != FALSE;
    }
    return FallbackBlend(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend);
}

bool CBlendRoutines::FallbackBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                                   int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
    CPixelBuffer top;
    CPixelBuffer bottom;
    if (!top.Create(dest, width, height) || !bottom.Create(dest, width, height)) return false;

    const int oldMode = ::SetStretchBltMode(top.GetDC(), COLORONCOLOR);
    const BOOL copied = ::StretchBlt(top.GetDC(), 0, 0, width, height, source, sourceX, sourceY, sourceWidth,
                                     sourceHeight, SRCCOPY);
    ::SetStretchBltMode(top.GetDC(), oldMode);
    if (!copied || !::BitBlt(bottom.GetDC(), 0, 0, width, height, dest, x, y, SRCCOPY)) return false;
    ::GdiFlush();

    BlendPixels(top.GetBits(), bottom.GetBits(), top.GetPixelCount(), blend);
    return ::BitBlt(dest, x, y, width, height, bottom.GetDC(), 0, 0, SRCCOPY) != FALSE;
}

bool CBlendRoutines::FillGradient(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                                  ULONG mode)
{
    const GradientFillProc platform = g_forceFallback ? nullptr : PlatformRoutines().gradientFill;
    if (platform == nullptr) return false;
    return platform(dc, vertices, vertexCount, mesh, meshCount, mode) != FALSE;
}

bool CBlendRoutines::HasGradientFill()
{
    return !g_forceFallback && PlatformRoutines().gradientFill != nullptr;
}

void CBlendRoutines::ForceFallback(bool force)
{
    g_forceFallback = force;
}

bool CBlendRoutines::IsFallbackForced()
{
    return g_forceFallback;
}

} // namespace VarnUI

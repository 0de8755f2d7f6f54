// CBlendRoutines: the platform's "AlphaBlend" and "GradientFill" from "msimg32.dll", looked
// up once per process, and the alpha-blend fallback used when the first is missing. Sources
// are premultiplied 32-bit pixels; coordinates are those of the device contexts passed in.
#pragma once

#include <windows.h>

namespace VarnUI {

class CBlendRoutines {
public:
    // Blends a source part over a destination part (stretched when the sizes differ) with the
    // platform routine or, without it, the fallback. False when nothing could be blended.
    static bool Blend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, BLENDFUNCTION blend);
    // The fallback itself: the source part stretched into a temporary 32-bit bitmap, the
    // destination copied into a second one, blended per pixel and copied back.
    static bool FallbackBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend);
    // The platform's gradient fill; false when it is missing (callers then draw bands).
    static bool FillGradient(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                             ULONG mode);
    static bool HasGradientFill();

    // Test seam: with force set, both routines behave as if "msimg32.dll" lacked them.
    static void ForceFallback(bool force);
    static bool IsFallbackForced();
};

} // namespace VarnUI

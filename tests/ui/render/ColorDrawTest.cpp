// Colours, gradients and their bands, lines and frames, clips and 32-bit bitmaps.
#include "RenderTestSupport.h"

#include "ui/render/BlendRoutines.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace RenderTest;

namespace {

// Restores the platform routines when a test that forced the fallback ends.
struct FallbackScope {
    explicit FallbackScope(bool force) { CBlendRoutines::ForceFallback(force); }
    ~FallbackScope() { CBlendRoutines::ForceFallback(false); }
};

} // namespace

TEST(ColorDraw, FillsOpaqueTranslucentOrNothing)
{
    const struct {
        DWORD color;
        std::uint32_t background;
        std::uint32_t expected;
    } cases[] = {
        {0x00FFFFFF, 0xFF000000, 0x000000},
        {0xFF112233, 0xFF000000, 0x112233},
        // Blended as premultiplied pixels: half blue over black is dark blue, not full blue.
        {0x800000FF, 0xFF000000, 0x000080},
        {0x800000FF, 0xFFFFFFFF, 0x7F7FFF},
        {0x40FF0000, 0xFF000000, 0x400000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.color));
        CCanvas canvas(10, 10, c.background);
        CRenderer::DrawColor(canvas.dc(), RECT{2, 2, 8, 8}, c.color);
        EXPECT_LE(ChannelDifference(canvas.Pixel(5, 5) & 0xFFFFFF, c.expected), 1) << Hex(canvas.Pixel(5, 5));
        EXPECT_EQ(canvas.Pixel(1, 1), c.background);
        EXPECT_EQ(canvas.Pixel(8, 8), c.background);
    }
}

TEST(ColorDraw, GradientRunsFromTheFirstColourToTheSecond)
{
    for (bool vertical : {true, false}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        CCanvas canvas(64, 64, 0xFF000000);
        CRenderer::DrawGradient(canvas.dc(), RECT{0, 0, 64, 64}, 0xFFFF0000, 0xFF0000FF, vertical, 64);
        const std::uint32_t first = canvas.Pixel(0, 0);
        const std::uint32_t last = vertical ? canvas.Pixel(0, 63) : canvas.Pixel(63, 0);
        const std::uint32_t across = vertical ? canvas.Pixel(63, 0) : canvas.Pixel(0, 63);
        EXPECT_LE(ChannelDifference(first & 0xFFFFFF, 0xFF0000), 4) << Hex(first);
        EXPECT_LE(ChannelDifference(last & 0xFFFFFF, 0x0000FF), 4) << Hex(last);
        EXPECT_EQ(across & 0xFFFFFF, first & 0xFFFFFF);
    }
}

TEST(ColorDraw, GradientBandsWithoutThePlatformRoutine)
{
    FallbackScope fallback(true);
    // steps below 4: two bands; the lower one is the second colour, the upper one their mean.
    CCanvas canvas(8, 64, 0xFF000000);
    CRenderer::DrawGradient(canvas.dc(), RECT{0, 0, 8, 64}, 0xFF000000, 0xFFFFFFFF, true, 2);
    EXPECT_EQ(canvas.Pixel(4, 0) & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(canvas.Pixel(4, 31) & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(canvas.Pixel(4, 32) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(4, 63) & 0xFFFFFF, 0xFFFFFFu);

    // 16 steps: 16 bands of 4 pixels, measured from the right edge.
    CCanvas wide(64, 4, 0xFF000000);
    CRenderer::DrawGradient(wide.dc(), RECT{0, 0, 64, 4}, 0xFF000000, 0xFFF0F0F0, false, 16);
    for (int band = 0; band < 16; ++band) {
        const std::uint32_t level = static_cast<std::uint32_t>((16 - band) * 0xF0 >> 4);
        const std::uint32_t expected = level << 16 | level << 8 | level;
        EXPECT_EQ(wide.Pixel(63 - band * 4, 1) & 0xFFFFFF, expected) << band;
        EXPECT_EQ(wide.Pixel(60 - band * 4, 1) & 0xFFFFFF, expected) << band;
    }
}

TEST(ColorDraw, TransparentGradientDrawsNothingAndTranslucentOneBlends)
{
    CCanvas canvas(16, 16, 0xFF000000);
    CRenderer::DrawGradient(canvas.dc(), RECT{0, 0, 16, 16}, 0x00FFFFFF, 0x01FFFFFF, true, 8);
    EXPECT_EQ(canvas.Pixel(8, 8), 0xFF000000u);
    CRenderer::DrawGradient(canvas.dc(), RECT{0, 0, 16, 16}, 0x80FFFFFF, 0x80FFFFFF, true, 8);
    EXPECT_LE(ChannelDifference(canvas.Pixel(8, 8) & 0xFFFFFF, 0x808080), 1) << Hex(canvas.Pixel(8, 8));
}

TEST(ColorDraw, FramesAreDrawnInsideTheRectangle)
{
    CCanvas canvas(20, 20, 0xFF000000);
    CRenderer::DrawRect(canvas.dc(), RECT{2, 2, 18, 18}, 2, 0x00FF0000, PS_SOLID);
    EXPECT_EQ(canvas.Pixel(2, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(3, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(4, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Pixel(17, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(18, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Pixel(10, 10) & 0xFFFFFF, 0u);

    CCanvas round(20, 20, 0xFF000000);
    CRenderer::DrawRoundRect(round.dc(), RECT{0, 0, 20, 20}, 1, 10, 10, 0xFF00FF00, PS_SOLID);
    EXPECT_EQ(round.Pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(round.Pixel(10, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(round.Pixel(0, 10) & 0xFFFFFF, 0x00FF00u);
}

TEST(ColorDraw, DottedFramesKeepTheirStyle)
{
    // Combining a dotted style with the inside-frame style would give a solid pen.
    CCanvas canvas(40, 10, 0xFF000000);
    CRenderer::DrawRect(canvas.dc(), RECT{0, 0, 40, 10}, 1, 0xFFFF0000, PS_DOT);
    int lit = 0;
    for (int x = 4; x < 36; ++x) lit += (canvas.Pixel(x, 0) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 32);
}

TEST(ColorDraw, ClipRestoresExactlyThePreviousClip)
{
    CCanvas canvas(30, 30, 0xFF000000);
    {
        CClipRecord clip;
        CRenderer::BeginClip(canvas.dc(), RECT{5, 5, 15, 15}, clip);
        CRenderer::DrawColor(canvas.dc(), RECT{0, 0, 30, 30}, 0xFFFF0000);
        {
            CClipRecord inner;
            CRenderer::BeginClip(canvas.dc(), RECT{10, 10, 25, 25}, inner);
            CRenderer::DrawColor(canvas.dc(), RECT{0, 0, 30, 30}, 0xFF00FF00);
            CRenderer::SuspendClip(inner);
            CRenderer::DrawColor(canvas.dc(), RECT{5, 5, 7, 7}, 0xFF0000FF);
            CRenderer::ResumeClip(inner);
            CRenderer::DrawColor(canvas.dc(), RECT{0, 0, 30, 30}, 0xFF00FF01);
        }
        CRenderer::DrawColor(canvas.dc(), RECT{14, 5, 30, 6}, 0xFFFFFFFF);
    }
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(canvas.dc(), probe), 0);  // no clip at all, as before
    ::DeleteObject(probe);
    EXPECT_EQ(canvas.Pixel(4, 4) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Pixel(5, 5) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(8, 8) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(12, 12) & 0xFFFFFF, 0x00FF01u);
    EXPECT_EQ(canvas.Pixel(16, 16) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Pixel(14, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(15, 5) & 0xFFFFFF, 0u);

    CCanvas rounded(20, 20, 0xFF000000);
    {
        CClipRecord clip;
        CRenderer::BeginRoundClip(rounded.dc(), RECT{0, 0, 20, 20}, RECT{0, 0, 20, 20}, 12, 12, clip);
        CRenderer::DrawColor(rounded.dc(), RECT{0, 0, 20, 20}, 0xFFFFFFFF);
    }
    EXPECT_EQ(rounded.Pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(rounded.Pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(rounded.Pixel(19, 10) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(ColorDraw, ArgbBitmapsAreBottomUpAndSizesAreChecked)
{
    BYTE* bits = nullptr;
    HBITMAP bitmap = CRenderer::CreateARGB32Bitmap(nullptr, 4, 3, &bits);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    bits[0] = 0xFF;  // first row in memory: the bottom row
    CCanvas canvas(4, 3, 0xFF000000);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(canvas.dc(), 0, 0, 4, 3, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    EXPECT_EQ(canvas.Pixel(0, 2) & 0xFF, 0xFFu);
    EXPECT_EQ(canvas.Pixel(0, 0) & 0xFF, 0u);

    for (const SIZE size : {SIZE{0, 4}, SIZE{4, -1}, SIZE{70000, 70000}}) {
        bits = reinterpret_cast<BYTE*>(1);
        EXPECT_EQ(CRenderer::CreateARGB32Bitmap(nullptr, size.cx, size.cy, &bits), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
}

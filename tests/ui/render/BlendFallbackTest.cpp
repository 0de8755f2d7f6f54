// The fallbacks for a missing "AlphaBlend" and "GradientFill" give the platform's pixels
// within one level per channel.
#include "RenderTestSupport.h"

#include "ui/render/BlendRoutines.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace VarnUI;
using namespace RenderTest;

namespace {

// A background with every channel varying, so that any blending error shows.
void PaintBackground(CCanvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint32_t color = 0xFF000000u | static_cast<std::uint32_t>(x * 5 % 256) << 16 |
                                        static_cast<std::uint32_t>(y * 7 % 256) << 8 | static_cast<std::uint32_t>((x + y) * 3 % 256);
            CRenderer::DrawColor(canvas.dc(), RECT{x, y, x + 1, y + 1}, color);
        }
    }
}

// Draws once with the platform routines and once with the fallbacks; returns the largest
// channel difference.
int CompareWithFallback(int width, int height, const std::function<void(HDC)>& draw)
{
    CCanvas platform(width, height);
    CCanvas fallback(width, height);
    PaintBackground(platform);
    PaintBackground(fallback);
    CBlendRoutines::ForceFallback(false);
    draw(platform.dc());
    CBlendRoutines::ForceFallback(true);
    draw(fallback.dc());
    CBlendRoutines::ForceFallback(false);
    int x = 0;
    int y = 0;
    const int worst = platform.MaxDifference(fallback, &x, &y);
    if (worst > 1) {
        ADD_FAILURE() << "at " << x << "," << y << ": platform " << Hex(platform.Pixel(x, y)) << " fallback "
                      << Hex(fallback.Pixel(x, y));
    }
    return worst;
}

// Translucent, with every alpha from 0 to 255 present.
std::uint32_t TranslucentPixel(int x, int y)
{
    const std::uint32_t alpha = static_cast<std::uint32_t>((x * 16 + y) % 256);
    return alpha << 24 | static_cast<std::uint32_t>(x * 9 % 256) << 16 | static_cast<std::uint32_t>(y * 13 % 256) << 8 | 0x80;
}

} // namespace

TEST(BlendFallback, UnscaledBlendMatchesThePlatform)
{
    const ImagePtr image = MakeImage(16, 16, TranslucentPixel);
    ASSERT_NE(image, nullptr);
    for (BYTE fade : {255, 200, 128, 1}) {
        SCOPED_TRACE(static_cast<int>(fade));
        const RECT dest = {4, 4, 20, 20};
        EXPECT_LE(CompareWithFallback(24, 24, [&](HDC dc) {
                      CRenderer::DrawImage(dc, image->bitmap.get(), dest, dest, RECT{0, 0, 16, 16}, RECT{0, 0, 0, 0},
                                           true, fade);
                  }),
                  1);
    }
}

TEST(BlendFallback, NineGridAndTilesMatchThePlatform)
{
    // Flat 4 x 4 blocks, so that scaling by whole factors samples the same colours.
    const ImagePtr image = MakeImage(12, 12, [](int x, int y) { return TranslucentPixel(x / 4 * 5, y / 4 * 3); });
    ASSERT_NE(image, nullptr);
    const RECT dest = {0, 0, 36, 28};
    EXPECT_LE(CompareWithFallback(36, 28, [&](HDC dc) {
                  CRenderer::DrawImage(dc, image->bitmap.get(), dest, dest, RECT{0, 0, 12, 12}, RECT{4, 4, 4, 4}, true,
                                       230);
              }),
              1);
    EXPECT_LE(CompareWithFallback(36, 28, [&](HDC dc) {
                  CRenderer::DrawImage(dc, image->bitmap.get(), dest, dest, RECT{0, 0, 12, 12}, RECT{0, 0, 0, 0}, true,
                                       255, false, true, true);
              }),
              1);
}

TEST(BlendFallback, ColoursAndGradientsMatchThePlatform)
{
    EXPECT_LE(CompareWithFallback(16, 16, [](HDC dc) { CRenderer::DrawColor(dc, RECT{2, 2, 14, 14}, 0x80336699); }), 1);
    EXPECT_LE(CompareWithFallback(16, 16, [](HDC dc) { CRenderer::DrawColor(dc, RECT{0, 0, 16, 16}, 0x10FFFFFF); }), 1);
    // 64 levels over 64 pixels in 64 bands: one band per level.
    for (bool vertical : {true, false}) {
        EXPECT_LE(CompareWithFallback(64, 64, [&](HDC dc) {
                      CRenderer::DrawGradient(dc, RECT{0, 0, 64, 64}, 0xFF102030, 0xFF4F5F6F, vertical, 64);
                  }),
                  1);
        EXPECT_LE(CompareWithFallback(64, 64, [&](HDC dc) {
                      CRenderer::DrawGradient(dc, RECT{0, 0, 64, 64}, 0x80000000, 0x80404040, vertical, 100);
                  }),
                  1);
    }
}

// Images for a display scale: the area-average resampling, the choice among a skin file's
// "@1.5x" and "@2x" variants, and image strings whose boxes follow the window's DPI.
#include "RenderTestSupport.h"

#include "ui/render/ImageScaling.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VarnUI;
using namespace RenderTest;

namespace {

std::vector<unsigned char> Png(int width, int height, const PixelFn& pixel)
{
    return Encode(ImageFormat::Png, width, height, MakePixels(width, height, pixel));
}

// 0xAARRGGBB as stored (premultiplied).
std::uint32_t StoredPixel(const ImageInfoUI& image, int x, int y)
{
    ::GdiFlush();
    const BYTE* p = image.bits + (static_cast<std::size_t>(y) * image.width + x) * 4;
    return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

PixelFn Plain(std::uint32_t color)
{
    return [color](int, int) { return color; };
}

TEST(ImageScaling, Resample_DoublingRepeatsEveryPixel)
{
    const ImagePtr source = MakeImage(3, 2, [](int x, int y) { return 0xFF000000u | (x * 80u) << 16 | y * 200u; });
    ASSERT_TRUE(source);
    const ImagePtr doubled(ResampleImage(*source, 6, 4));
    ASSERT_TRUE(doubled);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(StoredPixel(*doubled, x, y), StoredPixel(*source, x / 2, y / 2)) << x << "," << y;
        }
    }
    EXPECT_FALSE(doubled->hasAlpha);
}

TEST(ImageScaling, Resample_EdgesOnWholePixelsStayHard_OthersShareOnePixel_ClearNeverDarkens)
{
    // A red-blue edge after two pixels lands after three at one and a half times the size.
    const ImagePtr even = MakeImage(4, 1, [](int x, int) { return x < 2 ? 0xFFFF0000u : 0xFF0000FFu; });
    const ImagePtr wider(ResampleImage(*even, 6, 1));
    const std::uint32_t expected[] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu, 0xFF0000FFu, 0xFF0000FFu};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(StoredPixel(*wider, x, 0), expected[x]) << x;

    // After one pixel it would land half-way through the second: that pixel takes both.
    const ImagePtr odd = MakeImage(2, 1, [](int x, int) { return x < 1 ? 0xFFFF0000u : 0xFF0000FFu; });
    const ImagePtr blended(ResampleImage(*odd, 3, 1));
    EXPECT_EQ(StoredPixel(*blended, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(StoredPixel(*blended, 1, 0), 0xFF800080u);
    EXPECT_EQ(StoredPixel(*blended, 2, 0), 0xFF0000FFu);

    // Averaged premultiplied: a clear neighbour halves red's alpha but leaves it red.
    const ImagePtr clear = MakeImage(2, 1, [](int x, int) { return x < 1 ? 0x00FFFFFFu : 0xFFFF0000u; });
    const ImagePtr shrunk(ResampleImage(*clear, 1, 1));
    EXPECT_EQ(StoredPixel(*shrunk, 0, 0), 0x80800000u);
    EXPECT_TRUE(shrunk->hasAlpha);
}

TEST(ImageScaling, Load_TakesTheVariantNearestAtOrAboveTheScale_ElseTheLargest_SizedForTheDpi)
{
    WriteSkinFile(L"dpi_v.png", Png(10, 4, Plain(0xFFFF0000u)));
    WriteSkinFile(L"dpi_v@1.5x.png", Png(15, 6, Plain(0xFF00FF00u)));
    WriteSkinFile(L"dpi_v@2x.png", Png(20, 8, Plain(0xFF0000FFu)));
    const struct {
        int dpi;
        int width, height;
        std::uint32_t color;
    } cases[] = {
        {96, 10, 4, 0xFFFF0000u},  {144, 15, 6, 0xFF00FF00u}, {120, 13, 5, 0xFF00FF00u},
        {168, 18, 7, 0xFF0000FFu}, {192, 20, 8, 0xFF0000FFu}, {240, 25, 10, 0xFF0000FFu},
        {72, 8, 3, 0xFFFF0000u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const ImagePtr image(CRenderer::LoadImage(L"dpi_v.png", nullptr, 0, c.dpi));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(image->dpi, c.dpi);
        EXPECT_EQ(StoredPixel(*image, c.width - 1, c.height - 1), c.color);
    }

    // Only the larger variant: taken below its scale too. None at all: the file scaled.
    WriteSkinFile(L"dpi_w.png", Png(10, 4, Plain(0xFFFF0000u)));
    WriteSkinFile(L"dpi_w@2x.png", Png(20, 8, Plain(0xFF0000FFu)));
    const ImagePtr larger(CRenderer::LoadImage(L"dpi_w.png", nullptr, 0, 144));
    EXPECT_EQ(larger->width, 15);
    EXPECT_EQ(StoredPixel(*larger, 0, 0), 0xFF0000FFu);
    WriteSkinFile(L"dpi_x.png", Png(10, 4, Plain(0xFF00FFFFu)));
    const ImagePtr scaled(CRenderer::LoadImage(L"dpi_x.png", nullptr, 0, 192));
    EXPECT_EQ(scaled->width, 20);
    EXPECT_EQ(scaled->height, 8);
    EXPECT_EQ(StoredPixel(*scaled, 19, 7), 0xFF00FFFFu);
}

// 12 x 12: red corners of 4, green edges, a blue middle.
std::uint32_t GridPixel(int x, int y)
{
    const bool edgeX = x < 4 || x >= 8;
    const bool edgeY = y < 4 || y >= 8;
    if (edgeX && edgeY) return 0xFFFF0000u;
    if (edgeX || edgeY) return 0xFF00FF00u;
    return 0xFF0000FFu;
}

// Draws the record over the whole canvas, white first.
bool DrawOver(CCanvas& canvas, CManagerUI& manager, ImageDrawUI& record)
{
    canvas.Fill(0xFFFFFFFFu);
    const RECT item = {0, 0, canvas.width(), canvas.height()};
    return CRenderer::DrawImageString(canvas.dc(), &manager, item, item, record);
}

TEST(ImageScaling, ImageString_DestSourceAndCornersFollowTheWindowsDpi)
{
    WriteSkinFile(L"dpi_grid.png", Png(12, 12, GridPixel));
    CManagerUI manager;
    manager.SetDpi(192);
    ImageDrawUI record;
    record.drawString = L"file='dpi_grid.png' corner='4,4,4,4' dest='2,2,42,42'";
    CCanvas canvas(100, 100);
    ASSERT_TRUE(DrawOver(canvas, manager, record));
    EXPECT_EQ(record.image->width, 24);
    // Corners of 8 pixels, kept whole; the edges and the middle stretched between them.
    const struct {
        int x, y;
        std::uint32_t color;
    } pixels[] = {
        {3, 3, 0xFFFFFFFFu},   {4, 4, 0xFFFF0000u},  {11, 11, 0xFFFF0000u}, {12, 4, 0xFF00FF00u},
        {75, 11, 0xFF00FF00u}, {76, 11, 0xFFFF0000u}, {83, 83, 0xFFFF0000u}, {84, 84, 0xFFFFFFFFu},
        {44, 44, 0xFF0000FFu}, {11, 12, 0xFF00FF00u},
    };
    for (const auto& p : pixels) EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;

    // The same record on a display of 96 DPI: the skin's own numbers again.
    manager.SetDpi(96);
    ASSERT_TRUE(DrawOver(canvas, manager, record));
    EXPECT_EQ(record.image->width, 12);
    EXPECT_EQ(canvas.Pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(6, 5), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(6, 6), 0xFF0000FFu);
    EXPECT_EQ(canvas.Pixel(41, 41), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(42, 42), 0xFFFFFFFFu);
}

TEST(ImageScaling, ImageString_SpriteFrameTakenFromTheVariantAtItsScaledBox)
{
    // Two frames of 4 x 4; the variant has other colours, so what shows tells where it came from.
    WriteSkinFile(L"dpi_s.png", Png(4, 8, [](int, int y) { return y < 4 ? 0xFFFF0000u : 0xFF00FF00u; }));
    WriteSkinFile(L"dpi_s@2x.png", Png(8, 16, [](int, int y) { return y < 8 ? 0xFFFFFF00u : 0xFF00FFFFu; }));
    CManagerUI manager;
    manager.SetDpi(192);
    ImageDrawUI sprite;
    sprite.drawString = L"file='dpi_s.png' source='0,4,4,8'";
    CCanvas canvas(8, 8);
    ASSERT_TRUE(DrawOver(canvas, manager, sprite));
    for (int y = 0; y < 8; ++y) EXPECT_EQ(canvas.Pixel(7, y), 0xFF00FFFFu) << y;
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFF00FFFFu);
}

} // namespace

// The nine-grid blit and image attribute strings drawn through a manager: sprite frames,
// corners kept exact, tiling cropped not squeezed, the hole, the fade, masks and colours.
#include "RenderTestSupport.h"

#include "ui/render/BlendRoutines.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VarnUI;
using namespace RenderTest;

namespace {

// 12 x 12: a checkered top-left corner, plain other corners and edges, a grey middle.
std::uint32_t GridPixel(int x, int y)
{
    const bool left = x < 4, right = x >= 8, top = y < 4, bottom = y >= 8;
    if (left && top) return (x + y) % 2 ? 0xFFFF0000u : 0xFF800000u;
    if (right && top) return 0xFF00FF00u;
    if (left && bottom) return 0xFF0000FFu;
    if (right && bottom) return 0xFFFFFF00u;
    if (top) return 0xFF00FFFFu;
    if (bottom) return 0xFFFF00FFu;
    if (left) return 0xFF404040u;
    if (right) return 0xFFC0C0C0u;
    return 0xFF808080u;
}

// Column c of the 30-pixel tile has red 8 * c, row r green 8 * r: every position is unique.
std::uint32_t TilePixel(int x, int y)
{
    return 0xFF000000u | static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 8) << 8 | 0x40;
}

const RECT kNoCorners = {0, 0, 0, 0};

// Opaque images are copied through a device context or straight from their pixels; the
// blended path, given opaque pixels, must give the same result.
enum class DrawPath { Device, Pixels, Blended };

class ImageDrawPaths : public testing::TestWithParam<DrawPath> {
protected:
    void Draw(HDC dc, const ImageInfoUI& image, const RECT& dest, const RECT& paint, const RECT& source,
              const RECT& corners, bool hole = false, bool xTiled = false, bool yTiled = false) const
    {
        if (GetParam() == DrawPath::Pixels) {
            CRenderer::DrawImage(dc, image, dest, paint, source, corners, 255, hole, xTiled, yTiled);
        } else {
            CRenderer::DrawImage(dc, image.bitmap.get(), dest, paint, source, corners, GetParam() == DrawPath::Blended,
                                 255, hole, xTiled, yTiled);
        }
    }
};

} // namespace

TEST_P(ImageDrawPaths, NineGridKeepsCornersExactAndStretchesTheMiddle)
{
    const ImagePtr image = MakeImage(12, 12, GridPixel);
    ASSERT_NE(image, nullptr);
    CCanvas canvas(60, 50, 0xFF000000);
    const RECT dest = {5, 5, 45, 35};
    Draw(canvas.dc(), *image, dest, dest, RECT{0, 0, 12, 12}, RECT{4, 4, 4, 4});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(canvas.Pixel(5 + x, 5 + y), GridPixel(x, y)) << x << "," << y;
            EXPECT_EQ(canvas.Pixel(41 + x, 5 + y), GridPixel(8 + x, y));
            EXPECT_EQ(canvas.Pixel(5 + x, 31 + y), GridPixel(x, 8 + y));
            EXPECT_EQ(canvas.Pixel(41 + x, 31 + y), GridPixel(8 + x, 8 + y));
        }
    }
    EXPECT_EQ(canvas.Pixel(25, 6), 0xFF00FFFFu);   // top edge
    EXPECT_EQ(canvas.Pixel(25, 33), 0xFFFF00FFu);  // bottom edge
    EXPECT_EQ(canvas.Pixel(6, 20), 0xFF404040u);   // left edge
    EXPECT_EQ(canvas.Pixel(43, 20), 0xFFC0C0C0u);  // right edge
    EXPECT_EQ(canvas.Pixel(25, 20), 0xFF808080u);  // middle
    EXPECT_EQ(canvas.Pixel(4, 4), 0xFF000000u);
    EXPECT_EQ(canvas.Pixel(45, 35), 0xFF000000u);
}

TEST_P(ImageDrawPaths, HoleDrawsOnlyTheFrame)
{
    const ImagePtr image = MakeImage(12, 12, GridPixel);
    ASSERT_NE(image, nullptr);
    CCanvas canvas(40, 30, 0xFF000000);
    const RECT dest = {0, 0, 40, 30};
    Draw(canvas.dc(), *image, dest, dest, RECT{0, 0, 12, 12}, RECT{4, 4, 4, 4}, true);
    EXPECT_EQ(canvas.Pixel(20, 15), 0xFF000000u);
    EXPECT_EQ(canvas.Pixel(4, 4), 0xFF000000u);
    EXPECT_EQ(canvas.Pixel(20, 1), 0xFF00FFFFu);
    EXPECT_EQ(canvas.Pixel(20, 28), 0xFFFF00FFu);
    EXPECT_EQ(canvas.Pixel(1, 15), 0xFF404040u);
    EXPECT_EQ(canvas.Pixel(38, 15), 0xFFC0C0C0u);
    EXPECT_EQ(canvas.Pixel(39, 29), 0xFFFFFF00u);
}

TEST_P(ImageDrawPaths, TilesAreCroppedNotSqueezed)
{
    const ImagePtr image = MakeImage(30, 20, TilePixel);
    ASSERT_NE(image, nullptr);
    const struct {
        bool xTiled;
        bool yTiled;
    } cases[] = {{true, false}, {false, true}, {true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.xTiled << " y " << c.yTiled);
        // 100 x 50: four columns (the last one 10 pixels wide) and three rows (the last 10 high).
        const int width = c.xTiled ? 100 : 30;
        const int height = c.yTiled ? 50 : 20;
        CCanvas canvas(width, height, 0xFF000000);
        const RECT dest = {0, 0, width, height};
        Draw(canvas.dc(), *image, dest, dest, RECT{0, 0, 30, 20}, kNoCorners, false, c.xTiled, c.yTiled);
        for (int y = 0; y < height; y += 3) {
            for (int x = 0; x < width; x += 3) {
                ASSERT_EQ(canvas.Pixel(x, y), TilePixel(x % 30, y % 20)) << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.Pixel(width - 1, height - 1), TilePixel((width - 1) % 30, (height - 1) % 20));
    }
}

TEST_P(ImageDrawPaths, TilingAMiddleOfNoSizeDrawsTheCornersOnly)
{
    // The corners take the whole source: the tile is 0 pixels wide.
    const ImagePtr image = MakeImage(8, 8, [](int, int) { return 0xFF00FF00u; });
    ASSERT_NE(image, nullptr);
    CCanvas canvas(40, 40, 0xFF000000);
    const RECT dest = {0, 0, 40, 40};
    Draw(canvas.dc(), *image, dest, dest, RECT{0, 0, 8, 8}, RECT{4, 4, 4, 4}, false, true, true);
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(20, 20), 0xFF000000u);
}

TEST_P(ImageDrawPaths, OnlyThePaintRectangleChanges)
{
    const ImagePtr image = MakeImage(20, 20, TilePixel);
    ASSERT_NE(image, nullptr);
    CCanvas canvas(20, 20, 0xFF000000);
    const RECT dest = {0, 0, 20, 20};
    const RECT paint = {5, 5, 10, 10};
    Draw(canvas.dc(), *image, dest, paint, RECT{0, 0, 20, 20}, kNoCorners);
    EXPECT_EQ(canvas.Pixel(5, 5), TilePixel(5, 5));
    EXPECT_EQ(canvas.Pixel(9, 9), TilePixel(9, 9));
    if (GetParam() != DrawPath::Blended) {
        EXPECT_EQ(canvas.Pixel(4, 4), 0xFF000000u);  // the unscaled copy is cut to the paint rectangle
        EXPECT_EQ(canvas.Pixel(10, 10), 0xFF000000u);
    }
}

INSTANTIATE_TEST_SUITE_P(AllPaths, ImageDrawPaths,
                         testing::Values(DrawPath::Device, DrawPath::Pixels, DrawPath::Blended));

TEST(ImageDraw, FadeTakesTheBlendedPath)
{
    const ImagePtr image = MakeImage(4, 4, [](int, int) { return 0xFFFFFFFFu; });
    ASSERT_NE(image, nullptr);
    ASSERT_FALSE(image->hasAlpha);
    CCanvas canvas(4, 4, 0xFF000000);
    const RECT dest = {0, 0, 4, 4};
    CRenderer::DrawImage(canvas.dc(), image->bitmap.get(), dest, dest, dest, kNoCorners, false, 128);
    EXPECT_LE(ChannelDifference(canvas.Pixel(2, 2) & 0xFFFFFF, 0x808080u), 1) << Hex(canvas.Pixel(2, 2));
}

class ImageStringTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Three frames of 10 x 10: red, green, blue from the top.
        WriteSkinFile(L"sprite.png", Encode(ImageFormat::Png, 10, 30, MakePixels(10, 30, [](int, int y) {
                                                return y < 10 ? 0xFFFF0000u : y < 20 ? 0xFF00FF00u : 0xFF0000FFu;
                                            })));
        WriteSkinFile(L"magenta.png", Encode(ImageFormat::Png, 2, 1, MakePixels(2, 1, [](int x, int) {
                                                 return x == 0 ? 0xFFFF00FFu : 0xFF00FF00u;
                                             })));
    }

    bool Draw(const wchar_t* text, CCanvas& canvas, RECT item)
    {
        ImageDrawUI record;
        record.drawString = text;
        return CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, record);
    }

    CManagerUI m_manager;
};

TEST_F(ImageStringTest, SourceSelectsTheSpriteFrame)
{
    const struct {
        const wchar_t* text;
        std::uint32_t color;
    } cases[] = {
        {L"file='sprite.png' source='0,0,10,10'", 0xFFFF0000u},
        {L"file='sprite.png' source='0,10,10,20'", 0xFF00FF00u},
        {L"file='sprite.png' source='0,20,10,30'", 0xFF0000FFu},
        {L"color='#FF0000FF'", 0xFF0000FFu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        CCanvas canvas(24, 24, 0xFF000000);
        EXPECT_TRUE(Draw(c.text, canvas, RECT{2, 2, 22, 22}));
        EXPECT_EQ(canvas.Pixel(2, 2), c.color);
        EXPECT_EQ(canvas.Pixel(21, 21), c.color);
        EXPECT_EQ(canvas.Pixel(1, 1), 0xFF000000u);
        EXPECT_EQ(canvas.Pixel(22, 22), 0xFF000000u);
    }
}

TEST_F(ImageStringTest, DestIsRelativeToTheItemAndClippedToIt)
{
    CCanvas canvas(40, 40, 0xFF000000);
    EXPECT_TRUE(Draw(L"file='sprite.png' source='0,0,10,10' dest='5,5,50,15'", canvas, RECT{10, 10, 30, 30}));
    EXPECT_EQ(canvas.Pixel(14, 14), 0xFF000000u);
    EXPECT_EQ(canvas.Pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(29, 24), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(30, 20), 0xFF000000u);
    EXPECT_EQ(canvas.Pixel(20, 25), 0xFF000000u);
}

TEST_F(ImageStringTest, SourceLargerThanTheImageIsCut)
{
    ImageDrawUI record;
    record.drawString = L"file='sprite.png' source='0,20,100,100'";
    CCanvas canvas(10, 10, 0xFF000000);
    const RECT item = {0, 0, 10, 10};
    EXPECT_TRUE(CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, record));
    EXPECT_EQ(record.source.ToString(), CUIRect(0, 20, 10, 30).ToString());
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFF0000FFu);
}

TEST_F(ImageStringTest, MaskNeedsTheAlphaByteAndTheFirstLoadWins)
{
    CCanvas masked(2, 1, 0xFF000000);
    EXPECT_TRUE(Draw(L"file='magenta.png' mask='#FFFF00FF'", masked, RECT{0, 0, 2, 1}));
    EXPECT_EQ(masked.Pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(masked.Pixel(1, 0), 0xFF00FF00u);
    // The cache is keyed by name: a second string with another mask gets the same image.
    CCanvas again(2, 1, 0xFF000000);
    EXPECT_TRUE(Draw(L"file='magenta.png' mask='#FF00FF'", again, RECT{0, 0, 2, 1}));
    EXPECT_EQ(again.Pixel(0, 0) & 0xFFFFFF, 0u);

    CManagerUI other;
    ImageDrawUI record;
    record.drawString = L"file='magenta.png' mask='#FF00FF'";
    CCanvas unmasked(2, 1, 0xFF000000);
    const RECT item = {0, 0, 2, 1};
    EXPECT_TRUE(CRenderer::DrawImageString(unmasked.dc(), &other, item, item, record));
    EXPECT_EQ(unmasked.Pixel(0, 0), 0xFFFF00FFu);
}

TEST_F(ImageStringTest, AFailedLoadIsNotRetriedUntilCleared)
{
    ImageDrawUI record;
    record.drawString = L"file='late.png'";
    CCanvas canvas(4, 4, 0xFF000000);
    const RECT item = {0, 0, 4, 4};
    EXPECT_FALSE(CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, record));
    WriteSkinFile(L"late.png", Encode(ImageFormat::Png, 1, 1, {0xFF00FF00u}));
    EXPECT_FALSE(CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, record));
    record.Clear();
    record.drawString = L"file='late.png'";
    EXPECT_TRUE(CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, record));
    EXPECT_EQ(canvas.Pixel(3, 3), 0xFF00FF00u);

    ImageDrawUI empty;
    EXPECT_FALSE(CRenderer::DrawImageString(canvas.dc(), &m_manager, item, item, empty));
}

TEST_F(ImageStringTest, WithoutDCItOnlyLoadsAndWithoutManagerItDoesNothing)
{
    ImageDrawUI record;
    record.drawString = L"file='sprite.png' source='0,10,10,20'";
    const RECT item = {0, 0, 4, 4};
    EXPECT_TRUE(CRenderer::DrawImageString(nullptr, &m_manager, item, item, record));
    ASSERT_NE(record.image, nullptr);
    EXPECT_EQ(record.image, m_manager.GetImage(L"sprite.png"));
    EXPECT_STREQ(record.imageName.GetData(), L"sprite.png");

    ImageDrawUI untouched;
    untouched.drawString = L"sprite.png";
    EXPECT_TRUE(CRenderer::DrawImageString(nullptr, nullptr, item, item, untouched));
    EXPECT_FALSE(untouched.loaded);
}

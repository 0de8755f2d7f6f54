// Decoding, premultiplication, the mask rule, the colour pseudo-type, refusal of broken or
// oversized bytes, loading by name, and colour adjustment.
#include "RenderTestSupport.h"

#include "ui/render/DecodeTarget.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace VarnUI;
using namespace RenderTest;

namespace {

ImagePtr Load(const std::vector<unsigned char>& bytes, DWORD mask = 0)
{
    return ImagePtr(CRenderer::LoadImageFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), mask));
}

// Stored pixel as 0xAARRGGBB.
std::uint32_t Stored(const ImageInfoUI& image, int x, int y)
{
    std::uint32_t value;
    std::memcpy(&value, image.bits + (static_cast<std::size_t>(y) * image.width + x) * 4, 4);
    return value;
}

// Left half one colour, right half another: 8 x 8 blocks stay flat even through JPEG.
std::vector<std::uint32_t> TwoBlocks()
{
    return MakePixels(16, 8, [](int x, int) { return x < 8 ? 0xFFC02010u : 0xFF1040C0u; });
}

} // namespace

TEST(ImageLoader, DecodesEveryFormatTheDecoderKnows)
{
    const struct {
        ImageFormat format;
        const char* name;
        int tolerance;
    } cases[] = {
        {ImageFormat::Png, "PNG", 0}, {ImageFormat::Bmp, "BMP", 0}, {ImageFormat::Tga, "TGA", 0},
        {ImageFormat::Jpeg, "JPEG", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImagePtr image = Load(Encode(c.format, 16, 8, TwoBlocks()));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 8);
        EXPECT_FALSE(image->hasAlpha);
        EXPECT_NE(image->bitmap.get(), nullptr);
        EXPECT_LE(ChannelDifference(Stored(*image, 3, 4), 0xFFC02010u), c.tolerance) << Hex(Stored(*image, 3, 4));
        EXPECT_LE(ChannelDifference(Stored(*image, 12, 4), 0xFF1040C0u), c.tolerance) << Hex(Stored(*image, 12, 4));
    }
}

TEST(ImageLoader, PremultipliesTranslucentPixelsOnly)
{
    const auto pixels = MakePixels(2, 1, [](int x, int) { return x == 0 ? 0x80C86432u : 0xFF0A141Eu; });
    const ImagePtr image = Load(Encode(ImageFormat::Png, 2, 1, pixels));
    ASSERT_NE(image, nullptr);
    // 200, 100, 50 at alpha 128 become 100, 50, 25 (integer division by 255).
    EXPECT_EQ(Stored(*image, 0, 0), 0x80643219u);
    EXPECT_EQ(Stored(*image, 1, 0), 0xFF0A141Eu);
    EXPECT_TRUE(image->hasAlpha);
}

TEST(ImageLoader, MaskMatchesTheStoredValueWithItsAlphaByte)
{
    const auto pixels = MakePixels(2, 1, [](int x, int) { return x == 0 ? 0xFFFF00FFu : 0xFF00FF00u; });
    const auto bytes = Encode(ImageFormat::Png, 2, 1, pixels);
    const struct {
        DWORD mask;
        std::uint32_t first;
        bool hasAlpha;
    } cases[] = {
        {0, 0xFFFF00FFu, false},
        {0xFFFF00FFu, 0, true},
        {0x00FF00FFu, 0xFFFF00FFu, false},  // written without alpha, it matches no opaque pixel
        {0xFF123456u, 0xFFFF00FFu, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.mask));
        const ImagePtr image = Load(bytes, c.mask);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(Stored(*image, 0, 0), c.first);
        EXPECT_EQ(Stored(*image, 1, 0), 0xFF00FF00u);
        EXPECT_EQ(image->hasAlpha, c.hasAlpha);
    }
}

TEST(ImageLoader, ColorTypeMakesOnePremultipliedPixel)
{
    const struct {
        const wchar_t* name;
        std::uint32_t stored;
        bool hasAlpha;
    } cases[] = {
        {L"#FF00FF00", 0xFF00FF00u, false},
        {L"FF00FF00", 0xFF00FF00u, false},
        {L"#800000FF", 0x80000080u, true},
        {L"#00FFFFFF", 0x00000000u, true},
    };
    for (const auto& c : cases) {
        const ImagePtr image(CRenderer::LoadImage(c.name, kColorImageType));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 1);
        EXPECT_EQ(image->height, 1);
        EXPECT_EQ(Stored(*image, 0, 0), c.stored);
        EXPECT_EQ(image->hasAlpha, c.hasAlpha);
    }
}

TEST(ImageLoader, RefusesBrokenAndOversizedBytes)
{
    const auto png = Encode(ImageFormat::Png, 4, 4, MakePixels(4, 4, [](int, int) { return 0xFF808080u; }));
    ASSERT_GT(png.size(), 33u);
    std::vector<unsigned char> truncated(png.begin(), png.begin() + 40);
    std::vector<unsigned char> garbage(64, 0x5A);
    // The header claims 40000 x 40000: 6.4 GB of pixels, more than a 32-bit size holds.
    std::vector<unsigned char> huge = png;
    const unsigned char dimension[4] = {0x00, 0x00, 0x9C, 0x40};
    std::memcpy(&huge[16], dimension, 4);
    std::memcpy(&huge[20], dimension, 4);
    // A BMP header claiming 40000 x -40000 (top-down).
    auto bmp = Encode(ImageFormat::Bmp, 4, 4, MakePixels(4, 4, [](int, int) { return 0xFF808080u; }));
    const int width = 40000;
    const int height = -40000;
    std::memcpy(&bmp[18], &width, 4);
    std::memcpy(&bmp[22], &height, 4);

    EXPECT_EQ(Load(truncated), nullptr);
    EXPECT_EQ(Load(garbage), nullptr);
    EXPECT_EQ(Load(huge), nullptr);
    EXPECT_EQ(Load(bmp), nullptr);
    EXPECT_EQ(CRenderer::LoadImageFromMemory(png.data(), 0), nullptr);
    EXPECT_EQ(CRenderer::LoadImageFromMemory(nullptr, 10), nullptr);
    EXPECT_EQ(CRenderer::LoadImage(nullptr), nullptr);
}

TEST(ImageLoader, LoadsSkinFilesAndPlainPaths)
{
    WriteSkinFile(L"loader.png", Encode(ImageFormat::Png, 3, 2, MakePixels(3, 2, [](int, int) { return 0xFF102030u; })));
    const ImagePtr byName(CRenderer::LoadImage(L"loader.png"));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->width, 3);
    const ImagePtr byPath(CRenderer::LoadImage((SkinFolder() + L"loader.png").c_str()));
    ASSERT_NE(byPath, nullptr);
    EXPECT_EQ(Stored(*byPath, 2, 1), 0xFF102030u);
    EXPECT_EQ(CRenderer::LoadImage(L"missing.png"), nullptr);
    WriteSkinFile(L"empty.png", {});
    EXPECT_EQ(CRenderer::LoadImage(L"empty.png"), nullptr);
}

TEST(ImageLoader, HslAdjustsFromTheSourceAndRestoresIt)
{
    const auto pixels = MakePixels(2, 1, [](int x, int) { return x == 0 ? 0xFFFF0000u : 0x807F0000u; });
    ImagePtr image = Load(Encode(ImageFormat::Png, 2, 1, pixels));
    ASSERT_NE(image, nullptr);
    const std::uint32_t translucent = Stored(*image, 1, 0);

    // Without a kept source nothing changes.
    CRenderer::AdjustImageHSL(true, image.get(), 300, 100, 100);
    EXPECT_EQ(Stored(*image, 0, 0), 0xFFFF0000u);

    image->keepSource = true;
    ASSERT_TRUE(CRenderer::KeepImageSource(image.get()));
    CRenderer::AdjustImageHSL(true, image.get(), 300, 100, 100);
    EXPECT_EQ(Stored(*image, 0, 0), 0xFF00FF00u);  // red turned by 120 degrees

    // Lighter translucent pixels stay premultiplied: no channel above the alpha.
    CRenderer::AdjustImageHSL(true, image.get(), 180, 100, 200);
    const std::uint32_t lighter = Stored(*image, 1, 0);
    EXPECT_EQ(lighter >> 24, 0x80u);
    EXPECT_LE((lighter >> 16) & 0xFF, 0x80u);
    EXPECT_GT((lighter >> 16) & 0xFF, (translucent >> 16) & 0xFF);

    for (bool enabled : {true, false}) {
        CRenderer::AdjustImageHSL(true, image.get(), 10, 50, 150);
        CRenderer::AdjustImageHSL(enabled, image.get(), 180, 100, 100);
        EXPECT_EQ(Stored(*image, 0, 0), 0xFFFF0000u);
        EXPECT_EQ(Stored(*image, 1, 0), translucent);
    }
}

TEST(ImageLoader, ColorAdjustmentKeepsAlpha)
{
    EXPECT_EQ(CRenderer::AdjustColorHSL(0xFFFF0000u, 300, 100, 100), 0xFF00FF00u);
    EXPECT_EQ(CRenderer::AdjustColorHSL(0x80FF0000u, 60, 100, 100), 0x800000FFu);
    EXPECT_EQ(CRenderer::AdjustColorHSL(0xFF808080u, 250, 100, 100), 0xFF808080u);
    EXPECT_EQ(CRenderer::AdjustColorHSL(0xFFFF0000u, 180, 0, 100), 0xFF808080u);
}

// The decoder writes into the DIB section only when asked for exactly its size, never hands
// it back to the heap, and a copy leaves with whatever grows past it.
TEST(DecodeTarget, LendsItsMemoryOnceAndNeverFreesIt)
{
    unsigned char memory[64] = {};
    void* copy = nullptr;
    {
        CDecodeTarget target(memory, sizeof memory);
        void* small = CDecodeTarget::Allocate(32);
        EXPECT_NE(small, static_cast<void*>(memory));
        CDecodeTarget::Release(small);
        ASSERT_EQ(CDecodeTarget::Allocate(sizeof memory), static_cast<void*>(memory));
        EXPECT_NE(CDecodeTarget::Allocate(sizeof memory), static_cast<void*>(memory)) << "lent twice";
        {
            CDecodeTarget inner(nullptr, 8);
            void* other = CDecodeTarget::Allocate(8);
            EXPECT_NE(other, nullptr);
            CDecodeTarget::Release(other);
        }
        memory[63] = 7;
        copy = CDecodeTarget::Reallocate(memory, 128);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, static_cast<void*>(memory));
        EXPECT_EQ(static_cast<unsigned char*>(copy)[63], 7);
        CDecodeTarget::Release(memory); // a heap free of stack memory would fault
    }
    CDecodeTarget::Release(copy);
}

// Pixels decoded in the image's own bits (red, green, blue turned in place, from three
// channels and from four) arrive in blue, green, red order.
TEST(ImageLoader, PixelsDecodedInPlaceMatchCopiedOnes)
{
    const auto pixels = MakePixels(40, 30, [](int x, int y) { return 0xFF000000u | (x * 6) << 16 | (y * 8) << 8 | 0x21; });
    for (int channels : {3, 4}) {
        SCOPED_TRACE(channels);
        const ImagePtr image = Load(Encode(ImageFormat::Png, 40, 30, pixels, channels));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(Stored(*image, 0, 0), 0xFF000021u);
        EXPECT_EQ(Stored(*image, 39, 29), 0xFFEAE821u);
        EXPECT_FALSE(image->hasAlpha);
    }
}

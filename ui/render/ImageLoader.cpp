// CRenderer: loading, freeing and colour adjustment of images.
#include "ui/render/Renderer.h"

#include "ui/base/AttributeValues.h"
#include "ui/render/ColorHsl.h"
#include "ui/render/DecodeTarget.h"
#include "ui/render/ImageScaling.h"
#include "ui/render/PixelBuffer.h"
#include "ui/skin/SkinFileReader.h"

#include <stb_image.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

namespace VarnUI {
namespace {

struct DecodedFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};
using DecodedPixels = std::unique_ptr<unsigned char, DecodedFree>;

// Images whose pixel bytes would not fit a signed 32-bit size are refused before anything
// is allocated for them.
bool DimensionsFit(int width, int height)
{
    if (width <= 0 || height <= 0) return false;
    const unsigned long long bytes = static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4;
    return bytes <= static_cast<unsigned long long>(INT_MAX);
}

bool IsColorType(const wchar_t* type)
{
    return type != nullptr && !IS_INTRESOURCE(type) && std::wcscmp(type, kColorImageType) == 0;
}

// A new image record holding a top-down DIB section of the size; its bits are not yet set.
std::unique_ptr<ImageInfoUI> NewImage(int width, int height)
{
    std::unique_ptr<ImageInfoUI> image(new (std::nothrow) ImageInfoUI);
    if (!image) return nullptr;
    std::uint8_t* bits = nullptr;
    image->bitmap.reset(CPixelBuffer::CreateDib(nullptr, width, height, false, &bits));
    if (!image->bitmap) return nullptr;
    image->bits = bits;
    image->width = width;
    image->height = height;
    return image;
}

// Turns red, green, blue, alpha bytes into the image's bits: colour premultiplied by alpha,
// and pixels whose stored value equals mask made fully transparent. rgba may be the bits
// themselves.
void FillImage(ImageInfoUI& image, const unsigned char* rgba, DWORD mask)
{
    bool hasAlpha = false;
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* in = rgba + i * 4;
        const unsigned red = in[0];
        const unsigned green = in[1];
        const unsigned blue = in[2];
        const unsigned alpha = in[3];
        std::uint8_t* out = image.bits + i * 4;
        out[3] = static_cast<std::uint8_t>(alpha);
        if (alpha == 255) {
            out[0] = static_cast<std::uint8_t>(blue);
            out[1] = static_cast<std::uint8_t>(green);
            out[2] = static_cast<std::uint8_t>(red);
        } else {
            out[0] = static_cast<std::uint8_t>(blue * alpha / 255);
            out[1] = static_cast<std::uint8_t>(green * alpha / 255);
            out[2] = static_cast<std::uint8_t>(red * alpha / 255);
            hasAlpha = true;
        }
        const DWORD stored = static_cast<DWORD>(out[3]) << 24 | static_cast<DWORD>(out[2]) << 16 |
                             static_cast<DWORD>(out[1]) << 8 | out[0];
        if (mask != 0 && stored == mask) {
            std::memset(out, 0, 4);
            hasAlpha = true;
        }
    }
    image.hasAlpha = hasAlpha;
}

ImageInfoUI* CreateImage(const unsigned char* rgba, int width, int height, DWORD mask)
{
    std::unique_ptr<ImageInfoUI> image = NewImage(width, height);
    if (!image) return nullptr;
    FillImage(*image, rgba, mask);
    return image.release();
}

// An image decoded at madeFor DPI, made for dpi: kept as it is, or resampled to the size of
// its 96 DPI original at dpi (so a box scaled from the skin meets the same pixels).
ImageInfoUI* ForDpi(ImageInfoUI* image, int madeFor, int dpi)
{
    if (image == nullptr || madeFor == dpi) {
        if (image != nullptr) image->dpi = dpi;
        return image;
    }
    std::unique_ptr<ImageInfoUI> decoded(image);
    ImageInfoUI* scaled = ResampleImage(*decoded, std::max(1, RescaleDpi(decoded->width, madeFor, dpi)),
                                        std::max(1, RescaleDpi(decoded->height, madeFor, dpi)));
    CRenderer::FreeImage(decoded.release(), true);
    if (scaled != nullptr) scaled->dpi = dpi;
    return scaled;
}

// The skin file's variants, tried nearest scale at or above dpi first, then the largest one
// below it; none below 96.
ImageInfoUI* LoadVariant(const wchar_t* name, DWORD mask, int dpi)
{
    static const struct {
        const wchar_t* suffix;
        int dpi;
    } kVariants[] = {{L"@1.5x", 144}, {L"@2x", 192}};
    constexpr int kCount = sizeof(kVariants) / sizeof(kVariants[0]);
    if (dpi < kBaseDpi) return nullptr;
    int order[kCount];
    int n = 0;
    for (int i = 0; i < kCount; ++i) {
        if (kVariants[i].dpi >= dpi) order[n++] = i;
    }
    for (int i = kCount - 1; i >= 0; --i) {
        if (kVariants[i].dpi < dpi) order[n++] = i;
    }
    for (int i = 0; i < n; ++i) {
        const CUIString variant = VariantName(name, kVariants[order[i]].suffix);
        CSkinFileBytes bytes;
        if (!ReadSkinImageFile(variant.GetData(), nullptr, bytes)) continue;
        ImageInfoUI* image = CRenderer::LoadImageFromMemory(bytes.GetData(), bytes.GetSize(), mask);
        if (image != nullptr) return ForDpi(image, kVariants[order[i]].dpi, dpi);
    }
    return nullptr;
}

} // namespace

ImageInfoUI* CRenderer::LoadImage(const wchar_t* name, const wchar_t* type, DWORD mask, int dpi)
{
    if (name == nullptr) return nullptr;
    if (IsColorType(type)) {
        if (IS_INTRESOURCE(name)) return nullptr;
        const DWORD color = AttributeColor(name);
        const unsigned char rgba[4] = {static_cast<unsigned char>(color >> 16), static_cast<unsigned char>(color >> 8),
                                       static_cast<unsigned char>(color), static_cast<unsigned char>(color >> 24)};
        // One pixel, stretched wherever it goes: the same at every scale.
        ImageInfoUI* image = CreateImage(rgba, 1, 1, mask);
        if (image != nullptr) image->dpi = dpi;
        return image;
    }
    if (dpi != kBaseDpi && type == nullptr && !IS_INTRESOURCE(name)) {
        if (ImageInfoUI* variant = LoadVariant(name, mask, dpi)) return variant;
    }
    CSkinFileBytes bytes;
    if (!ReadSkinImageFile(name, type, bytes)) return nullptr;
    return ForDpi(LoadImageFromMemory(bytes.GetData(), bytes.GetSize(), mask), kBaseDpi, dpi);
}

ImageInfoUI* CRenderer::LoadImageFromMemory(const BYTE* bytes, DWORD size, DWORD mask)
{
    if (bytes == nullptr || size == 0 || size > static_cast<DWORD>(INT_MAX)) return nullptr;
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header alone tells the size; an image too large to hold is refused before decoding.
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels) || !DimensionsFit(width, height)) {
        return nullptr;
    }
    std::unique_ptr<ImageInfoUI> image = NewImage(width, height);
    if (!image) return nullptr;
    const int expectedWidth = width;
    const int expectedHeight = height;
    unsigned char* decoded = nullptr;
    {
        // The decoder's output lands in the DIB section when it is of the size announced.
        CDecodeTarget target(image->bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
        decoded = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    }
    // Pixels in the DIB section belong to the image; any others go back to the decoder.
    const DecodedPixels owned(decoded == image->bits ? nullptr : decoded);
    if (decoded == nullptr || !DimensionsFit(width, height)) return nullptr;
    if (width != expectedWidth || height != expectedHeight) return CreateImage(decoded, width, height, mask);
    FillImage(*image, decoded, mask);
    return image.release();
}

void CRenderer::FreeImage(ImageInfoUI* image, bool deleteRecord)
{
    if (image == nullptr) return;
    image->bitmap.reset();
    image->bits = nullptr;
    image->sourceBits.reset();
    if (deleteRecord) delete image;
}

bool CRenderer::KeepImageSource(ImageInfoUI* image)
{
    if (image == nullptr || image->bits == nullptr || !DimensionsFit(image->width, image->height)) return false;
    const std::size_t bytes = static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 4;
    image->sourceBits.reset(new (std::nothrow) BYTE[bytes]);
    if (!image->sourceBits) return false;
    ::GdiFlush();
    std::memcpy(image->sourceBits.get(), image->bits, bytes);
    return true;
}

void CRenderer::AdjustImageHSL(bool enabled, ImageInfoUI* image, short hue, short saturation, short lightness)
{
    if (image == nullptr || !image->keepSource || !image->sourceBits || !image->bitmap || image->bits == nullptr) {
        return;
    }
    const std::size_t count = static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
    const BYTE* source = image->sourceBits.get();
    std::uint8_t* bits = image->bits;
    ::GdiFlush();
    if (!enabled || (hue == 180 && saturation == 100 && lightness == 100)) {
        std::memcpy(bits, source, count * 4);
        return;
    }
    for (std::size_t i = 0; i < count; ++i, source += 4, bits += 4) {
        const unsigned alpha = source[3];
        std::memcpy(bits, source, 4);
        if (alpha == 0) continue;
        // The stored pixels are premultiplied: adjust the plain colour, then premultiply again,
        // so a lighter colour can never exceed its own alpha.
        std::uint8_t plain[3];
        for (int c = 0; c < 3; ++c) {
            plain[c] = static_cast<std::uint8_t>(alpha == 255 ? source[c] : std::min(255u, (source[c] * 255u + alpha / 2) / alpha));
        }
        AdjustRgb(plain[2], plain[1], plain[0], hue, saturation, lightness);
        for (int c = 0; c < 3; ++c) {
            bits[c] = static_cast<std::uint8_t>(alpha == 255 ? plain[c] : plain[c] * alpha / 255);
        }
    }
}

DWORD CRenderer::AdjustColorHSL(DWORD color, short hue, short saturation, short lightness)
{
    std::uint8_t red = static_cast<std::uint8_t>(color >> 16);
    std::uint8_t green = static_cast<std::uint8_t>(color >> 8);
    std::uint8_t blue = static_cast<std::uint8_t>(color);
    AdjustRgb(red, green, blue, hue, saturation, lightness);
    return (color & 0xFF000000u) | static_cast<DWORD>(red) << 16 | static_cast<DWORD>(green) << 8 | blue;
}

} // namespace VarnUI

#include "ui/render/ImageScaling.h"

#include "ui/render/PixelBuffer.h"

#include <cstdint>
#include <memory>
#include <new>

namespace VarnUI {
namespace {

// How the target pixels along an axis cover the source: for target pixel t, its first source
// pixel and the weight of each source pixel from there (at most `stride` of them). With the
// axis measured in units of 1 / (source length x target length), target pixel t spans
// [t * source, (t + 1) * source) and source pixel s spans [s * target, (s + 1) * target);
// the weights of one target pixel add up to the source length.
class CAxisCover {
public:
    bool Build(int sourceLength, int targetLength)
    {
        m_stride = sourceLength / targetLength + 2;
        const std::size_t count = static_cast<std::size_t>(targetLength);
        m_first.reset(new (std::nothrow) int[count]);
        m_weights.reset(new (std::nothrow) std::uint32_t[count * m_stride]());
        if (!m_first || !m_weights) return false;
        const long long source = sourceLength;
        const long long target = targetLength;
        for (long long t = 0; t < target; ++t) {
            const long long begin = t * source;
            const long long end = begin + source;
            const long long first = begin / target;
            m_first[t] = static_cast<int>(first);
            std::uint32_t* weights = m_weights.get() + static_cast<std::size_t>(t) * m_stride;
            for (long long s = first; s < source && s * target < end; ++s) {
                const long long from = s * target > begin ? s * target : begin;
                const long long to = (s + 1) * target < end ? (s + 1) * target : end;
                weights[s - first] = static_cast<std::uint32_t>(to - from);
            }
        }
        return true;
    }

    int First(int t) const { return m_first[t]; }
    // Zero-padded to Stride() weights.
    const std::uint32_t* Weights(int t) const { return m_weights.get() + static_cast<std::size_t>(t) * m_stride; }
    int Stride() const { return m_stride; }

private:
    std::unique_ptr<int[]> m_first;
    std::unique_ptr<std::uint32_t[]> m_weights;
    int m_stride = 0;
};

} // namespace

ImageInfoUI* ResampleImage(const ImageInfoUI& source, int width, int height)
{
    if (source.bits == nullptr || source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return nullptr;
    CAxisCover columns;
    CAxisCover rows;
    if (!columns.Build(source.width, width) || !rows.Build(source.height, height)) return nullptr;
    // Rows first: each source row's channels summed across for every target column (at most
    // 255 x source width, so 32 bits hold it); then down, in 64 bits, and divided once.
    const std::size_t acrossCount = static_cast<std::size_t>(source.height) * width * 4;
    std::unique_ptr<std::uint32_t[]> across(new (std::nothrow) std::uint32_t[acrossCount]());
    std::unique_ptr<ImageInfoUI> image(new (std::nothrow) ImageInfoUI);
    if (!across || !image) return nullptr;
    std::uint8_t* bits = nullptr;
    image->bitmap.reset(CPixelBuffer::CreateDib(nullptr, width, height, false, &bits));
    if (!image->bitmap) return nullptr;

    ::GdiFlush();
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* line = source.bits + static_cast<std::size_t>(y) * source.width * 4;
        std::uint32_t* out = across.get() + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, out += 4) {
            const std::uint8_t* pixel = line + static_cast<std::size_t>(columns.First(x)) * 4;
            const std::uint32_t* weights = columns.Weights(x);
            for (int i = 0; i < columns.Stride() && weights[i] != 0; ++i, pixel += 4) {
                for (int c = 0; c < 4; ++c) out[c] += pixel[c] * weights[i];
            }
        }
    }
    const unsigned long long area = static_cast<unsigned long long>(source.width) * source.height;
    bool hasAlpha = source.hasAlpha;
    std::uint8_t* target = bits;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* weights = rows.Weights(y);
        for (int x = 0; x < width; ++x, target += 4) {
            unsigned long long sums[4] = {};
            const std::uint32_t* in = across.get() + (static_cast<std::size_t>(rows.First(y)) * width + x) * 4;
            for (int i = 0; i < rows.Stride() && weights[i] != 0; ++i, in += static_cast<std::size_t>(width) * 4) {
                for (int c = 0; c < 4; ++c) sums[c] += static_cast<unsigned long long>(in[c]) * weights[i];
            }
            for (int c = 0; c < 4; ++c) target[c] = static_cast<std::uint8_t>((sums[c] + area / 2) / area);
            if (target[3] != 255) hasAlpha = true;
        }
    }
    image->bits = bits;
    image->width = width;
    image->height = height;
    image->hasAlpha = hasAlpha;
    return image.release();
}

CUIString VariantName(const wchar_t* name, const wchar_t* suffix)
{
    const CUIString whole(name);
    int dot = -1;
    for (int i = 0; i < whole.GetLength(); ++i) {
        const wchar_t ch = whole.GetAt(i);
        if (ch == L'.') dot = i;
        if (ch == L'/' || ch == L'\\') dot = -1;
    }
    if (dot < 0) return whole + suffix;
    return whole.Left(dot) + suffix + whole.Mid(dot);
}

} // namespace VarnUI

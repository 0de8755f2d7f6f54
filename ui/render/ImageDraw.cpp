// CRenderer::DrawImage: the nine-grid blit with stretched or tiled middle, a hole and a fade.
#include "ui/render/Renderer.h"

#include "ui/render/BlendRoutines.h"
#include "ui/render/GdiHandles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace VarnUI {
namespace {

// The pixels of a top-down 32-bit image, copied without a device context of their own.
// Every part drawn from it lies inside the image (checked before it is used).
struct DibSource {
    const void* bits;
    BITMAPINFO info;
};

// Copies or blends parts of one source bitmap onto the target, skipping every part that is
// empty, reversed or outside the paint rectangle (a negative extent would mirror the copy).
// The source is a device context holding the bitmap, or, for opaque copies, the pixels.
class CGridPainter {
public:
    CGridPainter(HDC dc, HDC source, const DibSource* dib, const RECT& paint, bool blend, BYTE fade)
        : m_dc(dc), m_source(source), m_dib(dib), m_paint(paint), m_blend(blend)
    {
        m_function.BlendOp = AC_SRC_OVER;
        m_function.BlendFlags = 0;
        m_function.SourceConstantAlpha = fade;
        m_function.AlphaFormat = AC_SRC_ALPHA;
    }

    void Part(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight) const
    {
        if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
        const RECT dest = {x, y, x + width, y + height};
        RECT visible;
        if (!::IntersectRect(&visible, &dest, &m_paint)) return;
        if (m_blend) {
            CBlendRoutines::Blend(m_dc, x, y, width, height, m_source, sourceX, sourceY, sourceWidth, sourceHeight,
                                  m_function);
        } else if (m_dib != nullptr) {
            // Only the part's own rows are described, starting at row 0: platforms disagree
            // on whether the source rows of a top-down image count from its top or bottom.
            BITMAPINFO rows = m_dib->info;
            rows.bmiHeader.biHeight = -sourceHeight;
            const auto* first = static_cast<const std::uint8_t*>(m_dib->bits) +
                                static_cast<std::size_t>(sourceY) * m_dib->info.bmiHeader.biWidth * 4;
            ::StretchDIBits(m_dc, x, y, width, height, sourceX, 0, sourceWidth, sourceHeight, first, &rows,
                            DIB_RGB_COLORS, SRCCOPY);
        } else if (width == sourceWidth && height == sourceHeight) {
            ::BitBlt(m_dc, x, y, width, height, m_source, sourceX, sourceY, SRCCOPY);
        } else {
            ::StretchBlt(m_dc, x, y, width, height, m_source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY);
        }
    }

    // The middle: stretched, or tiled along x and/or y with the last tile cropped. Only the
    // tiles that meet the paint rectangle are visited, so tiny tiles over a large area stay cheap.
    void Middle(const RECT& dest, const RECT& source, bool xTiled, bool yTiled) const
    {
        const int destWidth = dest.right - dest.left;
        const int destHeight = dest.bottom - dest.top;
        const int tileWidth = source.right - source.left;
        const int tileHeight = source.bottom - source.top;
        if (destWidth <= 0 || destHeight <= 0 || tileWidth <= 0 || tileHeight <= 0) return;
        RECT visible;
        if (!::IntersectRect(&visible, &dest, &m_paint)) return;

        const int stepX = xTiled ? tileWidth : destWidth;
        const int stepY = yTiled ? tileHeight : destHeight;
        const int firstColumn = (visible.left - dest.left) / stepX;
        const int lastColumn = (visible.right - 1 - dest.left) / stepX;
        const int firstRow = (visible.top - dest.top) / stepY;
        const int lastRow = (visible.bottom - 1 - dest.top) / stepY;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int y = dest.top + row * stepY;
            const int height = std::min<int>(stepY, dest.bottom - y);
            const int sourceHeight = yTiled ? height : tileHeight;
            for (int column = firstColumn; column <= lastColumn; ++column) {
                const int x = dest.left + column * stepX;
                const int width = std::min<int>(stepX, dest.right - x);
                const int sourceWidth = xTiled ? width : tileWidth;
                Part(x, y, width, height, source.left, source.top, sourceWidth, sourceHeight);
            }
        }
    }

private:
    HDC m_dc;
    HDC m_source;
    const DibSource* m_dib;
    RECT m_paint;
    bool m_blend;
    BLENDFUNCTION m_function = {};
};

RECT Deflated(const RECT& rc, const RECT& corners)
{
    return {rc.left + corners.left, rc.top + corners.top, rc.right - corners.right, rc.bottom - corners.bottom};
}

void DrawBorders(const CGridPainter& painter, const RECT& d, const RECT& s, const RECT& c)
{
    const int middleWidth = d.right - d.left - c.left - c.right;
    const int middleHeight = d.bottom - d.top - c.top - c.bottom;
    const int sourceMiddleWidth = s.right - s.left - c.left - c.right;
    const int sourceMiddleHeight = s.bottom - s.top - c.top - c.bottom;
    if (c.left > 0 && c.top > 0) {
        painter.Part(d.left, d.top, c.left, c.top, s.left, s.top, c.left, c.top);
    }
    if (c.top > 0) {
        painter.Part(d.left + c.left, d.top, middleWidth, c.top, s.left + c.left, s.top, sourceMiddleWidth, c.top);
    }
    if (c.right > 0 && c.top > 0) {
        painter.Part(d.right - c.right, d.top, c.right, c.top, s.right - c.right, s.top, c.right, c.top);
    }
    if (c.left > 0) {
        painter.Part(d.left, d.top + c.top, c.left, middleHeight, s.left, s.top + c.top, c.left, sourceMiddleHeight);
    }
    if (c.right > 0) {
        painter.Part(d.right - c.right, d.top + c.top, c.right, middleHeight, s.right - c.right, s.top + c.top,
                     c.right, sourceMiddleHeight);
    }
    if (c.left > 0 && c.bottom > 0) {
        painter.Part(d.left, d.bottom - c.bottom, c.left, c.bottom, s.left, s.bottom - c.bottom, c.left, c.bottom);
    }
    if (c.bottom > 0) {
        painter.Part(d.left + c.left, d.bottom - c.bottom, middleWidth, c.bottom, s.left + c.left,
                     s.bottom - c.bottom, sourceMiddleWidth, c.bottom);
    }
    if (c.right > 0 && c.bottom > 0) {
        painter.Part(d.right - c.right, d.bottom - c.bottom, c.right, c.bottom, s.right - c.right,
                     s.bottom - c.bottom, c.right, c.bottom);
    }
}

bool NoCorners(const RECT& c)
{
    return c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0;
}

void DrawParts(const CGridPainter& painter, const RECT& dest, const RECT& paint, const RECT& source,
               const RECT& corners, bool blend, bool hole, bool xTiled, bool yTiled)
{
    const int sourceWidth = source.right - source.left;
    const int sourceHeight = source.bottom - source.top;
    if (!blend && NoCorners(corners) && dest.right - dest.left == sourceWidth && dest.bottom - dest.top == sourceHeight) {
        // Unscaled and cornerless: copy only what is visible.
        RECT visible;
        if (::IntersectRect(&visible, &dest, &paint)) {
            painter.Part(visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
                         source.left + visible.left - dest.left, source.top + visible.top - dest.top,
                         visible.right - visible.left, visible.bottom - visible.top);
        }
        return;
    }
    if (!hole) painter.Middle(Deflated(dest, corners), Deflated(source, corners), xTiled, yTiled);
    DrawBorders(painter, dest, source, corners);
}

RECT ClampCorners(const RECT& widths)
{
    // A negative border width would reach outside the source part.
    return {std::max(0L, widths.left), std::max(0L, widths.top), std::max(0L, widths.right),
            std::max(0L, widths.bottom)};
}

// Draws from a memory device context holding the bitmap (needed to blend, or when the
// pixels are not at hand).
void DrawThroughDC(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                   const RECT& corners, bool blend, BYTE fade, bool hole, bool xTiled, bool yTiled)
{
    CMemoryDC memory(::CreateCompatibleDC(dc));
    if (!memory) return;
    CSelectScope selected(memory.get(), bitmap);
    if (!selected) return;
    const CGridPainter painter(dc, memory.get(), nullptr, paint, blend, fade);
    DrawParts(painter, dest, paint, source, corners, blend, hole, xTiled, yTiled);
}

// Every part of the nine-grid reads inside the source rectangle when the rectangle lies in
// the image and the borders fit in it; only then may the pixels be read directly.
bool PartsInside(const ImageInfoUI& image, const RECT& source, const RECT& corners)
{
    return image.width > 0 && image.height > 0 && source.left >= 0 && source.top >= 0 &&
           source.right <= image.width && source.bottom <= image.height &&
           corners.left + corners.right <= source.right - source.left &&
           corners.top + corners.bottom <= source.bottom - source.top;
}

class CStretchModeScope {
public:
    explicit CStretchModeScope(HDC dc) : m_dc(dc), m_old(::SetStretchBltMode(dc, COLORONCOLOR)) {}
    CStretchModeScope(const CStretchModeScope&) = delete;
    CStretchModeScope& operator=(const CStretchModeScope&) = delete;
    ~CStretchModeScope()
    {
        if (m_old != 0) ::SetStretchBltMode(m_dc, m_old);
    }

private:
    HDC m_dc;
    int m_old;
};

} // namespace

void CRenderer::DrawImage(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corners, bool hasAlpha, BYTE fade, bool hole, bool xTiled, bool yTiled)
{
    if (dc == nullptr || bitmap == nullptr) return;
    const CStretchModeScope mode(dc);
    DrawThroughDC(dc, bitmap, dest, paint, source, ClampCorners(corners), hasAlpha || fade < 255, fade, hole, xTiled,
                  yTiled);
}

void CRenderer::DrawImage(HDC dc, const ImageInfoUI& image, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corners, BYTE fade, bool hole, bool xTiled, bool yTiled)
{
    if (dc == nullptr || !image.bitmap) return;
    const CStretchModeScope mode(dc);
    const bool blend = image.hasAlpha || fade < 255;
    const RECT clamped = ClampCorners(corners);
    if (blend || image.bits == nullptr || !PartsInside(image, source, clamped)) {
        DrawThroughDC(dc, image.bitmap.get(), dest, paint, source, clamped, blend, fade, hole, xTiled, yTiled);
        return;
    }
    // Opaque copies go straight from the pixels: a memory device context per call would cost
    // several times the copy itself.
    DibSource dib = {image.bits, {}};
    dib.info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    dib.info.bmiHeader.biWidth = image.width;
    dib.info.bmiHeader.biHeight = -image.height;
    dib.info.bmiHeader.biPlanes = 1;
    dib.info.bmiHeader.biBitCount = 32;
    dib.info.bmiHeader.biCompression = BI_RGB;
    const CGridPainter painter(dc, nullptr, &dib, paint, false, 255);
    DrawParts(painter, dest, paint, source, clamped, false, hole, xTiled, yTiled);
}

} // namespace VarnUI

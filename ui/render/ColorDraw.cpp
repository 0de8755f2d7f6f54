// CRenderer: solid colours, gradients, lines and frames.
#include "ui/render/Renderer.h"

#include "ui/base/AttributeValues.h"
#include "ui/render/BlendRoutines.h"
#include "ui/render/GdiHandles.h"
#include "ui/render/PixelBuffer.h"

#include <cstdint>

namespace VarnUI {
namespace {

inline BYTE Alpha(DWORD color) { return static_cast<BYTE>(color >> 24); }
inline BYTE Red(DWORD color) { return static_cast<BYTE>(color >> 16); }
inline BYTE Green(DWORD color) { return static_cast<BYTE>(color >> 8); }
inline BYTE Blue(DWORD color) { return static_cast<BYTE>(color); }

void FillOpaque(HDC dc, const RECT& rc, COLORREF color)
{
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    if (old != CLR_INVALID) ::SetBkColor(dc, old);
}

// A gradient corner: 16-bit channels from the 8-bit ones, opaque.
TRIVERTEX Vertex(LONG x, LONG y, DWORD color)
{
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(Red(color) << 8);
    vertex.Green = static_cast<COLOR16>(Green(color) << 8);
    vertex.Blue = static_cast<COLOR16>(Blue(color) << 8);
    vertex.Alpha = 0xFF00;
    return vertex;
}

bool FillWithPlatform(HDC dc, const RECT& rc, DWORD first, DWORD second, bool vertical)
{
    TRIVERTEX vertices[2] = {Vertex(rc.left, rc.top, first), Vertex(rc.right, rc.bottom, second)};
    GRADIENT_RECT mesh = {0, 1};
    return CBlendRoutines::FillGradient(dc, vertices, 2, &mesh, 1,
                                        vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

// Without the platform's gradient: 2^k flat bands, the second colour at the bottom (or right).
void FillWithBands(HDC dc, const RECT& rc, DWORD first, DWORD second, bool vertical, int steps)
{
    const int shift = steps < 4 ? 1 : steps < 8 ? 2 : steps < 16 ? 3 : steps < 32 ? 4 : steps < 64 ? 5 : 6;
    const int count = 1 << shift;
    const long long size = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    for (int i = 0; i < count; ++i) {
        const BYTE red = static_cast<BYTE>((i * Red(first) + (count - i) * Red(second)) >> shift);
        const BYTE green = static_cast<BYTE>((i * Green(first) + (count - i) * Green(second)) >> shift);
        const BYTE blue = static_cast<BYTE>((i * Blue(first) + (count - i) * Blue(second)) >> shift);
        const LONG nearEdge = static_cast<LONG>((i * size) >> shift);
        const LONG farEdge = static_cast<LONG>(((i + 1) * size) >> shift);
        if (farEdge <= nearEdge) continue;
        RECT band = rc;
        if (vertical) {
            band.bottom = rc.bottom - nearEdge;
            band.top = rc.bottom - farEdge;
        } else {
            band.right = rc.right - nearEdge;
            band.left = rc.right - farEdge;
        }
        FillOpaque(dc, band, RGB(red, green, blue));
    }
}

// Solid pens and frames are drawn inside the rectangle; the other styles are values, not
// bits, and must stay as they are (or-ing in the inside-frame value would change them).
int FrameStyle(int penStyle)
{
    return (penStyle & PS_STYLE_MASK) == PS_SOLID ? (penStyle & ~PS_STYLE_MASK) | PS_INSIDEFRAME : penStyle;
}

} // namespace

void CRenderer::DrawColor(HDC dc, const RECT& rc, DWORD color)
{
    if (dc == nullptr || Alpha(color) == 0) return;
    if (Alpha(color) == 255) {
        FillOpaque(dc, rc, ArgbToColorRef(color));
        return;
    }
    // The blend expects premultiplied pixels; a plain colour would be brightened.
    std::uint8_t* bits = nullptr;
    CGdiBitmap pixel(CPixelBuffer::CreateDib(dc, 1, 1, false, &bits));
    if (!pixel) return;
    const unsigned alpha = Alpha(color);
    bits[0] = static_cast<std::uint8_t>(Blue(color) * alpha / 255);
    bits[1] = static_cast<std::uint8_t>(Green(color) * alpha / 255);
    bits[2] = static_cast<std::uint8_t>(Red(color) * alpha / 255);
    bits[3] = static_cast<std::uint8_t>(alpha);
    DrawImage(dc, pixel.get(), rc, rc, RECT{0, 0, 1, 1}, RECT{0, 0, 0, 0}, true, 255);
}

void CRenderer::DrawGradient(HDC dc, const RECT& rc, DWORD first, DWORD second, bool vertical, int steps)
{
    const int alpha = (Alpha(first) + Alpha(second)) / 2;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (dc == nullptr || alpha == 0 || width <= 0 || height <= 0) return;

    if (alpha == 255 && FillWithPlatform(dc, rc, first, second, vertical)) return;

    CPixelBuffer buffer;
    if (!buffer.Create(dc, width, height)) return;
    const RECT area = {0, 0, width, height};
    if (!FillWithPlatform(buffer.GetDC(), area, first, second, vertical)) {
        FillWithBands(buffer.GetDC(), area, first, second, vertical, steps);
    }
    // Fills leave the alpha byte to the platform; make every pixel opaque so that the bands
    // match the platform's gradient and the constant alpha alone decides a blend.
    ::GdiFlush();
    std::uint8_t* bits = buffer.GetBits();
    for (std::size_t i = 0; i < buffer.GetPixelCount(); ++i) bits[i * 4 + 3] = 255;
    if (alpha == 255) {
        ::BitBlt(dc, rc.left, rc.top, width, height, buffer.GetDC(), 0, 0, SRCCOPY);
        return;
    }
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
    CBlendRoutines::Blend(dc, rc.left, rc.top, width, height, buffer.GetDC(), 0, 0, width, height, blend);
}

void CRenderer::DrawLine(HDC dc, const RECT& rc, int width, DWORD color, int penStyle)
{
    if (dc == nullptr) return;
    CGdiPen pen(::CreatePen(penStyle, width, ArgbToColorRef(color)));
    if (!pen) return;
    CSelectScope selected(dc, pen.get());
    POINT previous;
    ::MoveToEx(dc, rc.left, rc.top, &previous);
    ::LineTo(dc, rc.right, rc.bottom);
    ::MoveToEx(dc, previous.x, previous.y, nullptr);
}

void CRenderer::DrawRect(HDC dc, const RECT& rc, int width, DWORD color, int penStyle)
{
    if (dc == nullptr) return;
    CGdiPen pen(::CreatePen(FrameStyle(penStyle), width, ArgbToColorRef(color)));
    if (!pen) return;
    CSelectScope selectedPen(dc, pen.get());
    CSelectScope selectedBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
}

void CRenderer::DrawRoundRect(HDC dc, const RECT& rc, int width, int ellipseWidth, int ellipseHeight, DWORD color,
                              int penStyle)
{
    if (dc == nullptr) return;
    CGdiPen pen(::CreatePen(FrameStyle(penStyle), width, ArgbToColorRef(color)));
    if (!pen) return;
    CSelectScope selectedPen(dc, pen.get());
    CSelectScope selectedBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, ellipseWidth, ellipseHeight);
}

} // namespace VarnUI

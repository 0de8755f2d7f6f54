// CPixelBuffer: a temporary 32-bit DIB section selected into its own memory device context,
// for drawing that needs direct access to the pixels (blend fallback, gradients, captures).
// It owns the DC and the bitmap; pixels are blue, green, red, alpha, rows top-down unless
// created bottom-up. Coordinates are the buffer's own, from (0, 0).
#pragma once

#include "ui/render/GdiHandles.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace VarnUI {

class CPixelBuffer {
public:
    CPixelBuffer() = default;
    CPixelBuffer(const CPixelBuffer&) = delete;
    CPixelBuffer& operator=(const CPixelBuffer&) = delete;
    ~CPixelBuffer() { Reset(); }

    // False (and empty) for sizes that are not positive or do not fit in 32 bits, or when the
    // platform refuses. The pixels start cleared to 0.
    bool Create(HDC compatible, int width, int height, bool bottomUp = false);
    void Reset();

    HDC GetDC() const { return m_dc.get(); }
    HBITMAP GetBitmap() const { return m_bitmap.get(); }
    std::uint8_t* GetBits() const { return m_bits; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    std::size_t GetPixelCount() const { return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height); }
    // Deselects the bitmap and hands it over; the buffer is empty afterwards.
    HBITMAP DetachBitmap();

    // A 32-bit DIB section of width x height (negative height = top-down); null for sizes
    // that are not positive or whose byte count does not fit in a signed 32-bit size.
    static HBITMAP CreateDib(HDC dc, int width, int height, bool bottomUp, std::uint8_t** bits);

private:
    CMemoryDC m_dc;
    CGdiBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    std::uint8_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace VarnUI

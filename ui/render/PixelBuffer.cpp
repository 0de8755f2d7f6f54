#include "ui/render/PixelBuffer.h"

#include <cstring>
#include <utility>

namespace VarnUI {

HBITMAP CPixelBuffer::CreateDib(HDC dc, int width, int height, bool bottomUp, std::uint8_t** bits)
{
    if (bits != nullptr) *bits = nullptr;
    if (width <= 0 || height <= 0) return nullptr;
    const unsigned long long bytes = static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4;
    if (bytes > 0x7FFFFFFFull) return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(bytes);
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || pixels == nullptr) {
        if (bitmap != nullptr) ::DeleteObject(bitmap);
        return nullptr;
    }
    if (bits != nullptr) *bits = static_cast<std::uint8_t*>(pixels);
    return bitmap;
}

bool CPixelBuffer::Create(HDC compatible, int width, int height, bool bottomUp)
{
    Reset();
    CMemoryDC dc(::CreateCompatibleDC(compatible));
    if (!dc) return false;
    std::uint8_t* bits = nullptr;
    CGdiBitmap bitmap(CreateDib(dc.get(), width, height, bottomUp, &bits));
    if (!bitmap) return false;
    const HGDIOBJ previous = ::SelectObject(dc.get(), bitmap.get());
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    // DIB sections come zeroed from the system; say so rather than rely on it.
    std::memset(bits, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);

    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
    m_previous = previous;
    m_bits = bits;
    m_width = width;
    m_height = height;
    return true;
}

HBITMAP CPixelBuffer::DetachBitmap()
{
    if (m_dc && m_previous != nullptr) {
        ::SelectObject(m_dc.get(), m_previous);
        m_previous = nullptr;
    }
    HBITMAP bitmap = m_bitmap.release();
    Reset();
    return bitmap;
}

void CPixelBuffer::Reset()
{
    // The bitmap must leave the DC before either is deleted.
    if (m_dc && m_previous != nullptr) {
        ::SelectObject(m_dc.get(), m_previous);
    }
    m_previous = nullptr;
    m_bitmap.reset();
    m_dc.reset();
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
}

} // namespace VarnUI

// Helpers of the renderer tests: a 32-bit canvas to draw into and read back, image bytes
// encoded in memory in several formats, temporary skin files, the process's GDI object count
// and a manager with a fixed-pitch test font.
#pragma once

#include "ui/manager/ManagerUI.h"
#include "ui/render/PixelBuffer.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace RenderTest {

// Colours are 0xAARRGGBB throughout.
using PixelFn = std::function<std::uint32_t(int x, int y)>;

// A top-down 32-bit DIB section with its own DC, filled with a colour (alpha included).
class CCanvas {
public:
    CCanvas(int width, int height, std::uint32_t fill = 0xFF000000);
    HDC dc() const { return m_buffer.GetDC(); }
    int width() const { return m_buffer.GetWidth(); }
    int height() const { return m_buffer.GetHeight(); }
    void Fill(std::uint32_t color);
    // Writes the pixels themselves, alpha included (GDI fills leave alpha to the platform).
    void FillRect(const RECT& rc, std::uint32_t color);
    std::uint32_t Pixel(int x, int y) const;
    // Largest difference of any channel (alpha included) over the whole canvas, and where.
    int MaxDifference(const CCanvas& other, int* atX = nullptr, int* atY = nullptr) const;

private:
    VarnUI::CPixelBuffer m_buffer;
};

int ChannelDifference(std::uint32_t a, std::uint32_t b);
std::string Hex(std::uint32_t color);

// Straight (not premultiplied) colours in, encoded bytes out.
std::vector<std::uint32_t> MakePixels(int width, int height, const PixelFn& pixel);
enum class ImageFormat { Png, Bmp, Tga, Jpeg };
// PNG may be written with 3 channels (alpha left out).
std::vector<unsigned char> Encode(ImageFormat format, int width, int height, const std::vector<std::uint32_t>& argb,
                                  int pngChannels = 4);

// A loaded image that frees itself.
struct ImageDeleter {
    void operator()(VarnUI::ImageInfoUI* image) const;
};
using ImagePtr = std::unique_ptr<VarnUI::ImageInfoUI, ImageDeleter>;
// Straight colours encoded as PNG and loaded as the renderer loads an image.
ImagePtr MakeImage(int width, int height, const PixelFn& pixel);

// Writes bytes into the tests' skin folder (the resource path, set on first use) as name.
void WriteSkinFile(const wchar_t* name, const std::vector<unsigned char>& bytes);
std::wstring SkinFolder();

// GDI objects of this process: the platform's count, or, where that is not implemented, the
// handles that name a live object.
int CountGdiObjects();

// The fixed-pitch font every text test uses, as font id 1 of a manager without a window.
constexpr int kTestFont = 1;
constexpr int kTestFontSize = 16;
void AddTestFont(VarnUI::CManagerUI& manager);

} // namespace RenderTest

#include "RenderTestSupport.h"

#include "ui/render/Renderer.h"
#include "ui/skin/SkinResources.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace RenderTest {
namespace {

void AppendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::vector<unsigned char> ToRgba(const std::vector<std::uint32_t>& argb)
{
    std::vector<unsigned char> rgba;
    rgba.reserve(argb.size() * 4);
    for (std::uint32_t c : argb) {
        rgba.push_back(static_cast<unsigned char>(c >> 16));
        rgba.push_back(static_cast<unsigned char>(c >> 8));
        rgba.push_back(static_cast<unsigned char>(c));
        rgba.push_back(static_cast<unsigned char>(c >> 24));
    }
    return rgba;
}

} // namespace

CCanvas::CCanvas(int width, int height, std::uint32_t fill)
{
    m_buffer.Create(nullptr, width, height);
    Fill(fill);
}

void CCanvas::Fill(std::uint32_t color)
{
    ::GdiFlush();
    auto* bits = reinterpret_cast<std::uint32_t*>(m_buffer.GetBits());
    std::fill(bits, bits + m_buffer.GetPixelCount(), color);
}

void CCanvas::FillRect(const RECT& rc, std::uint32_t color)
{
    ::GdiFlush();
    auto* bits = reinterpret_cast<std::uint32_t*>(m_buffer.GetBits());
    for (int y = std::max<LONG>(rc.top, 0); y < std::min<LONG>(rc.bottom, height()); ++y) {
        for (int x = std::max<LONG>(rc.left, 0); x < std::min<LONG>(rc.right, width()); ++x) {
            bits[static_cast<std::size_t>(y) * width() + x] = color;
        }
    }
}

std::uint32_t CCanvas::Pixel(int x, int y) const
{
    ::GdiFlush();
    const auto* bits = reinterpret_cast<const std::uint32_t*>(m_buffer.GetBits());
    return bits[static_cast<std::size_t>(y) * m_buffer.GetWidth() + x];
}

int CCanvas::MaxDifference(const CCanvas& other, int* atX, int* atY) const
{
    int worst = 0;
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            const int d = ChannelDifference(Pixel(x, y), other.Pixel(x, y));
            if (d > worst) {
                worst = d;
                if (atX != nullptr) *atX = x;
                if (atY != nullptr) *atY = y;
            }
        }
    }
    return worst;
}

int ChannelDifference(std::uint32_t a, std::uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return worst;
}

std::string Hex(std::uint32_t color)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(color));
    return text;
}

std::vector<std::uint32_t> MakePixels(int width, int height, const PixelFn& pixel)
{
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out.push_back(pixel(x, y));
    }
    return out;
}

std::vector<unsigned char> Encode(ImageFormat format, int width, int height, const std::vector<std::uint32_t>& argb,
                                  int pngChannels)
{
    std::vector<unsigned char> out;
    std::vector<unsigned char> rgba = ToRgba(argb);
    switch (format) {
    case ImageFormat::Png:
        if (pngChannels == 3) {
            for (std::size_t i = 0; i < argb.size(); ++i) std::memmove(&rgba[i * 3], &rgba[i * 4], 3);
        }
        stbi_write_png_to_func(AppendBytes, &out, width, height, pngChannels, rgba.data(), width * pngChannels);
        break;
    case ImageFormat::Bmp:
        stbi_write_bmp_to_func(AppendBytes, &out, width, height, 4, rgba.data());
        break;
    case ImageFormat::Tga:
        stbi_write_tga_to_func(AppendBytes, &out, width, height, 4, rgba.data());
        break;
    case ImageFormat::Jpeg:
        stbi_write_jpg_to_func(AppendBytes, &out, width, height, 4, rgba.data(), 100);
        break;
    }
    return out;
}

std::wstring SkinFolder()
{
    static const std::wstring folder = [] {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        std::wstring path = std::wstring(temp) + L"varn_render_tests_" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(path.c_str(), nullptr);
        path += L"\\";
        // Process ids repeat from run to run here, so an earlier run's files may be waiting.
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((path + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) ::DeleteFileW((path + found.cFileName).c_str());
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        VarnUI::CSkinResources::SetResourcePath(path.c_str());
        return path;
    }();
    return folder;
}

void ImageDeleter::operator()(VarnUI::ImageInfoUI* image) const
{
    VarnUI::CRenderer::FreeImage(image, true);
}

ImagePtr MakeImage(int width, int height, const PixelFn& pixel)
{
    const auto bytes = Encode(ImageFormat::Png, width, height, MakePixels(width, height, pixel));
    return ImagePtr(VarnUI::CRenderer::LoadImageFromMemory(bytes.data(), static_cast<DWORD>(bytes.size())));
}

void WriteSkinFile(const wchar_t* name, const std::vector<unsigned char>& bytes)
{
    const std::wstring path = SkinFolder() + name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

int CountGdiObjects()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    // Some platforms leave the count unimplemented but accept a handle's table index alone.
    int live = 0;
    for (unsigned index = 0; index < 0x10000; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index))) != 0) ++live;
    }
    return live;
}

void AddTestFont(VarnUI::CManagerUI& manager)
{
    manager.AddFont(kTestFont, L"DejaVu Sans Mono", kTestFontSize, false, false, false);
}

} // namespace RenderTest

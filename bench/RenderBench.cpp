// The renderer against the platform calls it is built on, in the same run: the opaque
// unscaled image draw against one BitBlt, the blended nine-grid draw against one AlphaBlend
// (both 454 x 200, the window's size), and 100 lines of formatted text with tags. Prints
// medians of five runs and the number of exact text measurements per line.
#include "ui/manager/ManagerUI.h"
#include "ui/render/FormattedText.h"
#include "ui/render/PixelBuffer.h"
#include "ui/render/Renderer.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace VarnUI;

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 200;
constexpr int kRuns = 5;

double Now()
{
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median over kRuns of the time of one call, in microseconds.
double Median(int calls, const std::function<void()>& call)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        for (int i = 0; i < calls; ++i) call();
        ::GdiFlush();
        runs.push_back((Now() - start) * 1e6 / calls);
    }
    std::sort(runs.begin(), runs.end());
    return runs[kRuns / 2];
}

// A premultiplied image of the window's size, opaque or with translucent pixels.
ImageInfoUI* MakeImage(bool translucent)
{
    ImageInfoUI* image = CRenderer::LoadImage(L"#FF000000", kColorImageType);
    if (image == nullptr) return nullptr;
    BYTE* bits = nullptr;
    image->bitmap.reset(CPixelBuffer::CreateDib(nullptr, kWidth, kHeight, false, &bits));
    image->bits = bits;
    image->width = kWidth;
    image->height = kHeight;
    image->hasAlpha = translucent;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const BYTE alpha = translucent ? static_cast<BYTE>(i % 256) : 255;
        const BYTE value = static_cast<BYTE>((i * 7 % 256) * alpha / 255);
        bits[i * 4] = value;
        bits[i * 4 + 1] = value;
        bits[i * 4 + 2] = value;
        bits[i * 4 + 3] = alpha;
    }
    return image;
}

void ImageFigures(HDC target)
{
    const RECT whole = {0, 0, kWidth, kHeight};
    const RECT none = {0, 0, 0, 0};
    const RECT corners = {12, 12, 12, 12};

    ImageInfoUI* opaque = MakeImage(false);
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(source, opaque->bitmap.get());
    const double bitBlt = Median(2000, [&] { ::BitBlt(target, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY); });
    ::SelectObject(source, old);
    const double drawOpaque = Median(2000, [&] {
        CRenderer::DrawImage(target, *opaque, whole, whole, whole, none);
    });

    ImageInfoUI* translucent = MakeImage(true);
    old = ::SelectObject(source, translucent->bitmap.get());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const double alphaBlend = Median(500, [&] {
        ::GdiAlphaBlend(target, 0, 0, kWidth, kHeight, source, 0, 0, kWidth, kHeight, blend);
    });
    ::SelectObject(source, old);
    const double drawBlended = Median(500, [&] {
        CRenderer::DrawImage(target, translucent->bitmap.get(), whole, whole, whole, corners, true);
    });
    ::DeleteDC(source);
    CRenderer::FreeImage(opaque, true);
    CRenderer::FreeImage(translucent, true);

    std::printf("opaque unscaled DrawImage %dx%d: %.1f us, BitBlt %.1f us, ratio %.2f (target <= 1.5)\n", kWidth,
                kHeight, drawOpaque, bitBlt, drawOpaque / bitBlt);
    std::printf("blended nine-grid DrawImage %dx%d: %.1f us, AlphaBlend %.1f us, ratio %.2f (target <= 1.5)\n",
                kWidth, kHeight, drawBlended, alphaBlend, drawBlended / alphaBlend);
}

void TextFigures(HDC target)
{
    CManagerUI manager;
    manager.AddFont(1, L"DejaVu Sans", 13, false, false, false);
    // Paragraphs of about four wrapped lines each, a hundred lines in all.
    std::wstring text;
    for (int paragraph = 0; paragraph < 25; ++paragraph) {
        for (int sentence = 0; sentence < 5; ++sentence) {
            text += L"Sentence {b}" + std::to_wstring(sentence) + L"{/b} has {c #FF3060A0}colour{/c}, a {a link" +
                    std::to_wstring(paragraph) + L"}link{/a} and {i}slanted{/i} words. ";
        }
        text += L"\n";
    }
    RECT measured = {0, 0, kWidth, 100000};
    CRenderer::DrawFormattedText(target, &manager, measured, text.c_str(), 0xFF000000, 1, DT_CALCRECT);
    const FontInfoUI* font = manager.GetFontInfo(1);
    const int lineHeight = font->tm.tmHeight + font->tm.tmExternalLeading;
    const int lines = lineHeight > 0 ? (measured.bottom - measured.top) / lineHeight : 0;

    RECT links[8];
    CUIString names[8];
    auto draw = [&](UINT style) {
        RECT rc = {0, 0, kWidth, 100000};
        int count = 8;
        CRenderer::DrawFormattedText(target, &manager, rc, text.c_str(), 0xFF000000, links, names, count, 1, style);
    };
    const unsigned long before = CFormattedText::MeasurementCount();
    draw(DT_WORDBREAK);
    const unsigned long drawing = CFormattedText::MeasurementCount() - before;
    draw(DT_WORDBREAK | DT_CALCRECT);
    const unsigned long measuring = CFormattedText::MeasurementCount() - before - drawing;
    const double drawTime = Median(20, [&] { draw(DT_WORDBREAK); });
    const double measureTime = Median(20, [&] { draw(DT_WORDBREAK | DT_CALCRECT); });

    std::printf("formatted text, %d lines with tags: draw %.0f us per call (%.1f us per line), measure %.0f us\n",
                lines, drawTime, drawTime / std::max(lines, 1), measureTime);
    std::printf("exact text measurements per line (one per text run, one fit at the line end): %.2f drawing "
                "(both passes), %.2f measuring\n",
                static_cast<double>(drawing) / std::max(lines, 1), static_cast<double>(measuring) / std::max(lines, 1));
}

} // namespace

int main()
{
    CPixelBuffer target;
    if (!target.Create(nullptr, kWidth, kHeight)) {
        std::printf("cannot create the target bitmap\n");
        return 1;
    }
    ImageFigures(target.GetDC());
    TextFigures(target.GetDC());
    return 0;
}

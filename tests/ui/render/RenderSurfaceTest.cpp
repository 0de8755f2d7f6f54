// Captures of painted controls, and GDI hygiene: every drawing routine called thousands of
// times, and images loaded and freed, leave the process's GDI object count where it was.
#include "RenderTestSupport.h"

#include "ui/controls/ControlUI.h"
#include "ui/render/BlendRoutines.h"
#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace RenderTest;

namespace {

std::uint32_t BitmapPixel(HBITMAP bitmap, int x, int y)
{
    CCanvas canvas(x + 1, y + 1, 0);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(canvas.dc(), 0, 0, x + 1, y + 1, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return canvas.Pixel(x, y);
}

} // namespace

TEST(RenderSurface, CaptureControlPaintsItAtTheBitmapOrigin)
{
    CManagerUI manager;
    CControlUI control;
    control.SetPos(RECT{10, 10, 30, 30});
    control.SetBkColor(0xFFFF0000);
    // The round corner clips in window coordinates: it must follow the moved origin.
    control.SetBorderRound(SIZE{8, 8});

    HBITMAP plain = CRenderer::CaptureControlBitmap(&manager, &control, RECT{10, 10, 30, 30}, 0);
    ASSERT_NE(plain, nullptr);
    BITMAP info = {};
    ::GetObjectW(plain, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 20);
    EXPECT_EQ(info.bmHeight, 20);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(BitmapPixel(plain, 10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(BitmapPixel(plain, 0, 0) & 0xFFFFFF, 0u);
    ::DeleteObject(plain);

    HBITMAP filtered = CRenderer::CaptureControlBitmap(&manager, &control, RECT{10, 10, 30, 30}, 0x80000000);
    ASSERT_NE(filtered, nullptr);
    EXPECT_LE(ChannelDifference(BitmapPixel(filtered, 10, 10) & 0xFFFFFF, 0x7F0000u), 1);
    ::DeleteObject(filtered);

    EXPECT_EQ(CRenderer::CaptureControlBitmap(&manager, nullptr, RECT{0, 0, 4, 4}, 0), nullptr);
    EXPECT_EQ(CRenderer::CaptureControlBitmap(&manager, &control, RECT{4, 4, 4, 8}, 0), nullptr);
    EXPECT_EQ(CRenderer::CaptureWindowBitmap(&manager), nullptr);
}

TEST(RenderSurface, DrawingLeavesNoGdiObjectsBehind)
{
    CManagerUI manager;
    AddTestFont(manager);
    WriteSkinFile(L"hygiene.png", Encode(ImageFormat::Png, 12, 12, MakePixels(12, 12, [](int x, int y) {
                                             return (x + y) % 3 ? 0x80FF8040u : 0xFF102030u;
                                         })));
    // A middle of 24 x 24: a few tiles, as the blend fallback makes two bitmaps per tile.
    const auto bytes = Encode(ImageFormat::Png, 32, 32, MakePixels(32, 32, [](int x, int) { return x < 16 ? 0x40FFFFFFu : 0xFF000000u; }));
    CCanvas canvas(120, 80);
    const RECT all = {0, 0, 120, 80};
    CControlUI control;
    control.SetPos(RECT{10, 10, 50, 40});
    control.SetBkColor(0xFF336699);
    control.SetBorderRound(SIZE{6, 6});
    const wchar_t* text = L"Go {b}bold{/b} {i}it{/i} {u}u{/u} {a l}link{/a} {f Serif 12 bold}f{/f}{i hygiene.png 2 1} {s}s{/s}\nnext";

    auto drawEverything = [&](int round) {
        CBlendRoutines::ForceFallback(round % 4 == 1);
        ImageInfoUI* image = CRenderer::LoadImageFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
        CRenderer::KeepImageSource(image);
        image->keepSource = true;
        CRenderer::AdjustImageHSL(true, image, 90, 120, 80);
        CRenderer::DrawImage(canvas.dc(), image->bitmap.get(), all, all, RECT{0, 0, 32, 32}, RECT{4, 4, 4, 4}, true, 200,
                             false, true, true);
        CRenderer::DrawImage(canvas.dc(), image->bitmap.get(), all, all, RECT{0, 0, 32, 32}, RECT{0, 0, 0, 0}, false);
        CRenderer::DrawImage(canvas.dc(), image->bitmap.get(), RECT{0, 0, 32, 32}, all, RECT{0, 0, 32, 32}, RECT{0, 0, 0, 0},
                             false);
        CRenderer::FreeImage(image, true);

        ImageDrawUI record;
        record.drawString = L"file='hygiene.png' corner='3,3,3,3' fade='100'";
        CRenderer::DrawImageString(canvas.dc(), &manager, all, all, record);
        CRenderer::DrawColor(canvas.dc(), all, 0xFF203040);
        CRenderer::DrawColor(canvas.dc(), all, 0x80203040);
        CRenderer::DrawGradient(canvas.dc(), all, 0xFF000000, 0xFFFFFFFF, round % 3 == 0, 16);
        CRenderer::DrawGradient(canvas.dc(), all, 0x80000000, 0x80FFFFFF, true, 16);
        CRenderer::DrawLine(canvas.dc(), all, 2, 0xFFFF0000, PS_DASH);
        CRenderer::DrawRect(canvas.dc(), all, 1, 0xFF00FF00);
        CRenderer::DrawRoundRect(canvas.dc(), all, 2, 6, 6, 0xFF0000FF, PS_DOT);
        {
            CClipRecord clip;
            CRenderer::BeginRoundClip(canvas.dc(), all, RECT{5, 5, 60, 60}, 6, 6, clip);
            CClipRecord inner;
            CRenderer::BeginClip(canvas.dc(), RECT{10, 10, 50, 50}, inner);
            CRenderer::SuspendClip(inner);
            CRenderer::ResumeClip(inner);
        }
        RECT rc = all;
        CRenderer::DrawText(canvas.dc(), &manager, rc, L"plain & text", 0xFF000000, kTestFont, DT_WORDBREAK);
        CRenderer::MeasureText(canvas.dc(), &manager, L"plain", kTestFont);
        RECT links[4];
        CUIString names[4];
        int count = 4;
        rc = all;
        CRenderer::DrawFormattedText(canvas.dc(), &manager, rc, text, 0xFF000000, links, names, count, kTestFont,
                                     DT_WORDBREAK | DT_CENTER | DT_VCENTER);
        rc = all;
        CRenderer::DrawFormattedText(canvas.dc(), &manager, rc, text, 0xFF000000, kTestFont, DT_CALCRECT);
        BYTE* bits = nullptr;
        ::DeleteObject(CRenderer::CreateARGB32Bitmap(canvas.dc(), 16, 16, &bits));
        ::DeleteObject(CRenderer::CaptureControlBitmap(&manager, &control, RECT{10, 10, 50, 40}, 0x40000000));
    };

    // The first round creates what stays: cached images and the font variants of the text.
    drawEverything(0);
    drawEverything(1);
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int round = 0; round < 2000; ++round) drawEverything(round);
    CBlendRoutines::ForceFallback(false);
    EXPECT_EQ(CountGdiObjects(), before);
}

#include "ManagerTestSupport.h"

#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"
#include "ui/skin/SkinResources.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

const wchar_t kColor[] = L"*COLOR*";

// The first pixel as 0xAARRGGBB (premultiplied, as stored).
DWORD FirstPixel(const ImageInfoUI* image)
{
    ::GdiFlush();
    const BYTE* p = image->bits;
    return static_cast<DWORD>(p[3]) << 24 | static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[1]) << 8 | p[0];
}

TEST(ManagerImages, AddImage_RecordsTypeMaskAndKeepSource)
{
    CManagerUI manager;
    EXPECT_EQ(manager.AddImage(nullptr, kColor), nullptr);
    EXPECT_EQ(manager.AddImage(L"", kColor), nullptr);

    ImageInfoUI* image = manager.AddImage(L"#FF0000FF", kColor, 0xFF00FF00, true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->resType, kColor);
    EXPECT_EQ(image->mask, 0xFF00FF00u);
    EXPECT_TRUE(image->keepSource);
    EXPECT_TRUE(image->sourceBits != nullptr);
    EXPECT_EQ(FirstPixel(image), 0xFF0000FFu);
    EXPECT_EQ(manager.GetImage(L"#FF0000FF"), image);
    EXPECT_EQ(manager.GetImage(L"#ff0000ff"), nullptr);
}

TEST(ManagerImages, ResourceNamesStartingWithADigitAreNumericIds)
{
    // The test program carries ok.png (120 x 108) as PNG 157 and min.png (24 x 72) as PNG LOGO.
    CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    CManagerUI manager;
    ImageInfoUI* numbered = manager.AddImage(L"157", L"PNG");
    ASSERT_NE(numbered, nullptr);
    EXPECT_EQ(numbered->width, 120);
    EXPECT_EQ(numbered->height, 108);
    ImageInfoUI* named = manager.AddImage(L"LOGO", L"PNG");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->width, 24);

    // The same through an image attribute string, as a skin writes it.
    ImageDrawUI record;
    record.drawString = L"res='157' restype='PNG'";
    const RECT rc = {0, 0, 10, 10};
    ASSERT_TRUE(CRenderer::DrawImageString(nullptr, &manager, rc, rc, record));
    EXPECT_EQ(record.image, numbered);

    // An id past what resources can have is not wrapped onto another one (65693 = 65536 + 157),
    // and a colour that starts with a digit stays a colour.
    EXPECT_EQ(manager.AddImage(L"65693", L"PNG"), nullptr);
    ImageInfoUI* colour = manager.AddImage(L"80FF0000", kColor);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(FirstPixel(colour), 0x80800000u);
}

TEST(ManagerImages, SameName_ReplacesInPlaceAndFreesTheOldBitmap)
{
    CManagerUI manager;
    // Adding a name again is how a second skin document re-registers an image; draw records
    // holding the first pointer must see the new pixels, not freed memory.
    ImageInfoUI* first = manager.AddImage(L"#FF0000FF", kColor, 0, false);
    ASSERT_NE(first, nullptr);
    HBITMAP oldBitmap = first->bitmap.get();
    ImageInfoUI* second = manager.AddImage(L"#FF0000FF", kColor, 0xFF0000FF, false);
    EXPECT_EQ(second, first);
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(oldBitmap));
    EXPECT_FALSE(VarnTest::IsDeadGdiObject(second->bitmap.get()));
    EXPECT_EQ(FirstPixel(second), 0u);  // the new load's mask cleared the pixel
    EXPECT_EQ(second->mask, 0xFF0000FFu);
}

TEST(ManagerImages, OwnTableFirstThenShared_AndForceShared)
{
    CManagerUI first;
    CManagerUI second;
    ImageInfoUI* shared = first.AddImage(L"#FF00FF00", kColor, 0, false, true);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(second.GetImage(L"#FF00FF00"), shared);
    ImageInfoUI* own = second.AddImage(L"#FF00FF00", kColor);
    EXPECT_NE(own, shared);
    EXPECT_EQ(second.GetImage(L"#FF00FF00"), own);
    EXPECT_EQ(second.GetOrLoadImage(L"#FF00FF00", kColor), own);
    EXPECT_TRUE(second.RemoveImage(L"#FF00FF00"));
    EXPECT_EQ(second.GetImage(L"#FF00FF00"), shared);

    // GetOrLoadImage caches per window, or process-wide under force-shared.
    ImageInfoUI* cached = first.GetOrLoadImage(L"#FF102030", kColor);
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(second.GetImage(L"#FF102030"), nullptr);
    second.SetForceShared(true);
    ImageInfoUI* forced = second.GetOrLoadImage(L"#FF405060", kColor);
    ASSERT_NE(forced, nullptr);
    EXPECT_EQ(first.GetImage(L"#FF405060"), forced);
    EXPECT_TRUE(second.RemoveImage(L"#FF405060"));
    EXPECT_TRUE(first.RemoveImage(L"#FF00FF00", true));
}

TEST(ManagerImages, FailedLoad_IsNotCachedAndIsRetried)
{
    CManagerUI manager;
    EXPECT_EQ(manager.GetOrLoadImage(L"no-such-image.png"), nullptr);
    EXPECT_EQ(manager.GetImage(L"no-such-image.png"), nullptr);
    EXPECT_EQ(manager.GetOrLoadImage(L"no-such-image.png"), nullptr);
    EXPECT_FALSE(manager.RemoveImage(L"no-such-image.png"));
}

TEST(ManagerImages, LoadAndFreeAThousandTimes_LeavesNoGdiObject)
{
    { CManagerUI firstOfProcess; }
    const DWORD before = VarnTest::GdiObjectCount();
    HBITMAP lastOwn = nullptr;
    {
        CManagerUI manager;
        for (int i = 0; i < 1000; ++i) {
            wchar_t name[16];
            wsprintfW(name, L"#FF%06X", i % 13);
            ImageInfoUI* image = manager.AddImage(name, kColor, 0, i % 2 == 0);
            ASSERT_NE(image, nullptr);
            HBITMAP bitmap = image->bitmap.get();
            if (i % 4 == 0) {
                ASSERT_TRUE(manager.RemoveImage(name));
                ASSERT_TRUE(VarnTest::IsDeadGdiObject(bitmap));
            }
        }
        manager.RemoveAllImages();
        lastOwn = manager.AddImage(L"#FF999999", kColor)->bitmap.get();
    }
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(lastOwn));
    EXPECT_EQ(VarnTest::GdiObjectCount(), before);
}

TEST(ManagerImages, ColourAdjustment_FollowsTheSwitch)
{
    VarnTest::TestWindow window;
    CManagerUI manager;
    manager.Init(window.get(), L"hsl");  // only listed managers take part
    ImageInfoUI* kept = manager.AddImage(L"#FFFF0000", kColor, 0, true);
    ImageInfoUI* plain = manager.AddImage(L"#FFFF0001", kColor, 0, false);
    ASSERT_NE(kept, nullptr);
    ASSERT_NE(plain, nullptr);

    CManagerUI::SetHSL(true, 300, 100, 100);  // hue + 120 degrees: red becomes green
    EXPECT_EQ(FirstPixel(kept), 0xFF00FF00u);
    EXPECT_EQ(FirstPixel(plain), 0xFFFF0001u);
    ImageInfoUI* late = manager.AddImage(L"#ffff0000", kColor, 0, true);
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(FirstPixel(late), 0xFF00FF00u);

    // Switching off with the same values still restores the pixels as loaded.
    CManagerUI::SetHSL(false, 300, 100, 100);
    EXPECT_FALSE(CManagerUI::IsHSLEnabled());
    EXPECT_EQ(FirstPixel(kept), 0xFFFF0000u);

    CManagerUI::SetHSL(true, -20, 500, 100);
    short hue = 0;
    short saturation = 0;
    short lightness = 0;
    CManagerUI::GetHSL(&hue, &saturation, &lightness);
    EXPECT_EQ(hue, 0);
    EXPECT_EQ(saturation, 200);
    EXPECT_EQ(lightness, 100);
    CManagerUI::SetHSL(true, 180, 100, 100);
    CManagerUI::SetHSL(false, 180, 100, 100);
    EXPECT_EQ(FirstPixel(kept), 0xFFFF0000u);
}

} // namespace

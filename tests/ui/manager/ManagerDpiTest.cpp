#include "ManagerTestSupport.h"

#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

LONG HeightOf(HFONT font)
{
    LOGFONTW lf = {};
    ::GetObjectW(font, sizeof(lf), &lf);
    return lf.lfHeight;
}

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

TEST(ManagerDpi, WindowAttributes_ScaledWhereTheyEnter_CodeValuesAreRealPixels)
{
    VarnTest::TestWindow window(100, 100);
    CManagerUI manager;
    manager.Init(window.get());
    EXPECT_EQ(manager.GetDpi(), 96);
    manager.SetDpi(144);
    manager.SetWindowAttributeList(L"size=\"454,200\" caption=\"0,0,0,220\" sizebox=\"1,2,3,4\" "
                                   L"roundcorner=\"5,5\" mininfo=\"100,50\" maxinfo=\"800,601\"");
    EXPECT_EQ(manager.GetInitSize().cx, 681);
    EXPECT_EQ(manager.GetInitSize().cy, 300);
    RECT rc = {};
    ::GetWindowRect(window.get(), &rc);
    EXPECT_EQ(rc.right - rc.left, 681);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_TRUE(Same(manager.GetCaptionRect(), {0, 0, 0, 330}));
    EXPECT_TRUE(Same(manager.GetSizeBox(), {2, 3, 5, 6}));
    EXPECT_EQ(manager.GetRoundCorner().cx, 8);
    EXPECT_EQ(manager.GetMinInfo().cx, 150);
    EXPECT_EQ(manager.GetMaxInfo().cy, 902);

    // Another display: every value as if the skin had been read there.
    manager.SetDpi(192);
    EXPECT_EQ(manager.GetInitSize().cx, 908);
    EXPECT_TRUE(Same(manager.GetCaptionRect(), {0, 0, 0, 440}));
    EXPECT_TRUE(Same(manager.GetSizeBox(), {2, 4, 6, 8}));
    EXPECT_EQ(manager.GetRoundCorner().cy, 10);
    EXPECT_EQ(manager.GetMaxInfo().cy, 1202);
    manager.SetDpi(96);
    EXPECT_TRUE(Same(manager.GetSizeBox(), {1, 2, 3, 4}));
    EXPECT_EQ(manager.GetMinInfo().cy, 50);

    manager.SetDpi(192);
    manager.SetCaptionRect({0, 0, 0, 30});
    EXPECT_TRUE(Same(manager.GetCaptionRect(), {0, 0, 0, 30}));
    EXPECT_EQ(manager.Scale(15), 30);
}

TEST(ManagerDpi, Fonts_MadeForEachWindowsDpi_SharedOnesCopiedForTheWindow)
{
    VarnTest::TestWindow first(50, 50);
    VarnTest::TestWindow second(50, 50);
    CManagerUI normal;
    normal.Init(first.get());
    CManagerUI scaled;
    scaled.Init(second.get());
    scaled.SetDpi(192);

    HFONT shared = normal.AddFont(900, L"Arial", 12, false, false, false, true);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(HeightOf(normal.GetFont(900)), -12);
    FontInfoUI* copy = scaled.GetFontInfo(900);
    EXPECT_NE(copy->font.get(), shared);
    EXPECT_EQ(HeightOf(copy->font.get()), -24);
    EXPECT_EQ(copy->size, 12);
    // Measured at the real resolution: twice as tall, give or take a pixel of the face.
    const int height96 = normal.GetFontInfo(900)->tm.tmHeight;
    EXPECT_NEAR(copy->tm.tmHeight, 2 * height96, 2);
    EXPECT_EQ(scaled.GetFontInfo(900), copy);
    EXPECT_EQ(scaled.GetFontInfoByHandle(shared), copy);
    EXPECT_EQ(scaled.GetFontInfoByHandle(copy->font.get()), copy);

    // A font of the window's own follows the window to another display, in place.
    HFONT own = scaled.AddFont(901, L"Arial", 10, true, false, false);
    EXPECT_EQ(HeightOf(own), -20);
    FontInfoUI* ownInfo = scaled.GetFontInfo(901);
    scaled.SetDpi(144);
    EXPECT_EQ(scaled.GetFontInfo(901), ownInfo);
    EXPECT_EQ(HeightOf(ownInfo->font.get()), -15);
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(own));
    EXPECT_EQ(HeightOf(scaled.GetFont(900)), -18);
    EXPECT_EQ(HeightOf(scaled.GetDefaultFontInfo()->font.get()),
              -ScaleToDpi(normal.GetDefaultFontInfo()->size, 144));

    // A new font under the shared id is picked up, not the copy of the old one.
    HFONT oldCopy = scaled.GetFont(900);
    normal.AddFont(900, L"Arial", 14, false, false, false, true);
    EXPECT_EQ(HeightOf(scaled.GetFont(900)), -21);
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(oldCopy));

    // Every font made on the way is gone with the tables and copies that held it.
    const HFONT made[] = {scaled.GetFont(900), scaled.GetFont(901), scaled.GetDefaultFontInfo()->font.get()};
    normal.RemoveFont(900, true);
    scaled.RemoveFont(901);
    scaled.SetDpi(96);
    EXPECT_EQ(scaled.GetFont(900), scaled.GetDefaultFontInfo()->font.get());
    for (HFONT font : made) EXPECT_TRUE(VarnTest::IsDeadGdiObject(font)) << (&font - made);
}

} // namespace

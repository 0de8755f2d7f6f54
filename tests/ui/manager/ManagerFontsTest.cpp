#include "ManagerTestSupport.h"

#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

LOGFONTW FontOf(HFONT font)
{
    LOGFONTW lf = {};
    ::GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

LONG GuiFontWeight()
{
    return FontOf(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))).lfWeight;
}

TEST(ManagerFonts, AddFont_BuildsTheRequestedFont)
{
    CManagerUI manager;
    struct Case {
        const wchar_t* face;
        int size;
        bool bold, underline, italic;
    };
    const Case cases[] = {
        {L"Arial", 12, false, false, false},
        {L"Tahoma", 20, true, false, false},
        {L"Arial", 9, false, true, true},
    };
    int id = 0;
    for (const Case& c : cases) {
        HFONT font = manager.AddFont(id, c.face, c.size, c.bold, c.underline, c.italic);
        ASSERT_NE(font, nullptr);
        const LOGFONTW lf = FontOf(font);
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfHeight, -c.size);
        // Bold adds 700 to the GUI font's own weight.
        EXPECT_EQ(lf.lfWeight, GuiFontWeight() + (c.bold ? FW_BOLD : 0));
        EXPECT_EQ(lf.lfUnderline != 0, c.underline);
        EXPECT_EQ(lf.lfItalic != 0, c.italic);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

        FontInfoUI* info = manager.GetFontInfo(id);
        EXPECT_EQ(info->font.get(), font);
        EXPECT_EQ(info->faceName, c.face);
        EXPECT_EQ(info->size, c.size);
        EXPECT_EQ(manager.GetFontInfoByHandle(font), info);
        EXPECT_EQ(manager.FindFont(c.face, c.size, c.bold, c.underline, c.italic), font);
        ++id;
    }
    EXPECT_EQ(manager.FindFont(L"arial", 12, false, false, false), nullptr);
    EXPECT_EQ(manager.FindFont(L"Arial", 12, true, false, false), nullptr);
}

TEST(ManagerFonts, LongFaceIsCutNotOverrun)
{
    CManagerUI manager;
    const wchar_t* longFace = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters
    HFONT font = manager.AddFont(1, longFace, 12, false, false, false);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(lstrlenW(FontOf(font).lfFaceName), LF_FACESIZE - 1);
}

TEST(ManagerFonts, SameIdReplacesAndFreesTheOldFont)
{
    CManagerUI manager;
    HFONT first = manager.AddFont(5, L"Arial", 12, false, false, false);
    HFONT second = manager.AddFont(5, L"Arial", 14, false, false, false);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(first));
    EXPECT_EQ(manager.GetFont(5), second);
}

TEST(ManagerFonts, UnknownOrNegativeIdGivesTheDefault)
{
    CManagerUI manager;
    HFONT fallback = manager.GetDefaultFontInfo()->font.get();
    ASSERT_NE(fallback, nullptr);
    manager.AddFont(0, L"Arial", 12, false, false, false);
    EXPECT_EQ(manager.GetFont(-1), fallback);
    EXPECT_EQ(manager.GetFont(77), fallback);
    EXPECT_EQ(manager.GetFontInfo(77), manager.GetDefaultFontInfo());
    EXPECT_EQ(manager.GetFontInfoByHandle(nullptr), manager.GetDefaultFontInfo());

    manager.SetDefaultFont(L"Tahoma", 15, false, false, false);
    EXPECT_EQ(manager.GetDefaultFontInfo()->faceName, L"Tahoma");
    EXPECT_EQ(manager.GetFont(-1), manager.GetDefaultFontInfo()->font.get());
    CManagerUI other;
    EXPECT_EQ(other.GetFont(-1), fallback);  // the own default stays with its window
}

TEST(ManagerFonts, OwnTableFirstThenShared)
{
    CManagerUI first;
    CManagerUI second;
    HFONT shared = first.AddFont(4100, L"Arial", 11, false, false, false, true);
    EXPECT_EQ(second.GetFont(4100), shared);
    HFONT own = second.AddFont(4100, L"Arial", 13, false, false, false);
    EXPECT_EQ(second.GetFont(4100), own);
    EXPECT_EQ(first.GetFont(4100), shared);
    EXPECT_TRUE(second.RemoveFont(4100));
    EXPECT_EQ(second.GetFont(4100), shared);

    second.SetForceShared(true);
    HFONT forced = second.AddFont(4101, L"Arial", 13, false, false, false);
    EXPECT_EQ(first.GetFont(4101), forced);
    EXPECT_TRUE(second.RemoveFontByHandle(forced));
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(forced));
    EXPECT_TRUE(first.RemoveFont(4100, true));
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(shared));
}

TEST(ManagerFonts, MetricsAreMeasuredWithTheWindowDC)
{
    VarnTest::TestWindow window;
    CManagerUI unbound;
    unbound.AddFont(1, L"Arial", 20, false, false, false);
    EXPECT_EQ(unbound.GetFontInfo(1)->tm.tmHeight, 0);

    CManagerUI manager;
    manager.Init(window.get(), L"metrics");
    manager.AddFont(1, L"Arial", 20, false, false, false);
    EXPECT_GT(manager.GetFontInfo(1)->tm.tmHeight, 0);
    EXPECT_GT(manager.GetDefaultFontInfo()->tm.tmHeight, 0);
}

TEST(ManagerFonts, AddAndRemoveAThousandTimes_LeavesNoGdiObject)
{
    VarnTest::TestWindow window;
    { CManagerUI firstOfProcess; }  // creates the shared default font and pen
    const DWORD before = VarnTest::GdiObjectCount();
    {
        CManagerUI manager;
        manager.Init(window.get(), L"gdi fonts");
        for (int i = 0; i < 1000; ++i) {
            HFONT font = manager.AddFont(i % 7, L"Arial", 10 + i % 5, i % 2 == 0, false, false);
            ASSERT_NE(font, nullptr);
            if (i % 3 == 0) {
                ASSERT_TRUE(manager.RemoveFontByHandle(font));
                ASSERT_TRUE(VarnTest::IsDeadGdiObject(font));
            }
        }
        manager.SetDefaultFont(L"Arial", 14, true, false, false);
        HFONT ownDefault = manager.GetDefaultFontInfo()->font.get();
        manager.RemoveAllFonts();
        manager.SetDefaultFont(L"Arial", 15, true, false, false);
        EXPECT_TRUE(VarnTest::IsDeadGdiObject(ownDefault));
    }
    EXPECT_EQ(VarnTest::GdiObjectCount(), before);
}

TEST(ManagerFonts, DestroyingTheManagerFreesItsFonts)
{
    HFONT own = nullptr;
    HFONT ownDefault = nullptr;
    {
        CManagerUI manager;
        own = manager.AddFont(3, L"Arial", 12, false, false, false);
        manager.SetDefaultFont(L"Arial", 16, false, false, false);
        ownDefault = manager.GetDefaultFontInfo()->font.get();
    }
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(own));
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(ownDefault));
}

} // namespace

#include "ui/base/UIGeometry.h"

#include <gtest/gtest.h>

#include <string>

using VarnUI::CUIPoint;
using VarnUI::CUIRect;
using VarnUI::CUISize;

namespace {

void ExpectRect(const RECT& rc, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(rc.left, left);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(rc.right, right);
    EXPECT_EQ(rc.bottom, bottom);
}

} // namespace

TEST(UIGeometry, RectText_ParsesLooselyAndStopsAtTheEnd)
{
    struct Case { const wchar_t* text; RECT expected; };
    const Case cases[] = {
        {L"1,2,3,4", {1, 2, 3, 4}},
        {L"0, 45, 0, 0", {0, 45, 0, 0}},
        {L"-1;-2 3x4", {-1, -2, 3, 4}},
        {L"1,,3,4", {1, 0, 3, 4}},
        {L"5", {5, 0, 0, 0}},
        {L"1,2,", {1, 2, 0, 0}},
        {L"", {0, 0, 0, 0}},
        {nullptr, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : L"(null)");
        const CUIRect rc(c.text);
        ExpectRect(rc, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
    }
}

TEST(UIGeometry, Text_RoundTrips)
{
    EXPECT_STREQ(CUIRect(L"1,2,3,4").ToString().GetData(), L"1,2,3,4");
    EXPECT_STREQ(CUIRect(-2147483647L - 1, 0, 2147483647L, -1).ToString().GetData(), L"-2147483648,0,2147483647,-1");
    EXPECT_STREQ(CUIPoint(L"-5,7").ToString().GetData(), L"-5,7");
    for (const wchar_t* text : {L"454,200", L"454 200", L"454;200"}) {
        const CUISize size(text);
        EXPECT_EQ(size.cx, 454) << text;
        EXPECT_EQ(size.cy, 200) << text;
    }
    EXPECT_STREQ(CUISize(L"454").ToString().GetData(), L"454,0");
}

TEST(UIGeometry, Point_FromMessageParameterSignExtends)
{
    const CUIPoint pt(MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-300)));
    EXPECT_EQ(pt.x, -5);
    EXPECT_EQ(pt.y, -300);
    const CUIPoint plain(MAKELPARAM(640, 480));
    EXPECT_EQ(plain.x, 640);
    EXPECT_EQ(plain.y, 480);
}

TEST(UIGeometry, JoinIncludesEmptyRectsUnionIgnoresThem)
{
    CUIRect joined(0, 0, 10, 10);
    joined.Join(CUIRect(5, 5, 20, 8));
    ExpectRect(joined, 0, 0, 20, 10);

    CUIRect withOrigin(5, 5, 10, 10);
    withOrigin.Join(CUIRect());
    ExpectRect(withOrigin, 0, 0, 10, 10);

    CUIRect united(5, 5, 10, 10);
    united.Union(CUIRect());
    ExpectRect(united, 5, 5, 10, 10);
    united.Union(CUIRect(0, 8, 6, 20));
    ExpectRect(united, 0, 5, 10, 20);
}

TEST(UIGeometry, Rect_MovesAndResizes)
{
    CUIRect rc(3, 4, 10, 12);
    rc.ResetOffset();
    ExpectRect(rc, 0, 0, 7, 8);
    rc.Deflate(1, 2);
    ExpectRect(rc, 1, 2, 6, 6);
    EXPECT_EQ(CUISize(rc).cx, 5);

    CUIRect reversed(10, 20, 0, 5);
    reversed.Normalize();
    ExpectRect(reversed, 0, 5, 10, 20);
}

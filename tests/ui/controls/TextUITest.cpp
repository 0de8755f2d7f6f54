#include "WidgetTestSupport.h"

#include "ui/controls/TextUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

constexpr RECT kTextRect = {10, 10, 290, 60};

POINT CentreOf(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

CTextUI* AddLinkText(CWidgetHost& host, CCanvas& canvas)
{
    auto* text = host.Add(new CTextUI, kTextRect);
    text->SetFont(0);
    text->ApplyAttributeText(L"showhtml=\"true\" text=\"see {a first}one{/a} or {a second}two{/a}\"");
    PaintInto(canvas, *text);
    return text;
}

TEST(TextLinks, PaintingRecordsTheLinksItDrew)
{
    CWidgetHost host;
    CCanvas canvas(300, 70);
    auto* text = AddLinkText(host, canvas);
    ASSERT_EQ(text->GetLinkCount(), 2);
    EXPECT_EQ(std::wstring(text->GetLinkContent(0)->GetData()), L"first");
    EXPECT_EQ(std::wstring(text->GetLinkContent(1)->GetData()), L"second");
    EXPECT_EQ(text->GetLinkContent(2), nullptr);
    EXPECT_EQ(text->GetLinkContent(-1), nullptr);
    EXPECT_LT(text->GetLinkRect(0).right, text->GetLinkRect(1).left + 1);
    EXPECT_EQ(text->QueryControlFlags(), static_cast<UINT>(CTLFLAG_SETCURSOR));
    text->SetEnabled(false);
    EXPECT_EQ(text->QueryControlFlags(), 0u);
}

TEST(TextLinks, ButtonUpOverALinkNotifiesItsIndex)
{
    CWidgetHost host;
    CCanvas canvas(300, 70);
    auto* text = AddLinkText(host, canvas);
    const POINT second = CentreOf(text->GetLinkRect(1));
    host.Send(text, EVT_BUTTONDOWN, second);
    host.Send(text, EVT_BUTTONUP, second);
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].type, L"link");
    EXPECT_EQ(host.notes[0].wParam, 1u);

    // Between the links the event is not the text's: it bubbles to the parent.
    host.Send(text, EVT_BUTTONUP, {kTextRect.right - 2, kTextRect.bottom - 2});
    EXPECT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.root().bubbled, std::vector<int>{EVT_BUTTONUP});

    text->SetEnabled(false);
    host.Send(text, EVT_BUTTONUP, second);
    EXPECT_EQ(host.notes.size(), 1u);
}

TEST(TextLinks, HoverFollowsTheMouseAndLeaves)
{
    CWidgetHost host;
    CCanvas canvas(300, 70);
    auto* text = AddLinkText(host, canvas);
    const POINT first = CentreOf(text->GetLinkRect(0));
    host.Validate();
    host.Send(text, EVT_MOUSEMOVE, first);
    EXPECT_EQ(text->GetHoverLink(), 0);
    EXPECT_TRUE(host.HasUpdate());

    host.Validate();
    host.Send(text, EVT_MOUSEMOVE, {first.x + 1, first.y});
    EXPECT_FALSE(host.HasUpdate()) << "the same link repaints nothing";

    host.Send(text, EVT_MOUSELEAVE, first);   // still over the link: stays hovered
    EXPECT_EQ(text->GetHoverLink(), 0);
    host.Send(text, EVT_MOUSELEAVE, {0, 0});
    EXPECT_EQ(text->GetHoverLink(), -1);
}

TEST(TextLinks, PlainOrEmptyTextHasNoLinks)
{
    CWidgetHost host;
    CCanvas canvas(300, 70);
    auto* text = AddLinkText(host, canvas);
    ASSERT_EQ(text->GetLinkCount(), 2);
    text->SetShowHtml(false);
    PaintInto(canvas, *text);
    EXPECT_EQ(text->GetLinkCount(), 0) << "old rectangles must not answer clicks";
    EXPECT_EQ(text->QueryControlFlags(), 0u);

    text->SetShowHtml(true);
    PaintInto(canvas, *text);
    EXPECT_EQ(text->GetLinkCount(), 2);
    text->SetText(L"");
    PaintInto(canvas, *text);
    EXPECT_EQ(text->GetLinkCount(), 0);
}

} // namespace

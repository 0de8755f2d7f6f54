// Layout arithmetic of the vertical, horizontal and tile layouts with fixed-size children, and
// the scroll bars the layouts show and hide for their content.
#include "LayoutTestSupport.h"

#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/TileLayoutUI.h"
#include "ui/controls/VerticalLayoutUI.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VarnUI;
using VarnTest::Kid;
using VarnTest::Str;

namespace {

struct FlowCase {
    const char* what;
    RECT pos;
    RECT inset;
    int childPadding;
    int align;    // child align (vertical layout) or child vertical align (horizontal)
    std::vector<Kid> kids;
    std::vector<RECT> expected;
};

void RunFlowCase(CContainerUI& layout, const FlowCase& c, bool vertical)
{
    layout.SetInset(c.inset);
    layout.SetChildPadding(c.childPadding);
    if (vertical) {
        layout.SetChildAlign(c.align);
    } else {
        layout.SetChildVAlign(c.align);
    }
    std::vector<CControlUI*> children;
    for (const Kid& kid : c.kids) {
        children.push_back(VarnTest::MakeKid(kid));
        layout.Add(children.back());
    }
    layout.SetPos(c.pos, false);
    for (size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(Str(children[i]->GetPos()), Str(c.expected[i])) << c.what << ", child " << i;
    }
}

TEST(VerticalLayout, GeometryTable)
{
    const RECT none = {0, 0, 0, 0};
    const FlowCase cases[] = {
        {"101 pixels split into 50 and 51", {0, 0, 100, 101}, none, 0, ALIGN_LEFT,
         {{}, {}}, {{0, 0, 100, 50}, {0, 50, 100, 101}}},
        {"fixed width 0 spans the width less the paddings", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{0, 20, {5, 3, 7, 0}}}, {{5, 3, 93, 23}}},
        {"centre alignment ignores the left padding", {0, 0, 100, 100}, none, 0, ALIGN_CENTER,
         {{40, 20, {10, 0, 0, 0}}}, {{30, 0, 70, 20}}},
        {"right alignment keeps the right padding", {0, 0, 100, 100}, none, 0, ALIGN_RIGHT,
         {{40, 20, {0, 0, 5, 0}}}, {{55, 0, 95, 20}}},
        {"inset and child padding", {0, 0, 100, 100}, {10, 10, 10, 10}, 5, ALIGN_LEFT,
         {{0, 20}, {0, 20}}, {{10, 10, 90, 30}, {10, 35, 90, 55}}},
        {"max height caps a share, the last adjustable takes the rest", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{0, 0, {}, 0, 9999, 0, 30}, {}}, {{0, 0, 100, 30}, {0, 30, 100, 100}}},
        {"min height raises a fixed height", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{0, 10, {}, 0, 9999, 25}}, {{0, 0, 100, 25}}},
        {"max width caps a fixed width", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{50, 10, {}, 0, 30}}, {{0, 0, 30, 10}}},
        {"fixed children around an adjustable one", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{0, 30}, {}, {0, 20}}, {{0, 0, 100, 30}, {0, 30, 100, 80}, {0, 80, 100, 100}}},
        {"paddings of adjustable children", {0, 0, 100, 100}, none, 0, ALIGN_LEFT,
         {{0, 0, {0, 5, 0, 5}}, {}}, {{0, 5, 100, 50}, {0, 55, 100, 100}}},
        {"placed at the layout's own offset", {20, 30, 120, 130}, none, 0, ALIGN_LEFT,
         {{0, 10}}, {{20, 30, 120, 40}}},
        {"a hidden child takes no space", {0, 0, 10, 60}, none, 0, ALIGN_LEFT,
         {{}, {0, 30, {}, 0, 9999, 0, 9999, true}, {}}, {{0, 0, 10, 30}, {0, 0, 0, 0}, {0, 30, 10, 60}}},
    };
    for (const FlowCase& c : cases) {
        CVerticalLayoutUI layout;
        RunFlowCase(layout, c, true);
    }
}

TEST(HorizontalLayout, GeometryTable)
{
    const RECT none = {0, 0, 0, 0};
    const FlowCase cases[] = {
        {"101 pixels split into 50 and 51", {0, 0, 101, 50}, none, 0, VALIGN_TOP,
         {{}, {}}, {{0, 0, 50, 50}, {50, 0, 101, 50}}},
        {"fixed height 0 spans the height less the paddings", {0, 0, 100, 100}, none, 0, VALIGN_TOP,
         {{20, 0, {2, 5, 0, 7}}}, {{2, 5, 22, 93}}},
        {"vertical centre ignores the top padding", {0, 0, 100, 100}, none, 0, VALIGN_VCENTER,
         {{20, 40, {0, 10, 0, 0}}}, {{0, 30, 20, 70}}},
        {"bottom keeps the bottom padding", {0, 0, 100, 100}, none, 0, VALIGN_BOTTOM,
         {{20, 40, {0, 0, 0, 5}}}, {{0, 55, 20, 95}}},
        {"child padding between a fixed and an adjustable child", {0, 0, 100, 40}, none, 10, VALIGN_TOP,
         {{30, 0}, {}}, {{0, 0, 30, 40}, {40, 0, 100, 40}}},
        {"min and max widths", {0, 0, 100, 40}, none, 0, VALIGN_TOP,
         {{10, 0, {}, 25}, {0, 0, {}, 0, 20}, {}}, {{0, 0, 25, 40}, {25, 0, 45, 40}, {45, 0, 100, 40}}},
    };
    for (const FlowCase& c : cases) {
        CHorizontalLayoutUI layout;
        RunFlowCase(layout, c, false);
    }
}

TEST(Layout, FloatChildIsPlacedRelativeToTheLayoutOutsideTheFlow)
{
    CVerticalLayoutUI layout;
    CControlUI* flowing = VarnTest::MakeKid({0, 20});
    auto* floating = new CControlUI;
    floating->SetFloat(true);
    floating->SetFixedXY({5, 6});
    floating->SetFixedWidth(10);
    floating->SetFixedHeight(12);
    floating->SetFloatPercent({0.5, 0.0, 0.5, 0.0});
    layout.Add(floating);
    layout.Add(flowing);
    layout.SetPos({100, 100, 200, 200}, false);
    EXPECT_EQ(Str(floating->GetPos()), Str({155, 106, 165, 118}));
    EXPECT_EQ(Str(flowing->GetPos()), Str({100, 100, 200, 120}));
}

struct TileCase {
    const char* what;
    RECT pos;
    int columns;
    int childPadding;
    int vPadding;
    SIZE itemSize;
    int align;
    int valign;
    std::vector<Kid> kids;
    std::vector<RECT> expected;
};

TEST(TileLayout, CellTable)
{
    const TileCase cases[] = {
        {"columns that fit, spread over the width", {0, 0, 250, 200}, 0, 0, 0, {80, 80}, ALIGN_LEFT, VALIGN_TOP,
         {{}, {}, {}, {}}, {{0, 0, 80, 80}, {85, 0, 165, 80}, {170, 0, 250, 80}, {0, 80, 80, 160}}},
        {"wished columns with child padding and row gap", {0, 0, 300, 300}, 2, 10, 6, {80, 80}, ALIGN_LEFT,
         VALIGN_TOP, {{}, {}, {}}, {{0, 0, 80, 80}, {90, 0, 170, 80}, {0, 86, 80, 166}}},
        {"narrower than one cell: one column", {0, 0, 50, 300}, 0, 0, 0, {80, 40}, ALIGN_LEFT, VALIGN_TOP,
         {{}, {}}, {{0, 0, 80, 40}, {0, 40, 80, 80}}},
        {"cells without width: one column", {0, 0, 300, 300}, 0, 0, 0, {0, 30}, ALIGN_LEFT, VALIGN_TOP,
         {{}, {}}, {{0, 0, 0, 30}, {0, 30, 0, 60}}},
        {"centred inside the padded cell", {0, 0, 80, 80}, 1, 0, 0, {80, 80}, ALIGN_CENTER, VALIGN_VCENTER,
         {{0, 0, {4, 4, 4, 4}, 0, 50, 0, 40}}, {{15, 20, 65, 60}}},
        {"right and bottom inside the padded cell", {0, 0, 80, 80}, 1, 0, 0, {80, 80}, ALIGN_RIGHT, VALIGN_BOTTOM,
         {{0, 0, {4, 4, 6, 6}, 0, 50, 0, 40}}, {{24, 34, 74, 74}}},
        {"padding fills the cell less the padding", {0, 0, 80, 80}, 1, 0, 0, {80, 80}, ALIGN_LEFT, VALIGN_TOP,
         {{0, 0, {2, 3, 4, 5}}}, {{2, 3, 76, 75}}},
        {"a hidden child leaves no hole", {0, 0, 160, 80}, 2, 0, 0, {80, 80}, ALIGN_LEFT, VALIGN_TOP,
         {{}, {0, 0, {}, 0, 9999, 0, 9999, true}, {}}, {{0, 0, 80, 80}, {0, 0, 0, 0}, {80, 0, 160, 80}}},
    };
    for (const TileCase& c : cases) {
        CTileLayoutUI layout;
        layout.SetColumns(c.columns);
        layout.SetChildPadding(c.childPadding);
        layout.SetChildVPadding(c.vPadding);
        layout.SetItemSize(c.itemSize);
        layout.SetChildAlign(c.align);
        layout.SetChildVAlign(c.valign);
        std::vector<CControlUI*> children;
        for (const Kid& kid : c.kids) {
            children.push_back(VarnTest::MakeKid(kid));
            layout.Add(children.back());
        }
        layout.SetPos(c.pos, false);
        for (size_t i = 0; i < children.size(); ++i) {
            EXPECT_EQ(Str(children[i]->GetPos()), Str(c.expected[i])) << c.what << ", child " << i;
        }
    }
}

TEST(TileLayout, EmptyLayoutCountsItsRowsByTheFormula)
{
    // rows = (count - 1) / columns + 1, needed height = (rows - 1) x gap + rows x item height.
    const struct {
        int columns;
        int rows;
    } cases[] = {{0, 1}, {2, 1}, {1, 0}};
    for (const auto& c : cases) {
        CTileLayoutUI layout;
        layout.SetColumns(c.columns);
        layout.SetPos({0, 0, 250, 200}, false);
        EXPECT_EQ(layout.GetRowsUsed(), c.rows) << c.columns << " columns";
    }
    // One row of 300 pixels does not fit 200.
    CTileLayoutUI layout;
    layout.EnableScrollBar(true, false);
    layout.SetItemSize({80, 300});
    layout.SetPos({0, 0, 250, 200}, false);
    ASSERT_TRUE(layout.GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(layout.GetVerticalScrollBar()->GetScrollRange(), 100);
}

// A 100 x 100 vertical layout with a vertical bar of the default width 16.
class ScrolledLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        layout.EnableScrollBar(true, false);
        for (int i = 0; i < 3; ++i) {
            kids[i] = VarnTest::MakeKid({0, 50});
            layout.Add(kids[i]);
        }
        layout.SetPos({0, 0, 100, 100}, false);
    }

    CScrollBarUI* Bar() const { return layout.GetVerticalScrollBar(); }

    CVerticalLayoutUI layout;
    CControlUI* kids[3] = {};
};

TEST_F(ScrolledLayout, BarAppearsWithTheOverflowAsRange)
{
    ASSERT_TRUE(Bar()->IsVisible());
    EXPECT_EQ(Bar()->GetScrollRange(), 50);
    EXPECT_EQ(Str(Bar()->GetPos()), Str({84, 0, 100, 100}));
    EXPECT_EQ(Str(kids[0]->GetPos()), Str({0, 0, 84, 50}));
    EXPECT_EQ(Str(kids[2]->GetPos()), Str({0, 100, 84, 150}));
}

TEST_F(ScrolledLayout, ScrollingMovesTheChildren)
{
    layout.SetScrollPos({0, 30});
    EXPECT_EQ(layout.GetScrollPos().cy, 30);
    EXPECT_EQ(Str(kids[0]->GetPos()), Str({0, -30, 84, 20}));
    layout.EndDown();
    EXPECT_EQ(Str(kids[2]->GetPos()), Str({0, 50, 84, 100}));
    layout.PageUp();  // a page of 100 is more than the position
    EXPECT_EQ(layout.GetScrollPos().cy, 0);
    layout.LineDown();  // 8 without a manager
    EXPECT_EQ(layout.GetScrollPos().cy, 8);
    // Relaying out keeps the scrolled place.
    layout.SetPos({0, 0, 100, 100}, false);
    EXPECT_EQ(Str(kids[0]->GetPos()), Str({0, -8, 84, 42}));
}

TEST_F(ScrolledLayout, ShrinkingContentLowersThePositionAndPlacesAgain)
{
    layout.EndDown();
    kids[2]->SetFixedHeight(20);  // content 120: range 20
    layout.SetPos({0, 0, 100, 100}, false);
    EXPECT_EQ(Bar()->GetScrollRange(), 20);
    EXPECT_EQ(Bar()->GetScrollPos(), 20);
    EXPECT_EQ(Str(kids[2]->GetPos()), Str({0, 80, 84, 100}));
}

TEST_F(ScrolledLayout, BarDisappearsWhenTheContentFits)
{
    layout.EndDown();
    layout.Remove(kids[2]);
    layout.SetPos({0, 0, 100, 100}, false);
    EXPECT_FALSE(Bar()->IsVisible());
    EXPECT_EQ(Bar()->GetScrollRange(), 0);
    EXPECT_EQ(layout.GetScrollPos().cy, 0);
    EXPECT_EQ(Str(kids[0]->GetPos()), Str({0, 0, 100, 50}));
    EXPECT_EQ(Str(kids[1]->GetPos()), Str({0, 50, 100, 100}));
}

TEST_F(ScrolledLayout, KeysScroll)
{
    EventUI key;
    key.type = EVT_KEYDOWN;
    key.key = VK_END;
    layout.Event(key);
    EXPECT_EQ(layout.GetScrollPos().cy, 50);
    key.key = VK_UP;
    layout.Event(key);
    EXPECT_EQ(layout.GetScrollPos().cy, 42);
}

TEST(ScrollBars, BothBarsShareTheCorner)
{
    CVerticalLayoutUI layout;
    layout.EnableScrollBar(true, true);
    layout.Add(VarnTest::MakeKid({200, 150}));
    layout.SetPos({0, 0, 100, 100}, false);
    CScrollBarUI* vertical = layout.GetVerticalScrollBar();
    CScrollBarUI* horizontal = layout.GetHorizontalScrollBar();
    ASSERT_TRUE(vertical->IsVisible());
    ASSERT_TRUE(horizontal->IsVisible());
    EXPECT_EQ(Str(vertical->GetPos()), Str({84, 0, 100, 84}));
    EXPECT_EQ(Str(horizontal->GetPos()), Str({0, 84, 84, 100}));
    EXPECT_EQ(vertical->GetScrollRange(), 150 - 84);
    EXPECT_EQ(horizontal->GetScrollRange(), 200 - 84);

    layout.SetScrollPos({30, 0});
    EXPECT_EQ(layout.GetItemAt(0)->GetPos().left, -30);
    // Wide content gone: the horizontal bar goes and the child is placed unscrolled.
    layout.GetItemAt(0)->SetFixedWidth(50);
    layout.SetPos({0, 0, 100, 100}, false);
    EXPECT_FALSE(horizontal->IsVisible());
    EXPECT_EQ(vertical->GetScrollRange(), 50);
    EXPECT_EQ(Str(layout.GetItemAt(0)->GetPos()), Str({0, 0, 50, 150}));
}

TEST(ScrollBars, HorizontalLayoutShowsItsBarAtTheBottom)
{
    CHorizontalLayoutUI layout;
    layout.EnableScrollBar(false, true);
    layout.Add(VarnTest::MakeKid({80, 0}));
    layout.Add(VarnTest::MakeKid({80, 0}));
    layout.SetPos({0, 0, 100, 50}, false);
    CScrollBarUI* bar = layout.GetHorizontalScrollBar();
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollRange(), 60);
    EXPECT_EQ(Str(bar->GetPos()), Str({0, 34, 100, 50}));
    EXPECT_EQ(Str(layout.GetItemAt(1)->GetPos()), Str({80, 0, 160, 34}));
}

} // namespace

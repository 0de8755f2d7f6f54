// The scroll bar: part geometry, positions and their snapping, pressing, dragging and
// auto-repeat, hot states, painting and the merged "scroll" notification.
#include "LayoutTestSupport.h"

#include "../manager/ManagerTestSupport.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::MakeEvent;
using VarnTest::Str;

namespace {

struct BarCase {
    const char* what;
    bool horizontal;
    RECT pos;
    int range;
    int position;
    bool showButton1;
    RECT button1, button2, thumb;
};

TEST(ScrollBarGeometry, PartTable)
{
    const BarCase cases[] = {
        {"top", false, {0, 0, 16, 100}, 100, 0, true, {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 16, 16, 50}},
        {"middle", false, {0, 0, 16, 100}, 100, 50, true, {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 33, 16, 67}},
        {"end", false, {0, 0, 16, 100}, 100, 100, true, {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 50, 16, 84}},
        {"range 0 fills the track", false, {0, 0, 16, 100}, 0, 0, true, {0, 0, 16, 16}, {0, 84, 16, 100},
         {0, 16, 16, 84}},
        {"30 high: buttons of 15, no thumb", false, {0, 0, 16, 30}, 100, 0, true, {0, 0, 16, 15},
         {0, 15, 16, 30}, {0, 0, 0, 0}},
        {"hidden first button", false, {0, 0, 16, 100}, 100, 0, false, {0, 0, 0, 0}, {0, 84, 16, 100},
         {0, 0, 16, 42}},
        {"horizontal at the end", true, {0, 0, 100, 16}, 100, 100, true, {0, 0, 16, 16}, {84, 0, 100, 16},
         {50, 0, 84, 16}},
        {"huge range keeps a thumb of the thickness", false, {0, 0, 16, 1000}, 1000000, 500000, true,
         {0, 0, 16, 16}, {0, 984, 16, 1000}, {0, 492, 16, 508}},
        {"placed off the origin", false, {10, 20, 26, 120}, 100, 0, true, {10, 20, 26, 36}, {10, 104, 26, 120},
         {10, 36, 26, 70}},
    };
    for (const BarCase& c : cases) {
        CScrollBarUI bar;
        bar.SetHorizontal(c.horizontal);
        bar.SetShowButton1(c.showButton1);
        bar.SetScrollRange(c.range);
        bar.SetScrollPos(c.position);
        bar.SetPos(c.pos, false);
        EXPECT_EQ(Str(bar.GetButton1Rect()), Str(c.button1)) << c.what;
        EXPECT_EQ(Str(bar.GetButton2Rect()), Str(c.button2)) << c.what;
        EXPECT_EQ(Str(bar.GetThumbRect()), Str(c.thumb)) << c.what;
    }
}

TEST(ScrollBarPosition, SnapsToTheNearestUnitWithinTheRange)
{
    struct Case {
        int unit, range, from, asked, expected;
    };
    const Case cases[] = {
        {10, 100, 0, 14, 10}, {10, 100, 0, 15, 20}, {10, 100, 50, 4, 0},  {10, 100, 50, -3, 0},
        {10, 100, 0, 97, 100}, {10, 25, 0, 24, 20}, {10, 25, 0, 26, 25}, {3, 100, 0, 4, 3},
        {3, 100, 0, 5, 6},     {1, 100, 0, 14, 14}, {0, 100, 0, 14, 14}, {1, 100, 0, 150, 100},
    };
    for (const Case& c : cases) {
        CScrollBarUI bar;
        bar.SetScrollRange(c.range);
        bar.SetScrollPos(c.from);
        bar.SetScrollUnit(c.unit);
        bar.SetScrollPos(c.asked);
        EXPECT_EQ(bar.GetScrollPos(), c.expected) << "unit " << c.unit << ", " << c.asked;
    }
    CScrollBarUI bar;
    bar.SetScrollPos(80);
    bar.SetScrollRange(50);
    EXPECT_EQ(bar.GetScrollPos(), 50);
    bar.SetScrollRange(-5);
    EXPECT_EQ(bar.GetScrollRange(), 0);
    EXPECT_EQ(bar.GetScrollPos(), 0);
    bar.SetScrollUnit(10);
    EXPECT_EQ(bar.GetLineSize(), 10);
    bar.SetScrollUnit(-2);
    EXPECT_EQ(bar.GetScrollUnit(), 10);
}

// A bar on a real window: the manager runs its timer and queues its notifications.
class ScrollBarOnWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.AddNotifier(&log);
        bar = new CScrollBarUI;
        manager.AttachRoot(bar);
        bar->SetScrollRange(100);
        bar->SetPos({0, 0, 16, 100}, false);
    }
    void Send(int type, POINT pt = {0, 0}, WPARAM wParam = 0)
    {
        EventUI event = MakeEvent(type, pt, wParam);
        bar->Event(event);
    }
    void Tick() { Send(EVT_TIMER, {0, 0}, CScrollBarUI::kRepeatTimer); }

    size_t Scrolls() const
    {
        size_t count = 0;
        for (const NotifyUI& record : log.records) count += record.type == L"scroll" ? 1 : 0;
        return count;
    }

    VarnTest::HostWindow host{100, 120};
    CManagerUI& manager = host.manager();
    VarnTest::NotifyLog log;
    CScrollBarUI* bar = nullptr;
};

TEST_F(ScrollBarOnWindow, HeldArrowRepeatsAfterTheFifthTick)
{
    Send(EVT_BUTTONDOWN, {8, 90});
    EXPECT_EQ(bar->GetScrollPos(), 8);
    EXPECT_TRUE(bar->GetButton2State() & STATE_PUSHED);
    EXPECT_FALSE(manager.SetTimer(bar, CScrollBarUI::kRepeatTimer, 50)) << "the repeat timer runs";
    for (int i = 0; i < 5; ++i) Tick();
    EXPECT_EQ(bar->GetScrollPos(), 8);
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 16);
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 24);
    Send(EVT_BUTTONUP, {8, 90});
    EXPECT_FALSE(bar->GetButton2State() & STATE_PUSHED);
    EXPECT_FALSE(manager.KillTimer(bar, CScrollBarUI::kRepeatTimer)) << "the release stopped it";
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 24);

    Send(EVT_BUTTONDOWN, {8, 5});
    EXPECT_EQ(bar->GetScrollPos(), 16);
    Send(EVT_BUTTONUP, {8, 5});
}

TEST_F(ScrollBarOnWindow, TrackPressPagesByTheBarLength)
{
    bar->SetScrollRange(1000);
    Send(EVT_BUTTONDOWN, {8, 70});
    EXPECT_EQ(bar->GetScrollPos(), 100);
    Send(EVT_BUTTONUP, {8, 70});
    Send(EVT_BUTTONDOWN, {8, 17});
    EXPECT_EQ(bar->GetScrollPos(), 0);
    Send(EVT_BUTTONUP, {8, 17});
}

TEST_F(ScrollBarOnWindow, ThumbDragFollowsTheMouseOnTheNextTick)
{
    Send(EVT_BUTTONDOWN, {8, 20});
    EXPECT_EQ(bar->GetThumbState() & (STATE_PUSHED | STATE_CAPTURED), STATE_PUSHED | STATE_CAPTURED);
    Send(EVT_MOUSEMOVE, {8, 37});  // 17 of 34 free pixels
    EXPECT_EQ(bar->GetScrollPos(), 0);
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 50);
    Send(EVT_MOUSEMOVE, {8, 200});
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 100);
    Send(EVT_BUTTONUP, {8, 200});
    EXPECT_EQ(bar->GetThumbState() & (STATE_PUSHED | STATE_CAPTURED), 0u);

    bar->SetScrollRange(0);
    Send(EVT_BUTTONDOWN, {8, 50});
    Send(EVT_MOUSEMOVE, {8, 80});
    Tick();
    EXPECT_EQ(bar->GetScrollPos(), 0);
    Send(EVT_BUTTONUP, {8, 80});
}

TEST_F(ScrollBarOnWindow, HotStatesFollowTheMouse)
{
    Send(EVT_MOUSEENTER, {8, 30});
    EXPECT_TRUE(bar->GetButton1State() & STATE_HOT);
    EXPECT_TRUE(bar->GetButton2State() & STATE_HOT);
    EXPECT_TRUE(bar->GetThumbState() & STATE_HOT);
    Send(EVT_MOUSEMOVE, {8, 70});
    EXPECT_FALSE(bar->GetThumbState() & STATE_HOT);
    Send(EVT_MOUSELEAVE, {8, 70});  // still inside: the bar waits for the real leave
    EXPECT_TRUE(bar->GetButton1State() & STATE_HOT);
    Send(EVT_MOUSELEAVE, {50, 70});
    EXPECT_FALSE(bar->GetButton1State() & STATE_HOT);

    Send(EVT_MOUSEENTER, {8, 30});
    bar->SetEnabled(false);
    EXPECT_EQ(bar->GetButton1State() | bar->GetThumbState(), 0u);
    Send(EVT_BUTTONDOWN, {8, 90});
    EXPECT_EQ(bar->GetScrollPos(), 0);
}

TEST_F(ScrollBarOnWindow, ScrollNotificationsMergeUntilDelivered)
{
    bar->SetScrollPos(10);
    bar->SetScrollPos(30);
    EXPECT_EQ(Scrolls(), 0u) << "queued, not sent at once";
    VarnTest::HostWindow::Pump();
    ASSERT_EQ(Scrolls(), 1u);
    EXPECT_EQ(log.records[0].sender, bar);
    EXPECT_EQ(log.records[0].wParam, 30u);
    EXPECT_EQ(log.records[0].lParam, 10);
    bar->SetScrollPos(30);
    VarnTest::HostWindow::Pump();
    EXPECT_EQ(Scrolls(), 1u) << "an unchanged position is no scroll";
}

TEST_F(ScrollBarOnWindow, PaintsPartsInOrderWithTheirStateImages)
{
    bar->ApplyAttributeText(L"button1color=\"#FFFF0000\" button2normalimage=\"color='#FF0000FF'\" "
                            L"thumbnormalimage=\"color='#FF00FF00' dest='0,0,2,2'\" "
                            L"railnormalimage=\"color='#FFFFFFFF'\" bkhotimage=\"color='#FF123456'\"");
    VarnTest::Canvas canvas(16, 100, 0);
    const RECT all = {0, 0, 16, 100};
    ASSERT_TRUE(bar->Paint(canvas.dc(), all));
    EXPECT_EQ(canvas.At(8, 5), 0xFF0000u);
    EXPECT_EQ(canvas.At(8, 95), 0x0000FFu);
    EXPECT_EQ(canvas.At(8, 18), 0x00FF00u) << "the part, not the string's dest, places it";
    EXPECT_EQ(canvas.At(8, 33), 0xFFFFFFu) << "the rail sits on the thumb's centre";
    EXPECT_EQ(canvas.At(8, 70), 0u) << "no normal background image";

    Send(EVT_MOUSEENTER, {8, 30});
    ASSERT_TRUE(bar->Paint(canvas.dc(), all));
    EXPECT_EQ(canvas.At(8, 70), 0x123456u);
    EXPECT_EQ(canvas.At(8, 18), 0x00FF00u) << "no hot thumb image: the normal one";
}

} // namespace

// Layouts and scroll bars driven through real window messages: the manager lays the tree out
// before painting, routes the mouse and runs the bar's repeat timer.
#include "LayoutTestSupport.h"

#include "../manager/ManagerTestSupport.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/VerticalLayoutUI.h"
#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;

namespace {

// A 200 x 200 window whose root is a vertical layout of ten 50-pixel children with a
// vertical bar: range 300, the bar's down arrow at (184..200, 184..200).
class ScrolledWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The real pointer, where an earlier test left it over this corner, would steer the
        // drags below through the moves the platform reports for it.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        root = new CVerticalLayoutUI;
        root->EnableScrollBar(true, false);
        for (int i = 0; i < 10; ++i) root->Add(VarnTest::MakeKid({0, 50}));
        host.manager().AttachRoot(root);
        host.PaintNow();
        ASSERT_EQ(root->GetVerticalScrollBar()->GetScrollRange(), 300);
    }
    int Position() const { return root->GetScrollPos().cy; }
    int LineStep() { return host.manager().GetDefaultFontInfo()->tm.tmHeight + 8; }
    // Pumps until the position leaves `from` or the time is up; the milliseconds waited.
    DWORD PumpUntilMoved(int from, DWORD limit)
    {
        const DWORD start = ::GetTickCount();
        while (Position() == from && ::GetTickCount() - start < limit) {
            VarnTest::HostWindow::Pump();
            ::Sleep(5);
        }
        return ::GetTickCount() - start;
    }

    VarnTest::HostWindow host{200, 200, true};
    CVerticalLayoutUI* root = nullptr;
};

TEST_F(ScrolledWindow, HeldArrowScrollsOnceThenRepeatsOnTheTimer)
{
    host.Mouse(WM_LBUTTONDOWN, 192, 192, MK_LBUTTON);
    const int once = LineStep();
    EXPECT_EQ(Position(), once);
    const DWORD waited = PumpUntilMoved(once, 3000);
    EXPECT_GT(Position(), once) << "the held arrow repeats";
    EXPECT_GE(waited, 250u) << "not before the fifth tick of 50 ms";

    host.Mouse(WM_LBUTTONUP, 192, 192);
    const int released = Position();
    PumpUntilMoved(released, 400);
    EXPECT_EQ(Position(), released) << "the release stops the repeat";
}

TEST_F(ScrolledWindow, WheelOverAChildOrTheBarScrollsTheLayout)
{
    auto wheel = [&](int x, int y, short delta) {
        POINT pt = {x, y};
        ::ClientToScreen(host.get(), &pt);
        host.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(pt.x, pt.y));
    };
    wheel(50, 50, -WHEEL_DELTA);
    EXPECT_EQ(Position(), LineStep());
    wheel(192, 100, -WHEEL_DELTA);
    EXPECT_EQ(Position(), 2 * LineStep()) << "the bar hands the wheel to its owner";
    wheel(50, 50, WHEEL_DELTA);
    EXPECT_EQ(Position(), LineStep());
}

TEST_F(ScrolledWindow, ThumbDragScrollsTheContent)
{
    // Thumb: 200 x 168 / 500 = 67 pixels from 16; free track 168 - 67 = 101 pixels.
    const RECT thumb = root->GetVerticalScrollBar()->GetThumbRect();
    ASSERT_EQ(thumb.top, 16);
    host.Mouse(WM_LBUTTONDOWN, 192, 30, MK_LBUTTON);
    host.Mouse(WM_MOUSEMOVE, 192, 30 + 101, MK_LBUTTON);
    PumpUntilMoved(0, 2000);
    EXPECT_EQ(Position(), 300);
    host.Mouse(WM_LBUTTONUP, 192, 131);
    host.PaintNow();
    EXPECT_EQ(root->GetItemAt(9)->GetPos().bottom, 200) << "the last child at the bottom";
}

TEST(SeparatorMessages, DragResizesThroughTheParentLayout)
{
    VarnTest::HostWindow host(200, 200, true);
    auto* root = new CVerticalLayoutUI;
    auto* top = new CVerticalLayoutUI;
    top->ApplyAttributeText(L"height=\"60\" sepheight=\"6\"");
    CControlUI* rest = VarnTest::MakeKid({});
    root->Add(top);
    root->Add(rest);
    host.manager().AttachRoot(root);
    host.PaintNow();
    ASSERT_EQ(top->GetPos().bottom, 60);

    host.Mouse(WM_LBUTTONDOWN, 100, 57, MK_LBUTTON);
    host.Mouse(WM_MOUSEMOVE, 100, 77, MK_LBUTTON);
    host.PaintNow();
    EXPECT_EQ(top->GetPos().bottom, 60) << "shown as a shade until the release";
    host.Mouse(WM_LBUTTONUP, 100, 77);
    host.PaintNow();
    EXPECT_EQ(top->GetPos().bottom, 80);
    EXPECT_EQ(rest->GetPos().top, 80);
    EXPECT_EQ(host.manager().GetPostPaintCount(), 0);
}

} // namespace

#include "ManagerTestSupport.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::HostWindow;
using VarnTest::LoggingControl;
using VarnTest::NotifyLog;
using VarnTest::TestContainer;

namespace {

// Two logging controls side by side on a plain root that covers the window.
struct MouseScene {
    HostWindow host;
    std::wstring log;
    TestContainer* root = new TestContainer;
    LoggingControl* a = new LoggingControl(L"a", {10, 10, 100, 100}, &log);
    LoggingControl* b = new LoggingControl(L"b", {150, 10, 250, 100}, &log);

    MouseScene()
    {
        root->SetPos({0, 0, 300, 200}, false);
        root->Add(a);
        root->Add(b);
        host.manager().AttachRoot(root);
    }
    LPARAM ScreenPoint(int x, int y) const
    {
        POINT pt = {x, y};
        ::ClientToScreen(host.get(), &pt);
        return MAKELPARAM(pt.x, pt.y);
    }
};

TEST(ManagerMouse, PressMoveOutReleaseOutside_PressedControlGetsEverything)
{
    MouseScene s;
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(s.log, L"a.enter a.move ");
    s.log.clear();

    s.host.Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_TRUE(s.host.manager().IsCaptured());
    EXPECT_EQ(s.host.manager().GetFocus(), s.a);
    s.host.Mouse(WM_MOUSEMOVE, 120, 20, MK_LBUTTON);
    s.host.Mouse(WM_MOUSEMOVE, 200, 20, MK_LBUTTON);  // over b: the hover stays frozen on a
    s.host.Mouse(WM_LBUTTONUP, 200, 30);
    EXPECT_EQ(s.log, L"a.setfocus a.down a.move a.move a.up ");
    EXPECT_FALSE(s.host.manager().IsCaptured());
    EXPECT_EQ(s.a->events.back().mouse.x, 200);
    EXPECT_EQ(s.a->events.back().mouse.y, 30);
    const EventUI& down = s.a->events[s.a->events.size() - 4];
    EXPECT_EQ(down.keyState, MK_LBUTTON);  // button events carry the message's own flags

    s.log.clear();
    s.host.Mouse(WM_MOUSEMOVE, 200, 30);  // released: hover catches up
    EXPECT_EQ(s.log, L"a.leave b.enter b.move ");
    EXPECT_FALSE(s.host.Handled(WM_MOUSEMOVE));
}

TEST(ManagerMouse, FromAToB_LeaveListenersFirstThenLeaveEnterMove)
{
    MouseScene s;
    auto* watcher = new LoggingControl(L"w", {0, 150, 5, 155}, &s.log);
    s.root->Add(watcher);
    s.host.manager().AddMouseLeaveListener(watcher);
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    s.log.clear();
    s.host.Mouse(WM_MOUSEMOVE, 160, 20);
    EXPECT_EQ(s.log, L"w.leave a.leave b.enter b.move ");
    EXPECT_EQ(watcher->events.back().sender, s.a);

    // Over the bare root (no logging) and outside every control.
    s.log.clear();
    s.host.Mouse(WM_MOUSEMOVE, 280, 180);
    s.host.Mouse(WM_MOUSEMOVE, -1, -1);
    EXPECT_EQ(s.log, L"w.leave b.leave w.leave ");
}

TEST(ManagerMouse, Wheel_DirectionAndHoverFollows)
{
    MouseScene s;
    s.host.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), s.ScreenPoint(20, 20));  // away from the user
    EXPECT_EQ(s.log, L"a.wheel a.enter a.move ");
    EXPECT_EQ(s.a->events[0].wParam, 0u);
    s.host.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), s.ScreenPoint(20, 20));
    EXPECT_EQ(s.a->events.back().type, EVT_MOUSEMOVE);
    EXPECT_EQ(s.a->events[s.a->events.size() - 2].wParam, 1u);
}

TEST(ManagerMouse, MouseLeave_PointerGoneEndsTheHoverOnce)
{
    MouseScene s;
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    RECT window = {};
    ::GetWindowRect(s.host.get(), &window);
    ::SetCursorPos(window.right + 40, window.bottom + 40);
    s.log.clear();
    s.host.Send(WM_MOUSELEAVE);
    s.host.Send(WM_MOUSELEAVE);  // no tracking request outstanding any more
    EXPECT_EQ(s.log, L"a.leave ");
}

TEST(ManagerMouse, Hover_SendsHoverAndShowsTheExpandedTooltip)
{
    MouseScene s;
    CManagerUI::AddLanguageString(7, L"seven");
    s.a->SetToolTip(L"Tip %{7}");
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    s.host.Send(WM_MOUSEHOVER, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(s.host.Handled(WM_MOUSEHOVER));
    EXPECT_EQ(s.a->events.back().type, EVT_MOUSEHOVER);

    HWND tip = s.host.manager().GetTooltipWindow();
    ASSERT_NE(tip, nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(tip, className, 64);
    EXPECT_STREQ(className, L"tooltips_class32");
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), s.host.get());
    wchar_t text[64] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = s.host.get();
    tool.uId = reinterpret_cast<UINT_PTR>(s.host.get());
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Tip seven");

    s.host.Send(WM_MOUSEHOVER, 0, MAKELPARAM(400, 400));  // over no control
    EXPECT_FALSE(s.host.Handled(WM_MOUSEHOVER));
    s.host.Send(WM_CLOSE);  // closing takes the tooltip window down
    EXPECT_EQ(s.host.manager().GetTooltipWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(tip));
    CManagerUI::RemoveLanguageString(7);
}

TEST(ManagerMouse, SetCursor_OnlyForControlsWithTheCursorFlag)
{
    MouseScene s;
    POINT pt = {20, 20};
    ::ClientToScreen(s.host.get(), &pt);
    ::SetCursorPos(pt.x, pt.y);
    POINT now = {};
    ::GetCursorPos(&now);
    if (now.x != pt.x || now.y != pt.y) GTEST_SKIP() << "the pointer cannot be moved here";

    const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    s.host.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(s.host.get()), client);
    EXPECT_FALSE(s.host.Handled(WM_SETCURSOR));
    EXPECT_EQ(s.log, L"");

    s.a->SetFlags(CTLFLAG_SETCURSOR);
    s.host.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(s.host.get()), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_FALSE(s.host.Handled(WM_SETCURSOR));
    s.host.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(s.host.get()), client);
    EXPECT_TRUE(s.host.Handled(WM_SETCURSOR));
    EXPECT_EQ(s.log, L"a.cursor ");
    EXPECT_EQ(s.a->events.back().mouse.x, 20);

    s.host.manager().SetCapture();  // while captured: handled, nothing sent
    s.host.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(s.host.get()), client);
    EXPECT_TRUE(s.host.Handled(WM_SETCURSOR));
    EXPECT_EQ(s.log, L"a.cursor ");
    s.host.manager().ReleaseCapture();
}

TEST(ManagerMouse, RightButtonThenContextMenu_MenuGoesToThePressedControlOnce)
{
    MouseScene s;
    NotifyLog notes;
    s.host.manager().AddNotifier(&notes);
    s.a->SetContextMenuUsed(true);
    s.host.Mouse(WM_RBUTTONDOWN, 30, 30, MK_RBUTTON);
    EXPECT_FALSE(s.host.manager().IsCaptured());
    s.host.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(s.host.get()), s.ScreenPoint(30, 30));
    s.host.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(s.host.get()), s.ScreenPoint(30, 30));
    EXPECT_EQ(s.log, L"a.setfocus a.rdown a.menu ");
    EXPECT_EQ(s.a->events.back().lParam, reinterpret_cast<LPARAM>(s.a));
    EXPECT_EQ(notes.log, L"setfocus:a menu:a ");

    s.log.clear();
    s.host.Mouse(WM_LBUTTONDBLCLK, 160, 20, MK_LBUTTON);
    EXPECT_TRUE(s.host.manager().IsCaptured());
    s.host.Mouse(WM_LBUTTONUP, 160, 20);
    EXPECT_EQ(s.log, L"b.dblclick b.up ");
    s.host.manager().RemoveNotifier(&notes);
}

TEST(ManagerMouse, Close_EndsHoverAndPressAndFocus)
{
    MouseScene s;
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    s.host.Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    s.log.clear();
    s.host.Send(WM_CLOSE);
    EXPECT_FALSE(s.host.Handled(WM_CLOSE));
    EXPECT_EQ(s.log, L"a.leave a.up a.killfocus ");
    EXPECT_EQ(s.host.manager().GetFocus(), nullptr);
    EXPECT_FALSE(s.host.manager().IsCaptured());
}

} // namespace

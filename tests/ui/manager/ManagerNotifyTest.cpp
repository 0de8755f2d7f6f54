#include "ManagerTestSupport.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::HostWindow;
using VarnTest::LoggingControl;
using VarnTest::NotifyLog;
using VarnTest::TestContainer;

namespace {

struct NotifyScene {
    HostWindow host;
    std::wstring log;
    NotifyLog notes;
    TestContainer* root = new TestContainer;
    LoggingControl* a = new LoggingControl(L"a", {10, 10, 100, 100}, &log);
    LoggingControl* b = new LoggingControl(L"b", {150, 10, 250, 100}, &log);

    NotifyScene()
    {
        root->SetPos({0, 0, 300, 200}, false);
        root->Add(a);
        root->Add(b);
        host.manager().AttachRoot(root);
        host.manager().AddNotifier(&notes);
    }
    ~NotifyScene() { host.manager().RemoveNotifier(&notes); }
};

TEST(ManagerNotify, AsyncWithoutRepeats_CoalescedIntoTheLastValues)
{
    NotifyScene s;
    CManagerUI& m = s.host.manager();
    m.SendNotify(s.a, L"scroll", 1, 10, true, false);
    m.SendNotify(s.b, L"scroll", 5, 50, true, false);
    m.SendNotify(s.a, L"scroll", 2, 20, true, false);
    m.SendNotify(s.a, L"click", 3, 30, true, true);
    m.SendNotify(s.a, L"click", 4, 40, true, true);
    EXPECT_EQ(s.notes.log, L"");  // nothing before the queue is drained
    HostWindow::Pump();
    EXPECT_EQ(s.notes.log, L"scroll:a scroll:b click:a click:a ");
    ASSERT_EQ(s.notes.records.size(), 4u);
    EXPECT_EQ(s.notes.records[0].wParam, 2u);
    EXPECT_EQ(s.notes.records[0].lParam, 20);
}

TEST(ManagerNotify, SenderDestroyedWhileQueued_DeliveredWithoutSender)
{
    NotifyScene s;
    s.host.manager().SendNotify(s.a, L"click", 0, 0, true);
    s.root->RemoveAndDestroy(s.a);
    HostWindow::Pump();
    EXPECT_EQ(s.notes.log, L"click:- ");
}

// Deletes the sender of the first notification it sees, and removes another listener.
struct Wrecker : INotifyUI {
    TestContainer* owner = nullptr;
    CManagerUI* manager = nullptr;
    INotifyUI* victim = nullptr;
    void Notify(NotifyUI& msg) override
    {
        if (victim != nullptr) manager->RemoveNotifier(victim);
        if (msg.sender != nullptr) owner->RemoveAndDestroy(msg.sender);
    }
};

TEST(ManagerNotify, Synchronous_ListenersSeeNoDeletedSenderOrRemovedListener)
{
    NotifyScene s;
    CManagerUI& m = s.host.manager();
    Wrecker wrecker;
    wrecker.owner = s.root;
    wrecker.manager = &m;
    NotifyLog removed;
    NotifyLog after;
    m.RemoveNotifier(&s.notes);
    m.AddNotifier(&wrecker);
    m.AddNotifier(&removed);
    m.AddNotifier(&after);
    wrecker.victim = &removed;
    m.SendNotify(s.a, L"changed");
    EXPECT_EQ(removed.log, L"");
    EXPECT_EQ(after.log, L"changed:- ");
    m.RemoveNotifier(&wrecker);
    m.RemoveNotifier(&after);
    m.AddNotifier(&s.notes);
}

TEST(ManagerNotify, Timers_IdsFromSeventeen_KillAndRestartKeepsTheId)
{
    NotifyScene s;
    CManagerUI& m = s.host.manager();
    ASSERT_TRUE(m.SetTimer(s.a, 5, 100000));
    ASSERT_TRUE(m.SetTimer(s.b, 6, 100000));
    s.host.Send(WM_TIMER, 17, 99);
    s.host.Send(WM_TIMER, 18);
    EXPECT_EQ(s.log, L"a.timer b.timer ");
    EXPECT_EQ(s.a->events.back().wParam, 5u);
    EXPECT_EQ(s.a->events.back().lParam, 99);
    EXPECT_EQ(s.notes.log, L"timer:a timer:b ");
    EXPECT_FALSE(s.host.Handled(WM_TIMER));

    EXPECT_FALSE(m.SetTimer(s.a, 5, 100000));
    EXPECT_TRUE(m.KillTimer(s.a, 5));
    s.log.clear();
    s.host.Send(WM_TIMER, 17);
    EXPECT_EQ(s.log, L"");
    EXPECT_TRUE(m.SetTimer(s.a, 5, 100000));
    s.host.Send(WM_TIMER, 17);
    EXPECT_EQ(s.log, L"a.timer ");
}

TEST(ManagerNotify, Timers_WrappedIdsSkipThoseStillInUse)
{
    NotifyScene s;
    CManagerUI& m = s.host.manager();
    ASSERT_TRUE(m.SetTimer(s.a, 1, 100000));  // id 17
    for (UINT key = 0; key < 254; ++key) ASSERT_TRUE(m.SetTimer(s.b, key, 100000)) << key;
    EXPECT_FALSE(m.SetTimer(s.b, 999, 100000));  // every id is taken
    s.log.clear();
    s.host.Send(WM_TIMER, 17);
    EXPECT_EQ(s.log, L"a.timer ");
    m.KillTimers(s.b);
    EXPECT_TRUE(m.SetTimer(s.b, 999, 100000));
}

TEST(ManagerNotify, Timers_ARealTimerFiresThroughTheLoop)
{
    NotifyScene s;
    ASSERT_TRUE(s.host.manager().SetTimer(s.a, 3, 10));
    const DWORD start = ::GetTickCount();
    while (s.a->events.empty() && ::GetTickCount() - start < 3000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        HostWindow::Pump();
    }
    ASSERT_FALSE(s.a->events.empty());
    EXPECT_EQ(s.a->events[0].type, EVT_TIMER);
    EXPECT_EQ(s.a->events[0].wParam, 3u);
}

int g_destroyed = 0;
bool CountDestroyed(void*)
{
    ++g_destroyed;
    return true;
}

// Takes the control out of its container on button-up, from the control's own event, then
// runs a nested message loop as a message box would.
struct SelfRemover {
    TestContainer* root;
    CControlUI* control;
    int destroyedInLoop = -1;
    bool OnEvent(void* param)
    {
        if (static_cast<EventUI*>(param)->type != EVT_BUTTONUP) return true;
        root->RemoveAndDestroy(control);
        HostWindow::Pump();
        destroyedInLoop = g_destroyed;
        return true;
    }
};

TEST(ManagerNotify, ControlDestroyedInItsOwnEvent_ForgottenNowDeletedAfterTheMessage)
{
    NotifyScene s;
    SelfRemover remover = {s.root, s.a};
    s.a->OnEvent().Add(MakeDelegate(&remover, &SelfRemover::OnEvent));
    s.a->OnDestroy().Add(CountDestroyed);
    g_destroyed = 0;
    s.host.Mouse(WM_MOUSEMOVE, 20, 20);
    s.host.Mouse(WM_LBUTTONDOWN, 20, 20);
    s.log.clear();
    s.host.Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(s.log, L"");  // destroyed by its listener: its own handling is skipped
    EXPECT_EQ(remover.destroyedInLoop, 0);
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_EQ(s.host.manager().FindControlByName(L"a"), nullptr);
    EXPECT_EQ(s.host.manager().GetFocus(), nullptr);
    s.host.Mouse(WM_MOUSEMOVE, 160, 20);  // no leave to a: the hover was forgotten
    EXPECT_EQ(s.log, L"b.enter b.move ");
    s.host.manager().SendNotify(s.b, L"later", 0, 0, true);  // the next pass deletes it
    HostWindow::Pump();
    EXPECT_EQ(g_destroyed, 1);
}

TEST(ManagerNotify, DeferredContainerAndChild_EachDeletedOnce)
{
    NotifyScene s;
    auto* panel = new TestContainer;
    auto* inner = new CControlUI;
    panel->Add(inner);
    s.host.manager().AdoptControls(panel);
    inner->OnDestroy().Add(CountDestroyed);
    panel->OnDestroy().Add(CountDestroyed);
    g_destroyed = 0;
    // Listed after its container, which deletes it first.
    s.host.manager().DeferDelete(panel);
    s.host.manager().DeferDelete(inner);
    HostWindow::Pump();
    EXPECT_EQ(g_destroyed, 2);
}

// Deletes the host window (and its manager) on the first "setfocus".
struct WindowCloser : INotifyUI {
    HostWindow* host = nullptr;
    void Notify(NotifyUI& msg) override
    {
        if (msg.type == L"setfocus" && host != nullptr) {
            HostWindow* doomed = host;
            host = nullptr;
            delete doomed;
        }
    }
};

TEST(ManagerNotify, WindowDestroyedByAListenerDuringAClick_HandlingStops)
{
    auto* host = new HostWindow;
    std::wstring log;
    auto* root = new TestContainer;
    root->SetPos({0, 0, 300, 200}, false);
    root->Add(new LoggingControl(L"a", {10, 10, 100, 100}, &log));
    host->manager().AttachRoot(root);
    WindowCloser closer;
    closer.host = host;
    host->manager().AddNotifier(&closer);
    const HWND window = host->get();
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(closer.host, nullptr);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(log, L"a.setfocus ");
}

struct ClaimingFilter : IMessageFilterUI {
    UINT claim = 0;
    int seen = 0;
    LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override
    {
        ++seen;
        handled = message == claim;
        return 42;
    }
};

TEST(ManagerNotify, MessageFilters_FirstClaimEndsTheHandlingButKeepsThePoint)
{
    NotifyScene s;
    ClaimingFilter first;
    ClaimingFilter second;
    first.claim = WM_MOUSEMOVE;
    s.host.manager().AddMessageFilter(&first);
    s.host.manager().AddMessageFilter(&second);
    EXPECT_EQ(s.host.Send(WM_MOUSEMOVE, 0, MAKELPARAM(33, 44)), 42);
    EXPECT_TRUE(s.host.Handled(WM_MOUSEMOVE));
    EXPECT_EQ(s.log, L"");
    EXPECT_EQ(second.seen, 0);
    EXPECT_EQ(s.host.manager().GetMousePos().x, 33);
    EXPECT_EQ(s.host.manager().GetMousePos().y, 44);
    s.host.Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_GT(second.seen, 0);
    EXPECT_EQ(s.log, L"a.setfocus a.down ");
    s.host.manager().RemoveMessageFilter(&first);
    s.host.manager().RemoveMessageFilter(&second);
}

} // namespace

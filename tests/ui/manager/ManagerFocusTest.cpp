#include "ManagerTestSupport.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::HostWindow;
using VarnTest::LoggingControl;
using VarnTest::NotifyLog;
using VarnTest::TestContainer;

namespace {

// Posts the messages to the window, then a quit, and runs the real message loop.
int RunLoopWith(HWND window, std::initializer_list<MSG> messages)
{
    for (const MSG& msg : messages) ::PostMessageW(window, msg.message, msg.wParam, msg.lParam);
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 7, 0);
    return CManagerUI::RunMessageLoop();
}

MSG Key(UINT message, WPARAM key)
{
    MSG msg = {};
    msg.message = message;
    msg.wParam = key;
    return msg;
}

class ShiftDown {
public:
    ShiftDown() { SetShift(0x80); }
    ~ShiftDown() { SetShift(0); }

private:
    static void SetShift(BYTE state)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = state;
        ::SetKeyboardState(keys);
    }
};

// Tab stops a and c; b is no tab stop, d is disabled, e hidden. Shown and painted twice:
// the first paint lays out, the second takes the focus that attaching a tree asks for.
struct FocusScene {
    HostWindow host{300, 200, true};
    std::wstring log;
    NotifyLog notes;
    TestContainer* root = new TestContainer;
    LoggingControl* a = new LoggingControl(L"a", {0, 0, 50, 50}, &log, CTLFLAG_TABSTOP);
    LoggingControl* b = new LoggingControl(L"b", {50, 0, 100, 50}, &log);
    LoggingControl* c = new LoggingControl(L"c", {100, 0, 150, 50}, &log, CTLFLAG_TABSTOP);
    LoggingControl* d = new LoggingControl(L"d", {150, 0, 200, 50}, &log, CTLFLAG_TABSTOP);
    LoggingControl* e = new LoggingControl(L"e", {200, 0, 250, 50}, &log, CTLFLAG_TABSTOP);

    explicit FocusScene(HWND parent = nullptr) : host(300, 200, true, parent)
    {
        for (CControlUI* child : {a, b, c, d, e}) root->Add(child);
        d->SetEnabled(false);
        e->SetVisible(false);
        host.manager().AttachRoot(root);
        host.manager().AddNotifier(&notes);
        host.PaintNow();
        host.PaintNow();
    }
    ~FocusScene() { host.manager().RemoveNotifier(&notes); }
};

TEST(ManagerFocus, AttachedTree_FirstTabStopFocusedAfterLayout)
{
    FocusScene s;
    EXPECT_EQ(s.host.manager().GetFocus(), s.a);
    EXPECT_EQ(s.notes.log, L"windowinit: setfocus:a ");
}

TEST(ManagerFocus, TabAndShiftTab_SkipNonStopsAndWrap)
{
    FocusScene s;
    s.notes.log.clear();
    EXPECT_EQ(RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_TAB), Key(WM_KEYDOWN, VK_TAB)}), 7);
    EXPECT_EQ(s.notes.log, L"killfocus:a setfocus:c killfocus:c setfocus:a ");
    EXPECT_EQ(s.log.find(L"keydown"), std::wstring::npos);  // the translate step took the keys

    s.notes.log.clear();
    {
        ShiftDown shift;
        RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_TAB), Key(WM_KEYDOWN, VK_TAB)});
    }
    EXPECT_EQ(s.notes.log, L"killfocus:a setfocus:c killfocus:c setfocus:a ");

    s.host.manager().SetFocus(nullptr);
    RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_TAB)});
    EXPECT_EQ(s.host.manager().GetFocus(), s.a);
}

TEST(ManagerFocus, SetFocusNeeded_LandsOnTheControlAtTheNextPaint)
{
    FocusScene s;
    s.host.manager().SetFocusNeeded(s.c);
    EXPECT_NE(s.host.manager().GetFocus(), s.c);
    s.host.PaintNow();
    s.host.PaintNow();
    EXPECT_EQ(s.host.manager().GetFocus(), s.c);
    EXPECT_TRUE(s.c->IsFocused());
    EXPECT_EQ(s.notes.log.substr(s.notes.log.size() - 11), L"setfocus:c ");
}

TEST(ManagerFocus, Keys_GoToFocusedAndKeyControl)
{
    FocusScene s;
    s.log.clear();
    RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_F5)});
    s.c->SetFocus();
    s.log.clear();
    RunLoopWith(s.host.get(), {Key(WM_CHAR, L'x'), Key(WM_KEYUP, VK_F5), Key(WM_KEYUP, VK_F5)});
    // The key-up goes to the control that got the key-down, once.
    EXPECT_EQ(s.log, L"c.char a.keyup ");
    EXPECT_EQ(s.c->events.back().key, L'x');

    LRESULT ignored = 0;
    EXPECT_FALSE(s.host.manager().PreFilterMessages(WM_SYSKEYDOWN, 'K', 0, ignored));
    EXPECT_EQ(s.c->events.back().type, EVT_SYSKEY);
    EXPECT_EQ(s.c->events.back().key, L'K');
}

// A control with a class name and a log of its activations.
class NamedControl : public LoggingControl {
public:
    NamedControl(const wchar_t* name, const wchar_t* className, RECT pos, std::wstring* log)
        : LoggingControl(name, pos, log), m_className(className), m_log(log)
    {
    }
    const wchar_t* GetClassName() const override { return m_className; }
    bool Activate() override
    {
        *m_log += GetName().GetData();
        *m_log += L".activate ";
        return true;
    }

private:
    const wchar_t* m_className;
    std::wstring* m_log;
};

TEST(ManagerFocus, Mnemonic_ALabelHandsOnToTheNextControlVisited)
{
    HostWindow host(300, 200, true);
    std::wstring log;
    auto* root = new TestContainer;
    auto* field = new NamedControl(L"field", L"Edit", {0, 50, 100, 70}, &log);
    auto* label = new NamedControl(L"label", L"Label", {0, 0, 100, 20}, &log);
    auto* button = new NamedControl(L"button", L"Button", {0, 100, 100, 120}, &log);
    label->SetShortcut(L'n');
    button->SetShortcut(L'B');
    // Visited from the last child to the first: label, then field.
    root->Add(field);
    root->Add(label);
    root->Add(button);
    host.manager().AttachRoot(root);
    host.PaintNow();

    log.clear();
    RunLoopWith(host.get(), {Key(WM_SYSCHAR, L'N')});
    EXPECT_EQ(host.manager().GetFocus(), field);
    EXPECT_EQ(log, L"field.setfocus field.activate ");
    log.clear();
    RunLoopWith(host.get(), {Key(WM_SYSCHAR, L'b')});
    EXPECT_EQ(log, L"field.killfocus button.setfocus button.activate ");
}

struct Accelerator : ITranslateAccelerator {
    LRESULT TranslateAccel(MSG* msg) override { return msg->message == WM_KEYDOWN && msg->wParam == VK_F2 ? 0 : 1; }
};

struct CharEater : IMessageFilterUI {
    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM, bool& handled) override
    {
        handled = message == WM_CHAR && wParam == L'z';
        return 0;
    }
};

TEST(ManagerFocus, TranslateStep_AcceleratorsAndPreFiltersClaimMessages)
{
    FocusScene s;
    Accelerator accelerator;
    CharEater eater;
    s.host.manager().AddTranslateAccelerator(&accelerator);
    s.host.manager().AddPreMessageFilter(&eater);
    s.log.clear();
    RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_F2), Key(WM_CHAR, L'z'), Key(WM_CHAR, L'y')});
    EXPECT_EQ(s.log, L"a.char ");
    s.host.manager().RemoveTranslateAccelerator(&accelerator);
    s.host.manager().RemovePreMessageFilter(&eater);
}

TEST(ManagerFocus, ChildWindowMessage_EachManagerTranslatesOnce)
{
    // A manager bound to a grandchild window: the walk up its ancestors must not repeat it.
    HostWindow top(400, 300, true);
    VarnTest::TestWindow middle(300, 200, top.get());
    ::ShowWindow(middle.get(), SW_SHOWNA);
    FocusScene s(middle.get());
    ASSERT_EQ(s.host.manager().GetFocus(), s.a);
    RunLoopWith(s.host.get(), {Key(WM_KEYDOWN, VK_TAB)});
    EXPECT_EQ(s.host.manager().GetFocus(), s.c);
}

} // namespace

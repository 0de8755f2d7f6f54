#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

#include <string>

using namespace VarnUI;

namespace {

CControlUI* AnswerAny(CControlUI* control, void*)
{
    return control;
}

CControlUI* AnswerNone(CControlUI*, void*)
{
    return nullptr;
}

TEST(ControlFindControl, FlagsTable)
{
    CControlUI control;
    control.SetPos({0, 0, 100, 100}, false);
    auto* cover = new CControlUI;
    cover->SetPos({0, 0, 50, 50}, false);
    control.SetCover(cover);

    struct Case {
        const char* what;
        UINT flags;
        POINT pt;
        bool visible, enabled, mouse;
        CControlUI* expected;
    };
    const Case cases[] = {
        {"no flags answers the cover first", 0, {0, 0}, true, true, true, cover},
        {"me first answers the control", FIND_ME_FIRST, {0, 0}, true, true, true, &control},
        {"hidden is skipped with visible", FIND_VISIBLE, {0, 0}, false, true, true, nullptr},
        {"hidden is found without visible", 0, {0, 0}, false, true, true, cover},
        {"disabled is skipped with enabled", FIND_ENABLED, {0, 0}, true, false, true, nullptr},
        {"hit in the cover", FIND_HITTEST, {10, 10}, true, true, true, cover},
        {"hit outside the cover", FIND_HITTEST, {70, 70}, true, true, true, &control},
        {"miss", FIND_HITTEST, {170, 70}, true, true, true, nullptr},
        {"mouse-disabled is not answered", FIND_HITTEST | FIND_ME_FIRST, {70, 70}, true, true, false, nullptr},
        {"update test answering skips all", FIND_UPDATETEST, {0, 0}, true, true, true, nullptr},
    };
    for (const Case& c : cases) {
        control.SetVisible(c.visible);
        control.SetEnabled(c.enabled);
        control.SetMouseEnabled(c.mouse);
        POINT pt = c.pt;
        EXPECT_EQ(control.FindControl(AnswerAny, &pt, c.flags), c.expected) << c.what;
    }
    POINT pt = {10, 10};
    EXPECT_EQ(control.FindControl(AnswerNone, &pt, FIND_HITTEST), nullptr);
}

std::wstring Custom(CControlUI& control, const wchar_t* name)
{
    const wchar_t* value = control.GetCustomAttribute(name);
    return value != nullptr ? value : L"(none)";
}

TEST(ControlAttributes, SetterTable)
{
    CControlUI c;
    c.ApplyAttributeText(L"pos=\"10,20,5,60\" bkcolor=\"  #FF112233\" bordercolor=\" #FF445566\" "
                         L"bordersize=\"0,2,2,2\" minwidth=\"50\" maxwidth=\"20\" tooltip=\"a<n>b\" "
                         L"visible=\"True\" float=\"0.5,0.25,1,1\" shortcut=\"xy\" userdata=\"u\"  width=\"7\"");
    EXPECT_EQ(c.GetFixedXY().cx, 10);
    EXPECT_EQ(c.GetFixedXY().cy, 20);
    EXPECT_EQ(c.GetFixedWidth(), 0);  // a negative width is ignored
    EXPECT_EQ(c.GetFixedHeight(), 40);
    EXPECT_EQ(c.GetBkColor(), 0xFF112233u);
    EXPECT_EQ(c.GetBorderColor(), 0u);  // only a leading "#" is skipped for borders
    EXPECT_EQ(c.GetBorderSize().left, 0);
    EXPECT_EQ(c.GetBorderSize().top, 2);
    EXPECT_EQ(c.GetMaxWidth(), 50);  // below the minimum width the minimum answers
    EXPECT_EQ(c.GetToolTip(), L"a\r\nb");
    EXPECT_FALSE(c.IsVisible());  // booleans are exactly "true"
    EXPECT_TRUE(c.IsFloat());
    EXPECT_DOUBLE_EQ(c.GetFloatPercent().left, 0.5);
    EXPECT_DOUBLE_EQ(c.GetFloatPercent().top, 0.25);
    EXPECT_EQ(c.GetShortcut(), L'x');
    EXPECT_EQ(c.GetUserData(), L"u");
    // Two spaces: the last name starts with a space and becomes a custom attribute.
    EXPECT_EQ(Custom(c, L" width"), L"7");

    c.SetAttribute(L"float", L"false");
    EXPECT_FALSE(c.IsFloat());
    c.SetAttribute(L"bordersize", L"3");
    EXPECT_EQ(c.GetBorderSize().bottom, 3);
    c.SetAttribute(L"float", L"0.5");  // no comma: a boolean
    EXPECT_FALSE(c.IsFloat());
}

TEST(ControlAttributes, CustomAttributes_FirstWins)
{
    CControlUI c;
    c.SetAttribute(L"mine", L"1");
    c.SetAttribute(L"mine", L"2");
    c.AddCustomAttribute(L"", L"x");
    c.AddCustomAttribute(L"empty", L"");
    EXPECT_EQ(Custom(c, L"mine"), L"1");
    EXPECT_EQ(Custom(c, L"empty"), L"(none)");
    EXPECT_TRUE(c.RemoveCustomAttribute(L"mine"));
    EXPECT_EQ(Custom(c, L"mine"), L"(none)");
}

int g_calls = 0;
bool CountTrue(void*)
{
    ++g_calls;
    return true;
}
bool CountFalse(void*)
{
    ++g_calls;
    return false;
}

TEST(ControlCallbacks, EventSource)
{
    EventSourceUI source;
    EXPECT_TRUE(source.Invoke(nullptr));
    source.Add(CountTrue);
    source.Add(CountTrue);  // equal callbacks are added once
    source.Add(CountFalse);
    source.Add(CountTrue);
    g_calls = 0;
    EXPECT_FALSE(source.Invoke(nullptr));
    EXPECT_EQ(g_calls, 2);
    source.Remove(CountFalse);
    g_calls = 0;
    EXPECT_TRUE(source.Invoke(nullptr));
    EXPECT_EQ(g_calls, 1);
}

struct RecordingParent : CControlUI {
    int lastEvent = 0;
    void HandleEvent(EventUI& event) override { lastEvent = event.type; }
};

struct MenuLog : INotifyUI {
    std::wstring log;
    void Notify(NotifyUI& msg) override { log += msg.type.GetData(); }
};

TEST(ControlEvents, ContextMenuGoesToParentUnlessUsed)
{
    CManagerUI manager;
    MenuLog log;
    manager.AddNotifier(&log);
    auto* parent = new RecordingParent;
    auto* child = new CControlUI;
    parent->SetCover(child);  // the cover's parent is its owner
    manager.AttachRoot(parent);

    EventUI event;
    event.type = EVT_CONTEXTMENU;
    child->Event(event);
    EXPECT_EQ(parent->lastEvent, EVT_CONTEXTMENU);
    EXPECT_EQ(log.log, L"");

    parent->lastEvent = 0;
    child->SetContextMenuUsed(true);
    child->Event(event);
    EXPECT_EQ(parent->lastEvent, 0);
    EXPECT_EQ(log.log, L"menu");
    manager.RemoveNotifier(&log);
}

TEST(ControlCover, ReplacingDestroysTheOldCover)
{
    CManagerUI manager;
    auto* owner = new CControlUI;
    auto* first = new CControlUI;
    first->SetName(L"first");
    owner->SetCover(first);
    manager.AttachRoot(owner);
    EXPECT_EQ(manager.FindControlByName(L"first"), first);
    auto* second = new CControlUI;
    second->SetName(L"second");
    owner->SetCover(second);
    EXPECT_EQ(owner->GetCover(), second);
    EXPECT_EQ(second->GetParent(), owner);
    EXPECT_EQ(manager.FindControlByName(L"first"), nullptr);
    EXPECT_EQ(manager.FindControlByName(L"second"), second);
}

} // namespace

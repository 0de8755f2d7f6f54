#include "ManagerTestSupport.h"

#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::MakeControl;
using VarnTest::TestContainer;

namespace {

int g_destroyed = 0;

bool CountDestroy(void*)
{
    ++g_destroyed;
    return true;
}

// root (0,0,300,200): a, panel (b, c "dup"), d "dup"; c overlaps b.
struct SmallTree {
    CManagerUI manager;
    TestContainer* root = new TestContainer;
    TestContainer* panel = new TestContainer;
    CControlUI* a = MakeControl(L"a", {0, 0, 100, 100});
    CControlUI* b = MakeControl(L"B", {100, 0, 200, 100});
    CControlUI* c = MakeControl(L"dup", {150, 50, 250, 150});
    CControlUI* d = MakeControl(L"dup", {0, 100, 100, 200});

    SmallTree()
    {
        root->SetName(L"root");
        root->SetPos({0, 0, 300, 200}, false);
        panel->SetName(L"panel");
        panel->SetPos({100, 0, 300, 200}, false);
        root->Add(a);
        root->Add(panel);
        panel->Add(b);
        panel->Add(c);
        root->Add(d);
        manager.AttachRoot(root);
    }
};

TEST(ManagerTree, AttachRoot_RegistersNames_LastVisitedDuplicateWins)
{
    SmallTree tree;
    EXPECT_EQ(tree.manager.GetRoot(), tree.root);
    EXPECT_EQ(tree.manager.FindControlByName(L"a"), tree.a);
    EXPECT_EQ(tree.manager.FindControlByName(L"B"), tree.b);
    EXPECT_EQ(tree.manager.FindControlByName(L"b"), nullptr);  // the map is case-sensitive
    EXPECT_EQ(tree.manager.FindControlByName(L"dup"), tree.d);
    EXPECT_EQ(tree.c->GetManager(), &tree.manager);
    EXPECT_EQ(tree.c->GetParent(), tree.panel);
}

TEST(ManagerTree, FindControlAt_TopmostVisibleMouseEnabledControl)
{
    SmallTree tree;
    struct Case {
        POINT pt;
        CControlUI* expected;
    };
    const Case cases[] = {
        {{10, 10}, tree.a},     {{160, 60}, tree.c},      {{120, 20}, tree.b},
        {{250, 20}, tree.panel}, {{50, 150}, tree.d},     {{500, 500}, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tree.manager.FindControlAt(c.pt), c.expected) << c.pt.x << "," << c.pt.y;
    }
    tree.c->SetMouseEnabled(false);
    EXPECT_EQ(tree.manager.FindControlAt({160, 60}), tree.b);
    tree.c->SetMouseEnabled(true);
    tree.c->SetVisible(false);
    EXPECT_EQ(tree.manager.FindControlAt({160, 60}), tree.b);
    tree.panel->SetVisible(false);
    EXPECT_EQ(tree.manager.FindControlAt({160, 60}), tree.root);
    EXPECT_EQ(tree.manager.FindSubControlAt(tree.panel, {10, 10}), nullptr);
}

TEST(ManagerTree, FindChildAndClassSearches)
{
    SmallTree tree;
    EXPECT_EQ(tree.manager.FindChildByName(nullptr, L"b"), tree.b);  // case-insensitive
    EXPECT_EQ(tree.manager.FindChildByName(tree.panel, L"a"), nullptr);
    EXPECT_EQ(tree.manager.FindChildByName(nullptr, L""), nullptr);

    // Visiting order without flags: a, b, c, panel, d, root.
    EXPECT_EQ(tree.manager.FindSubControlByClass(nullptr, L"Control", 0), tree.a);
    EXPECT_EQ(tree.manager.FindSubControlByClass(nullptr, L"Control", 2), tree.c);
    EXPECT_EQ(tree.manager.FindSubControlByClass(nullptr, L"*", 3), tree.panel);
    EXPECT_EQ(tree.manager.FindSubControlByClass(nullptr, L"control", 0), nullptr);
    EXPECT_EQ(tree.manager.FindSubControlByClass(tree.panel, L"Control", 2), nullptr);

    CUIPtrArray* found = tree.manager.FindSubControlsByClass(nullptr, L"TestContainer");
    ASSERT_EQ(found->GetSize(), 2);
    EXPECT_EQ(found->GetAt(0), tree.panel);
    EXPECT_EQ(found->GetAt(1), tree.root);
    EXPECT_EQ(tree.manager.FindSubControlsByClass(tree.panel, L"*")->GetSize(), 3);
}

TEST(ManagerTree, RenameControl_Rules)
{
    SmallTree tree;
    CManagerUI other;
    CControlUI stranger;
    stranger.SetManager(&other, nullptr, false);

    EXPECT_FALSE(tree.manager.RenameControl(nullptr, L"x"));
    EXPECT_FALSE(tree.manager.RenameControl(&stranger, L"x"));
    EXPECT_FALSE(tree.manager.RenameControl(tree.a, L""));
    EXPECT_TRUE(tree.manager.RenameControl(tree.a, L"a"));

    EXPECT_FALSE(tree.manager.RenameControl(tree.b, L"a"));
    EXPECT_EQ(tree.b->GetName(), L"B");
    EXPECT_EQ(tree.a->GetName(), L"a");
    EXPECT_EQ(tree.manager.FindControlByName(L"a"), tree.a);

    EXPECT_TRUE(tree.manager.RenameControl(tree.b, L"bee"));
    EXPECT_EQ(tree.b->GetName(), L"bee");
    EXPECT_EQ(tree.manager.FindControlByName(L"bee"), tree.b);
    EXPECT_EQ(tree.manager.FindControlByName(L"B"), nullptr);

    // c shares "dup" with d, which holds the map entry; renaming c leaves d's entry alone.
    EXPECT_TRUE(tree.manager.RenameControl(tree.c, L"see"));
    EXPECT_EQ(tree.manager.FindControlByName(L"dup"), tree.d);
    EXPECT_EQ(tree.manager.FindControlByName(L"see"), tree.c);
}

TEST(ManagerTree, RenameControl_NotYetBelowTheRoot_IsFoundUntilItLeaves)
{
    SmallTree tree;
    auto* loose = new CControlUI;
    loose->SetManager(&tree.manager, nullptr, false);
    loose->SetName(L"loose");
    EXPECT_EQ(tree.manager.FindControlByName(L"loose"), loose);

    // Leaving the manager, or going, takes the entry along: it never outlives the control.
    loose->SetManager(nullptr, nullptr, false);
    EXPECT_EQ(tree.manager.FindControlByName(L"loose"), nullptr);
    loose->SetManager(&tree.manager, nullptr, false);
    loose->SetName(L"again");
    EXPECT_EQ(tree.manager.FindControlByName(L"again"), loose);
    delete loose;
    EXPECT_EQ(tree.manager.FindControlByName(L"again"), nullptr);
}

TEST(ManagerTree, SetName_MovesTheNameMapEntry)
{
    SmallTree tree;
    tree.a->SetName(L"alpha");
    EXPECT_EQ(tree.a->GetName(), L"alpha");
    EXPECT_EQ(tree.manager.FindControlByName(L"alpha"), tree.a);
    EXPECT_EQ(tree.manager.FindControlByName(L"a"), nullptr);
    // A name another control holds is still taken by the control, but not by the map.
    tree.b->SetName(L"alpha");
    EXPECT_EQ(tree.b->GetName(), L"alpha");
    EXPECT_EQ(tree.manager.FindControlByName(L"alpha"), tree.a);
}

TEST(ManagerTree, DestroyedControl_LeavesNoReferenceBehind)
{
    SmallTree tree;
    CControlUI* x = MakeControl(L"a", {0, 0, 10, 10});
    tree.manager.AdoptControls(x, tree.root);  // takes over "a" in the map
    ASSERT_EQ(tree.manager.FindControlByName(L"a"), x);
    tree.manager.SetFocus(x, false);
    ASSERT_EQ(tree.manager.GetFocus(), x);
    EXPECT_TRUE(tree.manager.AddMouseLeaveListener(x));
    EXPECT_TRUE(tree.manager.AddPostPaint(x));
    EXPECT_TRUE(tree.manager.AddOptionGroup(L"g", x));
    delete x;
    EXPECT_EQ(tree.manager.GetFocus(), nullptr);
    EXPECT_EQ(tree.manager.FindControlByName(L"a"), nullptr);
    EXPECT_FALSE(tree.manager.RemoveMouseLeaveListener(x));
    EXPECT_EQ(tree.manager.GetPostPaintCount(), 0);
    EXPECT_EQ(tree.manager.GetOptionGroup(L"g"), nullptr);

    // A control that never held the map entry does not take it away.
    CControlUI* y = MakeControl(L"B", {0, 0, 10, 10});
    y->SetManager(&tree.manager, nullptr, false);
    delete y;
    EXPECT_EQ(tree.manager.FindControlByName(L"B"), tree.b);
}

TEST(ManagerTree, AttachRoot_Again_OldTreeForgottenAndDeletedLater)
{
    g_destroyed = 0;
    {
        SmallTree tree;
        tree.root->OnDestroy().Add(CountDestroy);
        auto* fresh = new TestContainer;
        fresh->SetName(L"fresh");
        EXPECT_TRUE(tree.manager.AttachRoot(fresh));
        EXPECT_EQ(tree.manager.GetRoot(), fresh);
        EXPECT_EQ(tree.manager.FindControlByName(L"a"), nullptr);
        EXPECT_EQ(tree.manager.FindControlByName(L"fresh"), fresh);
        EXPECT_EQ(g_destroyed, 0);
        EXPECT_EQ(tree.root->GetParent(), nullptr);
    }
    EXPECT_EQ(g_destroyed, 1);
}

TEST(ManagerTree, DeferDelete_DeletesOnceEvenWhenAskedTwice)
{
    g_destroyed = 0;
    {
        CManagerUI manager;
        auto* x = new CControlUI;
        x->OnDestroy().Add(CountDestroy);
        x->SetManager(&manager, nullptr, false);
        EXPECT_FALSE(manager.DeferDelete(nullptr));
        EXPECT_TRUE(manager.DeferDelete(x));
        EXPECT_FALSE(manager.DeferDelete(x));
    }
    EXPECT_EQ(g_destroyed, 1);
}

TEST(ManagerTree, OptionGroups)
{
    CManagerUI manager;
    CControlUI first;
    CControlUI second;
    EXPECT_FALSE(manager.AddOptionGroup(nullptr, &first));
    EXPECT_FALSE(manager.AddOptionGroup(L"", &first));
    EXPECT_FALSE(manager.AddOptionGroup(L"g", nullptr));
    EXPECT_TRUE(manager.AddOptionGroup(L"g", &first));
    EXPECT_FALSE(manager.AddOptionGroup(L"g", &first));
    EXPECT_TRUE(manager.AddOptionGroup(L"g", &second));
    ASSERT_NE(manager.GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(manager.GetOptionGroup(L"g")->GetSize(), 2);
    manager.RemoveOptionGroup(L"g", &first);
    EXPECT_EQ(manager.GetOptionGroup(L"g")->GetAt(0), &second);
    manager.RemoveOptionGroup(L"g", &second);
    EXPECT_EQ(manager.GetOptionGroup(L"g"), nullptr);
}

TEST(ManagerTree, ListenerLists)
{
    VarnTest::TestWindow window;
    VarnTest::TestWindow child(50, 50, window.get());
    CManagerUI manager;
    manager.Init(window.get(), L"lists");
    CControlUI x;
    CControlUI y;
    EXPECT_FALSE(manager.AddNotifier(nullptr));
    EXPECT_FALSE(manager.AddMessageFilter(nullptr));
    EXPECT_TRUE(manager.AddMouseLeaveListener(&x));
    EXPECT_FALSE(manager.AddMouseLeaveListener(&x));
    EXPECT_TRUE(manager.AddNativeWindow(&x, child.get()));
    EXPECT_FALSE(manager.AddNativeWindow(&y, child.get()));
    EXPECT_TRUE(manager.RemoveNativeWindow(child.get()));
    EXPECT_FALSE(manager.RemoveNativeWindow(child.get()));

    EXPECT_TRUE(manager.AddPostPaint(&x));
    EXPECT_TRUE(manager.AddPostPaint(&y));
    EXPECT_FALSE(manager.SetPostPaintIndex(&x, 5));
    EXPECT_EQ(manager.GetPostPaintCount(), 2);
    EXPECT_TRUE(manager.SetPostPaintIndex(&x, 1));
    EXPECT_TRUE(manager.RemovePostPaint(&y));
    EXPECT_TRUE(manager.RemovePostPaint(&x));
    EXPECT_FALSE(manager.RemovePostPaint(&x));
}

TEST(ManagerTree, Init_ListsTheManagerOnce)
{
    VarnTest::TestWindow first;
    VarnTest::TestWindow second;
    const int before = CManagerUI::GetManagerCount();
    {
        CManagerUI manager;
        manager.Init(first.get(), L"rebound");
        manager.Init(second.get(), L"rebound");
        manager.Init(first.get(), L"rebound");
        EXPECT_EQ(CManagerUI::GetManagerCount(), before + 1);
        EXPECT_EQ(CManagerUI::GetManagerByName(L"rebound"), &manager);
        EXPECT_EQ(CManagerUI::GetManagerByName(L"REBOUND"), nullptr);
        EXPECT_EQ(CManagerUI::GetManagerByName(L""), nullptr);
        EXPECT_EQ(manager.GetPaintWindow(), first.get());
        EXPECT_NE(manager.GetPaintDC(), nullptr);
    }
    EXPECT_EQ(CManagerUI::GetManagerCount(), before);
    EXPECT_EQ(CManagerUI::GetManagerByName(L"rebound"), nullptr);
}

struct FocusLog : INotifyUI {
    std::wstring log;
    void Notify(NotifyUI& msg) override
    {
        log += msg.type.GetData();
        log += L":";
        log += msg.sender != nullptr ? msg.sender->GetName().GetData() : L"-";
        log += L" ";
    }
};

TEST(ManagerTree, SetFocus_OnlyVisibleEnabledOwnControls)
{
    SmallTree tree;
    FocusLog log;
    tree.manager.AddNotifier(&log);
    CManagerUI other;
    CControlUI stranger;
    stranger.SetManager(&other, nullptr, false);

    tree.manager.SetFocus(tree.a, false);
    tree.manager.SetFocus(tree.b, false);
    EXPECT_EQ(log.log, L"setfocus:a killfocus:a setfocus:B ");
    EXPECT_TRUE(tree.b->IsFocused());
    EXPECT_FALSE(tree.a->IsFocused());

    tree.manager.SetFocus(&stranger, false);
    EXPECT_EQ(tree.manager.GetFocus(), nullptr);
    tree.a->SetEnabled(false);
    tree.manager.SetFocus(tree.a, false);
    EXPECT_EQ(tree.manager.GetFocus(), nullptr);

    tree.manager.SetFocus(tree.d, false);
    tree.d->SetVisible(false);  // hiding the focused control leaves no focus
    EXPECT_EQ(tree.manager.GetFocus(), nullptr);
}

TEST(ManagerTree, Timers_OneRunningTimerPerKey)
{
    VarnTest::TestWindow window;
    CManagerUI unbound;
    CControlUI x;
    EXPECT_FALSE(unbound.SetTimer(&x, 1, 1000));

    CManagerUI manager;
    manager.Init(window.get(), L"timers");
    EXPECT_TRUE(manager.SetTimer(&x, 1, 1000));
    EXPECT_FALSE(manager.SetTimer(&x, 1, 1000));
    EXPECT_TRUE(manager.SetTimer(&x, 2, 1000));
    EXPECT_TRUE(manager.KillTimer(&x, 1));
    EXPECT_FALSE(manager.KillTimer(&x, 1));
    EXPECT_TRUE(manager.SetTimer(&x, 1, 1000));
    manager.KillTimers(&x);
    EXPECT_FALSE(manager.KillTimer(&x, 2));
}

} // namespace

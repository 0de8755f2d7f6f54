#include "../manager/ManagerTestSupport.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::HostWindow;

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

TEST(ControlPlacement, Float_RelativeToTheParentWithPercentages)
{
    struct Case {
        PercentInfoUI percent;
        RECT given;
        RECT item;
        SIZE fixedXY;
        SIZE fixedSize;
    };
    // The parent is 200 x 200 at (100,50).
    const Case cases[] = {
        {{0, 0, 0, 0}, {10, 20, 60, 80}, {110, 70, 160, 130}, {10, 20}, {50, 60}},
        {{0.5, 0.25, 1, 1}, {110, 60, 230, 240}, {210, 110, 330, 290}, {10, 10}, {20, 30}},
        // 0.333 x 200 = 66.6 and 0.667 x 200 = 133.4 are cut toward zero.
        {{0.333, 0.333, 0.667, 0.667}, {70, 70, 150, 150}, {170, 120, 250, 200}, {4, 4}, {13, 13}},
    };
    CControlUI parent;
    parent.SetPos({100, 50, 300, 250}, false);
    for (const Case& c : cases) {
        CControlUI child;
        child.SetManager(nullptr, &parent, false);
        child.SetFloat(true);
        child.SetFloatPercent(c.percent);
        child.SetPos(c.given, false);
        EXPECT_TRUE(SameRect(child.GetPos(), c.item)) << Text(child.GetPos());
        EXPECT_EQ(child.GetFixedXY().cx, c.fixedXY.cx);
        EXPECT_EQ(child.GetFixedXY().cy, c.fixedXY.cy);
        EXPECT_EQ(child.GetFixedWidth(), c.fixedSize.cx);
        EXPECT_EQ(child.GetFixedHeight(), c.fixedSize.cy);
        EXPECT_TRUE(SameRect(child.GetRelativePos(), c.given)) << Text(child.GetRelativePos());
    }

    CControlUI orphan;  // a float control without a parent keeps its rectangle
    orphan.SetPos({1, 2, 3, 4}, false);
    orphan.SetFloat(true);
    orphan.SetPos({10, 10, 20, 20}, false);
    EXPECT_TRUE(SameRect(orphan.GetPos(), {1, 2, 3, 4}));
    orphan.SetFloat(false);
    orphan.SetPos({50, 10, 20, 5}, false);  // inverted edges collapse
    EXPECT_TRUE(SameRect(orphan.GetPos(), {50, 10, 50, 10})) << Text(orphan.GetPos());
}

int g_sizeCalls = 0;
bool ResizeAgain(void* control)
{
    ++g_sizeCalls;
    static_cast<CControlUI*>(control)->SetPos({0, 0, 5, 5}, false);
    return true;
}

TEST(ControlPlacement, Cover_FloatNonFloatClampedAndHidden)
{
    CManagerUI manager;  // covers are placed only under a manager
    auto* owner = new CControlUI;
    manager.AttachRoot(owner);
    auto* cover = new CControlUI;
    cover->SetFloat(true);
    cover->SetFloatPercent({0.5, 0, 1, 1});
    cover->SetFixedXY({5, 2});
    cover->SetFixedWidth(10);
    cover->SetFixedHeight(8);
    owner->SetCover(cover);
    owner->SetPos({10, 10, 110, 60}, false);
    // 100 x 50: left 50+5, top 0+2, right 100+5+10, bottom 50+2+8, moved by the owner.
    EXPECT_TRUE(SameRect(cover->GetPos(), {65, 12, 125, 70})) << Text(cover->GetPos());

    cover->SetFloat(false);
    cover->SetMinWidth(120);
    cover->SetMaxHeight(30);
    owner->SetPos({0, 0, 100, 50}, false);
    EXPECT_TRUE(SameRect(cover->GetPos(), {0, 0, 120, 30})) << Text(cover->GetPos());

    cover->SetVisible(false);
    owner->SetPos({5, 5, 50, 50}, false);
    EXPECT_TRUE(SameRect(cover->GetPos(), {0, 0, 120, 30}));

    g_sizeCalls = 0;
    owner->OnSize().Add(ResizeAgain);  // the listener places the owner again: no re-entry
    owner->SetPos({0, 0, 10, 10}, false);
    EXPECT_EQ(g_sizeCalls, 1);
    EXPECT_TRUE(SameRect(owner->GetPos(), {0, 0, 5, 5}));
}

TEST(ControlPlacement, Cover_OfAFloatOwnerSitsOverTheOwner)
{
    CManagerUI manager;
    auto* parent = new VarnTest::TestContainer;
    parent->SetPos({100, 100, 300, 300}, false);
    auto* owner = new CControlUI;
    owner->SetFloat(true);
    parent->Add(owner);
    manager.AttachRoot(parent);
    auto* cover = new CControlUI;
    owner->SetCover(cover);
    owner->SetPos({10, 10, 50, 30}, false);  // relative to the parent
    EXPECT_TRUE(SameRect(owner->GetPos(), {110, 110, 150, 130}));
    EXPECT_TRUE(SameRect(cover->GetPos(), {110, 110, 150, 130})) << Text(cover->GetPos());
}

TEST(ControlPlacement, Cover_HidingTheOwnerTakesTheFocusFromTheCover)
{
    CManagerUI manager;
    auto* owner = new CControlUI;
    auto* cover = new CControlUI;
    owner->SetCover(cover);
    manager.AttachRoot(owner);
    cover->SetFocus();
    ASSERT_EQ(manager.GetFocus(), cover);
    owner->SetVisible(false);
    EXPECT_FALSE(cover->IsVisible());
    EXPECT_EQ(manager.GetFocus(), nullptr);
}

// The window's update rectangle, validated afterwards.
RECT TakeUpdate(HWND window)
{
    RECT rc = {};
    ::GetUpdateRect(window, &rc, FALSE);
    ::ValidateRect(window, nullptr);
    return rc;
}

bool NothingInvalid(HWND window)
{
    const RECT rc = TakeUpdate(window);
    return ::IsRectEmpty(&rc) != FALSE;
}

TEST(ControlPlacement, MoveAndSetPos_InvalidateOldAndNewClippedToAncestors)
{
    HostWindow host(300, 200, true);
    auto* root = new VarnTest::TestContainer;
    root->SetPos({0, 0, 300, 200}, false);
    auto* panel = new VarnTest::TestContainer;
    panel->SetPos({0, 0, 150, 100}, false);
    auto* control = new CControlUI;
    control->SetPos({10, 10, 30, 30}, false);
    auto* cover = new CControlUI;
    control->SetCover(cover);
    panel->Add(control);
    root->Add(panel);
    host.manager().AttachRoot(root);
    host.PaintNow();
    control->SetPos({10, 10, 30, 30}, false);
    ::ValidateRect(host.get(), nullptr);

    control->Move(100, 0);
    EXPECT_TRUE(SameRect(control->GetPos(), {110, 10, 130, 30}));
    EXPECT_EQ(cover->GetPos().left, 110);
    EXPECT_TRUE(SameRect(TakeUpdate(host.get()), {10, 10, 130, 30}));

    control->SetPos({140, 90, 200, 150});  // only the part inside the panel
    const RECT clipped = TakeUpdate(host.get());
    EXPECT_TRUE(SameRect(clipped, {110, 10, 150, 100})) << Text(clipped);
    control->SetPos({300, 300, 310, 310});
    TakeUpdate(host.get());
    control->SetPos({300, 300, 320, 320});  // nothing of it inside the panel
    EXPECT_TRUE(NothingInvalid(host.get()));
    control->SetVisible(false);
    ::ValidateRect(host.get(), nullptr);
    control->Move(-300, -300);
    EXPECT_TRUE(NothingInvalid(host.get()));
}

TEST(ControlPlacement, Setters_RepaintOnlyOnRealChangeExceptBorders)
{
    HostWindow host(100, 100, true);
    auto* control = new CControlUI;
    host.manager().AttachRoot(control);
    host.PaintNow();
    control->SetAttribute(L"bkcolor", L"#FF102030");
    EXPECT_FALSE(NothingInvalid(host.get()));
    control->SetAttribute(L"bkcolor", L"FF102030");
    EXPECT_TRUE(NothingInvalid(host.get()));
    control->SetAttribute(L"borderround", L"2,2");
    control->SetAttribute(L"text", L"same");
    TakeUpdate(host.get());
    control->SetAttribute(L"borderround", L"2,2");
    EXPECT_FALSE(NothingInvalid(host.get()));
    control->SetAttribute(L"text", L"same");
    EXPECT_TRUE(NothingInvalid(host.get()));
}

TEST(ControlPlacement, BackImage_AFloatControlWithoutSizeTakesTheImageSize)
{
    CManagerUI manager;
    auto* root = new VarnTest::TestContainer;
    auto* floating = new CControlUI;
    auto* sized = new CControlUI;
    auto* plain = new CControlUI;
    floating->SetFloat(true);
    sized->SetFloat(true);
    sized->SetFixedWidth(30);
    for (CControlUI* c : {floating, sized, plain}) root->Add(c);
    manager.AttachRoot(root);
    for (CControlUI* c : {floating, sized, plain}) c->SetAttribute(L"bkimage", L"color='#FF00FF00'");
    EXPECT_EQ(floating->GetFixedWidth(), 1);  // the colour image is 1 x 1
    EXPECT_EQ(floating->GetFixedHeight(), 1);
    EXPECT_EQ(sized->GetFixedWidth(), 30);
    EXPECT_EQ(sized->GetFixedHeight(), 0);
    EXPECT_EQ(plain->GetFixedWidth(), 0);
}

} // namespace

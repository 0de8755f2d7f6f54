// The container's child list and its ownership rules, hit tests, clipped painting of float
// children, and the separator drag of the vertical and horizontal layouts.
#include "LayoutTestSupport.h"

#include "../manager/ManagerTestSupport.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/VerticalLayoutUI.h"
#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VarnUI;
using VarnTest::MakeEvent;
using VarnTest::Str;

namespace {

struct DestroyCounter {
    int count = 0;
    bool OnDestroy(void*)
    {
        ++count;
        return true;
    }
};

// A child whose destruction is counted.
CControlUI* Counted(DestroyCounter* counter)
{
    auto* control = new CControlUI;
    control->OnDestroy().Add(MakeDelegate(counter, &DestroyCounter::OnDestroy));
    return control;
}

CControlUI* AnswerHit(CControlUI* control, void*)
{
    return control;
}

TEST(ContainerChildren, RemoveFollowsTheOwnershipSwitches)
{
    struct Case {
        const char* what;
        bool autoDestroy;
        bool doNotDestroy;
        int destroyed;
    };
    const Case cases[] = {
        {"auto destroy destroys", true, false, 1},
        {"kept on request", true, true, 0},
        {"auto destroy off keeps it", false, false, 0},
    };
    for (const Case& c : cases) {
        DestroyCounter destroyed;
        CContainerUI container;
        container.SetAutoDestroy(c.autoDestroy);
        CControlUI* child = Counted(&destroyed);
        container.Add(child);
        EXPECT_EQ(child->GetParent(), &container) << c.what;
        EXPECT_TRUE(container.Remove(child, c.doNotDestroy)) << c.what;
        EXPECT_EQ(destroyed.count, c.destroyed) << c.what;
        EXPECT_EQ(container.GetCount(), 0) << c.what;
        if (destroyed.count == 0) {
            EXPECT_EQ(child->GetParent(), nullptr) << c.what << ": a kept child forgets its old parent";
            delete child;
        }
    }
}

TEST(ContainerChildren, DelayedDestroyWaitsForTheManager)
{
    VarnTest::TestWindow window;
    DestroyCounter destroyed;
    {
        CManagerUI manager;
        manager.Init(window.get());
        auto* root = new CContainerUI;
        manager.AttachRoot(root);
        CControlUI* child = Counted(&destroyed);
        root->Add(child);
        root->Remove(child);
        EXPECT_EQ(destroyed.count, 0);
        root->SetDelayedDestroy(false);
        root->Add(Counted(&destroyed));
        root->RemoveAt(0);
        EXPECT_EQ(destroyed.count, 1);
    }
    EXPECT_EQ(destroyed.count, 2) << "the deferred child went with the manager";
}

TEST(ContainerChildren, IndexMovesAreCheckedBeforeMoving)
{
    CContainerUI container;
    CControlUI* kids[4];
    for (CControlUI*& kid : kids) {
        kid = new CControlUI;
        container.Add(kid);
    }
    EXPECT_FALSE(container.SetItemIndex(kids[0], 4));
    EXPECT_EQ(container.GetCount(), 4) << "a refused move keeps the child";
    EXPECT_TRUE(container.SetItemIndex(kids[0], 3));
    EXPECT_EQ(container.GetItemAt(3), kids[0]);
    EXPECT_TRUE(container.SetMultiItemIndex(kids[1], 2, 2));  // 1 2 3 0 -> 3 0 1 2
    EXPECT_EQ(container.GetItemAt(0), kids[3]);
    EXPECT_EQ(container.GetItemAt(2), kids[1]);
    EXPECT_EQ(container.GetItemAt(3), kids[2]);
    EXPECT_FALSE(container.SetMultiItemIndex(kids[1], 2, 3));
    EXPECT_FALSE(container.SetMultiItemIndex(nullptr, 1, 0));
    CControlUI outsider;
    EXPECT_FALSE(container.AddAt(&outsider, 9));
    EXPECT_EQ(outsider.GetParent(), nullptr) << "refused before it was adopted";
    EXPECT_EQ(container.GetCount(), 4);
    EXPECT_EQ(container.GetItemAt(-1), nullptr);
    EXPECT_EQ(container.GetItemAt(4), nullptr);
}

TEST(ContainerHitTest, MouseChildAndScrolledOutParts)
{
    CVerticalLayoutUI layout;
    layout.EnableScrollBar(true, false);
    CControlUI* first = VarnTest::MakeKid({0, 80});
    CControlUI* second = VarnTest::MakeKid({0, 80});
    layout.Add(first);
    layout.Add(second);
    layout.SetPos({0, 0, 100, 100}, false);
    const UINT flags = FIND_VISIBLE | FIND_HITTEST | FIND_TOP_FIRST;
    POINT pt = {10, 90};
    EXPECT_EQ(layout.FindControl(AnswerHit, &pt, flags), second);
    pt = {90, 10};
    EXPECT_EQ(layout.FindControl(AnswerHit, &pt, flags), layout.GetVerticalScrollBar());
    layout.SetInset({0, 0, 0, 10});
    layout.SetPos({0, 0, 100, 100}, false);
    pt = {10, 95};  // second child reaches here, but the inset is no client area
    EXPECT_EQ(layout.FindControl(AnswerHit, &pt, flags), &layout);
    pt = {10, 10};
    layout.SetMouseChildEnabled(false);
    EXPECT_EQ(layout.FindControl(AnswerHit, &pt, flags), &layout);
}

// Records, for each event handed to it, whether it counted as busy with that event (a
// listener destroying it from there then has the delete deferred).
class BusyProbe : public CContainerUI {
public:
    void HandleEvent(EventUI&) override { busy.push_back(IsInEvent()); }
    std::vector<bool> busy;
};

TEST(ContainerEvents, MouseInputOff_HandsMouseEventsOnToABusyReceiver)
{
    BusyProbe probe;
    auto* box = new CContainerUI;
    auto* button = new CButtonUI;
    probe.Add(box);
    probe.Add(button);
    probe.EnableScrollBar(true, false);
    CScrollBarUI* bar = probe.GetVerticalScrollBar();
    for (CControlUI* control : {static_cast<CControlUI*>(box), static_cast<CControlUI*>(button),
                                static_cast<CControlUI*>(bar)}) {
        control->SetMouseEnabled(false);
        EventUI event = MakeEvent(EVT_BUTTONDOWN, {1, 1});
        control->HandleEvent(event);
    }
    // The container and the button to their parent, the bar to its owner.
    EXPECT_EQ(probe.busy, (std::vector<bool>{true, true, true}));
}

TEST(ContainerPaint, FloatChildrenOutsideTheClientAreaStillPaint)
{
    VarnTest::TestWindow window;
    CManagerUI manager;
    manager.Init(window.get());
    auto* root = new CContainerUI;
    manager.AttachRoot(root);
    root->SetInset({0, 0, 0, 20});
    auto* flowing = new CControlUI;
    flowing->SetBkColor(0xFF00FF00);
    auto* floating = new CControlUI;
    floating->SetFloat(true);
    floating->SetFixedXY({0, 85});
    floating->SetFixedWidth(40);
    floating->SetFixedHeight(10);
    floating->SetBkColor(0xFFFF0000);
    root->Add(flowing);
    root->Add(floating);
    root->SetPos({0, 0, 50, 100}, false);
    VarnTest::Canvas canvas(50, 100, 0);
    const RECT inInset = {0, 82, 50, 100};
    ASSERT_TRUE(root->Paint(canvas.dc(), inInset));
    EXPECT_EQ(canvas.At(10, 90), 0xFF0000u);
    EXPECT_EQ(canvas.At(45, 90), 0u);
    EXPECT_EQ(canvas.At(10, 70), 0u) << "outside the update area";

    // With the client area in the update area, the flowing child is clipped to it.
    flowing->SetMinHeight(95);
    root->SetPos({0, 0, 50, 100}, false);
    const RECT all = {0, 0, 50, 100};
    ASSERT_TRUE(root->Paint(canvas.dc(), all));
    EXPECT_EQ(canvas.At(45, 70), 0x00FF00u);
    EXPECT_EQ(canvas.At(45, 82), 0u) << "clipped at the client area";
    EXPECT_EQ(canvas.At(10, 90), 0xFF0000u);
    EXPECT_FALSE(root->Paint(canvas.dc(), all, floating)) << "the stop control ends painting";
}

// A vertical layout of height 50 with a 4-pixel separator at its bottom, inside a parent.
class SeparatorDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.Init(window.get());
        auto* root = new CVerticalLayoutUI;
        manager.AttachRoot(root);
        layout = new CVerticalLayoutUI;
        layout->ApplyAttributeText(L"height=\"50\" sepheight=\"4\" minheight=\"40\" maxheight=\"70\"");
        root->Add(layout);
        root->SetPos({0, 0, 100, 200}, false);
    }
    void Send(int type, POINT pt)
    {
        EventUI event = MakeEvent(type, pt);
        layout->Event(event);
    }

    VarnTest::TestWindow window;
    CManagerUI manager;
    CVerticalLayoutUI* layout = nullptr;
};

TEST_F(SeparatorDrag, DragsTheBottomEdgeWithinTheBounds)
{
    EXPECT_EQ(layout->QueryControlFlags(), static_cast<UINT>(CTLFLAG_SETCURSOR));
    EXPECT_EQ(Str(layout->GetSeparatorRect()), Str({0, 46, 100, 50}));
    Send(EVT_BUTTONDOWN, {50, 48});
    EXPECT_EQ(manager.GetPostPaintCount(), 1);
    Send(EVT_MOUSEMOVE, {50, 49});
    EXPECT_EQ(layout->GetFixedHeight(), 51) << "a move inside the strip moves the edge";
    EXPECT_EQ(layout->GetPos().bottom, 50) << "the layout waits for the release";
    Send(EVT_MOUSEMOVE, {50, 80});
    EXPECT_EQ(layout->GetFixedHeight(), 70) << "held at the max height";
    Send(EVT_MOUSEMOVE, {50, 90});
    EXPECT_EQ(layout->GetFixedHeight(), 70);
    Send(EVT_MOUSEMOVE, {50, 85});
    EXPECT_EQ(layout->GetFixedHeight(), 70) << "the pointer must come back to the edge first";
    Send(EVT_MOUSEMOVE, {50, 60});
    EXPECT_EQ(layout->GetFixedHeight(), 45);
    Send(EVT_MOUSEMOVE, {50, 0});
    EXPECT_EQ(layout->GetFixedHeight(), 40) << "held at the min height";
    Send(EVT_BUTTONUP, {50, 0});
    EXPECT_EQ(layout->GetPos().bottom, 40);
    EXPECT_EQ(manager.GetPostPaintCount(), 0);
}

TEST_F(SeparatorDrag, ImmediateModeAndTheTopEdge)
{
    layout->ApplyAttributeText(L"sepheight=\"-4\" sepimm=\"true\"");
    EXPECT_EQ(Str(layout->GetSeparatorRect()), Str({0, 0, 100, 4}));
    Send(EVT_BUTTONDOWN, {50, 2});
    EXPECT_EQ(manager.GetPostPaintCount(), 0);
    Send(EVT_MOUSEMOVE, {50, 7});
    EXPECT_EQ(layout->GetFixedHeight(), 45);
    EXPECT_EQ(Str(layout->GetPos()), Str({0, 5, 100, 50})) << "immediate: the rectangle follows at once";
    Send(EVT_MOUSEMOVE, {50, 3});
    EXPECT_EQ(layout->GetFixedHeight(), 49);
    Send(EVT_BUTTONUP, {50, 3});
    Send(EVT_BUTTONDOWN, {50, 30});
    Send(EVT_MOUSEMOVE, {50, 10});
    EXPECT_EQ(layout->GetFixedHeight(), 49) << "a press off the strip starts no drag";
}

TEST(HorizontalSeparator, DragsTheRightEdge)
{
    CHorizontalLayoutUI layout;
    layout.ApplyAttributeText(L"sepwidth=\"6\" sepimm=\"true\"");
    layout.SetPos({0, 0, 100, 30}, false);
    EXPECT_EQ(Str(layout.GetSeparatorRect()), Str({94, 0, 100, 30}));
    EventUI event = MakeEvent(EVT_BUTTONDOWN, {97, 10});
    layout.Event(event);
    event = MakeEvent(EVT_MOUSEMOVE, {90, 10});
    layout.Event(event);
    EXPECT_EQ(layout.GetFixedWidth(), 93);
    event = MakeEvent(EVT_BUTTONUP, {90, 10});
    layout.Event(event);
    EXPECT_EQ(layout.GetPos().right, 93);
}

} // namespace

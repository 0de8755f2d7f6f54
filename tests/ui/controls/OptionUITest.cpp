#include "WidgetTestSupport.h"

#include "ui/base/UIPtrArray.h"
#include "ui/controls/CheckBoxUI.h"
#include "ui/controls/OptionUI.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

RECT Slot(int i)
{
    return {10 + 60 * i, 10, 60 + 60 * i, 40};
}

POINT Centre(int i)
{
    return {35 + 60 * i, 25};
}

void Click(CWidgetHost& host, CControlUI* control, POINT pt)
{
    host.Send(control, EVT_BUTTONDOWN, pt);
    host.Send(control, EVT_BUTTONUP, pt);
}

TEST(OptionGroup, SelectingOneDeselectsTheOthersSilently)
{
    CWidgetHost host;
    COptionUI* options[3];
    for (int i = 0; i < 3; ++i) {
        options[i] = host.Add(new COptionUI, Slot(i));
        options[i]->SetGroup(L"pages");
    }
    options[0]->Selected(true);
    host.notes.clear();

    Click(host, options[1], Centre(1));
    EXPECT_FALSE(options[0]->IsSelected());
    EXPECT_TRUE(options[1]->IsSelected());
    ASSERT_EQ(host.Types(), (std::vector<std::wstring>{L"click", L"selectchanged"}));
    EXPECT_EQ(host.notes[1].sender, options[1]);

    // Clicking the selected one keeps it and only clicks.
    host.notes.clear();
    Click(host, options[1], Centre(1));
    EXPECT_TRUE(options[1]->IsSelected());
    EXPECT_EQ(host.Types(), std::vector<std::wstring>{L"click"});

    // The attribute goes the same way.
    host.notes.clear();
    options[2]->SetAttribute(L"selected", L"true");
    EXPECT_FALSE(options[1]->IsSelected());
    EXPECT_EQ(host.Types(), std::vector<std::wstring>{L"selectchanged"});
}

TEST(OptionGroup, MembershipFollowsGroupChangesAndDestruction)
{
    CWidgetHost host;
    auto* a = host.Add(new COptionUI, Slot(0));
    auto* b = host.Add(new COptionUI, Slot(1));
    a->SetAttribute(L"group", L"one");
    b->SetAttribute(L"group", L"one");
    ASSERT_NE(host.manager().GetOptionGroup(L"one"), nullptr);
    EXPECT_EQ(host.manager().GetOptionGroup(L"one")->GetSize(), 2);

    b->SetGroup(L"two");
    EXPECT_EQ(host.manager().GetOptionGroup(L"one")->GetSize(), 1);
    b->SetGroup(nullptr);
    EXPECT_EQ(host.manager().GetOptionGroup(L"two"), nullptr);
    b->Selected(true);
    a->Selected(true);
    EXPECT_TRUE(b->IsSelected()) << "an option without group is not excluded";

    // An option that goes away leaves its group.
    auto* solo = new COptionUI;
    solo->SetGroup(L"solo");
    solo->SetManager(&host.manager(), &host.root(), true);
    ASSERT_NE(host.manager().GetOptionGroup(L"solo"), nullptr);
    solo->Destroy();
    EXPECT_EQ(host.manager().GetOptionGroup(L"solo"), nullptr);
}

TEST(OptionGroup, OptionJoinsItsGroupWhenAttached)
{
    CWidgetHost host;
    auto* option = new COptionUI;
    option->SetGroup(L"late");   // no manager yet
    host.Add(option, Slot(0));
    const CUIPtrArray* group = host.manager().GetOptionGroup(L"late");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetAt(0), option);
}

TEST(CheckBox, ToggleRaisesClickThenSelectChanged)
{
    CWidgetHost host;
    auto* box = host.Add(new CCheckBoxUI, Slot(0));
    host.MouseDown(Centre(0));
    host.MouseUp(Centre(0));
    EXPECT_TRUE(box->GetCheck());
    EXPECT_EQ(host.Types(), (std::vector<std::wstring>{L"click", L"selectchanged"}));

    host.notes.clear();
    Click(host, box, Centre(0));
    EXPECT_FALSE(box->GetCheck());
    EXPECT_EQ(host.Types(), (std::vector<std::wstring>{L"click", L"selectchanged"}));

    host.notes.clear();
    box->SetCheck(true, false);
    EXPECT_TRUE(box->GetCheck());
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(box->GetInterface(L"Option"), box);
    EXPECT_EQ(std::wstring(box->GetClassName()), L"CheckBox");
}

TEST(OptionState, DisablingKeepsOnlyTheSelection)
{
    CWidgetHost host;
    auto* option = host.Add(new COptionUI, Slot(0));
    option->Selected(true);
    host.Send(option, EVT_MOUSEENTER, Centre(0));
    host.Send(option, EVT_BUTTONDOWN, Centre(0));
    option->SetEnabled(false);
    EXPECT_EQ(option->GetState(), static_cast<UINT>(STATE_SELECTED));
}

TEST(OptionPaint, SelectedLookAndNoPushedLook)
{
    CWidgetHost host;
    auto* option = host.Add(new COptionUI, Slot(0));
    option->ApplyAttributeText(L"normalimage=\"color='#FF0000FF'\" pushedimage=\"color='#FFFF0000'\" "
                               L"selectedimage=\"color='#FF00FF00'\"");
    CCanvas canvas(200, 60);
    const POINT c = Centre(0);

    host.Send(option, EVT_BUTTONDOWN, c);
    PaintInto(canvas, *option);
    EXPECT_EQ(canvas.Pixel(c.x, c.y), 0x0000FFu) << "pushed never shows";
    EXPECT_NE(option->GetState() & STATE_PUSHED, 0u) << "the pushed bit survives painting";
    host.Send(option, EVT_BUTTONUP, c);
    PaintInto(canvas, *option);
    EXPECT_EQ(canvas.Pixel(c.x, c.y), 0x00FF00u);

    // Without a selected image, the selected background colour fills.
    option->SetSelectedImage(L"");
    option->SetAttribute(L"selectedbkcolor", L"#FFFFFF00");
    PaintInto(canvas, *option);
    EXPECT_EQ(canvas.Pixel(c.x, c.y), 0xFFFF00u);
}

} // namespace

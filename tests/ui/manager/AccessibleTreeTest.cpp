// The window as assistive technology sees it, through the platform's client calls: roles,
// names, states and values by control class, the presented tree, locations, hit tests,
// navigation, focus and default actions.
#include "AccessibleTestSupport.h"

#include "ui/controls/ActiveXUI.h"
#include "ui/controls/ChildLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/DateTimeUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/RichEditUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/TileLayoutUI.h"
#include "ui/controls/WebBrowserUI.h"
#include "ui/manager/AccessibleTraits.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using namespace VarnTest;

namespace {

RECT ScreenRect(HWND window, RECT rc)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

AccPtr Navigate(IAccessible* from, LONG direction, LONG start = CHILDID_SELF, HRESULT* hr = nullptr)
{
    VARIANT end;
    end.vt = VT_EMPTY;
    const HRESULT result = from->accNavigate(direction, ChildId(start), &end);
    if (hr != nullptr) *hr = result;
    return FromVariant(end);
}

// An application's own button class, known by its interface only.
class AppButton : public CButtonUI {
public:
    const wchar_t* GetClassName() const override { return L"AppButton"; }
};

TEST(AccessibleRoles, EveryClass_ByNameOrByInterface)
{
    struct Row {
        CControlUI* control;
        LONG role;
    };
    const Row rows[] = {
        {new CControlUI, ROLE_SYSTEM_WHITESPACE},         {new CContainerUI, ROLE_SYSTEM_GROUPING},
        {new CVerticalLayoutUI, ROLE_SYSTEM_GROUPING},    {new CHorizontalLayoutUI, ROLE_SYSTEM_GROUPING},
        {new CTileLayoutUI, ROLE_SYSTEM_GROUPING},        {new CChildLayoutUI, ROLE_SYSTEM_GROUPING},
        {new CTabLayoutUI, ROLE_SYSTEM_PAGETABLIST},      {new CLabelUI, ROLE_SYSTEM_STATICTEXT},
        {new CButtonUI, ROLE_SYSTEM_PUSHBUTTON},          {new CCheckBoxUI, ROLE_SYSTEM_CHECKBUTTON},
        {new CProgressUI, ROLE_SYSTEM_PROGRESSBAR},       {new CScrollBarUI, ROLE_SYSTEM_SCROLLBAR},
        {new CEditUI, ROLE_SYSTEM_TEXT},                  {new CRichEditUI, ROLE_SYSTEM_TEXT},
        {new CComboUI, ROLE_SYSTEM_COMBOBOX},             {new CDateTimeUI, ROLE_SYSTEM_DROPLIST},
        {new CListHeaderUI, ROLE_SYSTEM_GROUPING},        {new CListHeaderItemUI, ROLE_SYSTEM_COLUMNHEADER},
        {new CGifAnimUI, ROLE_SYSTEM_ANIMATION},          {new CActiveXUI, ROLE_SYSTEM_CLIENT},
        {new CWebBrowserUI, ROLE_SYSTEM_CLIENT},          {new AppButton, ROLE_SYSTEM_PUSHBUTTON},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AccessibleRole(row.control), row.role) << row.control->GetClassName();
        row.control->Destroy();
    }
    // A bare control something names is a picture.
    CControlUI picture;
    picture.SetAccessibleName(L"Logo");
    EXPECT_EQ(AccessibleRole(&picture), ROLE_SYSTEM_GRAPHIC);
    EXPECT_EQ(AccessibleName(&picture), L"Logo");
}

TEST(AccessibleRoles, StripFormatting_DropsTagsKeepsTextAndEscapes)
{
    EXPECT_EQ(StripFormatting(L"{b}Bold{/b}<n>next {c #FF0000}red{/c}"), L"Bold next red");
    EXPECT_EQ(StripFormatting(L"<{>x<}> {<}y{>}"), L"{x} <y>");
    EXPECT_EQ(StripFormatting(L"{r}{b}raw{/r}{x"), L"{b}raw{x");
}

class AccessibleTreeTest : public ::testing::Test {
protected:
    ComScope com;
    AccessibleScene scene;
    AccPtr client = ClientObject(scene.host->get());

    AccPtr Child(LONG index) { return ChildObject(client.get(), index); }
};

TEST_F(AccessibleTreeTest, ClientObject_IsTheWindowsClientAreaUnderItsFrame)
{
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(RoleOf(client.get()), ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(NameOf(client.get()), L"manager host");
    EXPECT_EQ(ChildCountOf(client.get()), kSceneChildren);
    RECT clientRect = {};
    ::GetClientRect(scene.host->get(), &clientRect);
    EXPECT_TRUE(SameRect(LocationOf(client.get()), ScreenRect(scene.host->get(), clientRect)));

    IDispatch* frame = nullptr;
    ASSERT_EQ(client->get_accParent(&frame), S_OK);
    VARIANT value;
    value.vt = VT_DISPATCH;
    value.pdispVal = frame;
    AccPtr window = FromVariant(value);
    ASSERT_NE(window, nullptr);
    // The frame is the platform's object (Wine's answers little about itself).
    EXPECT_NE(RoleOf(window.get()), ROLE_SYSTEM_CLIENT);
}

TEST_F(AccessibleTreeTest, EveryControlClass_RoleNameStateValueAndAction)
{
    struct Row {
        LONG role;
        const wchar_t* name;
        LONG statesSet;
        LONG statesClear;
        const wchar_t* value;   // null: the control has none
        const wchar_t* action;
    };
    const LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
    const Row rows[kSceneChildren] = {
        {ROLE_SYSTEM_STATICTEXT, L"Hello world", STATE_SYSTEM_READONLY, kFocusable, nullptr, L""},
        {ROLE_SYSTEM_STATICTEXT, L"Bold and {x}", STATE_SYSTEM_READONLY, 0, nullptr, L""},
        {ROLE_SYSTEM_STATICTEXT, L"Link here", STATE_SYSTEM_READONLY, 0, nullptr, L""},
        {ROLE_SYSTEM_PUSHBUTTON, L"OK", kFocusable, STATE_SYSTEM_PRESSED, nullptr, L"Press"},
        {ROLE_SYSTEM_PUSHBUTTON, L"Tip more", kFocusable, 0, nullptr, L"Press"},
        {ROLE_SYSTEM_PUSHBUTTON, L"卸载", kFocusable, 0, nullptr, L"Press"},
        {ROLE_SYSTEM_RADIOBUTTON, L"Choice", STATE_SYSTEM_CHECKED | kFocusable, 0, nullptr, L"Check"},
        {ROLE_SYSTEM_CHECKBUTTON, L"Agree", kFocusable, STATE_SYSTEM_CHECKED, nullptr, L"Check"},
        {ROLE_SYSTEM_CHECKBUTTON, L"Off", STATE_SYSTEM_UNAVAILABLE, kFocusable, nullptr, L"Check"},
        {ROLE_SYSTEM_PROGRESSBAR, L"", STATE_SYSTEM_READONLY, kFocusable, L"55%", L""},
        {ROLE_SYSTEM_SLIDER, L"", kFocusable, 0, L"25%", L""},
        {ROLE_SYSTEM_WHITESPACE, L"", 0, kFocusable, nullptr, L""},
        {ROLE_SYSTEM_GROUPING, L"", 0, kFocusable, nullptr, L""},
        {ROLE_SYSTEM_PAGETABLIST, L"", 0, 0, nullptr, L""},
        {ROLE_SYSTEM_GROUPING, L"", 0, 0, nullptr, L""},
        {ROLE_SYSTEM_LIST, L"", 0, 0, nullptr, L""},
        {ROLE_SYSTEM_OUTLINE, L"", 0, 0, nullptr, L""},
        {ROLE_SYSTEM_TEXT, L"Your name", 0, 0, L"typed", L""},
    };
    ASSERT_NE(client, nullptr);
    for (LONG i = 0; i < kSceneChildren; ++i) {
        SCOPED_TRACE(i + 1);
        const Row& row = rows[i];
        AccPtr child = Child(i + 1);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(RoleOf(child.get()), row.role);
        EXPECT_EQ(NameOf(child.get()), row.name);
        const LONG state = StateOf(child.get());
        EXPECT_EQ(state & row.statesSet, row.statesSet);
        EXPECT_EQ(state & (row.statesClear | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_FOCUSED), 0);
        BSTR value = nullptr;
        EXPECT_EQ(child->get_accValue(ChildId(), &value), row.value != nullptr ? S_OK : DISP_E_MEMBERNOTFOUND);
        ::SysFreeString(value);
        EXPECT_EQ(ValueOf(child.get()), row.value != nullptr ? row.value : L"");
        EXPECT_EQ(DefaultActionOf(child.get()), row.action);
        // The parent's view of the same child by position agrees.
        EXPECT_EQ(NameOf(client.get(), i + 1), row.name);
        EXPECT_EQ(RoleOf(client.get(), i + 1), row.role);
    }
    EXPECT_EQ(RoleOf(client.get(), kSceneChildren + 1), -1);

    // A tooltip that is not the name describes the control.
    BSTR description = nullptr;
    EXPECT_EQ(client->get_accDescription(ChildId(4), &description), S_OK);
    EXPECT_STREQ(description, L"Confirms");
    ::SysFreeString(description);
    EXPECT_EQ(client->get_accDescription(ChildId(5), &description), S_FALSE);
    EXPECT_EQ(description, nullptr);
}

TEST_F(AccessibleTreeTest, Containers_PresentPagesBarsRowsAndNodes)
{
    AccPtr tab = Child(14);
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(ChildCountOf(tab.get()), 2);
    AccPtr shown = ChildObject(tab.get(), 1);
    AccPtr hidden = ChildObject(tab.get(), 2);
    EXPECT_EQ(RoleOf(shown.get()), ROLE_SYSTEM_PROPERTYPAGE);
    EXPECT_EQ(StateOf(shown.get()) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_INVISIBLE), STATE_SYSTEM_SELECTED);
    EXPECT_EQ(ChildNames(shown.get()), std::vector<std::wstring>{L"On page"});
    EXPECT_NE(StateOf(hidden.get()) & STATE_SYSTEM_INVISIBLE, 0);
    EXPECT_EQ(ChildCountOf(hidden.get()), 0);
    VARIANT selection;
    ASSERT_EQ(tab->get_accSelection(&selection), S_OK);
    EXPECT_EQ(StateOf(FromVariant(selection).get()) & STATE_SYSTEM_INVISIBLE, 0);

    scene.tab->SelectItem(1, false);
    EXPECT_NE(StateOf(shown.get()) & STATE_SYSTEM_INVISIBLE, 0);
    EXPECT_EQ(ChildCountOf(shown.get()), 0);
    EXPECT_EQ(StateOf(hidden.get()) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_INVISIBLE), STATE_SYSTEM_SELECTED);

    AccPtr scrolled = Child(15);
    ASSERT_EQ(ChildCountOf(scrolled.get()), 2);
    EXPECT_EQ(RoleOf(scrolled.get(), 1), ROLE_SYSTEM_WHITESPACE);
    EXPECT_EQ(RoleOf(scrolled.get(), 2), ROLE_SYSTEM_SCROLLBAR);
    EXPECT_EQ(ValueOf(scrolled.get(), 2), L"0%");

    // The list's body and the nodes' rows are not presented: rows and nodes sit right under.
    AccPtr list = Child(16);
    EXPECT_EQ(ChildNames(list.get()), (std::vector<std::wstring>{L"Row 1", L"Row 2"}));
    EXPECT_EQ(RoleOf(list.get(), 2), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(StateOf(list.get(), 1) & (STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED), STATE_SYSTEM_SELECTABLE);
    EXPECT_NE(StateOf(list.get(), 2) & STATE_SYSTEM_SELECTED, 0);
    ASSERT_EQ(list->get_accSelection(&selection), S_OK);
    EXPECT_EQ(NameOf(FromVariant(selection).get()), L"Row 2");
    AccPtr row = ChildObject(list.get(), 1);
    IDispatch* rowParent = nullptr;
    ASSERT_EQ(row->get_accParent(&rowParent), S_OK);
    selection.vt = VT_DISPATCH;
    selection.pdispVal = rowParent;
    EXPECT_EQ(RoleOf(FromVariant(selection).get()), ROLE_SYSTEM_LIST);

    AccPtr tree = Child(17);
    EXPECT_EQ(ChildNames(tree.get()), (std::vector<std::wstring>{L"Parent", L"Child"}));
    EXPECT_EQ(RoleOf(tree.get(), 1), ROLE_SYSTEM_OUTLINEITEM);
    EXPECT_EQ(ValueOf(tree.get(), 1), L"0");
    EXPECT_EQ(ValueOf(tree.get(), 2), L"1");
    EXPECT_NE(StateOf(tree.get(), 1) & STATE_SYSTEM_EXPANDED, 0);
}

TEST_F(AccessibleTreeTest, LocationsAndHitTests_SpeakScreenCoordinates)
{
    const HWND window = scene.host->get();
    AccPtr button = Child(4);
    const RECT onScreen = ScreenRect(window, scene.button->GetPos());
    ASSERT_GT(onScreen.right, onScreen.left);
    EXPECT_TRUE(SameRect(LocationOf(button.get()), onScreen));
    EXPECT_TRUE(SameRect(LocationOf(client.get(), 4), onScreen));

    const LONG x = (onScreen.left + onScreen.right) / 2;
    const LONG y = (onScreen.top + onScreen.bottom) / 2;
    VARIANT hit;
    ASSERT_EQ(client->accHitTest(x, y, &hit), S_OK);
    EXPECT_EQ(NameOf(FromVariant(hit).get()), L"OK");
    ASSERT_EQ(button->accHitTest(x, y, &hit), S_OK);
    EXPECT_TRUE(hit.vt == VT_I4 && hit.lVal == CHILDID_SELF);
    // Deep: through the tab layout and its page to the page's label.
    const RECT page = ScreenRect(window, scene.pageLabel->GetPos());
    ASSERT_EQ(client->accHitTest(page.left + 1, page.top + 1, &hit), S_OK);
    EXPECT_EQ(NameOf(FromVariant(hit).get()), L"On page");
    EXPECT_EQ(client->accHitTest(onScreen.left - 1000, y, &hit), S_FALSE);
    EXPECT_EQ(hit.vt, VT_EMPTY);
}

TEST_F(AccessibleTreeTest, Navigation_FollowsThePresentedTree)
{
    EXPECT_EQ(NameOf(Navigate(client.get(), NAVDIR_FIRSTCHILD).get()), L"Hello world");
    EXPECT_EQ(NameOf(Navigate(client.get(), NAVDIR_LASTCHILD).get()), L"Your name");
    HRESULT hr = S_OK;
    EXPECT_EQ(Navigate(client.get(), NAVDIR_FIRSTCHILD, 1, &hr), nullptr);
    EXPECT_EQ(hr, E_INVALIDARG);

    AccPtr label = Child(1);
    EXPECT_EQ(NameOf(Navigate(label.get(), NAVDIR_NEXT).get()), L"Bold and {x}");
    EXPECT_EQ(Navigate(label.get(), NAVDIR_PREVIOUS, CHILDID_SELF, &hr), nullptr);
    EXPECT_EQ(hr, S_FALSE);
    // From the parent with a child id, and on screen: the tooltip button is below "OK".
    EXPECT_EQ(NameOf(Navigate(client.get(), NAVDIR_PREVIOUS, 4).get()), L"Link here");
    EXPECT_EQ(NameOf(Navigate(Child(4).get(), NAVDIR_DOWN).get()), L"Tip more");
    EXPECT_EQ(Navigate(Child(4).get(), NAVDIR_LEFT), nullptr);

    IDispatch* parent = nullptr;
    ASSERT_EQ(label->get_accParent(&parent), S_OK);
    VARIANT value;
    value.vt = VT_DISPATCH;
    value.pdispVal = parent;
    EXPECT_EQ(RoleOf(FromVariant(value).get()), ROLE_SYSTEM_CLIENT);
}

TEST_F(AccessibleTreeTest, Focus_FollowsTheWindowAndTheFocusedControl)
{
    const HWND window = scene.host->get();
    ::SetFocus(window);
    ASSERT_EQ(::GetFocus(), window);
    scene.host->manager().SetFocus(scene.button);
    VARIANT focus;
    ASSERT_EQ(client->get_accFocus(&focus), S_OK);
    AccPtr focused = FromVariant(focus);
    EXPECT_EQ(NameOf(focused.get()), L"OK");
    EXPECT_NE(StateOf(focused.get()) & STATE_SYSTEM_FOCUSED, 0);
    EXPECT_EQ(StateOf(client.get(), 8) & STATE_SYSTEM_FOCUSED, 0);

    // Taking the focus through the object moves the window's focus.
    EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, ChildId(8)), S_OK);
    EXPECT_EQ(scene.host->manager().GetFocus(), scene.check);
    EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, ChildId(1)), E_FAIL);
    EXPECT_EQ(client->accSelect(SELFLAG_TAKESELECTION, ChildId(14)), DISP_E_MEMBERNOTFOUND);

    ::SetFocus(nullptr);
    EXPECT_EQ(client->get_accFocus(&focus), S_FALSE);
    EXPECT_EQ(StateOf(client.get(), 8) & STATE_SYSTEM_FOCUSED, 0);
}

TEST_F(AccessibleTreeTest, DefaultAction_ClicksLaterThroughTheListeners)
{
    scene.button->SetName(L"ok");
    scene.check->SetName(L"agree");
    EXPECT_EQ(client->accDoDefaultAction(ChildId(4)), S_OK);
    // The client's call returns before the click: it comes through the window's queue.
    EXPECT_EQ(scene.notes.log.find(L"click:"), std::wstring::npos);
    HostWindow::Pump();
    EXPECT_NE(scene.notes.log.find(L"click:ok "), std::wstring::npos) << scene.notes.log;
    EXPECT_EQ(StateOf(client.get(), 4) & STATE_SYSTEM_PRESSED, 0);

    scene.notes.log.clear();
    AccPtr check = Child(8);
    EXPECT_EQ(check->accDoDefaultAction(ChildId()), S_OK);
    HostWindow::Pump();
    EXPECT_NE(scene.notes.log.find(L"click:agree selectchanged:agree "), std::wstring::npos) << scene.notes.log;
    EXPECT_NE(StateOf(check.get()) & STATE_SYSTEM_CHECKED, 0);
    EXPECT_EQ(DefaultActionOf(check.get()), L"Uncheck");

    EXPECT_EQ(client->accDoDefaultAction(ChildId(9)), E_FAIL);
    EXPECT_EQ(client->accDoDefaultAction(ChildId(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(client->accDoDefaultAction(ChildId(kSceneChildren + 1)), E_INVALIDARG);

    // A press queued for a button that is gone before it arrives does nothing.
    scene.notes.log.clear();
    EXPECT_EQ(client->accDoDefaultAction(ChildId(5)), S_OK);
    scene.root->RemoveAt(4);
    HostWindow::Pump();
    EXPECT_EQ(scene.notes.log.find(L"click:"), std::wstring::npos) << scene.notes.log;
}

} // namespace

// The further controls as the skin builder meets them: identity answers, attributes (known
// ones read back, unknown ones kept as custom attributes, junk values harmless) and painting.
#include "WidgetTestSupport.h"

#include "../render/RenderTestSupport.h"
#include "ui/controls/ActiveXUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/DateTimeUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/RichEditUI.h"
#include "ui/controls/TreeViewUI.h"
#include "ui/controls/WebBrowserUI.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace VarnUI;
using namespace WidgetTest;

namespace {

struct Kind {
    const wchar_t* className;
    std::function<CControlUI*()> make;
    bool container;
    const wchar_t* baseInterface;   // an interface the class inherits and must still answer
};

const Kind kKinds[] = {
    {L"Edit", [] { return new CEditUI; }, false, L"Label"},
    {L"RichEdit", [] { return new CRichEditUI; }, true, L"Container"},
    {L"List", [] { return new CListUI; }, true, L"VerticalLayout"},
    {L"ListHeader", [] { return new CListHeaderUI; }, true, L"HorizontalLayout"},
    {L"ListHeaderItem", [] { return new CListHeaderItemUI; }, false, L"Control"},
    {L"ListLabelElement", [] { return new CListLabelElementUI; }, false, L"IListItem"},
    {L"ListTextElement", [] { return new CListTextElementUI; }, false, L"ListLabelElement"},
    {L"ListContainerElement", [] { return new CListContainerElementUI; }, true, L"IListItem"},
    {L"ListHBoxElement", [] { return new CListHBoxElementUI; }, true, L"ListContainerElement"},
    {L"Combo", [] { return new CComboUI; }, true, L"IListOwner"},
    {L"DateTime", [] { return new CDateTimeUI; }, false, L"Label"},
    {L"TreeView", [] { return new CTreeViewUI; }, true, L"List"},
    {L"TreeNode", [] { return new CTreeNodeUI; }, true, L"ListContainerElement"},
    {L"ActiveX", [] { return new CActiveXUI; }, false, L"Control"},
    {L"WebBrowser", [] { return new CWebBrowserUI; }, false, L"ActiveX"},
    {L"GifAnim", [] { return new CGifAnimUI; }, false, L"Control"},
};

std::wstring Text(const CUIString& text)
{
    return text.GetData();
}

TEST(FurtherControlsIdentity, ClassAndInterfaceNamesAreTheElementWords)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.className);
        std::unique_ptr<CControlUI> control(kind.make());
        EXPECT_STREQ(control->GetClassName(), kind.className);
        EXPECT_NE(control->GetInterface(kind.className), nullptr);
        EXPECT_NE(control->GetInterface(kind.baseInterface), nullptr);
        EXPECT_EQ(control->GetInterface(L"NoSuchThing"), nullptr);
        // Containers hand out the child-list view; the others have none to give.
        auto* view = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"));
        EXPECT_EQ(view != nullptr, kind.container);
        if (view != nullptr) {
            auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"));
            ASSERT_NE(container, nullptr);
            EXPECT_EQ(view, static_cast<IContainerUI*>(container));
        }
    }
}

TEST(FurtherControlsIdentity, TreeAnswersItsOwnObjects)
{
    CTreeViewUI view;
    CTreeNodeUI node;
    EXPECT_EQ(view.GetInterface(L"TreeView"), static_cast<void*>(&view));
    EXPECT_EQ(node.GetInterface(L"TreeNode"), static_cast<void*>(&node));
    EXPECT_EQ(view.GetInterface(L"TreeNode"), nullptr);
    EXPECT_EQ(node.GetInterface(L"TreeView"), nullptr);
}

TEST(FurtherControlsAttributes, UnknownNamesBecomeCustomAttributesInEveryClass)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.className);
        std::unique_ptr<CControlUI> control(kind.make());
        control->SetAttribute(L"flavour", L"salty");
        control->SetAttribute(L"Maxchar", L"3");   // names are case-sensitive
        control->SetAttribute(L"width", L"77");
        ASSERT_NE(control->GetCustomAttribute(L"flavour"), nullptr);
        EXPECT_STREQ(control->GetCustomAttribute(L"flavour"), L"salty");
        EXPECT_STREQ(control->GetCustomAttribute(L"Maxchar"), L"3");
        EXPECT_EQ(control->GetCustomAttribute(L"width"), nullptr);
        EXPECT_EQ(control->GetFixedWidth(), 77);
    }
}

TEST(FurtherControlsAttributes, JunkValuesForEveryKnownNameLeaveAPaintableControl)
{
    const wchar_t* names[] = {L"maxchar", L"readonly", L"password", L"passwordchar", L"numberonly", L"nativebkcolor",
                              L"normalimage", L"hotimage", L"focusedimage", L"disabledimage", L"pushedimage",
                              L"multiline", L"vscrollbar", L"hscrollbar", L"vscrollbarstyle", L"autovscroll",
                              L"rich", L"wantreturn", L"wantctrlreturn", L"transparent", L"font", L"textcolor",
                              L"textpadding", L"text", L"header", L"headerbkimage", L"scrollselect", L"itemfont",
                              L"itemalign", L"itemtextpadding", L"itembkimage", L"itemlinecolor", L"dropbox",
                              L"dropboxsize", L"clsid", L"modulename", L"delaycreate", L"homepage", L"autonavi",
                              L"bkimage", L"autoplay", L"autosize", L"expand", L"indent", L"sepwidth", L"selected",
                              L"childpadding", L"inset", L"pos", L"align"};
    const wchar_t* junk[] = {L"", L"-1", L"99999999999999999999", L"#zzzz", L",,,,", L"file='missing.png'",
                             L"x=\"", L"true"};
    CWidgetHost host(200, 120);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.className);
        CControlUI* control = host.Add(kind.make(), {0, 0, 180, 100});
        for (const wchar_t* name : names) {
            for (const wchar_t* value : junk) control->SetAttribute(name, value);
        }
        control->SetAttribute(L"bkcolor", L"#FF102030");
        control->SetPos({0, 0, 180, 100}, false);
        CCanvas canvas(200, 120);
        PaintInto(canvas, *control);
        EXPECT_GT(canvas.Count({0, 0, 180, 100}, 0x102030), 0);
    }
}

TEST(FurtherControlsAttributes, EditReadsItsSwitchesAndHoldsItsLimits)
{
    CEditUI edit;
    edit.ApplyAttributeText(L"maxchar=\"5\" readonly=\"true\" password=\"true\" passwordchar=\"#\" "
                            L"nativebkcolor=\"#FF112233\" text=\"abcdefgh\"");
    EXPECT_EQ(edit.GetMaxChar(), 5);
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(edit.IsPasswordMode());
    EXPECT_EQ(edit.GetPasswordChar(), L'#');
    EXPECT_EQ(edit.GetNativeEditBkColor(), 0xFF112233u);
    EXPECT_EQ(Text(edit.GetText()), L"abcde");
    edit.SetMaxChar(2);
    EXPECT_EQ(Text(edit.GetText()), L"ab");

    // Digits only: a text with anything else is refused whole.
    CEditUI digits;
    digits.SetAttribute(L"numberonly", L"true");
    digits.SetText(L"123");
    digits.SetText(L"12a");
    EXPECT_EQ(Text(digits.GetText()), L"123");
    EXPECT_TRUE(digits.IsNumberOnly());
}

TEST(FurtherControlsAttributes, EditTakesTypedCharactersOnlyWhileFocusedAndWritable)
{
    CWidgetHost host;
    auto* edit = host.Add(new CEditUI, {10, 10, 150, 40});
    edit->SetAttribute(L"maxchar", L"3");
    host.Send(edit, EVT_CHAR, {20, 20}, 0, L'x');
    EXPECT_EQ(Text(edit->GetText()), L"");

    host.Send(edit, EVT_SETFOCUS, {20, 20});
    for (wchar_t ch : std::wstring(L"abcd")) host.Send(edit, EVT_CHAR, {20, 20}, 0, ch);
    EXPECT_EQ(Text(edit->GetText()), L"abc");
    host.Send(edit, EVT_CHAR, {20, 20}, 0, L'\b');
    EXPECT_EQ(Text(edit->GetText()), L"ab");
    EXPECT_EQ(host.Types(), std::vector<std::wstring>(4, L"textchanged"));   // "d" was refused

    edit->SetReadOnly(true);
    host.Send(edit, EVT_CHAR, {20, 20}, 0, L'z');
    EXPECT_EQ(Text(edit->GetText()), L"ab");
}

TEST(FurtherControlsAttributes, InstallPageDirectoryFieldBuildsWithItsAttributes)
{
    // The install page's directory field, attribute for attribute.
    CRichEditUI edit;
    edit.SetAttribute(L"name", L"edit_dir");
    edit.SetAttribute(L"width", L"200");
    edit.SetAttribute(L"height", L"28");
    edit.SetAttribute(L"bkimage", L"file='edit.png' corner='4,4,4,4'");
    edit.SetAttribute(L"text", L"C:\\Program Files\\Varnholt");
    EXPECT_EQ(Text(edit.GetName()), L"edit_dir");
    EXPECT_EQ(edit.GetFixedWidth(), 200);
    EXPECT_EQ(edit.GetFixedHeight(), 28);
    EXPECT_STREQ(edit.GetBkImage(), L"file='edit.png' corner='4,4,4,4'");
    EXPECT_EQ(Text(edit.GetText()), L"C:\\Program Files\\Varnholt");
}

TEST(FurtherControlsAttributes, RichEditReadsItsSwitches)
{
    CRichEditUI edit;
    edit.ApplyAttributeText(L"multiline=\"true\" autovscroll=\"true\" rich=\"false\" readonly=\"true\" "
                            L"wantreturn=\"true\" wantctrlreturn=\"true\" transparent=\"false\" font=\"2\" "
                            L"textcolor=\"#FF445566\" textpadding=\"1,2,3,4\" maxchar=\"4\" text=\"123456\"");
    EXPECT_TRUE(edit.IsMultiLine());
    EXPECT_TRUE(edit.IsAutoVScroll());
    EXPECT_FALSE(edit.IsRich());
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(edit.IsWantReturn());
    EXPECT_TRUE(edit.IsWantCtrlReturn());
    EXPECT_FALSE(edit.IsTransparent());
    EXPECT_EQ(edit.GetFont(), 2);
    EXPECT_EQ(edit.GetTextColor(), 0xFF445566u);
    EXPECT_EQ(edit.GetTextPadding().bottom, 4);
    EXPECT_EQ(Text(edit.GetText()), L"1234");
    EXPECT_EQ(edit.GetTextStyle() & DT_SINGLELINE, 0u);

    // "vscrollbar" is the container's: the bar exists afterwards.
    edit.SetAttribute(L"vscrollbar", L"true");
    EXPECT_NE(edit.GetVerticalScrollBar(), nullptr);
}

TEST(FurtherControlsAttributes, ComServingPlaceholdersKeepWhatTheyAreGiven)
{
    CActiveXUI activeX;
    activeX.ApplyAttributeText(L"clsid=\"{5C3A91E2-7B04-4F6D-9E18-A2B3C4D5E6F7}\" modulename=\"x.dll\" "
                               L"delaycreate=\"false\"");
    ASSERT_TRUE(activeX.HasClassId());
    EXPECT_EQ(activeX.GetClassId().Data1, 0x5C3A91E2u);
    EXPECT_EQ(activeX.GetClassId().Data4[7], 0xF7);
    EXPECT_EQ(Text(activeX.GetModuleName()), L"x.dll");
    EXPECT_FALSE(activeX.IsDelayCreate());

    // A malformed id leaves the one before.
    const wchar_t* bad[] = {L"{11111111-7B04-4F6D-9E18-A2B3C4D5E6F}", L"11111111-7B04-4F6D-9E18A2B3C4D5E6F7",
                            L"{11111111-7B04-4F6D-9E18-A2B3C4D5E6F7", L"{11111111-7B04-4F6D-9E18-A2B3C4D5E6F7}x",
                            L"{G1111111-7B04-4F6D-9E18-A2B3C4D5E6F7}", L""};
    for (const wchar_t* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(activeX.SetClassId(text));
        EXPECT_EQ(activeX.GetClassId().Data1, 0x5C3A91E2u);
    }
    CLSID unbraced = {};
    EXPECT_TRUE(ParseClassId(L"00000001-0002-0003-0405-060708090a0b", unbraced));
    EXPECT_EQ(unbraced.Data4[7], 0x0B);

    CWebBrowserUI browser;
    browser.ApplyAttributeText(L"homepage=\"about:blank\" autonavi=\"true\" clsid=\"{00000000-0000-0000-0000-000000000001}\"");
    EXPECT_EQ(Text(browser.GetHomePage()), L"about:blank");
    EXPECT_TRUE(browser.IsAutoNavigation());
    EXPECT_TRUE(browser.HasClassId());
}

TEST(FurtherControlsAttributes, DateShowsItsTimeAndRefusesImpossibleDays)
{
    CDateTimeUI date;
    SYSTEMTIME leap = {};
    leap.wYear = 2024;
    leap.wMonth = 2;
    leap.wDay = 29;
    ASSERT_TRUE(date.SetTime(leap));
    EXPECT_EQ(Text(date.GetText()), L"2024-02-29");

    SYSTEMTIME impossible = leap;
    impossible.wYear = 2023;
    EXPECT_FALSE(date.SetTime(impossible));
    impossible = leap;
    impossible.wMonth = 13;
    EXPECT_FALSE(date.SetTime(impossible));
    EXPECT_EQ(date.GetTime().wYear, 2024);
    EXPECT_EQ(Text(date.GetText()), L"2024-02-29");

    struct Day {
        WORD year, month, day, hour;
        bool valid;
    };
    const Day days[] = {{2000, 2, 29, 0, true},  {1900, 2, 29, 0, false}, {2023, 4, 31, 0, false},
                        {2023, 12, 31, 23, true}, {2023, 1, 0, 0, false},  {2023, 1, 1, 24, false},
                        {1600, 1, 1, 0, false}};
    for (const Day& d : days) {
        SYSTEMTIME time = {};
        time.wYear = d.year;
        time.wMonth = d.month;
        time.wDay = d.day;
        time.wHour = d.hour;
        EXPECT_EQ(IsCalendarTime(time), d.valid) << d.year << "-" << d.month << "-" << d.day << " " << d.hour;
    }

    // A new field shows today.
    CDateTimeUI today;
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    EXPECT_EQ(today.GetTime().wDay, now.wDay);
    EXPECT_EQ(today.GetText().GetLength(), 10);
}

TEST(FurtherControlsAttributes, AnimatedPictureTakesThePictureSizeWhenAsked)
{
    const std::wstring file = WriteBmp(L"gifanim", 24, 10, [](int, int) { return 0x2040A0u; });
    CWidgetHost host;
    auto* picture = host.Add(new CGifAnimUI, {0, 0, 100, 100});
    picture->SetAttribute(L"bkimage", file.c_str());
    EXPECT_EQ(picture->GetFixedWidth(), 0);
    picture->SetAttribute(L"autosize", L"true");
    picture->SetAttribute(L"autoplay", L"false");
    EXPECT_EQ(picture->GetFixedWidth(), 24);
    EXPECT_EQ(picture->GetFixedHeight(), 10);
    EXPECT_FALSE(picture->IsAutoPlay());

    picture->SetPos({0, 0, 24, 10}, false);
    CCanvas canvas(40, 20);
    PaintInto(canvas, *picture);
    EXPECT_EQ(canvas.Pixel(12, 5), 0x2040A0u);
    EXPECT_FALSE(picture->IsPlaying());
    picture->PlayGif();
    EXPECT_TRUE(picture->IsPlaying());
    picture->SetVisible(false);
    EXPECT_FALSE(picture->IsPlaying());
    ::DeleteFileW(file.c_str());
}

TEST(FurtherControlsPaint, BackgroundBorderAndTextThroughTheControlBase)
{
    CWidgetHost host(220, 60);
    struct Case {
        const wchar_t* className;
        CControlUI* control;
    };
    auto* combo = new CComboUI;
    auto* row = new CListLabelElementUI;
    row->SetText(L"MMMM");
    const Case cases[] = {
        {L"Edit", new CEditUI},       {L"RichEdit", new CRichEditUI},        {L"DateTime", new CDateTimeUI},
        {L"Combo", combo},            {L"ListHeaderItem", new CListHeaderItemUI},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        CControlUI* control = host.Add(c.control, {10, 10, 210, 50});
        control->ApplyAttributeText(L"bkcolor=\"#FF00FF00\" bordercolor=\"#FFFF0000\" bordersize=\"2\" "
                                    L"textcolor=\"#FF0000FF\" itemtextcolor=\"#FF0000FF\"");
        if (control == combo) {
            combo->Add(row);
            combo->SelectItem(0);
        } else if (control->GetInterface(L"DateTime") == nullptr) {
            control->SetText(L"MMMM");
        }
        control->SetPos({10, 10, 210, 50}, false);
        CCanvas canvas(220, 60);
        PaintInto(canvas, *control);
        EXPECT_EQ(canvas.Pixel(10, 30), 0xFF0000u);     // border
        EXPECT_EQ(canvas.Pixel(200, 30), 0x00FF00u);    // background
        EXPECT_GT(canvas.CountOther({14, 14, 206, 46}, 0x00FF00), 20);   // text
        EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFFFFu);       // nothing outside
    }
}

TEST(FurtherControlsPaint, PasswordFieldsShowTheMaskNeverTheText)
{
    CWidgetHost host(220, 60);
    auto* secret = host.Add(new CEditUI, {10, 10, 210, 50});
    auto* shown = host.Add(new CEditUI, {10, 10, 210, 50});
    secret->ApplyAttributeText(L"password=\"true\" textcolor=\"#FF000000\" text=\"hello\"");
    shown->ApplyAttributeText(L"textcolor=\"#FF000000\" text=\"*****\"");
    CCanvas masked(220, 60);
    CCanvas plain(220, 60);
    PaintInto(masked, *secret);
    PaintInto(plain, *shown);
    int differing = 0;
    for (int y = 10; y < 50; ++y) {
        for (int x = 10; x < 210; ++x) differing += masked.Pixel(x, y) != plain.Pixel(x, y) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(Text(secret->GetText()), L"hello");
}

TEST(FurtherControlsPaint, StateImagesFollowHoverAndFocus)
{
    CWidgetHost host;
    auto* edit = host.Add(new CEditUI, {10, 10, 110, 40});
    edit->ApplyAttributeText(L"normalimage=\"color='#FF0000FF'\" hotimage=\"color='#FF00FF00'\" "
                             L"focusedimage=\"color='#FFFF0000'\"");
    auto centre = [&] {
        CCanvas canvas(200, 60);
        PaintInto(canvas, *edit);
        return canvas.Pixel(60, 25);
    };
    EXPECT_EQ(centre(), 0x0000FFu);
    host.Send(edit, EVT_MOUSEENTER, {60, 25});
    EXPECT_EQ(centre(), 0x00FF00u);
    host.Send(edit, EVT_SETFOCUS, {60, 25});
    EXPECT_EQ(centre(), 0xFF0000u);
    host.Send(edit, EVT_KILLFOCUS, {60, 25});
    host.Send(edit, EVT_MOUSELEAVE, {200, 25});
    EXPECT_EQ(centre(), 0x0000FFu);
}

TEST(FurtherControlsPaint, ThousandPaintsOfEveryClassLeaveNoGdiObjectBehind)
{
    CWidgetHost host(220, 140);
    CCanvas canvas(220, 140);
    std::vector<CControlUI*> controls;
    for (const Kind& kind : kKinds) {
        CControlUI* control = host.Add(kind.make(), {0, 0, 200, 120});
        control->ApplyAttributeText(L"bkcolor=\"#FF336699\" bkcolor2=\"#FF996633\" bordercolor=\"#FF000000\" "
                                    L"bordersize=\"1\" borderround=\"4,4\" text=\"Text\" itemlinecolor=\"#FF00FF00\"");
        controls.push_back(control);
    }
    auto* list = static_cast<CListUI*>(controls[2]);
    auto* header = new CListHeaderUI;
    header->Add(new CListHeaderItemUI);
    list->Add(header);
    for (int i = 0; i < 3; ++i) {
        auto* row = new CListTextElementUI;
        row->SetText(L"row");
        list->Add(row);
    }
    for (CControlUI* control : controls) control->SetPos({0, 0, 200, 120}, false);
    for (CControlUI* control : controls) PaintInto(canvas, *control);   // fonts and images load once

    const int before = RenderTest::CountGdiObjects();
    for (int round = 0; round < 1000 / static_cast<int>(controls.size()) + 1; ++round) {
        for (CControlUI* control : controls) PaintInto(canvas, *control);
    }
    EXPECT_EQ(RenderTest::CountGdiObjects(), before);
}

} // namespace

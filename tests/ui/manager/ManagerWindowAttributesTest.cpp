#include "ManagerTestSupport.h"

#include "ui/manager/ManagerUI.h"

#include <gtest/gtest.h>

#include <string>

using namespace VarnUI;

namespace {

std::wstring Describe(const RECT& rc)
{
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
           std::to_wstring(rc.bottom);
}

std::wstring Describe(SIZE size)
{
    return std::to_wstring(size.cx) + L"," + std::to_wstring(size.cy);
}

// Reads back what a window attribute changed, as text.
std::wstring ReadBack(CManagerUI& m, const std::wstring& what)
{
    if (what == L"size") return Describe(m.GetInitSize());
    if (what == L"sizebox") return Describe(m.GetSizeBox());
    if (what == L"caption") return Describe(m.GetCaptionRect());
    if (what == L"roundcorner") return Describe(m.GetRoundCorner());
    if (what == L"mininfo") return Describe(m.GetMinInfo());
    if (what == L"maxinfo") return Describe(m.GetMaxInfo());
    if (what == L"showdirty") return m.IsShowUpdateRect() ? L"on" : L"off";
    if (what == L"noactivate") return m.IsNoActivate() ? L"on" : L"off";
    if (what == L"opacity") return std::to_wstring(m.GetOpacity());
    if (what == L"layeredopacity") return std::to_wstring(m.GetLayeredOpacity());
    if (what == L"disabled") return std::to_wstring(m.GetDefaultDisabledColor());
    if (what == L"font") return std::to_wstring(m.GetDefaultFontColor());
    if (what == L"link") return std::to_wstring(m.GetDefaultLinkFontColor());
    if (what == L"linkhover") return std::to_wstring(m.GetDefaultLinkHoverFontColor());
    if (what == L"selected") return std::to_wstring(m.GetDefaultSelectedBkColor());
    const wchar_t* custom = m.GetWindowCustomAttribute(what.c_str());
    return custom != nullptr ? std::wstring(L"custom:") + custom : L"(none)";
}

TEST(ManagerWindowAttributes, EachAttributeOfTheTable)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        const wchar_t* readBack;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"size", L"454,200", L"size", L"454,200"},
        {L"SIZE", L"10,20", L"size", L"10,20"},
        {L"size", L"454", L"size", L"454,0"},
        {L"sizebox", L"4,5,6,7", L"sizebox", L"4,5,6,7"},
        {L"Caption", L"0,0,0,220", L"caption", L"0,0,0,220"},
        {L"roundcorner", L"5,6", L"roundcorner", L"5,6"},
        {L"mininfo", L"100,80", L"mininfo", L"100,80"},
        {L"maxinfo", L"900,700", L"maxinfo", L"900,700"},
        {L"showdirty", L"TRUE", L"showdirty", L"on"},
        {L"showdirty", L"yes", L"showdirty", L"off"},
        {L"noactivate", L"true", L"noactivate", L"on"},
        {L"NoActivate", L"true", L"noactivate", L"off"},
        {L"NoActivate", L"true", L"NoActivate", L"custom:true"},
        {L"opacity", L"128", L"opacity", L"128"},
        {L"opacity", L"300", L"opacity", L"255"},
        {L"layeredopacity", L"77", L"layeredopacity", L"77"},
        {L"LayeredOpacity", L"77", L"LayeredOpacity", L"custom:77"},
        {L"defaultfontcolor", L"#FF112233", L"font", L"4279312947"},
        {L"defaultfontcolor", L"FF112233", L"font", L"4279312947"},
        {L"disabledfontcolor", L"#FFA0A0A0", L"disabled", L"4288716960"},
        {L"linkfontcolor", L"#FF0000EE", L"link", L"4278190318"},
        {L"linkhoverfontcolor", L"#FFEE0000", L"linkhover", L"4293787648"},
        {L"selectedcolor", L"#FF00EE00", L"selected", L"4278251008"},
        {L"skin", L"blue", L"skin", L"custom:blue"},
        {L"skin", L"", L"skin", L"(none)"},
    };
    for (const Case& c : cases) {
        CManagerUI manager;
        manager.SetWindowAttribute(c.name, c.value);
        EXPECT_EQ(ReadBack(manager, c.readBack), c.expected) << c.name << L"=" << c.value;
    }
}

TEST(ManagerWindowAttributes, AttributeListReading)
{
    struct Case {
        const wchar_t* list;
        const wchar_t* readBack;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"size=\"1,2\" caption=\"0,0,0,9\"", L"caption", L"0,0,0,9"},
        {L"size=\"1,2\"  caption=\"0,0,0,9\"", L"caption", L"0,0,0,0"},
        {L"size=\"1,2\"  caption=\"0,0,0,9\"", L" caption", L"custom:0,0,0,9"},
        {L"size=\"1,2\"caption=\"0,0,0,9\"", L"size", L"1,2"},
        {L"size=\"1,2\"caption=\"0,0,0,9\"", L"caption", L"0,0,0,0"},
        {L"size=\"1,2\" caption=0,0,0,9", L"size", L"1,2"},
        {L"size=\"1,2 caption=\"0,0,0,9\"", L"size", L"1,2"},
        {L"size=\"3,4", L"size", L"0,0"},
        {L"size", L"size", L"0,0"},
        {L"a b=\"x\"", L"a b", L"custom:x"},
        {L"", L"size", L"0,0"},
    };
    for (const Case& c : cases) {
        CManagerUI manager;
        manager.SetWindowAttributeList(c.list);
        EXPECT_EQ(ReadBack(manager, c.readBack), c.expected) << c.list;
    }
}

TEST(ManagerWindowAttributes, CustomAttributes_FirstValueWins)
{
    CManagerUI manager;
    manager.AddWindowCustomAttribute(L"k", L"first");
    manager.AddWindowCustomAttribute(L"k", L"second");
    manager.AddWindowCustomAttribute(L"", L"x");
    manager.AddWindowCustomAttribute(L"empty", L"");
    EXPECT_STREQ(manager.GetWindowCustomAttribute(L"k"), L"first");
    EXPECT_EQ(manager.GetWindowCustomAttribute(L"empty"), nullptr);
    EXPECT_TRUE(manager.RemoveWindowCustomAttribute(L"k"));
    EXPECT_FALSE(manager.RemoveWindowCustomAttribute(L"k"));
    manager.AddWindowCustomAttribute(L"k", L"third");
    EXPECT_STREQ(manager.GetWindowCustomAttribute(L"k"), L"third");
}

TEST(ManagerWindowAttributes, SharedColours_OwnValueFollowsWhileUnchanged)
{
    CManagerUI first;
    CManagerUI second;
    const DWORD original = first.GetDefaultLinkFontColor();
    second.SetDefaultLinkFontColor(0xFF123456);
    first.SetDefaultLinkFontColor(0xFF00AA00, true);
    EXPECT_EQ(first.GetDefaultLinkFontColor(), 0xFF00AA00u);
    EXPECT_EQ(second.GetDefaultLinkFontColor(), 0xFF123456u);
    CManagerUI third;
    EXPECT_EQ(third.GetDefaultLinkFontColor(), 0xFF00AA00u);
    first.SetDefaultLinkFontColor(original, true);
}

TEST(ManagerWindowAttributes, Size_ResizesTheWindowOnlyBeforeTheTreeIsAttached)
{
    VarnTest::TestWindow window;
    CManagerUI manager;
    manager.Init(window.get(), L"size");
    manager.SetWindowAttribute(L"size", L"240,160");
    RECT rc = {};
    ::GetWindowRect(window.get(), &rc);
    EXPECT_EQ(rc.right - rc.left, 240);
    EXPECT_EQ(rc.bottom - rc.top, 160);

    manager.AttachRoot(new CControlUI);
    manager.SetWindowAttribute(L"size", L"100,90");
    EXPECT_EQ(Describe(manager.GetInitSize()), L"100,90");
    ::GetWindowRect(window.get(), &rc);
    EXPECT_EQ(rc.right - rc.left, 240);
}

TEST(ManagerWindowAttributes, OpacityAndLayeredMode)
{
    VarnTest::TestWindow window;
    VarnTest::TestWindow child(40, 40, window.get());
    CManagerUI manager;
    manager.Init(window.get(), L"layered");
    auto exStyle = [&] { return ::GetWindowLongW(window.get(), GWL_EXSTYLE); };

    manager.SetLayered(true);
    EXPECT_TRUE(manager.IsLayered());
    EXPECT_NE(exStyle() & WS_EX_LAYERED, 0);
    // Switching the mode invalidates the client area; later rectangles only grow it.
    EXPECT_EQ(Describe(manager.GetLayeredDirtyRect()), L"0,0,300,200");
    manager.Invalidate({-5, -5, 20, 10});
    EXPECT_EQ(Describe(manager.GetLayeredDirtyRect()), L"0,0,300,200");
    manager.Invalidate({310, 5, 320, 10});
    EXPECT_EQ(Describe(manager.GetLayeredDirtyRect()), L"0,0,320,200");

    manager.SetLayered(false);
    EXPECT_FALSE(manager.IsLayered());
    EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0);

    manager.SetLayered(true);
    manager.SetWindowAttribute(L"opacity", L"200");
    EXPECT_EQ(manager.GetOpacity(), 200);
    EXPECT_FALSE(manager.IsLayered());  // constant alpha replaces per-pixel mode
    EXPECT_NE(exStyle() & WS_EX_LAYERED, 0);

    CManagerUI childManager;
    childManager.Init(child.get(), L"child");
    childManager.SetLayered(true);
    EXPECT_FALSE(childManager.IsLayered());

    CManagerUI unbound;
    unbound.SetLayered(true);
    EXPECT_FALSE(unbound.IsLayered());
    unbound.Invalidate({0, 0, 5, 5});
    unbound.Invalidate();
}

} // namespace

// A skinned window moved to a display of another scale: WM_DPICHANGED, as the system sends
// it, re-lays the same controls at the new size and leaks no GDI object on the way there and
// back.
#include "../render/RenderTestSupport.h"

#include "ui/controls/ControlUI.h"
#include "ui/skin/SkinResources.h"
#include "ui/window/WindowImplBase.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace VarnUI;

namespace {

constexpr UINT kDpiChanged = 0x02E0;

const wchar_t kSkin[] =
    L"<Window size=\"300,200\" sizebox=\"4,5,6,7\" caption=\"0,0,0,40\" roundcorner=\"8,8\" mininfo=\"120,80\">"
    L"<Font id=\"1\" name=\"Arial\" size=\"12\"/>"
    L"<VerticalLayout><HorizontalLayout height=\"40\" bkimage=\"file='dpi_window.png' corner='2,2,2,2'\">"
    L"<Label name=\"title\" width=\"100\" text=\"Title\" font=\"1\"/><Button name=\"button\" width=\"30\"/>"
    L"</HorizontalLayout><Control name=\"body\" bordersize=\"1\" bordercolor=\"#FF000000\"/>"
    L"</VerticalLayout></Window>";

class DpiWindow : public WindowImplBase {
public:
    const wchar_t* WindowClassName() const override { return L"VarnWindowDpiTest"; }
    CUIString SkinFolder() override { return L""; }
    CUIString SkinFile() override { return kSkin; }
    CControlUI* Find(const wchar_t* name) { return m_manager.FindControlByName(name); }
    LRESULT HitTest(int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(m_window, &pt);
        return SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }
    // As the system sends it: the new DPI twice and where the window should go.
    void MoveToDpi(int dpi, const RECT& suggested)
    {
        SendMessage(kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        ::UpdateWindow(m_window);
    }
};

SIZE WindowSize(HWND window)
{
    RECT rc = {};
    ::GetWindowRect(window, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

TEST(WindowDpi, DpiChanged_TakesTheRectangle_RelaysTheSameControls_LeaksNothing)
{
    CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    const CUIString previousPath = CSkinResources::GetResourcePath();
    RenderTest::WriteSkinFile(L"dpi_window.png", RenderTest::Encode(RenderTest::ImageFormat::Png, 6, 6,
        RenderTest::MakePixels(6, 6, [](int, int) { return 0xFF336699u; })));
    CSkinResources::SetResourcePath(RenderTest::SkinFolder().c_str());
    DpiWindow window;
    ASSERT_NE(window.Create(nullptr, L"dpi", WS_POPUP, 0, 40, 50, 0, 0), nullptr);
    window.ShowWindow(true, false);
    ::UpdateWindow(window);
    CControlUI* title = window.Find(L"title");
    CControlUI* body = window.Find(L"body");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->GetWidth(), 100);
    const int objects = RenderTest::CountGdiObjects();

    window.MoveToDpi(192, {40, 50, 640, 450});
    EXPECT_EQ(window.PaintManager().GetDpi(), 192);
    EXPECT_EQ(WindowSize(window).cx, 600);
    EXPECT_EQ(WindowSize(window).cy, 400);
    // The same controls, placed at the new size.
    EXPECT_EQ(window.Find(L"title"), title);
    EXPECT_EQ(window.Find(L"body"), body);
    EXPECT_EQ(title->GetWidth(), 200);
    EXPECT_EQ(title->GetHeight(), 80);
    EXPECT_EQ(body->GetPos().top, 80);
    EXPECT_EQ(body->GetPos().bottom, 400);
    LOGFONTW lf = {};
    ::GetObjectW(window.PaintManager().GetFont(1), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -24);
    // The frame follows: size box, caption, round corners, minimum size.
    EXPECT_EQ(window.HitTest(7, 200), HTLEFT);
    EXPECT_EQ(window.HitTest(300, 9), HTTOP);
    EXPECT_EQ(window.HitTest(300, 10), HTCAPTION);
    EXPECT_EQ(window.HitTest(150, 79), HTCAPTION);
    EXPECT_EQ(window.HitTest(230, 40), HTCLIENT);
    EXPECT_EQ(window.HitTest(300, 80), HTCLIENT);
    {
        CGdiRegion region(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(::GetWindowRgn(window, region.get()), ERROR);
        EXPECT_FALSE(::PtInRegion(region.get(), 1, 1));
        EXPECT_TRUE(::PtInRegion(region.get(), 599, 200));
    }
    MINMAXINFO info = {};
    window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 240);

    window.MoveToDpi(96, {40, 50, 340, 250});
    EXPECT_EQ(WindowSize(window).cx, 300);
    EXPECT_EQ(title->GetWidth(), 100);
    EXPECT_EQ(window.HitTest(150, 39), HTCAPTION);
    EXPECT_EQ(window.HitTest(150, 41), HTCLIENT);
    EXPECT_EQ(RenderTest::CountGdiObjects(), objects);
    ::DestroyWindow(window);
    CSkinResources::SetResourcePath(previousPath.GetData());
}

} // namespace

#include "ManagerTestSupport.h"

#include <gtest/gtest.h>

using namespace VarnUI;
using VarnTest::Canvas;
using VarnTest::HostWindow;
using VarnTest::NotifyLog;
using VarnTest::TestContainer;
using VarnTest::WindowPixel;

namespace {

constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kBlue = 0xFF0000FF;

int g_sized = 0;
bool CountSize(void*)
{
    ++g_sized;
    return true;
}

// A red root with a blue child at (10,10)-(100,100), in a shown 300 x 200 window.
struct PaintScene {
    HostWindow host{300, 200, true};
    NotifyLog notes;
    TestContainer* root = new TestContainer;
    CControlUI* child = new CControlUI;

    PaintScene()
    {
        root->SetBkColor(kRed);
        child->SetBkColor(kBlue);
        child->SetPos({10, 10, 100, 100}, false);
        root->Add(child);
        host.manager().AddNotifier(&notes);
        host.manager().AttachRoot(root);
    }
    ~PaintScene() { host.manager().RemoveNotifier(&notes); }
    void Repaint() const
    {
        ::InvalidateRect(host.get(), nullptr, FALSE);
        host.PaintNow();
    }
};

TEST(ManagerPaint, NoRoot_PaintsTheWindowBlack)
{
    HostWindow host(100, 80, true);
    HDC dc = ::GetDC(host.get());
    RECT all = {0, 0, 100, 80};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::ReleaseDC(host.get(), dc);
    ::InvalidateRect(host.get(), nullptr, FALSE);
    host.PaintNow();
    EXPECT_TRUE(host.Handled(WM_PAINT));
    EXPECT_EQ(WindowPixel(host.get(), 50, 40), 0x000000u);
}

TEST(ManagerPaint, FirstPaint_LaysOutOnceSendsWindowInitOnceAndShowsTheTree)
{
    PaintScene s;
    s.host.PaintNow();
    EXPECT_EQ(s.root->GetPos().right, 300);
    EXPECT_EQ(s.root->GetPos().bottom, 200);
    EXPECT_EQ(WindowPixel(s.host.get(), 50, 50), 0x0000FFu);
    EXPECT_EQ(WindowPixel(s.host.get(), 200, 150), 0xFF0000u);
    EXPECT_NE(s.host.manager().GetOffscreenBitmap(), nullptr);
    s.Repaint();
    s.host.manager().RequestLayout();
    s.Repaint();
    EXPECT_EQ(s.notes.log, L"windowinit: ");
}

TEST(ManagerPaint, EmptyUpdateRect_PaintsNothingAndIsHandled)
{
    PaintScene s;
    ::ValidateRect(s.host.get(), nullptr);
    s.host.Send(WM_PAINT);
    EXPECT_TRUE(s.host.Handled(WM_PAINT));
    EXPECT_EQ(s.notes.log, L"");  // not even laid out
    EXPECT_TRUE(::IsRectEmpty(&s.root->GetPos()));
}

TEST(ManagerPaint, DirectPath_PaintsWithoutAnOffscreenBitmap)
{
    PaintScene s;
    s.host.manager().SetOffscreenPaint(false);
    s.host.PaintNow();
    EXPECT_EQ(s.host.manager().GetOffscreenBitmap(), nullptr);
    EXPECT_EQ(WindowPixel(s.host.get(), 50, 50), 0x0000FFu);
    EXPECT_EQ(WindowPixel(s.host.get(), 200, 150), 0xFF0000u);
}

TEST(ManagerPaint, ShowDirty_OutlinesTheRepaintedRectangle)
{
    PaintScene s;
    s.host.manager().SetShowUpdateRect(true);
    s.host.PaintNow();
    EXPECT_EQ(WindowPixel(s.host.get(), 0, 100), 0xDC0000u);
    EXPECT_EQ(WindowPixel(s.host.get(), 1, 100), 0xFF0000u);
}

TEST(ManagerPaint, PartialLayout_PlacesOnlyControlsThatAskedForIt)
{
    PaintScene s;
    auto* floating = new CControlUI;
    floating->SetFloat(true);
    s.root->Add(floating);
    s.host.PaintNow();
    floating->SetPos({20, 120, 60, 160}, false);  // relative to the root at (0,0)
    s.root->OnSize().Add(CountSize);
    s.child->OnSize().Add(CountSize);
    s.Repaint();
    g_sized = 0;
    s.child->RequestLayout();
    floating->RequestLayout();
    s.host.PaintNow();
    EXPECT_EQ(g_sized, 1);  // the child, not the root
    EXPECT_EQ(floating->GetPos().left, 20);
    EXPECT_EQ(floating->GetPos().top, 120);
    EXPECT_FALSE(floating->IsUpdateNeeded());
}

TEST(ManagerPaint, Resize_RebuildsTheOffscreenBitmapAndTellsTheFocusedControl)
{
    PaintScene s;
    std::wstring log;
    auto* focused = new VarnTest::LoggingControl(L"f", {0, 0, 5, 5}, &log);
    s.root->Add(focused);
    s.host.PaintNow();
    focused->SetFocus();
    const HBITMAP before = s.host.manager().GetOffscreenBitmap();
    ::SetWindowPos(s.host.get(), nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(s.host.Handled(WM_SIZE));
    EXPECT_NE(log.find(L"f.size"), std::wstring::npos);
    s.Repaint();
    EXPECT_EQ(s.root->GetPos().right, 200);
    EXPECT_EQ(s.root->GetPos().bottom, 120);
    EXPECT_TRUE(VarnTest::IsDeadGdiObject(before));
    BITMAP info = {};
    ASSERT_NE(::GetObjectW(s.host.manager().GetOffscreenBitmap(), sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 200);
}

TEST(ManagerPaint, PrintClient_PaintsTheTreeIntoTheGivenDC)
{
    PaintScene s;
    s.host.PaintNow();
    Canvas canvas(300, 200, 0x00FFFFFF);
    s.host.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(50, 50), 0x0000FFu);
    EXPECT_EQ(canvas.At(200, 150), 0xFF0000u);
}

// The pixel of a bottom-up 32-bit DIB section as 0xAARRGGBB.
DWORD DibPixel(HBITMAP bitmap, int x, int y)
{
    DIBSECTION dib = {};
    if (::GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBits == nullptr) return 0xDEADBEEF;
    ::GdiFlush();
    const auto* row = static_cast<const BYTE*>(dib.dsBm.bmBits) +
                      static_cast<size_t>(dib.dsBm.bmHeight - 1 - y) * dib.dsBm.bmWidthBytes;
    const BYTE* px = row + x * 4;
    return static_cast<DWORD>(px[3]) << 24 | static_cast<DWORD>(px[2]) << 16 | static_cast<DWORD>(px[1]) << 8 | px[0];
}

TEST(ManagerPaint, Layered_RefreshTimerPaintsTheDirtyRectangleIntoPixels)
{
    PaintScene s;
    CManagerUI& m = s.host.manager();
    m.SetLayered(true);
    ASSERT_TRUE(m.IsLayered());
    m.Invalidate();
    EXPECT_FALSE(::IsRectEmpty(&m.GetLayeredDirtyRect()));
    s.host.Send(WM_TIMER, 8192);
    s.host.Send(WM_TIMER, 8192);  // the layout of the first paint dirtied the window again
    EXPECT_TRUE(::IsRectEmpty(&m.GetLayeredDirtyRect()));
    EXPECT_EQ(s.notes.log, L"windowinit: ");
    ASSERT_NE(m.GetOffscreenBitmap(), nullptr);
    // Plain GDI fills leave the alpha at 0: without a layered image they do not show.
    EXPECT_EQ(DibPixel(m.GetOffscreenBitmap(), 50, 50), 0x000000FFu);
    EXPECT_EQ(DibPixel(m.GetOffscreenBitmap(), 200, 150), 0x00FF0000u);

    // The layered image's alpha shapes the window.
    m.SetLayeredImage(L"color='#80FFFFFF'");
    s.host.Send(WM_TIMER, 8192);
    EXPECT_EQ(DibPixel(m.GetOffscreenBitmap(), 200, 150), 0x80800000u);

    s.host.Send(WM_PAINT);  // nothing dirty: validated and handled
    EXPECT_TRUE(s.host.Handled(WM_PAINT));
    EXPECT_EQ(s.host.Send(WM_NCACTIVATE, 0), TRUE);
    EXPECT_TRUE(s.host.Handled(WM_NCACTIVATE));
}

} // namespace

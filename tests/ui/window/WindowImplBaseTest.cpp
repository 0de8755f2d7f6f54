#include "ui/controls/ControlUI.h"
#include "ui/skin/SkinResources.h"
#include "ui/window/WindowImplBase.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using VarnUI::CControlUI;
using VarnUI::CUIString;
using VarnUI::WindowImplBase;

namespace {

// A skin with a size box, a caption row of one of each kind of control, and round corners
// declared after the size.
const wchar_t kSkin[] =
    L"<Window size=\"300,200\" sizebox=\"4,5,6,7\" caption=\"0,0,0,40\" roundcorner=\"8,8\" mininfo=\"120,80\">"
    L"<VerticalLayout><HorizontalLayout height=\"40\">"
    L"<Label name=\"title\" width=\"100\"/><Button name=\"closebtn\" width=\"30\"/>"
    L"<Option name=\"opt\" width=\"30\"/><Text name=\"txt\" width=\"30\"/><Probe name=\"probe\"/>"
    L"</HorizontalLayout><Control name=\"body\"/>"
    L"<Button name=\"maxbtn\"/><Button name=\"restorebtn\" visible=\"false\"/>"
    L"</VerticalLayout></Window>";

struct SkinRecord {
    int inits = 0;
    int finals = 0;
    int controlsDeleted = 0;
    bool rootAtInit = false;
    std::vector<WPARAM> sysCommands;
    std::vector<int> probeEvents;
};

// Created by the builder through the window's callback for the element "Probe".
class ProbeControl : public CControlUI {
public:
    explicit ProbeControl(SkinRecord& record) : m_record(record) {}
    ~ProbeControl() override { ++m_record.controlsDeleted; }
    void HandleEvent(VarnUI::EventUI& event) override
    {
        m_record.probeEvents.push_back(event.type);
        CControlUI::HandleEvent(event);
    }

private:
    SkinRecord& m_record;
};

class SkinWindow : public WindowImplBase {
public:
    SkinWindow(SkinRecord& record, const wchar_t* skin) : m_record(record), m_skin(skin)
    {
        VarnUI::CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    }
    const wchar_t* WindowClassName() const override { return L"VarnWindowTestSkin"; }
    CUIString SkinFolder() override { return L""; }
    CUIString SkinFile() override { return m_skin; }
    VarnUI::SkinSourceKind ResourceType() const override { return kind; }
    const wchar_t* ResourceId() const override { return resourceId; }
    CControlUI* CreateControl(const wchar_t* name) override
    {
        return std::wstring(name) == L"Probe" ? new ProbeControl(m_record) : nullptr;
    }
    void OnInitWindow() override
    {
        ++m_record.inits;
        m_record.rootAtInit = m_manager.GetRoot() != nullptr;
    }
    void OnFinalMessage(HWND window) override
    {
        WindowImplBase::OnFinalMessage(window);
        ++m_record.finals;
        if (deleteSelf) delete this;
    }
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        m_record.sysCommands.push_back(wParam);
        if (!passSysCommands) return 0;
        return WindowImplBase::OnSysCommand(message, wParam, lParam, handled);
    }

    HWND Open()
    {
        const HWND window = Create(nullptr, L"skin", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 120, 130, 0, 0);
        if (window != nullptr && m_manager.GetRoot() != nullptr) m_manager.GetRoot()->SetPos({0, 0, 300, 200});
        return window;
    }
    CControlUI* Find(const wchar_t* name) { return m_manager.FindControlByName(name); }
    LRESULT HitTest(int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(m_window, &pt);
        return SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }

    bool deleteSelf = false;
    bool passSysCommands = true;
    VarnUI::SkinSourceKind kind = VarnUI::SKIN_FOLDER;
    const wchar_t* resourceId = L"";

private:
    SkinRecord& m_record;
    const wchar_t* m_skin;
};

// Takes a posted WM_CLOSE for the window off the queue; its wParam, or -1 without one.
long long TakeClose(HWND window)
{
    MSG msg = {};
    if (!::PeekMessageW(&msg, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) return -1;
    return static_cast<long long>(msg.wParam);
}

// A key-down through the message loop's steps, where the pre-message filters look at it.
void PostKey(HWND window, WPARAM key)
{
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    MSG msg = {};
    while (::PeekMessageW(&msg, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (VarnUI::CManagerUI::TranslateUIMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

TEST(WindowImplBase, Create_BuildsTheTreeKeepsThePositionAndMakesAllOfItClientArea)
{
    SkinRecord record;
    SkinWindow window(record, kSkin);
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(record.inits, 1);
    EXPECT_TRUE(record.rootAtInit);
    RECT rc = {};
    ::GetWindowRect(window, &rc);
    EXPECT_EQ(rc.left, 120);
    EXPECT_EQ(rc.top, 130);
    RECT client = {};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

    // Hit tests: the size box's zones first, then the caption except over clickable controls.
    const struct {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {2, 2, HTTOPLEFT},     {150, 4, HTTOP},        {295, 2, HTTOPRIGHT},
        {3, 100, HTLEFT},      {295, 100, HTRIGHT},    {2, 194, HTBOTTOMLEFT},
        {150, 194, HTBOTTOM},  {295, 194, HTBOTTOMRIGHT},
        {10, 20, HTCAPTION},   {250, 20, HTCAPTION},   {4, 5, HTCAPTION},  // label, plain control, zone edges
        {115, 20, HTCLIENT},   {145, 20, HTCLIENT},    {175, 20, HTCLIENT},  // button, option, text
        {250, 40, HTCLIENT},   {250, 39, HTCAPTION},   {294, 193, HTCLIENT},
    };
    for (const auto& c : cases) EXPECT_EQ(window.HitTest(c.x, c.y), c.expected) << c.x << "," << c.y;
    ::DestroyWindow(window);
}

TEST(WindowImplBase, Keys_EscapeClosesThroughTheFilterAndTheKeyStillReachesTheFocus)
{
    SkinRecord record;
    SkinWindow window(record, kSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.PaintManager().SetFocus(window.Find(L"probe"), false);
    record.probeEvents.clear();
    PostKey(window, VK_RETURN);
    EXPECT_EQ(TakeClose(window), -1);
    PostKey(window, VK_ESCAPE);
    EXPECT_EQ(TakeClose(window), 1);
    EXPECT_EQ(record.probeEvents, (std::vector<int>{VarnUI::EVT_KEYDOWN, VarnUI::EVT_CHAR, VarnUI::EVT_KEYDOWN, VarnUI::EVT_CHAR}));
    ::DestroyWindow(window);
}

TEST(WindowImplBase, Click_SystemButtonsCloseOrSendTheirCommands)
{
    SkinRecord record;
    SkinWindow window(record, kSkin);
    window.passSysCommands = false;
    ASSERT_NE(window.Open(), nullptr);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(115, 20));
    window.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(115, 20));
    EXPECT_EQ(TakeClose(window), 1);

    const wchar_t* names[] = {L"minbtn", L"maxbtn", L"restorebtn", L"other"};
    for (const wchar_t* name : names) {
        CControlUI sender;
        sender.SetName(name);
        VarnUI::NotifyUI msg;
        msg.type = L"click";
        msg.sender = &sender;
        window.Notify(msg);
    }
    EXPECT_EQ(record.sysCommands, (std::vector<WPARAM>{SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}));
    ::DestroyWindow(window);
}

TEST(WindowImplBase, SysCommand_MaximiseAndRestoreSwapTheButtons_CloseSendsWmClose)
{
    SkinRecord record;
    SkinWindow window(record, kSkin);
    ASSERT_NE(window.Open(), nullptr);
    window.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(::IsZoomed(window));
    EXPECT_FALSE(window.Find(L"maxbtn")->IsVisible());
    EXPECT_TRUE(window.Find(L"restorebtn")->IsVisible());

    window.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(window.Find(L"maxbtn")->IsVisible());
    EXPECT_FALSE(window.Find(L"restorebtn")->IsVisible());
    ::ShowWindow(window, SW_HIDE);
    EXPECT_EQ(window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(record.finals, 1);
}

TEST(WindowImplBase, Frame_RoundCornersOnlyWhenAsked_MinMaxFromWorkAreaAndSkin)
{
    SkinRecord record;
    SkinWindow round(record, kSkin);
    ASSERT_NE(round.Open(), nullptr);
    VarnUI::CGdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(round, region.get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(region.get(), 150, 100));
    EXPECT_TRUE(::PtInRegion(region.get(), 299, 100));

    MINMAXINFO info = {};
    info.ptMaxSize = {111, 222};
    round.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(round, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(info.ptMaxPosition.x, monitor.rcWork.left - monitor.rcMonitor.left);
    EXPECT_EQ(info.ptMaxPosition.y, monitor.rcWork.top - monitor.rcMonitor.top);
    EXPECT_EQ(info.ptMaxTrackSize.x, monitor.rcWork.right - monitor.rcWork.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, monitor.rcWork.bottom - monitor.rcWork.top);
    EXPECT_EQ(info.ptMinTrackSize.x, 120);
    EXPECT_EQ(info.ptMinTrackSize.y, 80);
    EXPECT_EQ(info.ptMaxSize.x, 111);
    ::DestroyWindow(round);

    SkinWindow square(record, L"<Window size=\"200,100\"><Control/></Window>");
    ASSERT_NE(square.Open(), nullptr);
    EXPECT_EQ(::GetWindowRgn(square, region.get()), ERROR);
    ::DestroyWindow(square);
}

TEST(WindowImplBase, Teardown_TreeDeletedOnceWhetherTheObjectOutlivesTheWindowOrNot)
{
    SkinRecord record;
    auto* kept = new SkinWindow(record, kSkin);
    ASSERT_NE(kept->Open(), nullptr);
    ::DestroyWindow(*kept);
    EXPECT_EQ(record.finals, 1);
    delete kept;
    EXPECT_EQ(record.controlsDeleted, 1);

    auto* selfDeleting = new SkinWindow(record, kSkin);
    selfDeleting->deleteSelf = true;
    const HWND window = selfDeleting->Open();
    ASSERT_NE(window, nullptr);
    ::DestroyWindow(window);
    EXPECT_EQ(record.finals, 2);
    EXPECT_EQ(record.controlsDeleted, 2);
}

TEST(WindowImplBase, ZipResource_MissingLeavesAnEmptyWindow_PresentIsBuiltFromTheArchive)
{
    SkinRecord record;
    SkinWindow missing(record, L"window.xml");
    missing.kind = VarnUI::SKIN_ZIPRESOURCE;
    missing.resourceId = MAKEINTRESOURCEW(999);
    ASSERT_NE(missing.Open(), nullptr);
    EXPECT_EQ(missing.PaintManager().GetRoot(), nullptr);
    EXPECT_EQ(record.inits, 0);
    ::DestroyWindow(missing);

    // Selecting an archive in memory lasts for the process: this case comes last here.
    SkinWindow present(record, L"window.xml");
    present.kind = VarnUI::SKIN_ZIPRESOURCE;
    present.resourceId = MAKEINTRESOURCEW(157);
    ASSERT_NE(present.Open(), nullptr);
    EXPECT_NE(present.Find(L"fromarchive"), nullptr);
    EXPECT_EQ(present.PaintManager().GetInitSize().cx, 240);
    ::DestroyWindow(present);
}

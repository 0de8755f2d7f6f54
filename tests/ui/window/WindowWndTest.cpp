#include "ui/skin/SkinResources.h"
#include "ui/window/WindowWnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using VarnUI::CWindowWnd;

namespace {

constexpr UINT kProbeMessage = WM_USER + 5;
constexpr UINT kQuitMessage = WM_USER + 6;

// What a probe saw; kept outside the probe, which may delete itself.
struct ProbeRecord {
    std::vector<UINT> messages;
    int finals = 0;
    int destroyed = 0;
    HWND handleAtFinal = reinterpret_cast<HWND>(1);
    bool ownerEnabledDuringModal = true;
};

class Probe : public CWindowWnd {
public:
    Probe(ProbeRecord& record, std::wstring className, const wchar_t* superclass = nullptr)
        : m_record(record), m_className(std::move(className)), m_superclass(superclass)
    {
        VarnUI::CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    }
    ~Probe() override { ++m_record.destroyed; }

    const wchar_t* WindowClassName() const override { return m_className.c_str(); }
    const wchar_t* SuperclassName() const override { return m_superclass; }
    UINT ClassStyle() const override { return CS_DBLCLKS; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_record.messages.push_back(message);
        if (message == WM_CREATE && failCreate) return -1;
        if (message == kProbeMessage) {
            const HWND owner = ::GetWindow(m_window, GW_OWNER);
            m_record.ownerEnabledDuringModal = owner != nullptr && ::IsWindowEnabled(owner);
            return 42;
        }
        if (message == kQuitMessage) ::PostQuitMessage(5);
        return CWindowWnd::HandleMessage(message, wParam, lParam);
    }
    void OnFinalMessage(HWND) override
    {
        ++m_record.finals;
        m_record.handleAtFinal = Handle();
        if (deleteSelf) delete this;
    }
    WNDPROC PreviousProc() const { return m_previousProc; }

    bool failCreate = false;
    bool deleteSelf = false;

private:
    ProbeRecord& m_record;
    std::wstring m_className;
    const wchar_t* m_superclass;
};

// A plain window whose procedure only counts its last message.
int g_rawNcDestroys = 0;
LRESULT CALLBACK RawProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) ++g_rawNcDestroys;
    if (message == kProbeMessage) return 7;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateRawWindow(HWND owner = nullptr, RECT rc = {0, 0, 200, 100})
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RawProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VarnWindowTestRaw";
        return ::RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return ::CreateWindowExW(0, L"VarnWindowTestRaw", L"raw", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

RECT WorkAreaOf(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT WindowRect(HWND window)
{
    RECT rc = {};
    ::GetWindowRect(window, &rc);
    return rc;
}

} // namespace

TEST(WindowWnd, Create_RegistersTheClassOnceAndTwoWindowsShareIt_NoClassNoWindow)
{
    ProbeRecord first;
    ProbeRecord second;
    Probe a(first, L"VarnWindowTestShared");
    Probe b(second, L"VarnWindowTestShared");
    const HWND wa = a.Create(nullptr, L"a", WS_POPUP, 0);
    const HWND wb = b.Create(nullptr, L"b", WS_POPUP, 0, RECT{10, 20, 110, 70});
    ASSERT_NE(wa, nullptr);
    ASSERT_NE(wb, nullptr);
    EXPECT_EQ(a.Handle(), wa);
    EXPECT_EQ(static_cast<HWND>(b), wb);
    EXPECT_EQ(WindowRect(wb).bottom, 70);
    ::DestroyWindow(wa);
    ::DestroyWindow(wb);
    EXPECT_EQ(first.finals, 1);
    EXPECT_EQ(second.finals, 1);

    ProbeRecord none;
    Probe unnamed(none, L"");
    EXPECT_EQ(unnamed.Create(nullptr, L"", WS_POPUP, 0), nullptr);
    Probe noSuchBase(none, L"VarnWindowTestNoBase", L"VarnWindowTestMissingClass");
    EXPECT_EQ(noSuchBase.Create(nullptr, L"", WS_POPUP, 0), nullptr);
    EXPECT_TRUE(none.messages.empty());
}

TEST(WindowWnd, Lifecycle_HandleFromNcCreateToNcDestroy_FinalMessageOnce_ObjectMayDeleteItself)
{
    ProbeRecord record;
    auto* probe = new Probe(record, L"VarnWindowTestLife");
    probe->deleteSelf = true;
    const HWND window = probe->Create(nullptr, L"life", WS_POPUP, 0, 0, 0, 100, 100);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(record.messages.empty());
    // Messages sent before WM_NCCREATE cannot reach the object.
    EXPECT_EQ(record.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(probe->Handle(), window);
    EXPECT_EQ(::SendMessageW(window, kProbeMessage, 0, 0), 42);

    ::DestroyWindow(window);
    EXPECT_EQ(record.finals, 1);
    EXPECT_EQ(record.handleAtFinal, nullptr);
    EXPECT_EQ(record.destroyed, 1);
    // WM_NCDESTROY goes to the previous procedure, not to HandleMessage.
    EXPECT_EQ(record.messages.back(), static_cast<UINT>(WM_DESTROY));
}

TEST(WindowWnd, Create_WindowFailingItsCreation_ReturnsNullAfterOneFinalMessage)
{
    ProbeRecord record;
    auto* probe = new Probe(record, L"VarnWindowTestFail");
    probe->failCreate = true;
    probe->deleteSelf = true;
    EXPECT_EQ(probe->Create(nullptr, L"fail", WS_POPUP, 0), nullptr);
    EXPECT_EQ(record.finals, 1);
    EXPECT_EQ(record.destroyed, 1);
}

TEST(WindowWnd, Subclass_TakesOverARealWindowAndGivesItBack_OrEndsWithIt)
{
    ProbeRecord record;
    Probe probe(record, L"VarnWindowTestUnused");
    EXPECT_EQ(probe.Subclass(nullptr), nullptr);

    const HWND window = CreateRawWindow();
    ASSERT_NE(window, nullptr);
    const auto original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    ASSERT_EQ(probe.Subclass(window), window);
    EXPECT_EQ(probe.Handle(), window);
    EXPECT_EQ(probe.PreviousProc(), original);
    EXPECT_EQ(::SendMessageW(window, kProbeMessage, 0, 0), 42);

    probe.Unsubclass();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)), original);
    EXPECT_EQ(::SendMessageW(window, kProbeMessage, 0, 0), 7);
    int before = g_rawNcDestroys;
    ::DestroyWindow(window);
    EXPECT_EQ(g_rawNcDestroys, before + 1);
    EXPECT_EQ(record.finals, 0);

    // Destroyed while subclassed: both procedures see the end, the object may go with it.
    auto* owned = new Probe(record, L"VarnWindowTestUnused");
    owned->deleteSelf = true;
    const HWND second = CreateRawWindow();
    ASSERT_EQ(owned->Subclass(second), second);
    before = g_rawNcDestroys;
    ::DestroyWindow(second);
    EXPECT_EQ(g_rawNcDestroys, before + 1);
    EXPECT_EQ(record.finals, 1);
    EXPECT_EQ(record.destroyed, 1);
}

TEST(WindowWnd, Superclass_SystemButtonKeepsItsBehaviourAndFindsTheObjectByProperty)
{
    const HWND parent = CreateRawWindow();
    ProbeRecord record;
    auto* probe = new Probe(record, L"VarnWindowTestButton", L"BUTTON");
    probe->deleteSelf = true;
    const HWND button = probe->Create(parent, L"Press", WS_CHILD | BS_PUSHBUTTON, 0, 0, 0, 80, 24);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(::GetPropW(button, L"WndX"), static_cast<HANDLE>(probe));
    wchar_t className[64] = {};
    ::GetClassNameW(button, className, 64);
    EXPECT_STREQ(className, L"VarnWindowTestButton");
    EXPECT_EQ(::SendMessageW(button, kProbeMessage, 0, 0), 42);
    // Only the button's own procedure knows the pushed state.
    ::SendMessageW(button, BM_SETSTATE, TRUE, 0);
    EXPECT_NE(::SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    ::DestroyWindow(parent);
    EXPECT_EQ(record.finals, 1);
    EXPECT_EQ(record.destroyed, 1);
}

TEST(WindowWnd, Destructor_WindowOutlivingItsObjectNoLongerReachesIt)
{
    ProbeRecord record;
    auto* probe = new Probe(record, L"VarnWindowTestOrphan");
    const HWND window = probe->Create(nullptr, L"orphan", WS_POPUP, 0, 0, 0, 50, 50);
    ASSERT_NE(window, nullptr);
    delete probe;
    const size_t seen = record.messages.size();
    EXPECT_EQ(::SendMessageW(window, kProbeMessage, 0, 0), 0);
    ::DestroyWindow(window);
    EXPECT_EQ(record.messages.size(), seen);
    EXPECT_EQ(record.finals, 0);
}

TEST(WindowWnd, CenterWindow_OnWorkAreaWithoutOwner_OnOwnerWithOne_KeptInsideTheWorkArea)
{
    ProbeRecord record;
    Probe lone(record, L"VarnWindowTestCenter");
    ASSERT_NE(lone.Create(nullptr, L"", WS_POPUP, 0, 0, 0, 201, 101), nullptr);
    const RECT work = WorkAreaOf(lone);
    lone.CenterWindow();
    EXPECT_EQ(WindowRect(lone).left, (work.left + work.right) / 2 - 100);
    EXPECT_EQ(WindowRect(lone).top, (work.top + work.bottom) / 2 - 50);

    const HWND owner = CreateRawWindow(nullptr, {300, 200, 700, 500});
    Probe owned(record, L"VarnWindowTestCenter");
    ASSERT_NE(owned.Create(owner, L"", WS_POPUP, 0, 0, 0, 100, 60), nullptr);
    owned.CenterWindow();
    EXPECT_EQ(WindowRect(owned).left, 450);
    EXPECT_EQ(WindowRect(owned).top, 320);

    // An owner hanging over the work area's right and bottom edges.
    ::SetWindowPos(owner, nullptr, work.right - 50, work.bottom - 20, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    owned.CenterWindow();
    EXPECT_EQ(WindowRect(owned).left, work.right - 100);
    EXPECT_EQ(WindowRect(owned).top, work.bottom - 60);
    // And over the left and top edges.
    ::SetWindowPos(owner, nullptr, work.left - 90, work.top - 70, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    owned.CenterWindow();
    EXPECT_EQ(WindowRect(owned).left, work.left);
    EXPECT_EQ(WindowRect(owned).top, work.top);
    ::DestroyWindow(owned);
    ::DestroyWindow(owner);
    ::DestroyWindow(lone);
}

TEST(WindowWnd, ResizeClient_SetsTheClientSizeWithFrameAndMenu)
{
    ProbeRecord record;
    Probe framed(record, L"VarnWindowTestResize");
    const HMENU menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"File");
    ASSERT_NE(framed.Create(nullptr, L"", WS_OVERLAPPEDWINDOW, 0, 0, 0, 400, 300, menu), nullptr);
    framed.ResizeClient(300, 150);
    RECT client = {};
    ::GetClientRect(framed, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 150);
    ::DestroyWindow(framed);
}

TEST(WindowWnd, ShowModal_EndsOnWmCloseWithItsWParamAndReenablesTheOwner)
{
    const HWND owner = CreateRawWindow();
    ProbeRecord record;
    auto* probe = new Probe(record, L"VarnWindowTestModal");
    probe->deleteSelf = true;
    ASSERT_NE(probe->Create(owner, L"modal", WS_POPUP, 0, 0, 0, 60, 40), nullptr);
    probe->PostMessage(kProbeMessage);
    probe->Close(7);
    // The object deletes itself when its window goes, in the middle of the loop.
    EXPECT_EQ(probe->ShowModal(), 7u);
    EXPECT_FALSE(record.ownerEnabledDuringModal);
    EXPECT_EQ(record.destroyed, 1);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST(WindowWnd, ShowModal_QuitEndsTheLoopAndIsPostedAgain)
{
    ProbeRecord record;
    Probe probe(record, L"VarnWindowTestModal");
    ASSERT_NE(probe.Create(nullptr, L"modal", WS_POPUP, 0, 0, 0, 60, 40), nullptr);
    probe.PostMessage(kQuitMessage);
    EXPECT_EQ(probe.ShowModal(), 0u);
    EXPECT_TRUE(::IsWindow(probe));
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
    ::DestroyWindow(probe);
}

TEST(WindowWnd, SetIcon_LoadsBothSizesAndFreesTheIconsItReplaces)
{
    ProbeRecord record;
    Probe probe(record, L"VarnWindowTestIcon");
    ASSERT_NE(probe.Create(nullptr, L"icon", WS_POPUP, 0, 0, 0, 60, 40), nullptr);
    probe.SetIcon(1);
    const auto big = reinterpret_cast<HICON>(probe.SendMessage(WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(probe.SendMessage(WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    probe.SetIcon(1);
    ICONINFO info = {};
    EXPECT_NE(reinterpret_cast<HICON>(probe.SendMessage(WM_GETICON, ICON_BIG, 0)), big);
    EXPECT_FALSE(::GetIconInfo(big, &info));
    EXPECT_FALSE(::GetIconInfo(small, &info));
    ::DestroyWindow(probe);
}

// The main window hosted in the test process with the embedded skin, driven by real messages.
// The worker is replaced: the engine's real run would end the process and touch the machine.
#include "app/MainFrame.h"
#include "app/UnInstall.h"
#include "ui/controls/ControlUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/render/GdiHandles.h"
#include "ui/skin/SkinResources.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

using VarnUI::CControlUI;

namespace {

struct FrameLog {
    bool deleted = false;
    int workersStarted = 0;
    HWND workerWindow = nullptr;
    std::vector<WPARAM> closes;
    // Slider value and label text right after each report was applied.
    std::vector<std::pair<int, std::wstring>> reports;
};

class ObservedFrame : public MainFrame {
public:
    explicit ObservedFrame(FrameLog& log) : m_log(log) {}
    ~ObservedFrame() override { m_log.deleted = true; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE) m_log.closes.push_back(wParam);
        const HWND window = Handle();
        const LRESULT result = MainFrame::HandleMessage(message, wParam, lParam);
        // A close may have deleted the object; a live window means a live object.
        if (message == MSG_UNINSTALL_PROGRESS && ::IsWindow(window)) {
            auto* slider = static_cast<VarnUI::CProgressUI*>(As(L"slr_uninst_progress", L"Progress"));
            m_log.reports.emplace_back(slider->GetValue(), Find(L"un_progress_pos")->GetText().GetData());
        }
        return result;
    }

    CControlUI* Find(const wchar_t* name) { return PaintManager().FindControlByName(name); }
    void* As(const wchar_t* name, const wchar_t* type) { return Find(name)->GetInterface(type); }
    int Page() { return static_cast<VarnUI::CTabLayoutUI*>(As(L"wizard_setup_tab", L"TabLayout"))->GetCurSel(); }

protected:
    bool StartUninstallThread(HWND window) override
    {
        ++m_log.workersStarted;
        m_log.workerWindow = window;
        return true;
    }

private:
    FrameLog& m_log;
};

class MainFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { VarnUI::CSkinResources::SetInstance(::GetModuleHandleW(nullptr)); }

    void SetUp() override
    {
        m_frame = new ObservedFrame(m_log);
        // As the entry point creates it, but never shown: here a shown window takes two seconds
        // to go. The tree is laid out as the first paint would.
        m_window = m_frame->Create(nullptr, L"卸载程序", 0x96C80000 & ~WS_VISIBLE, 0, 0, 0, 0, 0);
        ASSERT_NE(m_window, nullptr);
        RECT client = {};
        ::GetClientRect(m_window, &client);
        m_frame->PaintManager().GetRoot()->SetPos(client, true);
    }

    void TearDown() override
    {
        if (::IsWindow(m_window)) ::DestroyWindow(m_window);
        Pump();
        UnInstall::GetSingleton().m_progress = nullptr;
        UnInstall::GetSingleton().m_done = nullptr;
    }

    // Runs queued messages as the program's loop does; the destructor's quit message is
    // noted instead of ending anything.
    void Pump()
    {
        MSG msg = {};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                m_quit = true;
            } else if (!VarnUI::CManagerUI::TranslateUIMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }

    void Click(const wchar_t* name)
    {
        const RECT pos = m_frame->Find(name)->GetPos();
        ASSERT_GT(pos.right, pos.left) << "not laid out";
        const LPARAM at = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
        ::SendMessageW(m_window, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(m_window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(m_window, WM_LBUTTONUP, 0, at);
    }

    void PressEscape()
    {
        ::PostMessageW(m_window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(m_window, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        Pump();
    }

    FrameLog m_log;
    ObservedFrame* m_frame = nullptr;
    HWND m_window = nullptr;
    bool m_quit = false;
};

TEST_F(MainFrameTest, OpensOnTheUninstallPageAtTheSkinsSize)
{
    EXPECT_EQ(m_frame->Page(), 3);
    RECT rc = {};
    ::GetWindowRect(m_window, &rc);
    EXPECT_EQ(rc.right - rc.left, 454);
    EXPECT_EQ(rc.bottom - rc.top, 200);
    wchar_t className[64] = {};
    ::GetClassNameW(m_window, className, 64);
    EXPECT_STREQ(className, L"DOVazUdiziveded");
}

// The skin draws no label effect, the window has shown no tooltip and nothing is uninstalled
// yet, so none of these libraries is worth its memory.
TEST_F(MainFrameTest, BuildingTheWindowLoadsNeitherGdiPlusNorTheCommonControlsNorTheShell)
{
    // The window is hidden, so the tree is painted into a bitmap the way the manager would.
    VarnUI::CMemoryDC dc(::CreateCompatibleDC(nullptr));
    VarnUI::CGdiBitmap bitmap(::CreateCompatibleBitmap(dc.get(), 454, 200));
    ASSERT_TRUE(dc && bitmap);
    VarnUI::CSelectScope select(dc.get(), bitmap.get());
    const RECT all = {0, 0, 454, 200};
    m_frame->PaintManager().GetRoot()->Paint(dc.get(), all, nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"gdiplus.dll"), nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"comctl32.dll"), nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"shell32.dll"), nullptr);
}

// Assistive technology costs a window nothing until a client asks: building, painting, a
// click and a progress report load no accessibility library. The picture buttons carry their
// names all the same.
TEST_F(MainFrameTest, NoClientAsking_LoadsNoAccessibilityLibrary_PictureButtonsAreNamed)
{
    const wchar_t* const names[][2] = {{L"btn_uninstall", L"卸载"}, {L"btn_cancle", L"取消"},
                                       {L"btn_close", L"关闭"},     {L"btn_min", L"最小化"},
                                       {L"btn_uninstalled", L"完成"}};
    for (const auto& name : names) EXPECT_EQ(m_frame->Find(name[0])->GetAccessibleName(), name[1]) << name[0];
    Click(L"btn_uninstall");
    ::PostMessageW(m_window, MainFrame::MSG_UNINSTALL_PROGRESS, 55, 0);
    Pump();
    ASSERT_EQ(m_log.reports.size(), 1u);
    EXPECT_EQ(::GetModuleHandleW(L"oleacc.dll"), nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"oleaut32.dll"), nullptr);
}

TEST_F(MainFrameTest, EscapeClosesNoPage)
{
    PressEscape();
    ASSERT_TRUE(::IsWindow(m_window));
    Click(L"btn_uninstall");
    PressEscape();
    EXPECT_TRUE(::IsWindow(m_window));
    EXPECT_TRUE(m_log.closes.empty());
}

TEST_F(MainFrameTest, CloseButtonsPostCloseAndTheFrameDeletesItselfAndEndsTheLoop)
{
    for (const wchar_t* button : {L"btn_close", L"btn_cancle"}) {
        SCOPED_TRACE(button);
        if (!::IsWindow(m_window)) SetUp();
        m_log = FrameLog();
        m_quit = false;
        Click(button);
        // Posted: the window outlives the button's own event.
        ASSERT_TRUE(::IsWindow(m_window));
        Pump();
        EXPECT_EQ(m_log.closes, std::vector<WPARAM>{1});
        EXPECT_FALSE(::IsWindow(m_window));
        EXPECT_TRUE(m_log.deleted);
        EXPECT_TRUE(m_quit);
    }
}

TEST_F(MainFrameTest, SystemCloseAndMinimiseGoThroughTheDefaultHandling)
{
    Click(L"btn_min");
    Pump();
    EXPECT_TRUE(::IsIconic(m_window));
    ::ShowWindow(m_window, SW_RESTORE);
    // Alt+F4 arrives as this command.
    ::SendMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(m_window));
    EXPECT_TRUE(m_log.deleted);
}

TEST_F(MainFrameTest, UninstallShowsTheProgressPageAndStartsOneWorkerForThisWindow)
{
    Click(L"btn_uninstall");
    EXPECT_EQ(m_frame->Page(), 4);
    EXPECT_EQ(m_log.workersStarted, 1);
    EXPECT_EQ(m_log.workerWindow, m_window);
    EXPECT_TRUE(static_cast<bool>(UnInstall::GetSingleton().m_progress));
    // A second click, however it comes, must not run the sequence again alongside.
    VarnUI::NotifyUI click;
    click.type = L"click";
    click.sender = m_frame->Find(L"btn_uninstall");
    m_frame->Notify(click);
    EXPECT_EQ(m_log.workersStarted, 1);
}

TEST_F(MainFrameTest, ReportsFromTheWorkerApplyOnTheUiThreadInOrder)
{
    Click(L"btn_uninstall");
    const std::vector<int> percents = {20, 40, 55, 70, 80, 90, 100};
    std::thread worker([&percents] {
        UnInstall& engine = UnInstall::GetSingleton();
        for (int percent : percents) engine.m_progress(percent, "");
        engine.m_done();
    });
    worker.join();
    // The worker touched nothing: the controls change only when the window's thread runs.
    EXPECT_EQ(m_frame->Find(L"un_progress_pos")->GetText().GetLength(), 0);
    Pump();
    std::vector<std::pair<int, std::wstring>> expected;
    for (int percent : percents) expected.emplace_back(percent, std::to_wstring(percent) + L"%");
    EXPECT_EQ(m_log.reports, expected);
    EXPECT_EQ(m_frame->Page(), 5);
}

TEST_F(MainFrameTest, ReportsAfterTheWindowIsGoneReachNothing)
{
    Click(L"btn_uninstall");
    Click(L"btn_close");
    Pump();
    ASSERT_TRUE(m_log.deleted);
    std::thread worker([] {
        UnInstall::GetSingleton().m_progress(40, "");
        UnInstall::GetSingleton().m_done();
    });
    worker.join();
    MSG msg = {};
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, MainFrame::MSG_UNINSTALL_FINISHED,
                                MainFrame::MSG_UNINSTALL_DONE, PM_REMOVE));
}

} // namespace

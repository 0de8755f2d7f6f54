#include "app/MainFrame.h"

#include "app/TextConversion.h"
#include "app/UnInstall.h"
#include "ui/controls/ControlUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/controls/TabLayoutUI.h"

#include <cstdlib>

using VarnUI::CControlUI;
using VarnUI::CUIString;
using VarnUI::NotifyUI;

namespace {

const wchar_t kTabName[] = L"wizard_setup_tab";
constexpr int kUninstallPage = 3;
constexpr int kProgressPage = 4;
constexpr int kFinishedPage = 5;
constexpr UINT kSkinArchiveId = 157;

// The wizard's buttons show pictures only: the names assistive technology reads out for them.
struct ButtonName {
    const wchar_t* control;
    const wchar_t* name;
};
const ButtonName kButtonNames[] = {
    {L"btn_uninstall", L"卸载"}, {L"btn_cancle", L"取消"},      {L"btn_close", L"关闭"},
    {L"btn_min", L"最小化"},     {L"btn_uninstalled", L"完成"},
};

} // namespace

MainFrame::MainFrame() = default;

MainFrame::~MainFrame()
{
    ::PostQuitMessage(0);
}

const wchar_t* MainFrame::WindowClassName() const
{
    return L"DOVazUdiziveded";
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_UNINSTALL_FINISHED:
        std::exit(0);
    case MSG_UNINSTALL_PROGRESS:
        OnProgress(static_cast<int>(wParam), "");
        return 0;
    case MSG_UNINSTALL_DONE:
        OnDone();
        return 0;
    default:
        return WindowImplBase::HandleMessage(message, wParam, lParam);
    }
}

void MainFrame::OnFinalMessage(HWND window)
{
    WindowImplBase::OnFinalMessage(window);
    delete this;
}

void MainFrame::OnInitWindow()
{
    for (const ButtonName& button : kButtonNames) {
        if (CControlUI* control = m_manager.FindControlByName(button.control)) control->SetAccessibleName(button.name);
    }
    SelectPage(kUninstallPage);
}

void MainFrame::Notify(NotifyUI& msg)
{
    if (msg.type == L"click") OnClick(msg);
}

void MainFrame::OnClick(NotifyUI& msg)
{
    if (msg.sender == nullptr) return;
    const CUIString& name = msg.sender->GetName();
    if (name == L"btn_close" || name == L"btn_cancle") {
        // Posted, never destroyed from inside the control's own event.
        Close(1);
    } else if (name == L"btn_min") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"btn_uninstall") {
        StartUninstall();
    }
}

CUIString MainFrame::SkinFolder()
{
    return CUIString();
}

CUIString MainFrame::SkinFile()
{
    return CUIString(L"install.xml");
}

bool MainFrame::OnDefaultKey(WPARAM key)
{
    // No key closes this window; Escape is only acknowledged.
    return key == VK_ESCAPE;
}

VarnUI::SkinSourceKind MainFrame::ResourceType() const
{
    return VarnUI::SKIN_ZIPRESOURCE;
}

const wchar_t* MainFrame::ResourceId() const
{
    return MAKEINTRESOURCEW(kSkinArchiveId);
}

LRESULT MainFrame::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    CWindowWnd::HandleMessage(message, wParam, lParam);
    handled = true;
    return 0;
}

LRESULT MainFrame::OnCustomMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

CControlUI* MainFrame::CreateControl(const wchar_t* /*name*/)
{
    return nullptr;
}

void MainFrame::OnProgress(int percent, const char* /*text*/)
{
    if (auto* slider = static_cast<VarnUI::CSliderUI*>(FindInterface(L"slr_uninst_progress", L"Slider"))) {
        slider->SetValue(percent);
    }
    char text[16];  // "-2147483648%" at the most
    ::wsprintfA(text, "%d%%", percent);
    if (CControlUI* label = m_manager.FindControlByName(L"un_progress_pos")) {
        label->SetText(NarrowToWide(text).GetData());
    }
}

void MainFrame::OnDone()
{
    SelectPage(kFinishedPage);
}

DWORD WINAPI MainFrame::UninstallThreadProc(LPVOID window)
{
    if (window == nullptr) return 0;
    UnInstall::GetSingleton().Run();
    ::PostMessageW(static_cast<HWND>(window), MSG_UNINSTALL_FINISHED, 0, 0);
    return 0;
}

bool MainFrame::StartUninstallThread(HWND window)
{
    DWORD id = 0;
    HANDLE thread = ::CreateThread(nullptr, 0, UninstallThreadProc, window, 0, &id);
    if (thread == nullptr) return false;
    ::CloseHandle(thread);
    return true;
}

void MainFrame::StartUninstall()
{
    if (m_uninstallStarted) return;
    m_uninstallStarted = true;
    SelectPage(kProgressPage);

    // The callbacks run on the worker and may outlive this object: they carry the window
    // handle alone and post. Posted messages keep their order, and posting to a window that
    // is gone fails without effect.
    const HWND window = Handle();
    UnInstall& engine = UnInstall::GetSingleton();
    engine.m_progress = [window](int percent, const char*) {
        ::PostMessageW(window, MSG_UNINSTALL_PROGRESS, static_cast<WPARAM>(percent), 0);
    };
    engine.m_done = [window]() { ::PostMessageW(window, MSG_UNINSTALL_DONE, 0, 0); };
    StartUninstallThread(window);
}

void* MainFrame::FindInterface(const wchar_t* name, const wchar_t* interfaceName) const
{
    CControlUI* control = m_manager.FindControlByName(name);
    return control != nullptr ? control->GetInterface(interfaceName) : nullptr;
}

bool MainFrame::SelectPage(int index)
{
    auto* tab = static_cast<VarnUI::CTabLayoutUI*>(FindInterface(kTabName, L"TabLayout"));
    return tab != nullptr && tab->SelectItem(index, true);
}

// The program's entry point: the main window and its message loop.
#include "app/MainFrame.h"
#include "ui/base/SystemLibrary.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinResources.h"

#include <objbase.h>
#include <windows.h>

#include <new>

namespace {

constexpr DWORD kMainWindowStyle = 0x96C80000;  // popup, visible, clipping, caption, system menu
constexpr UINT kIconId = 140;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPWSTR /*commandLine*/, int /*show*/)
{
    // Elevated, and started from a folder others may write to: every library named without a
    // path, also those the platform's own libraries load, comes from the system folder only.
    VarnUI::RestrictLibrarySearchToSystem();

    VarnUI::CSkinResources::SetInstance(instance);
    if (FAILED(::CoInitialize(nullptr))) return 0;

    MainFrame* frame = new (std::nothrow) MainFrame();
    if (frame == nullptr) return 0;
    // Without a window no message would ever end the loop. The object is not touched again:
    // a window that failed during creation has already deleted it.
    if (frame->Create(nullptr, L"卸载程序", kMainWindowStyle, 0, 0, 0, 0, 0) == nullptr) {
        return 0;
    }
    const HWND window = frame->Handle();

    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    frame->CenterWindow();
    ::ShowWindow(window, SW_SHOW);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (VarnUI::CManagerUI::TranslateUIMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

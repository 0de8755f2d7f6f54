#include "app/SelfDelete.h"

#include "app/LinkSafeDelete.h"
#include "app/PathSafety.h"
#include "app/ShellLibrary.h"
#include "app/TextConversion.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr wchar_t kParameterHead[] = L"/c ping -n 1 127.0.0.1>nul&rd /s /q ";
constexpr wchar_t kParameterTail[] = L" > nul";

// cmd expands %...% and ends its argument at a quotation mark even inside quotes; rd takes
// * and ? as wildcards there.
bool HoldsShellCharacter(const CUIString& folder)
{
    for (const wchar_t* at = folder.GetData(); *at != L'\0'; ++at) {
        const wchar_t c = *at;
        if (c == L'"' || c == L'%' || c == L'*' || c == L'?' || c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

} // namespace

bool BuildSelfDeleteParameters(const CUIString& folder, wchar_t (&buffer)[kSelfDeleteParameterChars])
{
    if (folder.IsEmpty() || HoldsShellCharacter(folder)) return false;
    const CUIString text = JoinTexts(kParameterHead, L"\"", folder.GetData(), L"\"");
    const CUIString whole = JoinTexts(text.GetData(), kParameterTail);
    if (text.IsEmpty() || whole.IsEmpty()) return false;
    const size_t length = static_cast<size_t>(whole.GetLength());
    if (length + 1 > kSelfDeleteParameterChars) return false;
    std::wmemcpy(buffer, whole.GetData(), length + 1);
    return true;
}

bool LaunchSelfDelete(const char* installFolder)
{
    CUIString folder;
    if (!NarrowToWideExact(installFolder, &folder, CP_THREAD_ACP)) return false;
    return LaunchSelfDelete(folder);
}

bool LaunchSelfDelete(const CUIString& installFolder)
{
    if (installFolder.IsEmpty()) return false;
    // rd /s must not remove a system folder, and removes exactly the folder checked here. It
    // is not trusted to stop at links or to cope with long paths.
    const CUIString folder = SafeFolderTarget(installFolder);
    wchar_t parameters[kSelfDeleteParameterChars];
    if (!BuildSelfDeleteParameters(folder, parameters) || !TreeFitsTheShell(folder)) return false;

    const ShellApi* shellApi = GetShellApi();
    if (shellApi == nullptr) return false;
    wchar_t module[MAX_PATH];
    if (::GetModuleFileNameW(nullptr, module, MAX_PATH) == 0) return false;
    if (::GetShortPathNameW(module, module, MAX_PATH) == 0) return false;
    wchar_t shell[MAX_PATH];
    const DWORD shellLength = ::GetEnvironmentVariableW(L"COMSPEC", shell, MAX_PATH);
    // A longer value is not copied at all and would leave the buffer unset.
    if (shellLength == 0 || shellLength >= MAX_PATH) return false;

    ::SetCurrentDirectoryW(L"C:\\");

    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = nullptr;
    info.lpVerb = L"Open";
    info.lpFile = shell;
    info.lpParameters = parameters;
    info.lpDirectory = nullptr;
    info.nShow = SW_HIDE;

    ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    if (!shellApi->executeExW(&info)) return false;
    if (info.hProcess != nullptr) {
        ::SetPriorityClass(info.hProcess, IDLE_PRIORITY_CLASS);
        ::CloseHandle(info.hProcess);
    }
    std::exit(0);
}

#include "app/UnInstall.h"

#include "app/DisplayIcon.h"
#include "app/LinkSafeDelete.h"
#include "app/PathSafety.h"
#include "app/ProcessControl.h"
#include "app/ProductConstants.h"
#include "app/SelfDelete.h"
#include "app/ShellOperations.h"
#include "app/TextConversion.h"
#include "app/UninstallRegistry.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// Sleeps until `milliseconds` have passed since `start`, so that work done inside a pause does
// not lengthen it.
void PauseSince(ULONGLONG start, DWORD milliseconds)
{
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    if (elapsed < milliseconds) ::Sleep(static_cast<DWORD>(milliseconds - elapsed));
}

} // namespace

UnInstall& UnInstall::GetSingleton()
{
    static UnInstall instance;
    return instance;
}

void UnInstall::Report(int percent)
{
    if (m_progress) m_progress(percent, std::string());
}

bool UnInstall::DeleteFolderTree(const std::wstring& path)
{
    const std::wstring folder = SafeFolderTarget(path);
    return !folder.empty() && DeleteTreeNoFollow(folder);
}

bool UnInstall::DeleteFolderTree(const std::string& path)
{
    std::wstring wide;
    return NarrowToWideExact(path, &wide) && DeleteFolderTree(wide);
}

bool UnInstall::Run()
{
    Report(20);
    // What every guard below compares with takes a while to find (the shell's library loads
    // for it): it is found while the first pause runs.
    const ULONGLONG pauseStart = ::GetTickCount64();
    PrepareGuards();
    PauseSince(pauseStart, 500);

    // Both values are read before the key goes, as stored: a path passed through the ANSI
    // code page may come out naming another folder, or a pattern matching several.
    const std::wstring icon = ReadUninstallValueWide(L"DisplayIcon");
    const std::wstring folder = ReadUninstallValueWide(L"InstallLocation");
    // "DisplayIcon" names the executable to stop and delete, but only a program of the
    // product's own may be touched: never a system program, never a relative name, never
    // this program.
    const std::wstring executable = ExecutableFromDisplayIcon(icon);
    const bool executableIsProducts = IsSafeExecutableTarget(executable);
    const size_t lastSlash = executable.rfind(L'\\');
    if (icon.find(L'\\') != std::wstring::npos || lastSlash != std::wstring::npos) {
        if (executableIsProducts) KillProcessByName(executable.substr(lastSlash + 1).c_str());
        ::Sleep(500);
    }

    Report(40);
    ::Sleep(500);
    DeleteUninstallKey();

    Report(55);
    ::Sleep(300);
    std::wstring desktop;
    const bool hasDesktop = GetSpecialFolderWide(CSIDL_DESKTOPDIRECTORY, &desktop);
    const std::wstring shortcut = NarrowToWide(ShortcutFileName);
    UnpinFromTaskbar(GetTaskbarPinFolderWide() + L"\\" + shortcut);
    if (hasDesktop) DeleteFileNoFollow(desktop + L"\\" + shortcut);
    if (executableIsProducts) DeleteFileNoFollow(NormalizeLocalPath(executable));

    Report(70);
    ::Sleep(300);
    if (!folder.empty()) DeleteFolderTree(folder);

    Report(80);
    ::Sleep(300);
    DeleteFolderTree(GetFolderPathWide(CSIDL_LOCAL_APPDATA) + L"\\" + ProductGuid);
    std::wstring programs;
    const bool hasPrograms = GetSpecialFolderWide(CSIDL_PROGRAMS, &programs);

    Report(90);
    ::Sleep(300);
    if (hasPrograms) DeleteFolderTree(programs + L"\\" + StartMenuFolderName);
    ::Sleep(300);

    Report(100);
    ::Sleep(300);
    LaunchSelfDelete(folder);
    return true;
}

#include "app/UnInstall.h"

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

UnInstall& UnInstall::GetSingleton()
{
    static UnInstall instance;
    return instance;
}

void UnInstall::Report(int percent)
{
    if (m_progress) m_progress(percent, std::string());
}

bool UnInstall::DeleteFolderTree(const std::string& path)
{
    if (path.empty() || !IsSafeFolderTarget(NarrowToWide(path))) return false;
    return DeleteTreeNoFollow(path);
}

bool UnInstall::Run()
{
    Report(20);
    ::Sleep(500);

    // Both values are read before the key goes.
    const std::string icon = ReadUninstallValue(L"DisplayIcon");
    const std::string folder = ReadUninstallValue(L"InstallLocation");
    // "DisplayIcon" names the executable to stop and delete, but only a program of the
    // product's own may be touched: never a system program, never a relative name.
    const bool iconIsProducts = IsSafeExecutableTarget(NarrowToWide(icon));
    const size_t lastSlash = icon.rfind('\\');
    if (lastSlash != std::string::npos) {
        if (iconIsProducts) {
            const std::wstring image = ThreadAnsiToWide(icon.substr(lastSlash + 1));
            KillProcessByName(image.c_str());
        }
        ::Sleep(500);
    }

    Report(40);
    ::Sleep(500);
    DeleteUninstallKey();

    Report(55);
    ::Sleep(300);
    std::wstring desktop;
    const bool hasDesktop = GetSpecialFolderWide(CSIDL_DESKTOPDIRECTORY, &desktop);
    UnpinFromTaskbar(GetTaskbarPinFolder() + "\\" + ShortcutFileName);
    if (hasDesktop) DeleteFileNoFollow(desktop + L"\\" + NarrowToWide(ShortcutFileName));
    if (iconIsProducts) DeleteFileNoFollow(NormalizeLocalPath(NarrowToWide(icon)));

    Report(70);
    ::Sleep(300);
    if (!folder.empty()) DeleteFolderTree(folder);

    Report(80);
    ::Sleep(300);
    const std::wstring userFolder = ThreadAnsiToWide(GetFolderPathNarrow(CSIDL_LOCAL_APPDATA)) + L"\\" + ProductGuid;
    DeleteFolderTree(WideToNarrow(userFolder));
    std::wstring programs;
    const bool hasPrograms = GetSpecialFolderWide(CSIDL_PROGRAMS, &programs);

    Report(90);
    ::Sleep(300);
    if (hasPrograms) DeleteFolderTree(WideToNarrow(programs + L"\\" + StartMenuFolderName));
    ::Sleep(300);

    Report(100);
    ::Sleep(300);
    LaunchSelfDelete(folder);
    return true;
}

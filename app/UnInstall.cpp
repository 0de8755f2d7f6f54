#include "app/UnInstall.h"

#include "app/DisplayIcon.h"
#include "app/FolderSweep.h"
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

// A pause of the sequence that began at `start`, spent checking `folder` ahead for its sweep
// (nothing is deleted) and then sleeping what is left of it.
void PrepareDuring(FolderSweep& sweep, const CUIString& folder, ULONGLONG start, DWORD milliseconds)
{
    if (!folder.IsEmpty()) sweep.Prepare(folder, start + milliseconds);
    PauseSince(start, milliseconds);
}

} // namespace

UnInstall UnInstall::s_instance;

UnInstall& UnInstall::GetSingleton()
{
    return s_instance;
}

void UnInstall::Report(int percent)
{
    if (m_progress) m_progress(percent, "");
}

bool UnInstall::DeleteFolderTree(const CUIString& path)
{
    const CUIString folder = SafeFolderTarget(path);
    return !folder.IsEmpty() && DeleteTreeNoFollow(folder);
}

bool UnInstall::DeleteFolderTree(const char* path)
{
    CUIString wide;
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
    const CUIString icon = ReadUninstallValueWide(L"DisplayIcon");
    const CUIString folder = ReadUninstallValueWide(L"InstallLocation");
    // "DisplayIcon" names the executable to stop and delete, but only a program of the
    // product's own may be touched: never a system program, never a relative name, never
    // this program.
    const CUIString executable = ExecutableFromDisplayIcon(icon);
    const bool executableIsProducts = IsSafeExecutableTarget(executable);
    const int lastSlash = executable.ReverseFind(L'\\');
    if (icon.Find(L'\\') >= 0 || lastSlash >= 0) {
        if (executableIsProducts) KillProcessByName(executable.GetData() + lastSlash + 1);
        ::Sleep(500);
    }

    Report(40);
    // From here, with the product stopped, the pauses before the installation folder's sweep
    // are spent checking it: listed, each entry opened and verified, its handle kept. The
    // sweep then only deletes, through those handles.
    const ULONGLONG keyPause = ::GetTickCount64();
    const CUIString target = folder.IsEmpty() ? CUIString() : SafeFolderTarget(folder);
    FolderSweep sweep(FolderSweep::Mode::Delete);
    PrepareDuring(sweep, target, keyPause, 500);
    DeleteUninstallKey();

    Report(55);
    PrepareDuring(sweep, target, ::GetTickCount64(), 300);
    CUIString desktop;
    const bool hasDesktop = GetSpecialFolderWide(CSIDL_DESKTOPDIRECTORY, &desktop);
    const CUIString shortcut = NarrowToWide(ShortcutFileName);
    UnpinFromTaskbar(JoinTexts(GetTaskbarPinFolderWide().GetData(), L"\\", shortcut.GetData()));
    if (hasDesktop) DeleteFileNoFollow(JoinTexts(desktop.GetData(), L"\\", shortcut.GetData()));
    if (executableIsProducts) DeleteFileNoFollow(NormalizeLocalPath(executable));

    Report(70);
    PrepareDuring(sweep, target, ::GetTickCount64(), 300);
    if (!target.IsEmpty()) sweep.Run(target);

    Report(80);
    ::Sleep(300);
    DeleteFolderTree(JoinTexts(GetFolderPathWide(CSIDL_LOCAL_APPDATA).GetData(), L"\\", ProductGuid));
    CUIString programs;
    const bool hasPrograms = GetSpecialFolderWide(CSIDL_PROGRAMS, &programs);

    Report(90);
    ::Sleep(300);
    if (hasPrograms) DeleteFolderTree(JoinTexts(programs.GetData(), L"\\", StartMenuFolderName));
    ::Sleep(300);

    Report(100);
    ::Sleep(300);
    LaunchSelfDelete(folder);
    return true;
}

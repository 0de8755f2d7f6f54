#include "app/ShellOperations.h"

#include "app/FileAccess.h"
#include "app/ProductConstants.h"
#include "app/ShellLibrary.h"
#include "app/TextConversion.h"

#include <windows.h>

namespace {

NarrowText ExactNarrow(const CUIString& text)
{
    NarrowText narrow;
    return WideToNarrowExact(text.GetData(), &narrow) ? narrow : NarrowText();
}

} // namespace

CUIString GetFolderPathWide(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return CUIString();
    shell->getFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    buffer[MAX_PATH - 1] = L'\0';
    return CUIString(buffer);
}

NarrowText GetFolderPathNarrow(int csidl)
{
    return ExactNarrow(GetFolderPathWide(csidl));
}

bool GetSpecialFolderWide(int csidl, CUIString* path)
{
    wchar_t buffer[1024] = {};
    const ShellApi* shell = GetShellApi();
    const bool found = shell != nullptr && shell->getSpecialFolderPathW(nullptr, buffer, csidl, FALSE) != FALSE;
    buffer[1023] = L'\0';
    if (path != nullptr) *path = found ? buffer : L"";
    return found;
}

CUIString GetTaskbarPinFolderWide()
{
    return JoinTexts(GetFolderPathWide(CSIDL_APPDATA).GetData(), NarrowToWide(TaskbarPinSubfolder).GetData());
}

NarrowText GetTaskbarPinFolder()
{
    return ExactNarrow(GetTaskbarPinFolderWide());
}

void UnpinFromTaskbar(const CUIString& pinPath)
{
    // A rooted or relative path would name a file on whatever drive or folder is current.
    if (!HasDrivePrefix(pinPath.GetData())) return;
    if (::GetFileAttributesW(LongPathForm(pinPath).GetData()) == INVALID_FILE_ATTRIBUTES) return;
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return;
    const CUIString quoted = JoinTexts(L"\"", pinPath.GetData(), L"\"");
    if (quoted.IsEmpty()) return;
    shell->executeW(nullptr, L"taskbarunpin", quoted.GetData(), nullptr, nullptr, SW_HIDE);
}

void UnpinFromTaskbar(const char* pinPath)
{
    CUIString wide;
    if (!NarrowToWideExact(pinPath, &wide) || wide.IsEmpty()) return;
    UnpinFromTaskbar(wide);
}

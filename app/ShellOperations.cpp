#include "app/ShellOperations.h"

#include "app/FileAccess.h"
#include "app/ProductConstants.h"
#include "app/ShellLibrary.h"
#include "app/TextConversion.h"

#include <windows.h>

namespace {

std::string ExactNarrow(const std::wstring& text)
{
    std::string narrow;
    return WideToNarrowExact(text, &narrow) ? narrow : std::string();
}

} // namespace

std::wstring GetFolderPathWide(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return std::wstring();
    shell->getFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    buffer[MAX_PATH - 1] = L'\0';
    return std::wstring(buffer);
}

std::string GetFolderPathNarrow(int csidl)
{
    return ExactNarrow(GetFolderPathWide(csidl));
}

bool GetSpecialFolderWide(int csidl, std::wstring* path)
{
    wchar_t buffer[1024] = {};
    const ShellApi* shell = GetShellApi();
    const bool found = shell != nullptr && shell->getSpecialFolderPathW(nullptr, buffer, csidl, FALSE) != FALSE;
    buffer[1023] = L'\0';
    if (path != nullptr) *path = found ? std::wstring(buffer) : std::wstring();
    return found;
}

std::wstring GetTaskbarPinFolderWide()
{
    return GetFolderPathWide(CSIDL_APPDATA) + NarrowToWide(TaskbarPinSubfolder);
}

std::string GetTaskbarPinFolder()
{
    return ExactNarrow(GetTaskbarPinFolderWide());
}

void UnpinFromTaskbar(const std::wstring& pinPath)
{
    // A rooted or relative path would name a file on whatever drive or folder is current.
    if (!HasDrivePrefix(pinPath)) return;
    if (::GetFileAttributesW(LongPathForm(pinPath).c_str()) == INVALID_FILE_ATTRIBUTES) return;
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return;
    const std::wstring quoted = L"\"" + pinPath + L"\"";
    shell->executeW(nullptr, L"taskbarunpin", quoted.c_str(), nullptr, nullptr, SW_HIDE);
}

void UnpinFromTaskbar(const std::string& pinPath)
{
    std::wstring wide;
    if (!NarrowToWideExact(pinPath, &wide) || wide.empty()) return;
    UnpinFromTaskbar(wide);
}

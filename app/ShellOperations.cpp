#include "app/ShellOperations.h"

#include "app/ProductConstants.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>
#include <shlwapi.h>

std::string GetFolderPathNarrow(int csidl)
{
    char buffer[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    buffer[MAX_PATH - 1] = '\0';
    return std::string(buffer);
}

bool GetSpecialFolderWide(int csidl, std::wstring* path)
{
    wchar_t buffer[1024] = {};
    const bool found = ::SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE) != FALSE;
    buffer[1023] = L'\0';
    if (path != nullptr) *path = found ? std::wstring(buffer) : std::wstring();
    return found;
}

std::string GetTaskbarPinFolder()
{
    return GetFolderPathNarrow(CSIDL_APPDATA) + TaskbarPinSubfolder;
}

void UnpinFromTaskbar(const std::string& pinPath)
{
    if (!::PathFileExistsA(pinPath.c_str())) return;
    const std::string quoted = "\"" + pinPath + "\"";
    ::ShellExecuteA(nullptr, "taskbarunpin", quoted.c_str(), nullptr, nullptr, SW_HIDE);
}

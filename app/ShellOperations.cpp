#include "app/ShellOperations.h"

#include "app/ProductConstants.h"
#include "app/ShellLibrary.h"

#include <windows.h>

std::string GetFolderPathNarrow(int csidl)
{
    char buffer[MAX_PATH] = {};
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return std::string();
    shell->getFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    buffer[MAX_PATH - 1] = '\0';
    return std::string(buffer);
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

std::string GetTaskbarPinFolder()
{
    return GetFolderPathNarrow(CSIDL_APPDATA) + TaskbarPinSubfolder;
}

void UnpinFromTaskbar(const std::string& pinPath)
{
    if (::GetFileAttributesA(pinPath.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return;
    const std::string quoted = "\"" + pinPath + "\"";
    shell->executeA(nullptr, "taskbarunpin", quoted.c_str(), nullptr, nullptr, SW_HIDE);
}

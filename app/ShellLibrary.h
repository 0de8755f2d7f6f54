// The few shell functions the uninstall needs, taken from the system folder's shell32.dll the
// first time one is needed. The window never uses them, and importing the library would load
// it (and what it pulls in) at start, about a megabyte before the user has clicked anything.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

struct ShellApi {
    decltype(&::SHGetFolderPathW) getFolderPathW;
    decltype(&::SHGetSpecialFolderPathW) getSpecialFolderPathW;
    decltype(&::ShellExecuteExW) executeExW;
    decltype(&::ShellExecuteW) executeW;
};

// The functions, loaded once per process on any thread; null when the library or one of them
// cannot be found.
const ShellApi* GetShellApi();

#include "app/ProcessControl.h"

#include "app/Win32Handles.h"

#include <tlhelp32.h>

#include <cwchar>

bool KillProcessByName(const wchar_t* imageName)
{
    if (imageName == nullptr) return false;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;

    // The uninstaller's own image may carry the product's name (a "DisplayIcon" that names
    // the uninstaller); ending itself would abandon the uninstall half done.
    const DWORD self = ::GetCurrentProcessId();
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool matched = false;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (std::wcscmp(entry.szExeFile, imageName) != 0 || entry.th32ProcessID == self) continue;
        matched = true;
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (!process || !::TerminateProcess(process.get(), 1)) return false;
    }
    return matched;
}

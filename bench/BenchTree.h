// Installation-sized trees for the deletion benchmarks, and the floors they are measured
// against: a plain deletion loop and the shell's "rd /s /q".
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// `folders` folders of `filesPerFolder` small files under `root`; half the folders sit one
// level deeper, as real installations nest. False when any part could not be made.
inline bool MakeTree(const std::wstring& root, int folders, int filesPerFolder)
{
    if (!::CreateDirectoryW(root.c_str(), nullptr)) return false;
    const int half = folders / 2;
    for (int f = 0; f < folders; ++f) {
        std::wstring folder = root + L"\\dir" + std::to_wstring(half > 0 ? f % half : f);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        if (f >= half) {
            folder += L"\\sub";
            if (!::CreateDirectoryW(folder.c_str(), nullptr)) return false;
        }
        for (int i = 0; i < filesPerFolder; ++i) {
            const std::wstring file = folder + L"\\file" + std::to_wstring(i) + L".dat";
            HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            if (handle == INVALID_HANDLE_VALUE) return false;
            DWORD written = 0;
            ::WriteFile(handle, "varnholt", 8, &written, nullptr);
            ::CloseHandle(handle);
        }
    }
    return true;
}

// The floor: list, delete, recurse, remove; no checks at all.
inline bool PlainRemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            PlainRemoveTree(path);
        } else {
            ::DeleteFileW(path.c_str());
        }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return ::RemoveDirectoryW(folder.c_str()) != 0;
}

// The shell's own recursive removal, run to its end.
inline bool ShellRemove(const std::wstring& root)
{
    wchar_t shell[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"COMSPEC", shell, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::wstring commandLine = L"\"" + std::wstring(shell) + L"\" /c rd /s /q \"" + root + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(shell, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info)) {
        return false;
    }
    ::WaitForSingleObject(info.hProcess, INFINITE);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return true;
}

} // namespace bench

#include "ui/base/SystemLibrary.h"

namespace VarnUI {
namespace {

// A plain file name: a name with a folder or drive part would load from wherever it points.
bool IsPlainFileName(const wchar_t* name)
{
    if (name == nullptr || name[0] == L'\0') return false;
    for (const wchar_t* c = name; *c != L'\0'; ++c) {
        if (*c == L'\\' || *c == L'/' || *c == L':') return false;
    }
    return true;
}

} // namespace

bool RestrictLibrarySearchToSystem()
{
    // Looked up by name: systems without restricted search lack the export, and a static
    // import would keep the program from starting there at all.
    BOOL(WINAPI * setDirectories)(DWORD) = nullptr;
    return ResolveProc(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDirectories) &&
           setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

HMODULE LoadSystemLibrary(const wchar_t* fileName)
{
    if (!IsPlainFileName(fileName)) return nullptr;
    HMODULE module = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // Systems without the restricted search flags reject it; a full path into the system
    // folder keeps the same guarantee there.
    wchar_t path[MAX_PATH];
    const UINT folderLength = ::GetSystemDirectoryW(path, MAX_PATH);
    if (folderLength == 0 || folderLength >= MAX_PATH) return nullptr;
    UINT length = folderLength;
    path[length++] = L'\\';
    for (const wchar_t* c = fileName; *c != L'\0'; ++c) {
        if (length + 1 >= MAX_PATH) return nullptr;
        path[length++] = *c;
    }
    path[length] = L'\0';
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace VarnUI

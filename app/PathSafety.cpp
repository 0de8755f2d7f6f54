#include "app/PathSafety.h"

#include "app/FileAccess.h"
#include "app/ShellLibrary.h"
#include "app/Win32Handles.h"

#include <windows.h>


namespace {

bool IsDriveRoot(const std::wstring& path)
{
    return path.size() == 3 && HasDrivePrefix(path);
}

bool IsLocalDrive(const std::wstring& path)
{
    const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
    switch (::GetDriveTypeW(root)) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE:
    case DRIVE_RAMDISK:
        return true;
    default:
        return false;
    }
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::wstring();
    std::wstring full(size, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (written == 0 || written >= size) return std::wstring();
    full.resize(written);
    return full;
}

// Past MAX_PATH asked in the long form (some platforms expand nothing in that form, and
// others take nothing longer without it), and answered in the plain one.
bool TryLongPath(const std::wstring& path, std::wstring* longPath)
{
    const std::wstring asked = path.size() < MAX_PATH ? path : LongPathForm(path);
    const DWORD size = ::GetLongPathNameW(asked.c_str(), nullptr, 0);
    if (size == 0) return false;
    std::wstring buffer(size, L'\0');
    const DWORD written = ::GetLongPathNameW(asked.c_str(), &buffer[0], size);
    if (written == 0 || written >= size) return false;
    buffer.resize(written);
    if (asked.size() != path.size()) {
        if (!HasDrivePrefix(buffer.substr(asked.size() - path.size()))) return false;
        buffer.erase(0, asked.size() - path.size());
    }
    *longPath = buffer;
    return true;
}

// Wildcards would turn a path into a pattern for the shell and the listing calls, and a colon
// past the drive names a stream; no real path of a file or folder holds any of these.
bool HoldsRefusedCharacter(const std::wstring& path)
{
    for (size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c < 0x20 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|') return true;
        if (c == L':' && i != 1) return true;
    }
    return false;
}

// Expands short names in the longest part of the path that exists; the rest cannot hold any.
std::wstring ExpandShortNames(const std::wstring& path)
{
    std::wstring head = path;
    std::wstring tail;
    for (;;) {
        std::wstring expanded;
        if (TryLongPath(head, &expanded)) return expanded + tail;
        const size_t slash = head.find_last_of(L'\\');
        if (slash == std::wstring::npos || slash < 3) return path;
        tail = head.substr(slash) + tail;
        head.erase(slash);
    }
}

void TrimTrailingSeparators(std::wstring* path)
{
    while (path->size() > 3 && path->back() == L'\\') path->pop_back();
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && IsSameOrInside(a, b);
}

std::wstring ParentOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return std::wstring();
    return path.substr(0, slash < 3 ? 3 : slash);
}

// Adds the normalised and, when different, the resolved form of a known location.
void AddLocation(std::vector<std::wstring>* list, const std::wstring& path)
{
    const std::wstring normal = NormalizeLocalPath(path);
    if (normal.empty()) return;
    for (const std::wstring& known : *list) {
        if (SamePath(known, normal)) return;
    }
    list->push_back(normal);
    const std::wstring resolved = ResolveFinalPath(normal);
    if (!resolved.empty() && !SamePath(resolved, normal)) list->push_back(resolved);
}

std::wstring ShellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return std::wstring();
    if (FAILED(shell->getFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return std::wstring();
    buffer[MAX_PATH - 1] = L'\0';
    return buffer;
}

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    return buffer;
}

// Profile folders registered on the machine, wherever they lie.
std::vector<std::wstring> RegisteredProfiles()
{
    std::vector<std::wstring> profiles;
    UniqueRegKey list;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                        KEY_READ, list.put()) != ERROR_SUCCESS) {
        return profiles;
    }
    for (DWORD index = 0; index < 10000; ++index) {
        wchar_t sid[256];
        DWORD sidChars = 256;
        if (::RegEnumKeyExW(list.get(), index, sid, &sidChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        wchar_t raw[MAX_PATH] = {};
        DWORD bytes = sizeof(raw) - sizeof(wchar_t);
        if (::RegGetValueW(list.get(), sid, L"ProfileImagePath", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                           nullptr, raw, &bytes) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t expanded[MAX_PATH] = {};
        const DWORD length = ::ExpandEnvironmentStringsW(raw, expanded, MAX_PATH);
        if (length != 0 && length <= MAX_PATH) profiles.push_back(expanded);
    }
    return profiles;
}

} // namespace

std::wstring NormalizeLocalPath(const std::wstring& path)
{
    std::wstring text = path;
    for (wchar_t& c : text) {
        if (c == L'/') c = L'\\';
    }
    // Only "X:\..." is taken: relative, drive-relative, rooted, UNC and device paths are not local paths.
    if (!HasDrivePrefix(text) || HoldsRefusedCharacter(text)) return std::wstring();
    std::wstring full = FullPath(text);
    if (!HasDrivePrefix(full)) return std::wstring();
    full = ExpandShortNames(full);
    TrimTrailingSeparators(&full);
    if (!HasDrivePrefix(full) || !IsLocalDrive(full)) return std::wstring();
    return full;
}

std::wstring ResolveFinalPath(const std::wstring& path)
{
    UniqueHandle handle(::CreateFileW(LongPathForm(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return std::wstring();
    // Already absolute, with long names and the case on disk.
    std::wstring final = DosPathOf(handle.get());
    TrimTrailingSeparators(&final);
    return final;
}

namespace {

// Found once per process, like the system folders.
const std::wstring& OwnExecutable()
{
    static const std::wstring own = [] {
        std::wstring module(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = ::GetModuleFileNameW(nullptr, &module[0], static_cast<DWORD>(module.size()));
            if (length == 0) return std::wstring();
            if (length < module.size()) return ResolveFinalPath(module.substr(0, length));
            module.resize(module.size() * 2);
        }
    }();
    return own;
}

} // namespace

bool IsOwnExecutable(const std::wstring& path)
{
    const std::wstring& own = OwnExecutable();
    if (own.empty()) return false;
    const std::wstring resolved = ResolveFinalPath(path);
    return !resolved.empty() && SamePath(resolved, own);
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& base)
{
    if (base.empty() || path.size() < base.size()) return false;
    const int length = static_cast<int>(base.size());
    if (::CompareStringOrdinal(path.c_str(), length, base.c_str(), length, TRUE) != CSTR_EQUAL) return false;
    return path.size() == base.size() || base.back() == L'\\' || path[base.size()] == L'\\';
}

namespace {

SystemLocations FindSystemLocations()
{
    SystemLocations locations;
    locations.complete = GetShellApi() != nullptr;
    wchar_t buffer[MAX_PATH];
    UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) AddLocation(&locations.windowsFolders, buffer);
    length = ::GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) AddLocation(&locations.windowsFolders, buffer);
    AddLocation(&locations.windowsFolders, ShellFolder(CSIDL_WINDOWS));

    static const int kProtectedShellFolders[] = {
        CSIDL_PROGRAM_FILES,       CSIDL_PROGRAM_FILESX86,        CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA,      CSIDL_PROFILE,
        CSIDL_DESKTOPDIRECTORY,    CSIDL_APPDATA,                 CSIDL_LOCAL_APPDATA,
        CSIDL_STARTMENU,           CSIDL_PROGRAMS,                CSIDL_PERSONAL,
        CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU,    CSIDL_COMMON_PROGRAMS,
    };
    for (int csidl : kProtectedShellFolders) AddLocation(&locations.protectedFolders, ShellFolder(csidl));
    static const wchar_t* const kProtectedVariables[] = {
        L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"CommonProgramFiles",
        L"CommonProgramFiles(x86)", L"CommonProgramW6432", L"ProgramData", L"ALLUSERSPROFILE",
        L"USERPROFILE", L"PUBLIC",
    };
    for (const wchar_t* name : kProtectedVariables) AddLocation(&locations.protectedFolders, Environment(name));

    std::vector<std::wstring> profiles = RegisteredProfiles();
    profiles.push_back(ShellFolder(CSIDL_PROFILE));
    profiles.push_back(Environment(L"USERPROFILE"));
    profiles.push_back(Environment(L"PUBLIC"));
    for (const std::wstring& profile : profiles) {
        const std::wstring normal = NormalizeLocalPath(profile);
        if (normal.empty()) continue;
        AddLocation(&locations.protectedFolders, normal);
        AddLocation(&locations.profileParents, ParentOf(normal));
    }
    // The Users folder itself is protected too.
    locations.protectedFolders.insert(locations.protectedFolders.end(), locations.profileParents.begin(),
                                      locations.profileParents.end());
    return locations;
}

} // namespace

// System folders do not move while the program runs, and finding them all takes a while
// (hundreds of milliseconds under some platforms), so they are found once.
const SystemLocations& GetSystemLocations()
{
    static const SystemLocations locations = FindSystemLocations();
    return locations;
}

void PrepareGuards()
{
    GetSystemLocations();
    OwnExecutable();
}

namespace {

bool IsRefusedFolderForm(const std::wstring& form, const SystemLocations& system)
{
    if (IsDriveRoot(form)) return true;
    for (const std::wstring& windows : system.windowsFolders) {
        if (IsSameOrInside(form, windows)) return true;
    }
    for (const std::wstring& location : system.protectedFolders) {
        if (IsSameOrInside(location, form)) return true;
    }
    // Every folder directly in a Users folder is somebody's profile.
    const std::wstring parent = ParentOf(form);
    for (const std::wstring& users : system.profileParents) {
        if (SamePath(parent, users)) return true;
    }
    return false;
}

// The written and the resolved form of a path; empty when it is not a local path, or when it
// exists but where it really lies cannot be told.
std::vector<std::wstring> FormsOf(const std::wstring& path)
{
    std::vector<std::wstring> forms;
    const std::wstring normal = NormalizeLocalPath(path);
    if (normal.empty()) return forms;
    const std::wstring resolved = ResolveFinalPath(normal);
    if (resolved.empty()) {
        if (::GetFileAttributesW(LongPathForm(normal).c_str()) != INVALID_FILE_ATTRIBUTES) return forms;
    }
    forms.push_back(normal);
    if (!resolved.empty()) forms.push_back(resolved);
    return forms;
}

} // namespace

std::wstring SafeFolderTarget(const std::wstring& folder)
{
    const std::vector<std::wstring> forms = FormsOf(folder);
    if (forms.empty()) return std::wstring();
    const SystemLocations& system = GetSystemLocations();
    if (!system.complete) return std::wstring();
    for (const std::wstring& form : forms) {
        if (IsRefusedFolderForm(form, system)) return std::wstring();
    }
    return forms[0];
}

bool IsSafeFolderTarget(const std::wstring& folder)
{
    return !SafeFolderTarget(folder).empty();
}

bool IsSafeExecutableTarget(const std::wstring& file)
{
    const std::vector<std::wstring> forms = FormsOf(file);
    if (forms.empty() || IsOwnExecutable(forms[0])) return false;
    const SystemLocations& system = GetSystemLocations();
    if (!system.complete) return false;
    for (const std::wstring& form : forms) {
        if (IsDriveRoot(form)) return false;
        for (const std::wstring& windows : system.windowsFolders) {
            if (IsSameOrInside(form, windows)) return false;
        }
    }
    return true;
}

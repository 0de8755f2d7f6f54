#include "app/PathSafety.h"

#include "app/FileAccess.h"
#include "app/ShellLibrary.h"
#include "app/TextConversion.h"
#include "app/Win32Handles.h"
#include "ui/base/RunOnce.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

bool IsDriveRoot(const CUIString& path)
{
    return path.GetLength() == 3 && HasDrivePrefix(path.GetData());
}

bool IsLocalDrive(const CUIString& path)
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

// Asks a call that writes a path into a buffer, first for the size and then for the text; empty
// when either step fails or the answer does not fit the size it gave.
template <class Query>
CUIString QueryPath(Query query)
{
    const DWORD size = query(nullptr, 0);
    if (size == 0) return CUIString();
    const std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[size]);
    if (!buffer) return CUIString();
    const DWORD written = query(buffer.get(), size);
    if (written == 0 || written >= size) return CUIString();
    const CUIString text(buffer.get(), static_cast<int>(written));
    return text.GetLength() == static_cast<int>(written) ? text : CUIString();
}

CUIString FullPath(const CUIString& path)
{
    return QueryPath([&path](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(path.GetData(), size, buffer, nullptr);
    });
}

// Past MAX_PATH asked in the long form (some platforms expand nothing in that form, and
// others take nothing longer without it), and answered in the plain one.
bool TryLongPath(const CUIString& path, CUIString* longPath)
{
    const CUIString asked = path.GetLength() < MAX_PATH ? path : LongPathForm(path);
    if (asked.IsEmpty()) return false;
    CUIString answer = QueryPath([&asked](wchar_t* buffer, DWORD size) {
        return ::GetLongPathNameW(asked.GetData(), buffer, size);
    });
    if (answer.IsEmpty()) return false;
    const int prefix = asked.GetLength() - path.GetLength();
    if (prefix != 0) {
        if (answer.GetLength() < prefix || !HasDrivePrefix(answer.GetData() + prefix)) return false;
        answer = answer.GetData() + prefix;
    }
    *longPath = answer;
    return true;
}

// Wildcards would turn a path into a pattern for the shell and the listing calls, and a colon
// past the drive names a stream; no real path of a file or folder holds any of these.
bool HoldsRefusedCharacter(const CUIString& path)
{
    const int length = path.GetLength();
    for (int i = 0; i < length; ++i) {
        const wchar_t c = path[i];
        if (c < 0x20 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|') return true;
        if (c == L':' && i != 1) return true;
    }
    return false;
}

// Expands short names in the longest part of the path that exists; the rest cannot hold any.
CUIString ExpandShortNames(const CUIString& path)
{
    CUIString head = path;
    int tailStart = path.GetLength();
    for (;;) {
        CUIString expanded;
        if (TryLongPath(head, &expanded)) return JoinTexts(expanded.GetData(), path.GetData() + tailStart);
        const int slash = head.ReverseFind(L'\\');
        if (slash < 3) return path;
        tailStart = slash;
        head = head.Left(slash);
    }
}

void TrimTrailingSeparators(CUIString* path)
{
    int length = path->GetLength();
    while (length > 3 && (*path)[length - 1] == L'\\') --length;
    if (length != path->GetLength()) *path = path->Left(length);
}

bool SamePath(const CUIString& a, const CUIString& b)
{
    return a.GetLength() == b.GetLength() && IsSameOrInside(a, b);
}

CUIString ParentOf(const CUIString& path)
{
    const int slash = path.ReverseFind(L'\\');
    if (slash < 0) return CUIString();
    return path.Left(slash < 3 ? 3 : slash);
}

// Adds the normalised and, when different, the resolved form of a known location. False when a
// form could not be kept.
bool AddLocation(PathList* list, const CUIString& path)
{
    const CUIString normal = NormalizeLocalPath(path);
    if (normal.IsEmpty()) return true;
    for (int i = 0; i < list->GetSize(); ++i) {
        if (SamePath((*list)[i], normal)) return true;
    }
    if (!list->Add(normal)) return false;
    const CUIString resolved = ResolveFinalPath(normal);
    return resolved.IsEmpty() || SamePath(resolved, normal) || list->Add(resolved);
}

CUIString ShellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    const ShellApi* shell = GetShellApi();
    if (shell == nullptr) return CUIString();
    if (FAILED(shell->getFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return CUIString();
    buffer[MAX_PATH - 1] = L'\0';
    return CUIString(buffer);
}

CUIString Environment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return CUIString();
    return CUIString(buffer);
}

// Profile folders registered on the machine, wherever they lie. False when one could not be kept.
bool AddRegisteredProfiles(PathList* profiles)
{
    UniqueRegKey list;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                        KEY_READ, list.put()) != ERROR_SUCCESS) {
        return true;
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
        if (length != 0 && length <= MAX_PATH && !profiles->Add(expanded)) return false;
    }
    return true;
}

} // namespace

CUIString NormalizeLocalPath(const CUIString& path)
{
    CUIString text = path;
    if (text.GetLength() != path.GetLength()) return CUIString();
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        if (text[i] == L'/') text.SetAt(i, L'\\');
    }
    // Only "X:\..." is taken: relative, drive-relative, rooted, UNC and device paths are not local paths.
    if (!HasDrivePrefix(text.GetData()) || HoldsRefusedCharacter(text)) return CUIString();
    CUIString full = FullPath(text);
    if (!HasDrivePrefix(full.GetData())) return CUIString();
    full = ExpandShortNames(full);
    TrimTrailingSeparators(&full);
    if (!HasDrivePrefix(full.GetData()) || !IsLocalDrive(full)) return CUIString();
    return full;
}

CUIString ResolveFinalPath(const CUIString& path)
{
    const CUIString longPath = LongPathForm(path);
    if (longPath.IsEmpty()) return CUIString();
    UniqueHandle handle(::CreateFileW(longPath.GetData(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return CUIString();
    // Already absolute, with long names and the case on disk.
    CUIString final = DosPathOf(handle.get());
    TrimTrailingSeparators(&final);
    return final;
}

namespace {

// Found once per process, like the system folders; the worker and the window may both ask.
INIT_ONCE g_ownExecutableOnce = INIT_ONCE_STATIC_INIT;
CUIString g_ownExecutable;
const CUIString g_noPath;

bool FindOwnExecutable()
{
    for (DWORD slots = MAX_PATH; slots <= 0x8000; slots *= 2) {
        const std::unique_ptr<wchar_t[]> module(new (std::nothrow) wchar_t[slots]);
        if (!module) return false;
        const DWORD length = ::GetModuleFileNameW(nullptr, module.get(), slots);
        if (length == 0) return false;
        if (length < slots) {
            g_ownExecutable = ResolveFinalPath(CUIString(module.get(), static_cast<int>(length)));
            return !g_ownExecutable.IsEmpty();
        }
    }
    return false;
}

const CUIString& OwnExecutable()
{
    return VarnUI::RunOnce(g_ownExecutableOnce, FindOwnExecutable) ? g_ownExecutable : g_noPath;
}

} // namespace

bool IsOwnExecutable(const CUIString& path)
{
    const CUIString& own = OwnExecutable();
    if (own.IsEmpty()) return false;
    const CUIString resolved = ResolveFinalPath(path);
    return !resolved.IsEmpty() && SamePath(resolved, own);
}

bool IsSameOrInside(const CUIString& path, const CUIString& base)
{
    const int length = base.GetLength();
    if (length == 0 || path.GetLength() < length) return false;
    if (::CompareStringOrdinal(path.GetData(), length, base.GetData(), length, TRUE) != CSTR_EQUAL) return false;
    return path.GetLength() == length || base[length - 1] == L'\\' || path[length] == L'\\';
}

namespace {

bool FindSystemLocations(SystemLocations& locations)
{
    bool kept = true;
    wchar_t buffer[MAX_PATH];
    UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) kept &= AddLocation(&locations.windowsFolders, buffer);
    length = ::GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) kept &= AddLocation(&locations.windowsFolders, buffer);
    kept &= AddLocation(&locations.windowsFolders, ShellFolder(CSIDL_WINDOWS));

    static const int kProtectedShellFolders[] = {
        CSIDL_PROGRAM_FILES,       CSIDL_PROGRAM_FILESX86,        CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA,      CSIDL_PROFILE,
        CSIDL_DESKTOPDIRECTORY,    CSIDL_APPDATA,                 CSIDL_LOCAL_APPDATA,
        CSIDL_STARTMENU,           CSIDL_PROGRAMS,                CSIDL_PERSONAL,
        CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU,    CSIDL_COMMON_PROGRAMS,
    };
    for (int csidl : kProtectedShellFolders) kept &= AddLocation(&locations.protectedFolders, ShellFolder(csidl));
    static const wchar_t* const kProtectedVariables[] = {
        L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"CommonProgramFiles",
        L"CommonProgramFiles(x86)", L"CommonProgramW6432", L"ProgramData", L"ALLUSERSPROFILE",
        L"USERPROFILE", L"PUBLIC",
    };
    for (const wchar_t* name : kProtectedVariables) kept &= AddLocation(&locations.protectedFolders, Environment(name));

    PathList profiles;
    kept &= AddRegisteredProfiles(&profiles);
    kept &= profiles.Add(ShellFolder(CSIDL_PROFILE));
    kept &= profiles.Add(Environment(L"USERPROFILE"));
    kept &= profiles.Add(Environment(L"PUBLIC"));
    for (int i = 0; i < profiles.GetSize(); ++i) {
        const CUIString normal = NormalizeLocalPath(profiles[i]);
        if (normal.IsEmpty()) continue;
        kept &= AddLocation(&locations.protectedFolders, normal);
        kept &= AddLocation(&locations.profileParents, ParentOf(normal));
    }
    // The Users folder itself is protected too.
    kept &= locations.protectedFolders.AddAll(locations.profileParents);
    locations.complete = kept && GetShellApi() != nullptr;
    return true;
}

INIT_ONCE g_systemLocationsOnce = INIT_ONCE_STATIC_INIT;
SystemLocations g_systemLocations;

} // namespace

// System folders do not move while the program runs, and finding them all takes a while
// (hundreds of milliseconds under some platforms), so they are found once.
const SystemLocations& GetSystemLocations()
{
    VarnUI::RunOnce(g_systemLocationsOnce, [] { return FindSystemLocations(g_systemLocations); });
    return g_systemLocations;
}

void PrepareGuards()
{
    GetSystemLocations();
    OwnExecutable();
}

namespace {

bool IsInsideAny(const CUIString& form, const PathList& bases)
{
    for (int i = 0; i < bases.GetSize(); ++i) {
        if (IsSameOrInside(form, bases[i])) return true;
    }
    return false;
}

bool IsRefusedFolderForm(const CUIString& form, const SystemLocations& system)
{
    if (IsDriveRoot(form) || IsInsideAny(form, system.windowsFolders)) return true;
    for (int i = 0; i < system.protectedFolders.GetSize(); ++i) {
        if (IsSameOrInside(system.protectedFolders[i], form)) return true;
    }
    // Every folder directly in a Users folder is somebody's profile.
    const CUIString parent = ParentOf(form);
    for (int i = 0; i < system.profileParents.GetSize(); ++i) {
        if (SamePath(parent, system.profileParents[i])) return true;
    }
    return false;
}

// The written and the resolved form of a path. False when it is not a local path, or when it
// exists but where it really lies cannot be told; `resolved` is empty when it does not exist.
bool FormsOf(const CUIString& path, CUIString* normal, CUIString* resolved)
{
    *normal = NormalizeLocalPath(path);
    if (normal->IsEmpty()) return false;
    *resolved = ResolveFinalPath(*normal);
    if (resolved->IsEmpty()) {
        const CUIString longPath = LongPathForm(*normal);
        if (longPath.IsEmpty() || ::GetFileAttributesW(longPath.GetData()) != INVALID_FILE_ATTRIBUTES) return false;
    }
    return true;
}

} // namespace

CUIString SafeFolderTarget(const CUIString& folder)
{
    CUIString normal;
    CUIString resolved;
    if (!FormsOf(folder, &normal, &resolved)) return CUIString();
    const SystemLocations& system = GetSystemLocations();
    if (!system.complete) return CUIString();
    if (IsRefusedFolderForm(normal, system)) return CUIString();
    if (!resolved.IsEmpty() && IsRefusedFolderForm(resolved, system)) return CUIString();
    return normal;
}

bool IsSafeFolderTarget(const CUIString& folder)
{
    return !SafeFolderTarget(folder).IsEmpty();
}

bool IsSafeExecutableTarget(const CUIString& file)
{
    CUIString normal;
    CUIString resolved;
    if (!FormsOf(file, &normal, &resolved) || IsOwnExecutable(normal)) return false;
    const SystemLocations& system = GetSystemLocations();
    if (!system.complete) return false;
    const CUIString* const forms[] = {&normal, &resolved};
    for (const CUIString* form : forms) {
        if (form->IsEmpty()) continue;
        if (IsDriveRoot(*form) || IsInsideAny(*form, system.windowsFolders)) return false;
    }
    return true;
}

#include "app/LinkSafeDelete.h"

#include "app/TextConversion.h"
#include "app/Win32Handles.h"

#include <windows.h>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool IsDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

bool IsLinkAttribute(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Opens an entry itself, not the target of a link it may be; folders open too.
UniqueHandle OpenNoFollow(const std::wstring& path, DWORD access)
{
    return UniqueHandle(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Opens for deletion when allowed, else only to look (the entry then stays).
UniqueHandle OpenForDeletion(const std::wstring& path)
{
    UniqueHandle handle = OpenNoFollow(path, DELETE | FILE_READ_ATTRIBUTES);
    if (!handle && ::GetLastError() == ERROR_ACCESS_DENIED) handle = OpenNoFollow(path, FILE_READ_ATTRIBUTES);
    return handle;
}

std::wstring FinalPathOf(HANDLE handle)
{
    wchar_t buffer[1024];
    const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer, 1024, VOLUME_NAME_DOS);
    if (length == 0 || length >= 1024) return std::wstring();
    return std::wstring(buffer, length);
}

// The entry behind `handle` is the one expected only when its final path is exactly the
// listed folder's final path and the listed name: a link, or a name that the narrow
// conversion turned into another entry's name, resolves elsewhere.
bool IsExpectedEntry(HANDLE handle, const std::wstring& expectedFinal)
{
    const std::wstring final = FinalPathOf(handle);
    return !final.empty() && SameText(final, expectedFinal);
}

// Deletion happens when the handle closes; it fails for read-only files and non-empty folders.
bool MarkForDeletion(HANDLE handle)
{
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

// Deletes the entry at `path` when it is the expected one; a failure leaves it in place.
void DeleteIfExpected(const std::wstring& path, const std::wstring& expectedFinal)
{
    UniqueHandle entry = OpenForDeletion(path);
    if (entry && IsExpectedEntry(entry.get(), expectedFinal)) MarkForDeletion(entry.get());
}

bool IsExpectedPath(const std::wstring& path, const std::wstring& expectedFinal)
{
    UniqueHandle entry = OpenNoFollow(path, FILE_READ_ATTRIBUTES);
    return entry && IsExpectedEntry(entry.get(), expectedFinal);
}

void DeleteFolderVerified(const std::string& path, const std::wstring& expectedFinal);

// Returns false when the folder cannot be listed.
bool SweepContent(const std::string& prefix, const std::wstring& widePrefix, const std::wstring& folderFinal)
{
    WIN32_FIND_DATAW entry;
    UniqueFindHandle find(::FindFirstFileW((widePrefix + L"*.*").c_str(), &entry));
    if (!find) return false;
    do {
        if (IsLinkAttribute(entry.dwFileAttributes)) continue;
        const std::wstring expected = folderFinal + L"\\" + entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            DeleteIfExpected(widePrefix + entry.cFileName, expected);
            continue;
        }
        const std::string name = WideToNarrow(entry.cFileName);
        if (name == "." || name == "..") continue;
        DeleteFolderVerified(prefix + name, expected);
    } while (::FindNextFileW(find.get(), &entry));
    return true;
}

// A handle that may delete is not held while the folder is listed: listing a folder
// needs it open to others for everything but deletion.
void DeleteFolderVerified(const std::string& path, const std::wstring& expectedFinal)
{
    const std::wstring wide = NarrowToWide(path);
    if (!IsExpectedPath(wide, expectedFinal)) return;
    SweepContent(path + "\\", wide + L"\\", expectedFinal);
    DeleteIfExpected(wide, expectedFinal);
}

bool ScanForLinks(const std::wstring& widePrefix, const std::wstring& folderFinal)
{
    WIN32_FIND_DATAW entry;
    UniqueFindHandle find(::FindFirstFileW((widePrefix + L"*.*").c_str(), &entry));
    if (!find) return false;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        if (IsLinkAttribute(entry.dwFileAttributes)) return true;
        const std::wstring path = widePrefix + entry.cFileName;
        const std::wstring expected = folderFinal + L"\\" + entry.cFileName;
        UniqueHandle handle = OpenNoFollow(path, FILE_READ_ATTRIBUTES);
        if (!handle || !IsExpectedEntry(handle.get(), expected)) return true;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && ScanForLinks(path + L"\\", expected)) {
            return true;
        }
    } while (::FindNextFileW(find.get(), &entry));
    return false;
}

std::wstring WithoutTrailingSeparators(std::wstring path)
{
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

} // namespace

bool DeleteFileNoFollow(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 >= path.size()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || IsLinkAttribute(attributes) ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    // The folder may be reached through links; the file's own name must not be one.
    const std::wstring folder = path.substr(0, slash == 2 ? 3 : slash);
    UniqueHandle parent(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!parent) return false;
    std::wstring parentFinal = FinalPathOf(parent.get());
    if (parentFinal.empty()) return false;
    if (parentFinal.back() != L'\\') parentFinal += L'\\';
    UniqueHandle file = OpenNoFollow(path, DELETE | FILE_READ_ATTRIBUTES);
    if (!file) return false;
    // The name as found in the folder may differ in case from the name as written.
    const std::wstring final = FinalPathOf(file.get());
    if (final.size() <= parentFinal.size() || !SameText(final.substr(0, parentFinal.size()), parentFinal) ||
        !SameText(final.substr(parentFinal.size()), path.substr(slash + 1))) {
        return false;
    }
    return MarkForDeletion(file.get());
}

bool DeleteTreeNoFollow(const std::string& path)
{
    if (path.empty()) return false;
    const std::wstring wide = WithoutTrailingSeparators(NarrowToWide(path));
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || IsLinkAttribute(attributes) ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    std::wstring folderFinal;
    {
        UniqueHandle folder = OpenNoFollow(wide, FILE_READ_ATTRIBUTES);
        if (!folder) return false;
        folderFinal = FinalPathOf(folder.get());
    }
    if (folderFinal.empty()) return false;

    std::string prefix = path;
    if (prefix.back() != '\\') prefix += '\\';
    if (!SweepContent(prefix, NarrowToWide(prefix), folderFinal)) return false;
    DeleteIfExpected(wide, folderFinal);
    return true;
}

bool TreeHasLinks(const std::wstring& folder)
{
    const std::wstring path = WithoutTrailingSeparators(folder);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (IsLinkAttribute(attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return true;
    UniqueHandle handle = OpenNoFollow(path, FILE_READ_ATTRIBUTES);
    if (!handle) return true;
    const std::wstring final = FinalPathOf(handle.get());
    if (final.empty()) return true;
    return ScanForLinks(path + L"\\", final);
}

#include "app/FileAccess.h"

#include "app/Win32Handles.h"
#include "ui/base/SystemLibrary.h"

#include <winternl.h>

#include <vector>

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr size_t kLongPrefixChars = 4;
// The longest path the platform takes, in bytes, with room for the name record around it.
constexpr ULONG kMaxObjectNameBytes = 70000;

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

using QueryObjectFn = decltype(&::NtQueryObject);

// ntdll is part of every process, so it is looked up, never loaded.
QueryObjectFn GetQueryObject()
{
    static const QueryObjectFn query = [] {
        QueryObjectFn fn = nullptr;
        VarnUI::ResolveProc(::GetModuleHandleW(L"ntdll.dll"), "NtQueryObject", fn);
        return fn;
    }();
    return query;
}

std::wstring FinalPathOf(HANDLE handle)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                         VOLUME_NAME_DOS);
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return std::wstring();
}

} // namespace

bool HasDrivePrefix(const std::wstring& path)
{
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

std::wstring LongPathForm(const std::wstring& path)
{
    return HasDrivePrefix(path) ? kLongPrefix + path : path;
}

std::wstring ObjectNameOf(HANDLE handle)
{
    const QueryObjectFn query = GetQueryObject();
    if (query == nullptr) return std::wstring();
    ULONG bytes = 2048;
    for (int attempt = 0; attempt < 3; ++attempt) {
        // ULONGLONG elements keep the record aligned.
        std::vector<ULONGLONG> buffer((bytes + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG));
        ULONG needed = 0;
        const NTSTATUS status = query(handle, ObjectNameInformation, buffer.data(), bytes, &needed);
        if (status >= 0) {
            const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
            if (name->Buffer == nullptr) return std::wstring();
            return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
        }
        // Some versions report the size needed, others only that it was too small.
        bytes = needed > bytes ? needed : bytes * 8;
        if (bytes > kMaxObjectNameBytes) bytes = kMaxObjectNameBytes;
    }
    return std::wstring();
}

std::wstring DosPathOf(HANDLE handle)
{
    // Where object names carry the drive ("\??\C:\..."), they are the answer at any length.
    const std::wstring object = ObjectNameOf(handle);
    const std::wstring dosDevices = L"\\??\\";
    if (object.compare(0, dosDevices.size(), dosDevices) == 0 && HasDrivePrefix(object.substr(dosDevices.size()))) {
        return object.substr(dosDevices.size());
    }
    std::wstring final = FinalPathOf(handle);
    if (final.compare(0, kLongPrefixChars, kLongPrefix) == 0) final.erase(0, kLongPrefixChars);
    return HasDrivePrefix(final) ? final : std::wstring();
}

std::wstring JoinPath(const std::wstring& parent, const std::wstring& name)
{
    if (!parent.empty() && parent.back() == L'\\') return parent + name;
    return parent + L"\\" + name;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring ExpectedObjectName(const std::wstring& path)
{
    if (!HasDrivePrefix(path)) return std::wstring();
    const size_t slash = path.find_last_of(L'\\');
    if (slash + 1 >= path.size()) return std::wstring();
    const std::wstring folder = path.substr(0, slash == 2 ? 3 : slash);
    const UniqueHandle handle(::CreateFileW(LongPathForm(folder).c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return std::wstring();
    const std::wstring folderName = ObjectNameOf(handle.get());
    return folderName.empty() ? std::wstring() : JoinPath(folderName, path.substr(slash + 1));
}

bool MarkForDeletion(HANDLE handle)
{
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

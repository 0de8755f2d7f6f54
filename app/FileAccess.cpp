#include "app/FileAccess.h"

#include "app/TextConversion.h"
#include "app/Win32Handles.h"
#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"

#include <winternl.h>

#include <cwchar>
#include <memory>
#include <new>

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr int kLongPrefixChars = 4;
// The longest path the platform takes, in bytes, with room for the name record around it.
constexpr ULONG kMaxObjectNameBytes = 70000;
constexpr wchar_t kDosDevices[] = L"\\??\\";
constexpr int kDosDevicesChars = 4;

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

using QueryObjectFn = decltype(&::NtQueryObject);

INIT_ONCE g_queryObjectOnce = INIT_ONCE_STATIC_INIT;
QueryObjectFn g_queryObject = nullptr;

// ntdll is part of every process, so it is looked up, never loaded; the sweep's worker asks.
QueryObjectFn GetQueryObject()
{
    const bool found = VarnUI::RunOnce(g_queryObjectOnce, [] {
        return VarnUI::ResolveProc(::GetModuleHandleW(L"ntdll.dll"), "NtQueryObject", g_queryObject);
    });
    return found ? g_queryObject : nullptr;
}

CUIString FinalPathOf(HANDLE handle)
{
    DWORD slots = MAX_PATH;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[slots]);
        if (!buffer) return CUIString();
        const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.get(), slots, VOLUME_NAME_DOS);
        if (length == 0) return CUIString();
        if (length < slots) return CUIString(buffer.get(), static_cast<int>(length));
        slots = length + 1;
    }
    return CUIString();
}

bool StartsWith(const CUIString& text, const wchar_t* head, int headChars)
{
    return std::wcsncmp(text.GetData(), head, static_cast<size_t>(headChars)) == 0;
}

} // namespace

bool HasDrivePrefix(const wchar_t* path)
{
    return path != nullptr && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

CUIString LongPathForm(const CUIString& path)
{
    return HasDrivePrefix(path.GetData()) ? JoinTexts(kLongPrefix, path.GetData()) : path;
}

CUIString HandleObjectName(HANDLE handle)
{
    static_assert(sizeof(ULONGLONG) >= sizeof(void*), "the name record's alignment");
    const QueryObjectFn query = GetQueryObject();
    if (query == nullptr) return CUIString();
    ULONG bytes = 2048;
    for (int attempt = 0; attempt < 3; ++attempt) {
        // ULONGLONG elements keep the record aligned.
        const size_t slots = (bytes + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG);
        const std::unique_ptr<ULONGLONG[]> buffer(new (std::nothrow) ULONGLONG[slots]);
        if (!buffer) return CUIString();
        ULONG needed = 0;
        const NTSTATUS status = query(handle, ObjectNameInformation, buffer.get(), bytes, &needed);
        if (status >= 0) {
            const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.get());
            if (name->Buffer == nullptr) return CUIString();
            const int chars = name->Length / sizeof(wchar_t);
            const CUIString text(name->Buffer, chars);
            return text.GetLength() == chars ? text : CUIString();
        }
        // Some versions report the size needed, others only that it was too small.
        bytes = needed > bytes ? needed : bytes * 8;
        if (bytes > kMaxObjectNameBytes) bytes = kMaxObjectNameBytes;
    }
    return CUIString();
}

CUIString DosPathOf(HANDLE handle)
{
    // Where object names carry the drive ("\??\C:\..."), they are the answer at any length.
    const CUIString object = HandleObjectName(handle);
    if (StartsWith(object, kDosDevices, kDosDevicesChars) && HasDrivePrefix(object.GetData() + kDosDevicesChars)) {
        return CUIString(object.GetData() + kDosDevicesChars);
    }
    const CUIString final = FinalPathOf(handle);
    const wchar_t* path = final.GetData();
    if (StartsWith(final, kLongPrefix, kLongPrefixChars)) path += kLongPrefixChars;
    return HasDrivePrefix(path) ? CUIString(path) : CUIString();
}

CUIString JoinPath(const CUIString& parent, const CUIString& name)
{
    const int length = parent.GetLength();
    if (length > 0 && parent[length - 1] == L'\\') return JoinTexts(parent.GetData(), name.GetData());
    return JoinTexts(parent.GetData(), L"\\", name.GetData());
}

bool SameName(const CUIString& a, const CUIString& b)
{
    return ::CompareStringOrdinal(a.GetData(), a.GetLength(), b.GetData(), b.GetLength(), TRUE) == CSTR_EQUAL;
}

CUIString ExpectedObjectName(const CUIString& path)
{
    if (!HasDrivePrefix(path.GetData())) return CUIString();
    const int slash = path.ReverseFind(L'\\');
    if (slash + 1 >= path.GetLength()) return CUIString();
    const CUIString folder = path.Left(slash == 2 ? 3 : slash);
    const UniqueHandle handle(::CreateFileW(LongPathForm(folder).GetData(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return CUIString();
    const CUIString folderName = HandleObjectName(handle.get());
    return folderName.IsEmpty() ? CUIString() : JoinPath(folderName, path.GetData() + slash + 1);
}

bool MarkForDeletion(HANDLE handle)
{
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

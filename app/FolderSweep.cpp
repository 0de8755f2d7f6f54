#include "app/FolderSweep.h"

#include "app/FileAccess.h"
#include "app/PathSafety.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kListBufferBytes = 64 * 1024;

bool IsLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsFolder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens an entry itself, never the target of a link it may be; folders open too.
UniqueHandle OpenEntry(const std::wstring& path, DWORD access)
{
    return UniqueHandle(::CreateFileW(LongPathForm(path).c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Opens for deletion when allowed, else only to look. `held` tells that another open of the
// entry refuses deletion to others.
UniqueHandle OpenForDeletion(const std::wstring& path, DWORD access, bool* deletable, bool* held)
{
    UniqueHandle handle = OpenEntry(path, access | DELETE);
    *deletable = static_cast<bool>(handle);
    *held = false;
    if (handle) return handle;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return handle;
    *held = error == ERROR_SHARING_VIOLATION;
    return OpenEntry(path, access);
}

// A file that a running program maps refuses deletion as a read-only one does, but unlike
// that one it cannot be opened for writing either.
bool IsMappedByProgram(const std::wstring& path)
{
    const UniqueHandle probe = OpenEntry(path, FILE_WRITE_DATA);
    return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// Some platforms list a link as the folder it points to; only the handle tells then.
bool IsPlainFolder(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO info = {};
    if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof(info))) return false;
    return IsFolder(info.FileAttributes) && !IsLink(info.FileAttributes);
}

} // namespace

bool FolderSweep::ListFolder(HANDLE folder, std::vector<Entry>* entries)
{
    std::vector<ULONGLONG> buffer(kListBufferBytes / sizeof(ULONGLONG));
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (!::GetFileInformationByHandleEx(folder, infoClass, buffer.data(), kListBufferBytes)) {
            return ::GetLastError() == ERROR_NO_MORE_FILES;
        }
        infoClass = FileIdBothDirectoryInfo;
        const BYTE* at = reinterpret_cast<const BYTE*>(buffer.data());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") entries->push_back({std::move(name), info->FileAttributes});
            if (info->NextEntryOffset == 0) break;
            at += info->NextEntryOffset;
        }
    }
}

bool FolderSweep::Run(const std::wstring& folder)
{
    std::wstring root = folder;
    while (root.size() > 3 && root.back() == L'\\') root.pop_back();
    const DWORD attributes = ::GetFileAttributesW(LongPathForm(root).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || IsLink(attributes) || !IsFolder(attributes)) return false;
    const std::wstring expected = ExpectedObjectName(root);
    std::vector<Folder> stack(1);
    if (expected.empty() || !OpenFolderAt(root, expected, &stack[0])) return false;

    // Depth first without recursion: a tree may be as deep as paths are long.
    while (!stack.empty()) {
        if (m_mode == Mode::Check && m_foundLink) break;
        Folder& top = stack.back();
        if (top.next == top.entries.size()) {
            FinishFolder(top, stack.size() > 1 ? &stack[stack.size() - 2] : nullptr);
            stack.pop_back();
            continue;
        }
        const Entry entry = top.entries[top.next++];
        if (IsLink(entry.attributes)) {
            m_foundLink = true;
            top.keeps = true;
        } else if (!IsFolder(entry.attributes)) {
            VisitFile(top, entry);
        } else {
            Folder child;
            if (OpenFolderAt(JoinPath(top.path, entry.name), JoinPath(top.objectName, entry.name), &child)) {
                stack.push_back(std::move(child));
            } else {
                m_foundLink = true;
                top.keeps = true;
            }
        }
    }
    if (m_mode == Mode::Delete) ScheduleAtRestart();
    return true;
}

bool FolderSweep::OpenFolderAt(const std::wstring& path, const std::wstring& expectedName, Folder* folder)
{
    if (path.size() > m_longestPath) m_longestPath = path.size();
    bool held = false;
    if (m_mode == Mode::Delete) {
        folder->handle = OpenForDeletion(path, kFolderAccess, &folder->deletable, &held);
    } else {
        folder->handle = OpenEntry(path, kFolderAccess);
    }
    if (!folder->handle) return false;
    folder->objectName = ObjectNameOf(folder->handle.get());
    if (folder->objectName.empty() || !SameName(folder->objectName, expectedName)) return false;
    if (!IsPlainFolder(folder->handle.get())) return false;
    folder->path = path;
    return ListFolder(folder->handle.get(), &folder->entries);
}

void FolderSweep::VisitFile(Folder& parent, const Entry& entry)
{
    const std::wstring path = JoinPath(parent.path, entry.name);
    const std::wstring expected = JoinPath(parent.objectName, entry.name);
    if (path.size() > m_longestPath) m_longestPath = path.size();
    if (m_mode == Mode::Check) {
        const UniqueHandle handle = OpenEntry(path, FILE_READ_ATTRIBUTES);
        if (!handle || !SameName(ObjectNameOf(handle.get()), expected)) m_foundLink = true;
        return;
    }
    switch (RemoveFile(path, expected, entry)) {
    case FileResult::Deleted:
        break;
    case FileResult::Kept:
        parent.keeps = true;
        break;
    case FileResult::Held:
        m_scheduledFiles.push_back(path);
        parent.leftovers = true;
        break;
    case FileResult::Own:
        parent.quiet.push_back({path, false});
        break;
    }
}

FolderSweep::FileResult FolderSweep::RemoveFile(const std::wstring& path, const std::wstring& expectedName,
                                                const Entry& entry) const
{
    bool deletable = false;
    bool held = false;
    const UniqueHandle handle = OpenForDeletion(path, FILE_READ_ATTRIBUTES, &deletable, &held);
    if (!handle || !SameName(ObjectNameOf(handle.get()), expectedName)) return FileResult::Kept;
    if (held) return FileResult::Held;
    if (!deletable) return FileResult::Kept;
    if (MarkForDeletion(handle.get())) return FileResult::Deleted;
    // Read-only files stay, as they always have.
    if ((entry.attributes & FILE_ATTRIBUTE_READONLY) != 0 || !IsMappedByProgram(path)) return FileResult::Kept;
    return IsOwnExecutable(path) ? FileResult::Own : FileResult::Held;
}

void FolderSweep::FinishFolder(Folder& folder, Folder* parent)
{
    const bool removed = folder.deletable && m_mode == Mode::Delete && MarkForDeletion(folder.handle.get());
    folder.handle.reset();
    if (removed || m_mode != Mode::Delete) return;
    if (folder.keeps) {
        if (parent != nullptr) parent->keeps = true;
        return;
    }
    if (folder.leftovers) {
        for (const Quiet& item : folder.quiet) Schedule(item);
        Schedule({folder.path, true});
        if (parent != nullptr) parent->leftovers = true;
        return;
    }
    // Left only with what goes by itself, or held open by a program: removable once the
    // holders are gone, but no reason for a restart of its own.
    if (parent != nullptr) {
        parent->quiet.insert(parent->quiet.end(), folder.quiet.begin(), folder.quiet.end());
        parent->quiet.push_back({folder.path, true});
    }
}

void FolderSweep::Schedule(const Quiet& item)
{
    (item.folder ? m_scheduledFolders : m_scheduledFiles).push_back(item.path);
}

// Files first, then the folders, deepest first (the order they were finished in).
void FolderSweep::ScheduleAtRestart()
{
    for (const std::vector<std::wstring>* list : {&m_scheduledFiles, &m_scheduledFolders}) {
        for (const std::wstring& path : *list) {
            if (::MoveFileExW(LongPathForm(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
                m_scheduled.push_back(path);
            }
        }
    }
}

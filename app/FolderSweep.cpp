#include "app/FolderSweep.h"

#include "app/FileAccess.h"
#include "app/PathSafety.h"

#include <new>

using VarnUI::CUIString;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kListBufferBytes = 64 * 1024;
constexpr ULONGLONG kNoDeadline = ~0ULL;

bool IsLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsFolder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens an entry itself, never the target of a link it may be; folders open too.
UniqueHandle OpenEntry(const CUIString& path, DWORD access)
{
    const CUIString longPath = LongPathForm(path);
    if (longPath.IsEmpty()) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return UniqueHandle();
    }
    return UniqueHandle(::CreateFileW(longPath.GetData(), access, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Opens for deletion when allowed, else only to look. `held` tells that another open of the
// entry refuses deletion to others.
UniqueHandle OpenForDeletion(const CUIString& path, DWORD access, bool* deletable, bool* held)
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
bool IsMappedByProgram(const CUIString& path)
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

// A preparation stops once its deadline has passed; a walk without one never does.
bool Passed(ULONGLONG deadline)
{
    return deadline != kNoDeadline && ::GetTickCount64() >= deadline;
}

CUIString TrimmedRoot(const CUIString& folder)
{
    int length = folder.GetLength();
    while (length > 3 && folder[length - 1] == L'\\') --length;
    return length == folder.GetLength() ? folder : folder.Left(length);
}

} // namespace

bool FolderSweep::ListFolder(HANDLE folder, ULONGLONG deadline, OwnedList<Entry>* entries)
{
    const std::unique_ptr<ULONGLONG[]> buffer(new (std::nothrow) ULONGLONG[kListBufferBytes / sizeof(ULONGLONG)]);
    if (!buffer) return false;
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (Passed(deadline)) return false;
        if (!::GetFileInformationByHandleEx(folder, infoClass, buffer.get(), kListBufferBytes)) {
            return ::GetLastError() == ERROR_NO_MORE_FILES;
        }
        infoClass = FileIdBothDirectoryInfo;
        const BYTE* at = reinterpret_cast<const BYTE*>(buffer.get());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const int length = static_cast<int>(info->FileNameLength / sizeof(wchar_t));
            const bool dots = (length == 1 || length == 2) && info->FileName[0] == L'.' &&
                              (length == 1 || info->FileName[1] == L'.');
            if (!dots) {
                // A listing that cannot be held whole is no listing: the folder is left alone.
                Entry* entry = entries->AddNew();
                if (entry == nullptr) return false;
                entry->name.Assign(info->FileName, length);
                if (entry->name.GetLength() != length) return false;
                entry->attributes = info->FileAttributes;
            }
            if (info->NextEntryOffset == 0) break;
            at += info->NextEntryOffset;
        }
    }
}

bool FolderSweep::OpenRoot(const CUIString& root, ULONGLONG deadline, Folder* folder)
{
    const CUIString longPath = LongPathForm(root);
    if (longPath.IsEmpty()) return false;
    const DWORD attributes = ::GetFileAttributesW(longPath.GetData());
    if (attributes == INVALID_FILE_ATTRIBUTES || IsLink(attributes) || !IsFolder(attributes)) return false;
    const CUIString expected = ExpectedObjectName(root);
    return !expected.IsEmpty() && OpenFolderAt(root, expected, deadline, folder);
}

bool FolderSweep::Prepare(const CUIString& folder, ULONGLONG deadline, int maxHandles)
{
    if (m_mode != Mode::Delete) return false;
    const CUIString root = TrimmedRoot(folder);
    if (!m_prepared || m_prepared->path != root.GetData()) {
        m_prepared.reset();
        m_preparing.Empty();
        m_held = 0;
        std::unique_ptr<Folder> top(new (std::nothrow) Folder());
        if (!top || maxHandles <= 0 || !OpenRoot(root, deadline, top.get())) return false;
        const Cursor start = {top.get(), 0};
        if (!m_preparing.Add(&start)) return false;
        m_prepared = std::move(top);
        m_held = 1;
    }

    // The same depth-first order as Run, so that a sweep cut short has prepared what Run
    // meets first.
    while (!m_preparing.IsEmpty() && m_held < maxHandles && !Passed(deadline)) {
        Cursor& at = *static_cast<Cursor*>(m_preparing[m_preparing.GetSize() - 1]);
        if (at.next == at.folder->entries.GetSize()) {
            m_preparing.Remove(m_preparing.GetSize() - 1);
            continue;
        }
        Entry& entry = at.folder->entries[at.next++];
        PrepareEntry(*at.folder, entry, deadline);
        if (entry.folder) {
            const Cursor below = {entry.folder.get(), 0};
            // Without room to go on below, Run walks that folder as one never prepared.
            if (!m_preparing.Add(&below)) return true;
        } else if (!entry.handle && Passed(deadline)) {
            // Perhaps only cut short: a later call tries it again.
            --at.next;
        }
    }
    return true;
}

// Opens and verifies one entry as Run would. What fails here is left alone: Run meets it
// afresh, as an entry never prepared, and judges it then.
void FolderSweep::PrepareEntry(const Folder& parent, Entry& entry, ULONGLONG deadline)
{
    if (IsLink(entry.attributes)) return;
    const CUIString path = JoinPath(parent.path, entry.name);
    const CUIString expected = JoinPath(parent.objectName, entry.name);
    if (path.IsEmpty() || expected.IsEmpty()) return;
    if (IsFolder(entry.attributes)) {
        std::unique_ptr<Folder> child(new (std::nothrow) Folder());
        if (!child || !OpenFolderAt(path, expected, deadline, child.get())) return;
        entry.folder = std::move(child);
    } else {
        UniqueHandle handle = OpenEntry(path, FILE_READ_ATTRIBUTES | DELETE);
        if (!handle || !SameName(HandleObjectName(handle.get()), expected)) return;
        entry.handle = std::move(handle);
    }
    ++m_held;
}

bool FolderSweep::Run(const CUIString& folder)
{
    const CUIString root = TrimmedRoot(folder);
    OwnedList<Folder> stack;
    if (m_prepared && m_prepared->path == root.GetData()) {
        if (!stack.Adopt(m_prepared.release())) return false;
    } else {
        Folder* top = stack.AddNew();
        if (top == nullptr || !OpenRoot(root, kNoDeadline, top)) return false;
    }
    m_prepared.reset();
    m_preparing.Empty();
    m_held = 0;

    // Depth first without recursion: a tree may be as deep as paths are long.
    while (!stack.IsEmpty()) {
        if (m_mode == Mode::Check && m_foundLink) break;
        Folder& top = stack.Last();
        if (top.next == top.entries.GetSize()) {
            FinishFolder(top, stack.GetSize() > 1 ? &stack[stack.GetSize() - 2] : nullptr);
            stack.RemoveLast();
            continue;
        }
        Entry& entry = top.entries[top.next++];
        if (IsLink(entry.attributes)) {
            m_foundLink = true;
            top.keeps = true;
        } else if (!IsFolder(entry.attributes)) {
            VisitFile(top, entry);
        } else if (entry.folder) {
            // Verified ahead: the handle, not the path, says which folder this is.
            if (!stack.Adopt(entry.folder.release())) top.keeps = true;
        } else {
            std::unique_ptr<Folder> child(new (std::nothrow) Folder());
            if (child && OpenFolderAt(JoinPath(top.path, entry.name), JoinPath(top.objectName, entry.name),
                                      kNoDeadline, child.get())) {
                if (!stack.Adopt(child.release())) top.keeps = true;
            } else {
                m_foundLink = true;
                top.keeps = true;
            }
        }
    }
    if (m_mode == Mode::Delete) ScheduleAtRestart();
    return true;
}

bool FolderSweep::OpenFolderAt(const CUIString& path, const CUIString& expectedName, ULONGLONG deadline,
                               Folder* folder)
{
    if (path.IsEmpty() || expectedName.IsEmpty()) return false;
    if (path.GetLength() > m_longestPath) m_longestPath = path.GetLength();
    bool held = false;
    if (m_mode == Mode::Delete) {
        folder->handle = OpenForDeletion(path, kFolderAccess, &folder->deletable, &held);
    } else {
        folder->handle = OpenEntry(path, kFolderAccess);
    }
    if (!folder->handle) return false;
    folder->objectName = HandleObjectName(folder->handle.get());
    if (folder->objectName.IsEmpty() || !SameName(folder->objectName, expectedName)) return false;
    if (!IsPlainFolder(folder->handle.get())) return false;
    folder->path = path;
    return ListFolder(folder->handle.get(), deadline, &folder->entries);
}

void FolderSweep::VisitFile(Folder& parent, Entry& entry)
{
    const CUIString path = JoinPath(parent.path, entry.name);
    if (path.IsEmpty()) {
        // Not even its name could be held: it stays, and so does what holds it.
        m_foundLink = m_foundLink || m_mode == Mode::Check;
        parent.keeps = true;
        return;
    }
    if (path.GetLength() > m_longestPath) m_longestPath = path.GetLength();
    if (m_mode == Mode::Check) {
        const UniqueHandle handle = OpenEntry(path, FILE_READ_ATTRIBUTES);
        if (!handle || !SameName(HandleObjectName(handle.get()), JoinPath(parent.objectName, entry.name))) {
            m_foundLink = true;
        }
        return;
    }
    const FileResult result = entry.handle ? RemovePrepared(path, entry)
                                           : RemoveFile(path, JoinPath(parent.objectName, entry.name), entry);
    switch (result) {
    case FileResult::Deleted:
        break;
    case FileResult::Kept:
        parent.keeps = true;
        break;
    case FileResult::Held:
        // A leftover that cannot be listed for the restart stays without one.
        if (m_scheduledFiles.Add(path)) {
            parent.leftovers = true;
        } else {
            parent.keeps = true;
        }
        break;
    case FileResult::Own:
        if (!AddQuiet(parent.quiet, path, false)) parent.keeps = true;
        break;
    }
}

FolderSweep::FileResult FolderSweep::RemoveFile(const CUIString& path, const CUIString& expectedName,
                                                const Entry& entry) const
{
    bool deletable = false;
    bool held = false;
    const UniqueHandle handle = OpenForDeletion(path, FILE_READ_ATTRIBUTES, &deletable, &held);
    if (!handle || expectedName.IsEmpty() || !SameName(HandleObjectName(handle.get()), expectedName)) {
        return FileResult::Kept;
    }
    if (held) return FileResult::Held;
    if (!deletable) return FileResult::Kept;
    if (MarkForDeletion(handle.get())) return FileResult::Deleted;
    return WhyNotDeleted(path, entry);
}

// Deleted through the handle verified ahead; the path only names what is left behind.
FolderSweep::FileResult FolderSweep::RemovePrepared(const CUIString& path, Entry& entry)
{
    const UniqueHandle handle = std::move(entry.handle);
    if (MarkForDeletion(handle.get())) return FileResult::Deleted;
    return WhyNotDeleted(path, entry);
}

// A file opened for deletion that still refused it.
FolderSweep::FileResult FolderSweep::WhyNotDeleted(const CUIString& path, const Entry& entry)
{
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
        // A folder is scheduled only when all it holds is: one it cannot list stays.
        bool whole = true;
        for (int i = 0; i < folder.quiet.GetSize(); ++i) whole = Schedule(folder.quiet[i]) && whole;
        const bool listed = whole && m_scheduledFolders.Add(folder.path);
        if (parent != nullptr) (listed ? parent->leftovers : parent->keeps) = true;
        return;
    }
    // Left only with what goes by itself, or held open by a program: removable once the
    // holders are gone, but no reason for a restart of its own.
    if (parent != nullptr) {
        parent->quiet.TakeAll(folder.quiet);
        if (!AddQuiet(parent->quiet, folder.path, true)) parent->keeps = true;
    }
}

bool FolderSweep::AddQuiet(OwnedList<Quiet>& list, const CUIString& path, bool isFolder)
{
    Quiet* item = list.AddNew();
    if (item == nullptr) return false;
    item->path = path;
    item->folder = isFolder;
    return item->path.GetLength() == path.GetLength();
}

bool FolderSweep::Schedule(const Quiet& item)
{
    return (item.folder ? m_scheduledFolders : m_scheduledFiles).Add(item.path);
}

// Files first, then the folders, deepest first (the order they were finished in).
void FolderSweep::ScheduleAtRestart()
{
    const PathList* const lists[] = {&m_scheduledFiles, &m_scheduledFolders};
    for (const PathList* list : lists) {
        for (int i = 0; i < list->GetSize(); ++i) {
            const CUIString& path = (*list)[i];
            const CUIString longPath = LongPathForm(path);
            if (!longPath.IsEmpty() && ::MoveFileExW(longPath.GetData(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
                m_scheduled.Add(path);
            }
        }
    }
}

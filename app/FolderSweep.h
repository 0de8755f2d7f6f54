// One walk through a folder tree, depth first, through handles: every entry is opened without
// following a link and taken only when the name of the opened handle shows that it is the
// entry listed, lying in the folder listed (a link, or an entry moved meanwhile, resolves
// elsewhere). Entries are reached by their full wide names in the long path form, so no name
// is converted or read as a pattern, and paths of any length are reached.
//
// Deleting, the walk removes files before their folder and collects what another program
// holds: such files are scheduled for deletion at the next restart, and so are the folders
// that hold nothing else, after their content. Checking, it only looks: for links, and for the
// length of the longest path.
#pragma once

#include "app/Win32Handles.h"

#include <string>
#include <vector>

class FolderSweep {
public:
    enum class Mode { Delete, Check };

    explicit FolderSweep(Mode mode) : m_mode(mode) {}

    // Walks `folder` (an absolute "X:\..." path). False when it is missing, not a folder, a
    // link itself, or cannot be listed; nothing is touched then.
    bool Run(const std::wstring& folder);

    // A link, or an entry that could not be checked, was met (Check stops there).
    bool FoundLink() const { return m_foundLink; }

    // The length of the longest full path met.
    size_t LongestPath() const { return m_longestPath; }

    // Delete: what was scheduled for the next restart, in the order scheduled.
    const std::vector<std::wstring>& Scheduled() const { return m_scheduled; }

private:
    struct Entry {
        std::wstring name;
        DWORD attributes = 0;
    };
    // Something left behind that a restart could remove but that does not call for one by
    // itself: the running program's own file, which the self-delete command removes, and
    // folders holding only such things.
    struct Quiet {
        std::wstring path;
        bool folder = false;
    };
    // A folder being walked. `objectName` is the name of its handle, the base its entries'
    // names must show.
    struct Folder {
        UniqueHandle handle;
        bool deletable = false; // the handle may delete
        std::wstring path;
        std::wstring objectName;
        std::vector<Entry> entries;
        size_t next = 0;
        bool keeps = false;     // something stays here that will not be scheduled
        bool leftovers = false; // something held by another program is scheduled here
        std::vector<Quiet> quiet;
    };
    enum class FileResult { Deleted, Kept, Held, Own };

    static bool ListFolder(HANDLE folder, std::vector<Entry>* entries);
    bool OpenFolderAt(const std::wstring& path, const std::wstring& expectedName, Folder* folder);
    void VisitFile(Folder& parent, const Entry& entry);
    FileResult RemoveFile(const std::wstring& path, const std::wstring& expectedName, const Entry& entry) const;
    // Removes a folder whose entries are done, and settles what its parent (if any) inherits.
    void FinishFolder(Folder& folder, Folder* parent);
    void Schedule(const Quiet& item);
    void ScheduleAtRestart();

    Mode m_mode;
    bool m_foundLink = false;
    size_t m_longestPath = 0;
    std::vector<std::wstring> m_scheduledFiles;
    std::vector<std::wstring> m_scheduledFolders;
    std::vector<std::wstring> m_scheduled;
};

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
//
// A deleting sweep may be prepared first (while the engine pauses anyway): the opening and
// checking is done ahead and the verified handles are kept, so that Run only has to delete
// through them. What a handle names cannot be changed by a later change of the tree, so an
// entry prepared is never reached again by its path.
#pragma once

#include "app/OwnedList.h"
#include "app/PathList.h"
#include "app/Win32Handles.h"
#include "ui/base/UIString.h"
#include "ui/base/UIValArray.h"

#include <memory>

class FolderSweep {
public:
    enum class Mode { Delete, Check };

    // The most handles a prepared sweep keeps open, whatever the size of the tree.
    static constexpr int kMaxHeldHandles = 4096;

    explicit FolderSweep(Mode mode) : m_mode(mode) {}

    // Delete only: lists `folder` and its entries depth first and opens each for deletion,
    // verified as Run would, until `deadline` (a GetTickCount64 value) passes or `maxHandles`
    // handles are held. Deletes nothing. A later call for the same folder goes on where the
    // last one stopped. Run on the same folder then deletes what was prepared through the held
    // handles and walks the rest as usual. False when the folder itself could not be verified
    // (Run then starts afresh).
    bool Prepare(const VarnUI::CUIString& folder, ULONGLONG deadline, int maxHandles = kMaxHeldHandles);

    // The handles a Prepare keeps for Run (the folder's own included).
    int HeldHandles() const { return m_held; }

    // Walks `folder` (an absolute "X:\..." path). False when it is missing, not a folder, a
    // link itself, or cannot be listed; nothing is touched then.
    bool Run(const VarnUI::CUIString& folder);

    // A link, or an entry that could not be checked, was met (Check stops there).
    bool FoundLink() const { return m_foundLink; }

    // The length of the longest full path met.
    int LongestPath() const { return m_longestPath; }

    // Delete: what was scheduled for the next restart, in the order scheduled.
    const PathList& Scheduled() const { return m_scheduled; }

private:
    struct Folder;
    struct Entry {
        VarnUI::CUIString name;
        DWORD attributes = 0;
        // Prepared: the file opened for deletion and verified, or the folder with its listing.
        UniqueHandle handle;
        std::unique_ptr<Folder> folder;
    };
    // Something left behind that a restart could remove but that does not call for one by
    // itself: the running program's own file, which the self-delete command removes, and
    // folders holding only such things.
    struct Quiet {
        VarnUI::CUIString path;
        bool folder = false;
    };
    // A folder being walked. `objectName` is the name of its handle, the base its entries'
    // names must show.
    struct Folder {
        UniqueHandle handle;
        bool deletable = false; // the handle may delete
        VarnUI::CUIString path;
        VarnUI::CUIString objectName;
        OwnedList<Entry> entries;
        int next = 0;
        bool keeps = false;     // something stays here that will not be scheduled
        bool leftovers = false; // something held by another program is scheduled here
        OwnedList<Quiet> quiet;
    };
    enum class FileResult { Deleted, Kept, Held, Own };
    // Where a preparation stopped in a prepared folder.
    struct Cursor {
        Folder* folder;
        int next;
    };

    static bool ListFolder(HANDLE folder, ULONGLONG deadline, OwnedList<Entry>* entries);
    bool OpenRoot(const VarnUI::CUIString& folder, ULONGLONG deadline, Folder* root);
    bool OpenFolderAt(const VarnUI::CUIString& path, const VarnUI::CUIString& expectedName, ULONGLONG deadline,
                      Folder* folder);
    void PrepareEntry(const Folder& parent, Entry& entry, ULONGLONG deadline);
    void VisitFile(Folder& parent, Entry& entry);
    FileResult RemoveFile(const VarnUI::CUIString& path, const VarnUI::CUIString& expectedName,
                          const Entry& entry) const;
    static FileResult RemovePrepared(const VarnUI::CUIString& path, Entry& entry);
    static FileResult WhyNotDeleted(const VarnUI::CUIString& path, const Entry& entry);
    // Removes a folder whose entries are done, and settles what its parent (if any) inherits.
    void FinishFolder(Folder& folder, Folder* parent);
    // False when memory to list it cannot be had.
    bool Schedule(const Quiet& item);
    static bool AddQuiet(OwnedList<Quiet>& list, const VarnUI::CUIString& path, bool isFolder);
    void ScheduleAtRestart();

    Mode m_mode;
    bool m_foundLink = false;
    int m_longestPath = 0;
    std::unique_ptr<Folder> m_prepared;
    VarnUI::CUIValArray m_preparing{sizeof(Cursor)};
    int m_held = 0;
    PathList m_scheduledFiles;
    PathList m_scheduledFolders;
    PathList m_scheduled;
};

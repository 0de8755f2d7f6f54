// Guards for the paths the uninstaller deletes. They come from a registry key that a broken
// installer, another program or a person can set, and the uninstaller runs as administrator,
// so a path is deleted only when it is plainly the product's own.
#pragma once

#include "app/PathList.h"
#include "ui/base/UIString.h"

// The absolute local form of a path ("X:\..." with "." and "..", separators, short names and
// trailing separators settled); empty when the path is not an absolute path on a local drive
// or holds a character no real path holds (wildcards among them).
VarnUI::CUIString NormalizeLocalPath(const VarnUI::CUIString& path);

// The path an existing file or folder really has once every link on the way is followed,
// in the same form as NormalizeLocalPath, at any length; empty when it cannot be opened or is
// not local.
VarnUI::CUIString ResolveFinalPath(const VarnUI::CUIString& path);

// True when `path` is the running program's own executable file.
bool IsOwnExecutable(const VarnUI::CUIString& path);

// True when `path` equals `base` or lies below it (case-insensitive, both normalised).
bool IsSameOrInside(const VarnUI::CUIString& path, const VarnUI::CUIString& base);

// The folders a deletion must never remove or lie in: the Windows folder, both Program
// Files folders, ProgramData, the Users folder, every user profile and the per-user and
// common shell folder roots. Each is listed normalised and, when it differs, resolved.
struct SystemLocations {
    PathList windowsFolders;
    PathList protectedFolders;
    PathList profileParents;
    // False when the shell's folder list could not be read, or a location could not be kept:
    // nothing is then judged safe.
    bool complete = false;
};
// Found once per process.
const SystemLocations& GetSystemLocations();

// Finds what the guards below compare with (the system locations, this program's own file),
// which takes a while the first time; later guards are then quick.
void PrepareGuards();

// True when `folder` may be deleted with its content: an absolute local path that is not a
// drive root, not inside the Windows folder, and neither is nor contains a protected folder
// or a user profile, both as written and as resolved through links. An existing path whose
// resolved form cannot be found is refused.
bool IsSafeFolderTarget(const VarnUI::CUIString& folder);

// The settled form of `folder` (see NormalizeLocalPath) when it may be deleted; empty otherwise.
VarnUI::CUIString SafeFolderTarget(const VarnUI::CUIString& folder);

// True when `file` may be stopped and deleted as the product's executable: an absolute
// local path outside the Windows folder, as written and as resolved, and not this program.
bool IsSafeExecutableTarget(const VarnUI::CUIString& file);

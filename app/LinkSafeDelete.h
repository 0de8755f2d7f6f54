// Deleting files and folder trees without ever following a link. Under some file systems a
// link to a file looks like a plain file and deleting a link deletes its target, so every
// entry is opened first and deleted through that same handle only when the handle's name
// shows it is the entry that was listed, lying where it was listed. Paths are wide and may
// be of any length.
#pragma once

#include "ui/base/UIString.h"

// Deletes a file ("X:\...") unless it is a link (or reached through a link of its own name).
bool DeleteFileNoFollow(const VarnUI::CUIString& path);

// Deletes the content of `path` ("X:\...") depth first, files before their folder, and then
// the folder, skipping links and anything that is not really inside it; what another program
// holds is scheduled for deletion at the next restart (see FolderSweep). False when the folder
// could not be listed (or is itself a link); true otherwise, even when some entries had to stay.
bool DeleteTreeNoFollow(const VarnUI::CUIString& path);

// True when the folder is a link, or holds a link or an entry that cannot be checked,
// at any depth. False for a folder that does not exist.
bool TreeHasLinks(const VarnUI::CUIString& folder);

// True when the shell's own recursive removal may be left the folder: it holds no link and no
// entry that cannot be checked, and every path in it is shorter than MAX_PATH. Under some
// platforms that removal, meeting a longer path, deletes the content of its current folder
// instead. True for a folder that does not exist.
bool TreeFitsTheShell(const VarnUI::CUIString& folder);

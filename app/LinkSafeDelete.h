// Deleting files and folder trees without ever following a link. Under some file systems a
// link to a file looks like a plain file and deleting a link deletes its target, so every
// entry is opened first and deleted through that same handle only when its final path
// shows it is the entry that was listed, lying where it was listed.
#pragma once

#include <string>

// Deletes a file unless it is a link (or reached through a link of its own name).
bool DeleteFileNoFollow(const std::wstring& path);

// Deletes the content of `path` depth first, files before their folder, and then the
// folder, skipping links and anything that is not really inside it. Subfolders are
// reached through their narrow (ANSI) names. False when the folder could not be listed
// (or is itself a link); true otherwise, even when some entries had to stay.
bool DeleteTreeNoFollow(const std::string& path);

// True when the folder is a link, or holds a link or an entry that cannot be checked,
// at any depth. False for a folder that does not exist.
bool TreeHasLinks(const std::wstring& folder);

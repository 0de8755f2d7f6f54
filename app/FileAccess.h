// Reaching files and folders through handles, at any path length: the long path form, where an
// open file or folder lies, and deletion through its handle. The usual final-path query fails
// on some platforms once a path passes about 264 characters; the handle's object name does not,
// and like the final path it names the entry where it really lies, every link on the way
// followed.
#pragma once

#include "ui/base/UIString.h"

#include <windows.h>

// "\\?\X:\..." for an absolute "X:\..." path, so that calls take it whole, at any length and
// without reinterpreting it; any other text is returned unchanged.
VarnUI::CUIString LongPathForm(const VarnUI::CUIString& path);

// True for "X:\" followed by anything.
bool HasDrivePrefix(const wchar_t* path);

// The object name of an open file or folder ("\Device\HarddiskVolume1\dir\name", or
// "\??\C:\dir\name" where the platform names files by drive). Names from this function compare
// only with each other. Empty on failure.
VarnUI::CUIString HandleObjectName(HANDLE handle);

// The "X:\..." path where an open file or folder lies; empty when it has none.
VarnUI::CUIString DosPathOf(HANDLE handle);

// `parent` followed by one path step `name`, without doubling a separator; empty when memory
// for it cannot be had.
VarnUI::CUIString JoinPath(const VarnUI::CUIString& parent, const VarnUI::CUIString& name);

// Case-insensitive ordinal equality, as the file system compares names.
bool SameName(const VarnUI::CUIString& a, const VarnUI::CUIString& b);

// The object name the existing entry at `path` ("X:\dir\name") has when its own name is not a
// link (the folders above may be): its folder's object name followed by its name. Empty when
// the folder cannot be opened, or for a drive root.
VarnUI::CUIString ExpectedObjectName(const VarnUI::CUIString& path);

// Marks an open entry for deletion when its handle closes (the handle needs DELETE access).
// Fails for read-only files, files a running program maps, and folders that are not empty.
bool MarkForDeletion(HANDLE handle);

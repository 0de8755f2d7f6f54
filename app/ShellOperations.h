// Per-user shell folders and the taskbar pin.
#pragma once

#include "app/NarrowText.h"
#include "ui/base/UIString.h"

// Path of a shell folder by CSIDL (SHGetFolderPathW, current path, not created); empty if none.
VarnUI::CUIString GetFolderPathWide(int csidl);

// The same as narrow text; empty also when the ANSI code page cannot hold the path exactly.
NarrowText GetFolderPathNarrow(int csidl);

// Path of a shell folder by CSIDL as wide text (SHGetSpecialFolderPathW); false if none.
bool GetSpecialFolderWide(int csidl, VarnUI::CUIString* path);

// The roaming application data folder followed by the taskbar-pin subfolder; the narrow form
// is empty when the code page cannot hold it exactly.
VarnUI::CUIString GetTaskbarPinFolderWide();
NarrowText GetTaskbarPinFolder();

// Invokes the shell's "taskbarunpin" verb on a pinned shortcut, if the file exists. The narrow
// form does nothing when its text is not exact in the ANSI code page.
void UnpinFromTaskbar(const VarnUI::CUIString& pinPath);
void UnpinFromTaskbar(const char* pinPath);

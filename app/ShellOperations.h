// Per-user shell folders and the taskbar pin.
#pragma once

#include <string>

// Path of a shell folder by CSIDL as narrow text (SHGetFolderPathA); empty if none.
std::string GetFolderPathNarrow(int csidl);

// Path of a shell folder by CSIDL as wide text (SHGetSpecialFolderPathW); false if none.
bool GetSpecialFolderWide(int csidl, std::wstring* path);

// The roaming application data folder followed by the taskbar-pin subfolder.
std::string GetTaskbarPinFolder();

// Invokes the shell's "taskbarunpin" verb on a pinned shortcut, if the file exists.
void UnpinFromTaskbar(const std::string& pinPath);

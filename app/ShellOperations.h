// Per-user shell folders and the taskbar pin.
#pragma once

#include <string>

// Path of a shell folder by CSIDL (SHGetFolderPathW, current path, not created); empty if none.
std::wstring GetFolderPathWide(int csidl);

// The same as narrow text; empty also when the ANSI code page cannot hold the path exactly.
std::string GetFolderPathNarrow(int csidl);

// Path of a shell folder by CSIDL as wide text (SHGetSpecialFolderPathW); false if none.
bool GetSpecialFolderWide(int csidl, std::wstring* path);

// The roaming application data folder followed by the taskbar-pin subfolder; the narrow form
// is empty when the code page cannot hold it exactly.
std::wstring GetTaskbarPinFolderWide();
std::string GetTaskbarPinFolder();

// Invokes the shell's "taskbarunpin" verb on a pinned shortcut, if the file exists. The narrow
// form does nothing when its text is not exact in the ANSI code page.
void UnpinFromTaskbar(const std::wstring& pinPath);
void UnpinFromTaskbar(const std::string& pinPath);

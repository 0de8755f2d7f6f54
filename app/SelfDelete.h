// The last step of the uninstall: a hidden shell command that waits a moment and removes
// the installation folder (the running uninstaller included), while this process ends.
#pragma once

#include "ui/base/UIString.h"

#include <cstddef>

constexpr std::size_t kSelfDeleteParameterChars = 260;

// Writes "/c ping -n 1 127.0.0.1>nul&rd /s /q "<folder>" > nul" into `buffer`. False, with
// nothing written past the buffer, when the text would not fit or the folder holds a
// character the shell interprets even inside quotation marks (wildcards among them).
bool BuildSelfDeleteParameters(const VarnUI::CUIString& folder, wchar_t (&buffer)[kSelfDeleteParameterChars]);

// Starts the command on the folder's settled form (see NormalizeLocalPath) and ends the process
// with exit code 0; returns false when the folder is empty, refused, still holds links or a path
// too long for the shell, or the shell cannot be started.
bool LaunchSelfDelete(const VarnUI::CUIString& installFolder);

// The same for a narrow folder (the thread's ANSI code page); false when the text does not
// convert exactly.
bool LaunchSelfDelete(const char* installFolder);

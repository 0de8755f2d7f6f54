// Reading and deleting the product's key under the system's Uninstall key (HKEY_LOCAL_MACHINE).
#pragma once

#include "app/NarrowText.h"
#include "ui/base/UIString.h"

// The named value of the product's uninstall key as stored (UTF-16); empty on any failure,
// including a value too long for the 260-character buffer.
VarnUI::CUIString ReadUninstallValueWide(const wchar_t* valueName);

// The same value as narrow text; empty also when the ANSI code page cannot hold it exactly,
// since a path changed by the conversion would name another file.
NarrowText ReadUninstallValue(const wchar_t* valueName);

// Deletes the product's uninstall key, first directly, else after deleting its subkeys.
// False only when the key could neither be deleted nor opened.
bool DeleteUninstallKey();

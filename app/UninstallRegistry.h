// Reading and deleting the product's key under the system's Uninstall key (HKEY_LOCAL_MACHINE).
#pragma once

#include <string>

// The named value of the product's uninstall key as narrow text; empty on any failure,
// including a value too long for the 260-character buffer.
std::string ReadUninstallValue(const wchar_t* valueName);

// Deletes the product's uninstall key, first directly, else after deleting its subkeys.
// False only when the key could neither be deleted nor opened.
bool DeleteUninstallKey();

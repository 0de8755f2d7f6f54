// Facts about the installed product, fixed at build time.
#pragma once

#define VARN_PRODUCT_GUID L"{5b1e07c4-93a2-4d6f-8c15-e2f0a9d34b71}"

constexpr wchar_t ProductGuid[] = VARN_PRODUCT_GUID;

// Relative to HKEY_LOCAL_MACHINE.
constexpr wchar_t UninstallKeyPath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" VARN_PRODUCT_GUID;

// A code page 936 byte string; being plain ASCII it reads the same in every ANSI code page.
constexpr char ShortcutFileName[] = "Varnholt.lnk";

constexpr wchar_t StartMenuFolderName[] = L"Varnholt";

// Below the roaming application data folder.
constexpr char TaskbarPinSubfolder[] = "\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";

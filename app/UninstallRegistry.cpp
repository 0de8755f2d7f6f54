#include "app/UninstallRegistry.h"

#include "app/ProductConstants.h"
#include "app/TextConversion.h"
#include "app/Win32Handles.h"

#include <cwchar>

namespace {

constexpr DWORD kValueChars = 260;
constexpr DWORD kSubkeyNameChars = 100;

} // namespace

CUIString ReadUninstallValueWide(const wchar_t* valueName)
{
    UniqueRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
        return CUIString();
    }
    wchar_t buffer[kValueChars] = {};
    DWORD type = REG_SZ;
    DWORD size = sizeof(buffer);
    const LONG status = ::RegQueryValueExW(key.get(), valueName, nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS) return CUIString();
    // A value stored without a terminator can fill the buffer exactly; reading it as text
    // would run past the end, so it counts as absent.
    if (std::wmemchr(buffer, L'\0', kValueChars) == nullptr) return CUIString();
    return CUIString(buffer);
}

NarrowText ReadUninstallValue(const wchar_t* valueName)
{
    NarrowText narrow;
    return WideToNarrowExact(ReadUninstallValueWide(valueName).GetData(), &narrow) ? narrow : NarrowText();
}

bool DeleteUninstallKey()
{
    if (::RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKeyPath) == ERROR_SUCCESS) return true;

    UniqueRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath, 0, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
                        key.put()) != ERROR_SUCCESS) {
        return false;
    }
    for (;;) {
        wchar_t name[kSubkeyNameChars];
        DWORD size = kSubkeyNameChars;
        if (::RegEnumKeyExW(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        // Index 0 names the same subkey again while it survives (it has subkeys of its own),
        // so a failed deletion ends the sweep.
        if (::RegDeleteKeyW(key.get(), name) != ERROR_SUCCESS) break;
    }
    key.reset();
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKeyPath);
    return true;
}

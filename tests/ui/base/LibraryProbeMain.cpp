// Loads "msimg32.dll" by name from beside a planted copy and tells by its exit code which copy
// it got: 0 the system's, 2 the planted one, 3 none.
//   library_probe plain       the platform's plain load, unrestricted (the fault to avoid)
//   library_probe helper      LoadSystemLibrary, unrestricted
//   library_probe restricted  the entry point's restriction first, then the plain load
#include "ui/base/SystemLibrary.h"

#include <windows.h>

#include <cwchar>

namespace {

int Classify(HMODULE module)
{
    if (module == nullptr) return 3;
    if (::GetProcAddress(module, "VarnPlantedMarker") != nullptr) return 2;
    return ::GetProcAddress(module, "AlphaBlend") != nullptr ? 0 : 3;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 64;
    const wchar_t* mode = argv[1];
    if (std::wcscmp(mode, L"plain") == 0) return Classify(::LoadLibraryW(L"msimg32.dll"));
    if (std::wcscmp(mode, L"helper") == 0) return Classify(VarnUI::LoadSystemLibrary(L"msimg32.dll"));
    if (std::wcscmp(mode, L"restricted") == 0) {
        if (!VarnUI::RestrictLibrarySearchToSystem()) return 4;
        return Classify(::LoadLibraryW(L"msimg32.dll"));
    }
    return 64;
}

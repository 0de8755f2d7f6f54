#include "app/ShellLibrary.h"

#include "ui/base/SystemLibrary.h"

namespace {

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& slot)
{
    FARPROC entry = ::GetProcAddress(module, name);
    // Through void* to keep the compiler quiet about casting between function types.
    slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(entry));
    return entry != nullptr;
}

bool LoadShellApi(ShellApi& api)
{
    HMODULE module = VarnUI::LoadSystemLibrary(L"shell32.dll");
    if (module == nullptr) return false;
    return Resolve(module, "SHGetFolderPathW", api.getFolderPathW) &&
           Resolve(module, "SHGetFolderPathA", api.getFolderPathA) &&
           Resolve(module, "SHGetSpecialFolderPathW", api.getSpecialFolderPathW) &&
           Resolve(module, "ShellExecuteExW", api.executeExW) && Resolve(module, "ShellExecuteA", api.executeA);
}

} // namespace

const ShellApi* GetShellApi()
{
    // A function-local static: the first caller may be the worker, and initialisation is
    // guarded against a second thread.
    static ShellApi api = {};
    static const bool loaded = LoadShellApi(api);
    return loaded ? &api : nullptr;
}

#include "app/ShellLibrary.h"

#include "ui/base/SystemLibrary.h"

namespace {

using VarnUI::ResolveProc;

bool LoadShellApi(ShellApi& api)
{
    HMODULE module = VarnUI::LoadSystemLibrary(L"shell32.dll");
    if (module == nullptr) return false;
    return ResolveProc(module, "SHGetFolderPathW", api.getFolderPathW) &&
           ResolveProc(module, "SHGetSpecialFolderPathW", api.getSpecialFolderPathW) &&
           ResolveProc(module, "ShellExecuteExW", api.executeExW) && ResolveProc(module, "ShellExecuteW", api.executeW);
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

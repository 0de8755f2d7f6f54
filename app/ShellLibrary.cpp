#include "app/ShellLibrary.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"

namespace {

using VarnUI::ResolveProc;

// The first caller may be the worker or the window's thread.
INIT_ONCE g_shellOnce = INIT_ONCE_STATIC_INIT;
ShellApi g_shellApi = {};

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
    return VarnUI::RunOnce(g_shellOnce, [] { return LoadShellApi(g_shellApi); }) ? &g_shellApi : nullptr;
}

#include "ui/manager/OleAccLibrary.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"

namespace VarnUI {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

bool LoadOleAccApi(OleAccApi& api)
{
    // Names handed to a client are freed with the client's string allocator, so they must
    // come from the platform's own, never from ours.
    HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
    return ResolveProc(oleacc, "LresultFromObject", api.lresultFromObject) &&
           ResolveProc(oleacc, "CreateStdAccessibleObject", api.createStdAccessibleObject) &&
           ResolveProc(oleaut, "SysAllocStringLen", api.sysAllocStringLen);
}

} // namespace

const OleAccApi* GetOleAccApi()
{
    // The modules are never freed: clients may hold objects until the process ends.
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static OleAccApi api = {};
    return RunOnce(once, [] { return LoadOleAccApi(api); }) ? &api : nullptr;
}

} // namespace VarnUI

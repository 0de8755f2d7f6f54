// The few functions of the platform's accessibility library (and the string allocator its
// clients free with) that a window needs to hand out its accessible objects. They are taken
// from the system folder the first time a client asks a window for an object: a window that
// no client ever asks about loads neither library.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

namespace VarnUI {

// The interface identifier of IAccessible, defined here: the one in the import library is
// an import thunk unless the GUID library comes first on the link line.
extern const IID kIidAccessible;

struct OleAccApi {
    decltype(&::LresultFromObject) lresultFromObject;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject;
    decltype(&::SysAllocStringLen) sysAllocStringLen;
};

// The functions, loaded once per process; null when a library or a function is missing.
const OleAccApi* GetOleAccApi();

} // namespace VarnUI

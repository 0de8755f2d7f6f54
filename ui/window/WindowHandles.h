// Move-only owners of the window layer's user objects: an icon loaded (not shared) from a
// resource, destroyed with DestroyIcon exactly once.
#pragma once

#include "ui/base/HandleOwner.h"

#include <windows.h>

namespace VarnUI {

struct OwnedIconTraits {
    static bool IsNone(HICON icon) { return icon == nullptr; }
    static void Free(HICON icon) { ::DestroyIcon(icon); }
};

using COwnedIcon = CHandleOwner<HICON, OwnedIconTraits>;

} // namespace VarnUI

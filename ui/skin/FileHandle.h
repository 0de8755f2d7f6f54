// CFileHandle: move-only owner of a kernel file handle, closed with CloseHandle.
// Both null and INVALID_HANDLE_VALUE mean "none", since CreateFileW reports failure with the
// latter and DuplicateHandle leaves the former.
#pragma once

#include "ui/base/HandleOwner.h"

#include <windows.h>

namespace VarnUI {

struct FileHandleTraits {
    static bool IsNone(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void Free(HANDLE handle) { ::CloseHandle(handle); }
};

using CFileHandle = CHandleOwner<HANDLE, FileHandleTraits>;

} // namespace VarnUI

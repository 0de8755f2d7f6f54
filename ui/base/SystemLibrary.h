// Loading the platform's own libraries by name without letting a planted copy in: the program
// runs elevated from a folder that others may be able to write to, so a library named without
// a path is taken from the system folder only, never from the executable's folder, the current
// folder or PATH.
#pragma once

#include <windows.h>

namespace VarnUI {

// Restricts the process's default library search to the system folder, for every later load
// by name (also those made inside the platform's own libraries). Call first thing in the entry
// point. False on systems without restricted search; LoadSystemLibrary stays safe there.
bool RestrictLibrarySearchToSystem();

// Loads a library of the system folder by its file name ("msimg32.dll"); null when missing.
// The caller may keep the handle for the rest of the process.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// Looks a function up by name into a typed pointer; false, with the pointer null, when the
// module is null or lacks it.
template <typename Fn>
bool ResolveProc(HMODULE module, const char* name, Fn& slot)
{
    FARPROC entry = module != nullptr ? ::GetProcAddress(module, name) : nullptr;
    // Through void* to keep the compiler quiet about casting between function types.
    slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(entry));
    return entry != nullptr;
}

} // namespace VarnUI

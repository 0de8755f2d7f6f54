// CSkinResources: the process-wide settings that say where skin files come from: the module
// instance, the skin folder ("resource path") and the selected zip archive, which is either a
// file in that folder or a block in memory ("membuffer"). Used from the UI thread only.
//
// The settings own the kept-open archive (closed only when another archive file is selected,
// or at exit) and the copy of a "ZIPRES" resource made by SelectZipResource, which lives for
// the rest of the process. A block handed to SetResourceZipMemory stays the caller's and must
// outlive the process's use of it.
#pragma once

#include "ui/base/UIString.h"
#include "ui/skin/ZipReader.h"

#include <windows.h>

namespace VarnUI {

// Where a window's skin comes from; the window base picks one (the numbers travel as ints).
enum SkinSourceKind {
    SKIN_FOLDER = 1,      // loose files in the resource path
    SKIN_ZIPFILE = 2,     // a zip archive file in the resource path
    SKIN_RESOURCE = 3,    // the layout is a resource of type "xml" with a numeric id
    SKIN_ZIPRESOURCE = 4, // a zip archive held in a resource of type "ZIPRES"
};

class CSkinResources {
public:
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // The executable's folder with its trailing backslash; empty without an instance.
    static CUIString GetInstancePath();
    // The module searched for resources: the instance, as nothing sets a separate one.
    static HINSTANCE GetResourceModule();

    // A path that does not end in '\' or '/' gets a '\'; an empty path stays empty.
    static void SetResourcePath(const wchar_t* path);
    static const CUIString& GetResourcePath();

    // Selects an archive file (relative to the resource path; empty for loose files). With
    // cached set, the archive is opened now and kept open for every later read.
    static void SetResourceZip(const wchar_t* name, bool cached);
    // Selects an archive held in memory, not copied. Once one is selected a later call changes
    // nothing; a null or empty block is ignored.
    static void SetResourceZipMemory(const void* bytes, DWORD length);
    static const CUIString& GetResourceZip();
    static bool IsCachedResourceZip();
    // The kept-open archive, or null.
    static CZipArchive* GetResourceZipHandle();

    // Copies the archive resource of that id (or name) and type out of the resource module
    // into a block kept for the rest of the process and selects it. False when the resource
    // is missing, cannot be loaded, is empty or cannot be copied.
    static bool SelectZipResource(UINT id, const wchar_t* type = L"ZIPRES");
    static bool SelectZipResource(const wchar_t* name, const wchar_t* type = L"ZIPRES");
};

} // namespace VarnUI

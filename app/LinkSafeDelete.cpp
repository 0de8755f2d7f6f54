#include "app/LinkSafeDelete.h"

#include "app/FileAccess.h"
#include "app/FolderSweep.h"
#include "app/Win32Handles.h"

#include <windows.h>

using VarnUI::CUIString;

namespace {

bool Exists(const CUIString& path)
{
    const CUIString longPath = LongPathForm(path);
    return !longPath.IsEmpty() && ::GetFileAttributesW(longPath.GetData()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool DeleteFileNoFollow(const CUIString& path)
{
    const CUIString longPath = LongPathForm(path);
    if (longPath.IsEmpty()) return false;
    const DWORD attributes = ::GetFileAttributesW(longPath.GetData());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    // The folder may be reached through links; the file's own name must not be one.
    const CUIString expected = ExpectedObjectName(path);
    if (expected.IsEmpty()) return false;
    const UniqueHandle file(::CreateFileW(longPath.GetData(), DELETE | FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file && SameName(HandleObjectName(file.get()), expected) && MarkForDeletion(file.get());
}

bool DeleteTreeNoFollow(const CUIString& path)
{
    FolderSweep sweep(FolderSweep::Mode::Delete);
    return sweep.Run(path);
}

bool TreeHasLinks(const CUIString& folder)
{
    if (!Exists(folder)) return false;
    FolderSweep scan(FolderSweep::Mode::Check);
    return !scan.Run(folder) || scan.FoundLink();
}

bool TreeFitsTheShell(const CUIString& folder)
{
    if (!Exists(folder)) return true;
    FolderSweep scan(FolderSweep::Mode::Check);
    return scan.Run(folder) && !scan.FoundLink() && scan.LongestPath() < MAX_PATH;
}

#include "app/LinkSafeDelete.h"

#include "app/FileAccess.h"
#include "app/FolderSweep.h"
#include "app/Win32Handles.h"

#include <windows.h>

bool DeleteFileNoFollow(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    // The folder may be reached through links; the file's own name must not be one.
    const std::wstring expected = ExpectedObjectName(path);
    if (expected.empty()) return false;
    const UniqueHandle file(::CreateFileW(LongPathForm(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file && SameName(ObjectNameOf(file.get()), expected) && MarkForDeletion(file.get());
}

bool DeleteTreeNoFollow(const std::wstring& path)
{
    FolderSweep sweep(FolderSweep::Mode::Delete);
    return sweep.Run(path);
}

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool TreeHasLinks(const std::wstring& folder)
{
    if (!Exists(folder)) return false;
    FolderSweep scan(FolderSweep::Mode::Check);
    return !scan.Run(folder) || scan.FoundLink();
}

bool TreeFitsTheShell(const std::wstring& folder)
{
    if (!Exists(folder)) return true;
    FolderSweep scan(FolderSweep::Mode::Check);
    return scan.Run(folder) && !scan.FoundLink() && scan.LongestPath() < MAX_PATH;
}

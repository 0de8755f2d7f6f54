#include "app/LinkSafeDelete.h"
#include "app/TextConversion.h"
#include "app/UnInstall.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// folder\a.txt, folder\sub\b.txt, folder\sub\deeper\c.txt, folder\empty
void Populate(const std::wstring& folder)
{
    MakeFolders(folder + L"\\sub\\deeper");
    MakeFolders(folder + L"\\empty");
    WriteFile(folder + L"\\a.txt");
    WriteFile(folder + L"\\sub\\b.txt");
    WriteFile(folder + L"\\sub\\deeper\\c.txt");
}

bool DeleteTree(const std::wstring& path)
{
    return UnInstall::GetSingleton().DeleteFolderTree(WideToNarrow(path));
}

} // namespace

TEST(DeleteFolderTree, RemovesTheWholeTreeWithOrWithoutTrailingSeparator)
{
    ScratchFolder scratch(L"tree");
    for (const wchar_t* suffix : {L"", L"\\"}) {
        const std::wstring folder = scratch / UniqueName(L"t");
        Populate(folder);
        EXPECT_TRUE(DeleteTree(folder + suffix)) << suffix;
        EXPECT_FALSE(Exists(folder)) << suffix;
    }
}

TEST(DeleteFolderTree, MissingFolderGivesFalse)
{
    ScratchFolder scratch(L"missing");
    EXPECT_FALSE(DeleteTree(scratch / L"nothing-here"));
    WriteFile(scratch / L"file.txt");
    EXPECT_FALSE(DeleteTree(scratch / L"file.txt"));
    EXPECT_TRUE(Exists(scratch / L"file.txt"));
    EXPECT_FALSE(UnInstall::GetSingleton().DeleteFolderTree(""));
}

TEST(DeleteFolderTree, ReadOnlyFileKeepsItsFoldersAndResultIsStillTrue)
{
    ScratchFolder scratch(L"readonly");
    const std::wstring folder = scratch / L"product";
    Populate(folder);
    ASSERT_TRUE(::SetFileAttributesW((folder + L"\\sub\\deeper\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_TRUE(Exists(folder + L"\\sub\\deeper\\c.txt"));
    EXPECT_FALSE(Exists(folder + L"\\sub\\b.txt"));
    EXPECT_FALSE(Exists(folder + L"\\a.txt"));
    EXPECT_FALSE(Exists(folder + L"\\empty"));
    EXPECT_EQ(::GetFileAttributesW((folder + L"\\sub\\deeper\\c.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST(DeleteFolderTree, FileHeldWithoutSharingStays)
{
    ScratchFolder scratch(L"locked");
    const std::wstring folder = scratch / L"product";
    Populate(folder);
    HANDLE held = ::CreateFileW((folder + L"\\sub\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_TRUE(Exists(folder + L"\\sub\\b.txt"));
    EXPECT_FALSE(Exists(folder + L"\\sub\\deeper"));
    ::CloseHandle(held);
}

TEST(DeleteFolderTree, FolderNamedOutsideTheCodePageIsNotEntered)
{
    ScratchFolder scratch(L"foreign");
    const std::wstring folder = scratch / L"product";
    Populate(folder);
    const std::wstring foreign = folder + L"\\\x6F22\x5B57";
    ASSERT_TRUE(MakeFolders(foreign));
    WriteFile(foreign + L"\\inside.txt");
    // Files are deleted by their wide names, whatever the code page.
    WriteFile(folder + L"\\\x6F22.txt");

    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_TRUE(Exists(foreign + L"\\inside.txt"));
    EXPECT_FALSE(Exists(folder + L"\\\x6F22.txt"));
    EXPECT_FALSE(Exists(folder + L"\\sub"));
    EXPECT_TRUE(Exists(folder));
}

TEST(DeleteFolderTree, NameThatNarrowsToAPathStepIsLeftAlone)
{
    // A best-fit conversion may turn fullwidth dots and backslashes into ".." and "\":
    // such a name must not lead the sweep out of the folder.
    ScratchFolder scratch(L"bestfit");
    const std::wstring level = scratch / L"level";
    const std::wstring folder = level + L"\\product";
    Populate(folder);
    WriteFile(scratch / L"outside.txt");
    WriteFile(level + L"\\beside.txt");
    for (const wchar_t* name : {L"\xFF0E\xFF0E", L"\xFF0E\xFF0E\xFF3C\xFF0E\xFF0E", L"\xFF3C"}) {
        const std::wstring odd = folder + L"\\" + name;
        if (!MakeFolders(odd)) continue;
        WriteFile(odd + L"\\keep.txt");
    }

    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_TRUE(Exists(scratch / L"outside.txt"));
    EXPECT_TRUE(Exists(level + L"\\beside.txt"));
    EXPECT_FALSE(Exists(folder + L"\\sub"));
}

TEST(DeleteFileNoFollow, DeletesPlainFilesOnly)
{
    ScratchFolder scratch(L"nofollow");
    WriteFile(scratch / L"Program.exe");
    EXPECT_TRUE(DeleteFileNoFollow(scratch / L"PROGRAM.EXE"));
    EXPECT_FALSE(Exists(scratch / L"Program.exe"));
    EXPECT_FALSE(DeleteFileNoFollow(scratch / L"Program.exe"));
    MakeFolders(scratch / L"folder");
    EXPECT_FALSE(DeleteFileNoFollow(scratch / L"folder"));
    EXPECT_TRUE(IsDirectory(scratch / L"folder"));
    EXPECT_FALSE(DeleteFileNoFollow(L"relative.exe"));
}

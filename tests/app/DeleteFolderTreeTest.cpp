#include "app/FolderSweep.h"
#include "app/LinkSafeDelete.h"
#include "app/UnInstall.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

bool DeleteTree(const std::wstring& path)
{
    return UnInstall::GetSingleton().DeleteFolderTree(Ui(path));
}

// The sweep as the engine runs it: checked ahead, then deleted through the handles kept.
bool DeletePrepared(const std::wstring& path)
{
    FolderSweep sweep(FolderSweep::Mode::Delete);
    sweep.Prepare(Ui(path), ::GetTickCount64() + 60000);
    return sweep.Run(Ui(path));
}

using DeleteFn = bool (*)(const std::wstring&);
const DeleteFn kBothWays[] = {DeleteTree, DeletePrepared};

// Deletes `folder` while another program holds `heldPath`; what was scheduled for the restart.
std::vector<std::wstring> DeleteWhileHeld(DeleteFn deleteTree, const std::wstring& folder,
                                          const std::wstring& heldPath)
{
    HANDLE held = HoldWithoutSharing(heldPath);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    PendingRenames pending;
    EXPECT_TRUE(deleteTree(folder));
    ::CloseHandle(held);
    return pending.Added();
}

} // namespace

TEST(DeleteFolderTree, RemovesTheWholeTreeWithOrWithoutTrailingSeparator)
{
    ScratchFolder scratch(L"tree");
    for (const wchar_t* suffix : {L"", L"\\"}) {
        const std::wstring folder = scratch / UniqueName(L"t");
        MakeSmallTree(folder);
        EXPECT_TRUE(DeleteTree(folder + suffix)) << suffix;
        EXPECT_FALSE(Exists(folder)) << suffix;
    }
}

TEST(DeleteFolderTree, MissingFolderOrRefusedPathGivesFalse)
{
    ScratchFolder scratch(L"missing");
    EXPECT_FALSE(DeleteTree(scratch / L"nothing-here"));
    WriteFile(scratch / L"file.txt");
    EXPECT_FALSE(DeleteTree(scratch / L"file.txt"));
    EXPECT_TRUE(Exists(scratch / L"file.txt"));
    EXPECT_FALSE(UnInstall::GetSingleton().DeleteFolderTree(""));
    // A pattern names no folder, even where it matches one.
    MakeFolders(scratch / L"product");
    EXPECT_FALSE(DeleteTree(scratch / L"produc?"));
    EXPECT_FALSE(DeleteTree(scratch / L"*"));
    EXPECT_TRUE(IsDirectory(scratch / L"product"));
    // The narrow form still serves plain paths.
    std::string narrow;
    for (wchar_t c : scratch / L"product") narrow += static_cast<char>(c);
    EXPECT_TRUE(UnInstall::GetSingleton().DeleteFolderTree(narrow.c_str()));
    EXPECT_FALSE(Exists(scratch / L"product"));
}

TEST(DeleteFolderTree, ReadOnlyFileKeepsItsFoldersAndResultIsStillTrue)
{
    ScratchFolder scratch(L"readonly");
    for (DeleteFn deleteTree : kBothWays) {
        const std::wstring folder = scratch / UniqueName(L"product");
        MakeSmallTree(folder);
        ASSERT_TRUE(::SetFileAttributesW((folder + L"\\sub\\deeper\\c.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        PendingRenames pending;

        EXPECT_TRUE(deleteTree(folder));
        EXPECT_TRUE(Exists(folder + L"\\sub\\deeper\\c.txt"));
        EXPECT_FALSE(Exists(folder + L"\\sub\\b.txt"));
        EXPECT_FALSE(Exists(folder + L"\\a.txt"));
        EXPECT_FALSE(Exists(folder + L"\\empty"));
        EXPECT_EQ(::GetFileAttributesW((folder + L"\\sub\\deeper\\c.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
                  static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        // Nobody holds it: a restart would not remove it either.
        EXPECT_TRUE(pending.Added().empty());
    }
}

TEST(DeleteFolderTree, HeldFileIsScheduledForRestartFilesFirstThenFoldersDeepestFirst)
{
    ScratchFolder scratch(L"locked");
    for (DeleteFn deleteTree : kBothWays) {
        const std::wstring folder = scratch / UniqueName(L"product");
        MakeSmallTree(folder);
        const std::wstring heldPath = folder + L"\\sub\\b.txt";

        const std::vector<std::wstring> expected = {heldPath, folder + L"\\sub", folder};
        EXPECT_EQ(DeleteWhileHeld(deleteTree, folder, heldPath), expected);
        EXPECT_TRUE(Exists(heldPath));
        EXPECT_FALSE(Exists(folder + L"\\sub\\deeper"));
        EXPECT_FALSE(Exists(folder + L"\\a.txt"));
    }
}

TEST(DeleteFolderTree, HeldFileBesideAReadOnlyOneIsScheduledWithoutItsFolders)
{
    ScratchFolder scratch(L"mixed");
    for (DeleteFn deleteTree : kBothWays) {
        const std::wstring folder = scratch / UniqueName(L"product");
        MakeSmallTree(folder);
        ASSERT_TRUE(::SetFileAttributesW((folder + L"\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        const std::wstring heldPath = folder + L"\\sub\\deeper\\c.txt";

        // The folders above the read-only file would stay after a restart: only the held
        // file's own folders, which hold nothing else, go with it.
        const std::vector<std::wstring> expected = {heldPath, folder + L"\\sub\\deeper", folder + L"\\sub"};
        EXPECT_EQ(DeleteWhileHeld(deleteTree, folder, heldPath), expected);
        EXPECT_FALSE(Exists(folder + L"\\sub\\b.txt"));
    }
}

TEST(DeleteFolderTree, FoldersNamedOutsideTheCodePageAreRemoved)
{
    ScratchFolder scratch(L"foreign");
    const std::wstring folder = scratch / L"product";
    MakeSmallTree(folder);
    for (const wchar_t* name : {L"\x03A9mega", L"\x6F22\x5B57", L"\xD83D\xDE00", L"Cafe\x0301"}) {
        const std::wstring foreign = folder + L"\\" + name;
        ASSERT_TRUE(MakeFolders(foreign + L"\\" + name)) << name;
        WriteFile(foreign + L"\\" + name + L"\\" + name + L".txt");
    }

    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_FALSE(Exists(folder));
}

TEST(DeleteFolderTree, RemovesBranchesPastTheOldPathLimit)
{
    ScratchFolder scratch(L"deep");
    const std::wstring folder = scratch / L"product";
    MakeSmallTree(folder);
    const std::wstring deepest = MakeDeepBranch(folder + L"\\runtime", 400);
    ASSERT_FALSE(deepest.empty());
    ASSERT_GE(deepest.size(), 400u);

    EXPECT_TRUE(DeleteTree(folder));
    EXPECT_FALSE(Exists(folder));
    EXPECT_TRUE(IsDirectory(scratch.path()));
}

TEST(DeleteFolderTree, NameThatNarrowsToAPathStepIsLeftAlone)
{
    // A best-fit conversion may turn fullwidth dots and backslashes into ".." and "\":
    // such a name must not lead the sweep out of the folder.
    ScratchFolder scratch(L"bestfit");
    const std::wstring level = scratch / L"level";
    const std::wstring folder = level + L"\\product";
    MakeSmallTree(folder);
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
    EXPECT_FALSE(Exists(folder));
}

TEST(DeleteFileNoFollow, DeletesPlainFilesOnly)
{
    ScratchFolder scratch(L"nofollow");
    WriteFile(scratch / L"Program.exe");
    EXPECT_TRUE(DeleteFileNoFollow(Ui(scratch / L"PROGRAM.EXE")));
    EXPECT_FALSE(Exists(scratch / L"Program.exe"));
    EXPECT_FALSE(DeleteFileNoFollow(Ui(scratch / L"Program.exe")));
    MakeFolders(scratch / L"folder");
    EXPECT_FALSE(DeleteFileNoFollow(Ui(scratch / L"folder")));
    EXPECT_TRUE(IsDirectory(scratch / L"folder"));
    EXPECT_FALSE(DeleteFileNoFollow(L"relative.exe"));
}

// Runs on links that tests/app/links_fixture.sh places in C:\varntest-links from the Unix
// side: a link to a folder is seen as a reparse point, a link to a file as a plain file, and
// deleting either through the usual calls would destroy what lies behind it.
#include "app/FolderSweep.h"
#include "app/LinkSafeDelete.h"
#include "app/PathSafety.h"
#include "app/TextConversion.h"
#include "app/UnInstall.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const std::wstring kRoot = L"C:\\varntest-links";

void ExpectOutsideIntact()
{
    EXPECT_EQ(ReadFile(kRoot + L"\\outside\\dir\\keep.txt"), "keep\n");
    EXPECT_EQ(ReadFile(kRoot + L"\\outside\\file.txt"), "keep\n");
    EXPECT_TRUE(IsDirectory(kRoot + L"\\outside\\emptydir"));
}

} // namespace

TEST(LinkGuard, FixtureIsInPlace)
{
    ASSERT_TRUE(IsDirectory(kRoot + L"\\tree\\install")) << "links_fixture.sh did not run";
    EXPECT_NE(::GetFileAttributesW((kRoot + L"\\tree\\install\\dirlink").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

TEST(LinkGuard, SweepLeavesLinksAndWhatTheyPointTo)
{
    const std::wstring install = kRoot + L"\\tree\\install";
    EXPECT_TRUE(UnInstall::GetSingleton().DeleteFolderTree(Ui(install)));
    ExpectOutsideIntact();
    EXPECT_FALSE(Exists(install + L"\\normal.txt"));
    EXPECT_FALSE(Exists(install + L"\\sub\\normal2.txt"));
    EXPECT_TRUE(Exists(install + L"\\filelink"));
    EXPECT_TRUE(Exists(install + L"\\sub\\deeplink"));
}

TEST(LinkGuard, TreeSwappedForALinkAfterPreparationKeepsTheLinksTarget)
{
    // The checked folder moves away, and a folder holding a link where "sub" was takes its
    // place: "sub\keep.txt" now names the file behind the link.
    const std::wstring swap = kRoot + L"\\swap";
    const std::wstring install = swap + L"\\install";
    FolderSweep sweep(FolderSweep::Mode::Delete);
    ASSERT_TRUE(sweep.Prepare(Ui(install), ::GetTickCount64() + 60000));
    EXPECT_EQ(sweep.HeldHandles(), 4);
    ASSERT_TRUE(::MoveFileW(install.c_str(), (swap + L"\\moved").c_str()));
    ASSERT_TRUE(::MoveFileW((swap + L"\\stage").c_str(), install.c_str()));
    ASSERT_NE(::GetFileAttributesW((install + L"\\sub").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

    sweep.Run(Ui(install));
    ExpectOutsideIntact();
    EXPECT_NE(::GetFileAttributesW((install + L"\\sub").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

TEST(LinkGuard, LinkedFolderItselfIsRefused)
{
    EXPECT_FALSE(UnInstall::GetSingleton().DeleteFolderTree(Ui(kRoot + L"\\rootlink")));
    EXPECT_FALSE(UnInstall::GetSingleton().DeleteFolderTree(Ui(kRoot + L"\\rootlink\\")));
    ExpectOutsideIntact();
    EXPECT_TRUE(TreeHasLinks(Ui(kRoot + L"\\rootlink")));
}

TEST(LinkGuard, WindowsReachedThroughALinkIsStillWindows)
{
    EXPECT_FALSE(IsSafeFolderTarget(Ui(kRoot + L"\\winlink")));
    EXPECT_FALSE(IsSafeFolderTarget(Ui(kRoot + L"\\winlink\\system32")));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(kRoot + L"\\winlink\\notepad.exe")));
    EXPECT_TRUE(IsSafeFolderTarget(Ui(kRoot + L"\\tree\\install")));
}

TEST(LinkGuard, FileLinkIsNotDeleted)
{
    EXPECT_FALSE(DeleteFileNoFollow(Ui(kRoot + L"\\exe\\Varnholt.exe")));
    ExpectOutsideIntact();
    EXPECT_TRUE(Exists(kRoot + L"\\exe\\Varnholt.exe"));
}

TEST(LinkGuard, LinkScanFindsLinksAtAnyDepth)
{
    EXPECT_TRUE(TreeHasLinks(Ui(kRoot + L"\\selfdel\\install")));
    EXPECT_TRUE(TreeHasLinks(Ui(kRoot + L"\\run")));
    EXPECT_FALSE(TreeHasLinks(Ui(kRoot + L"\\outside")));
    EXPECT_FALSE(TreeHasLinks(Ui(kRoot + L"\\nothing-here")));
}

TEST(LinkGuard, SelfDeleteIsNotStartedWhileLinksRemain)
{
    ChildProcess child;
    ASSERT_TRUE(child.Start(ExeFolder() + L"engine_runner.exe", L"selfdelete \"" + kRoot + L"\\selfdel\\install\"", true));
    ASSERT_TRUE(child.Wait(30000));
    EXPECT_EQ(child.ExitCode(), 4u);
    ::Sleep(1500);
    EXPECT_TRUE(Exists(kRoot + L"\\selfdel\\install\\normal.txt"));
    ExpectOutsideIntact();
}

TEST(LinkGuard, WholeRunOverLinksKeepsTheirTargets)
{
    const std::wstring install = kRoot + L"\\run\\install";
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"DisplayIcon", install + L"\\Varnholt.exe"));
    ASSERT_TRUE(key.SetString(L"InstallLocation", install));
    ChildProcess child;
    ASSERT_TRUE(child.Start(ExeFolder() + L"engine_runner.exe", L"run", true));
    ASSERT_TRUE(child.Wait(60000));
    EXPECT_EQ(child.ExitCode(), 3u) << child.Output();
    ::Sleep(1500);
    ExpectOutsideIntact();
    EXPECT_FALSE(Exists(install + L"\\bin\\normal.dll"));
    EXPECT_TRUE(Exists(install + L"\\Varnholt.exe"));
    EXPECT_FALSE(ProductKey::Exists());
}

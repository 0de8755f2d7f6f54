// The deleting sweep prepared ahead: entries opened and verified while the engine pauses,
// deleted through the kept handles afterwards.
#include "app/FolderSweep.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Seven handles when all of MakeSmallTree's tree is prepared.
constexpr int kPopulatedEntries = 7;

const wchar_t* const kPopulatedFiles[] = {L"\\a.txt", L"\\sub\\b.txt", L"\\sub\\deeper\\c.txt"};

ULONGLONG Later()
{
    return ::GetTickCount64() + 60000;
}

DWORD HandleCount()
{
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

} // namespace

TEST(FolderSweep, PreparedSweepDeletesNothingUntilRun)
{
    ScratchFolder scratch(L"prepared");
    const std::wstring folder = scratch / L"product";
    MakeSmallTree(folder);
    PendingRenames pending;
    FolderSweep sweep(FolderSweep::Mode::Delete);

    ASSERT_TRUE(sweep.Prepare(Ui(folder), Later()));
    EXPECT_EQ(sweep.HeldHandles(), kPopulatedEntries);
    for (const wchar_t* file : kPopulatedFiles) EXPECT_TRUE(Exists(folder + file)) << file;
    EXPECT_TRUE(IsDirectory(folder + L"\\empty"));

    EXPECT_TRUE(sweep.Run(Ui(folder + L"\\")));
    EXPECT_FALSE(Exists(folder));
    EXPECT_TRUE(pending.Added().empty());
    EXPECT_EQ(sweep.HeldHandles(), 0);
}

TEST(FolderSweep, PreparationStopsAtItsCapAndDeadlineAndRunDoesTheRest)
{
    ScratchFolder scratch(L"capped");
    for (int cap : {1, 3, kPopulatedEntries - 1}) {
        const std::wstring folder = scratch / UniqueName(L"p");
        MakeSmallTree(folder);
        FolderSweep sweep(FolderSweep::Mode::Delete);
        const DWORD before = HandleCount();
        ASSERT_TRUE(sweep.Prepare(Ui(folder), Later(), cap)) << cap;
        EXPECT_EQ(sweep.HeldHandles(), cap);
        EXPECT_LE(HandleCount(), before + cap) << cap;
        EXPECT_TRUE(sweep.Run(Ui(folder))) << cap;
        EXPECT_FALSE(Exists(folder)) << cap;
        EXPECT_LE(HandleCount(), before) << cap;
    }
    // A later call goes on where the cap stopped the last one.
    const std::wstring resumed = scratch / L"resumed";
    MakeSmallTree(resumed);
    {
        FolderSweep sweep(FolderSweep::Mode::Delete);
        ASSERT_TRUE(sweep.Prepare(Ui(resumed), Later(), 3));
        ASSERT_TRUE(sweep.Prepare(Ui(resumed), ::GetTickCount64()));
        EXPECT_EQ(sweep.HeldHandles(), 3);
        ASSERT_TRUE(sweep.Prepare(Ui(resumed), Later()));
        EXPECT_EQ(sweep.HeldHandles(), kPopulatedEntries);
        EXPECT_TRUE(Exists(resumed + L"\\a.txt"));
        EXPECT_TRUE(sweep.Run(Ui(resumed)));
        EXPECT_FALSE(Exists(resumed));
    }
    // A deadline already passed prepares nothing; Run starts afresh.
    const std::wstring late = scratch / L"late";
    MakeSmallTree(late);
    FolderSweep sweep(FolderSweep::Mode::Delete);
    EXPECT_FALSE(sweep.Prepare(Ui(late), ::GetTickCount64()));
    EXPECT_EQ(sweep.HeldHandles(), 0);
    EXPECT_TRUE(Exists(late + L"\\a.txt"));
    EXPECT_TRUE(sweep.Run(Ui(late)));
    EXPECT_FALSE(Exists(late));
}

TEST(FolderSweep, PreparedRunOfAnotherFolderLeavesThePreparedOneAlone)
{
    ScratchFolder scratch(L"other");
    const std::wstring prepared = scratch / L"prepared";
    const std::wstring other = scratch / L"other";
    MakeSmallTree(prepared);
    MakeSmallTree(other);
    FolderSweep sweep(FolderSweep::Mode::Delete);
    ASSERT_TRUE(sweep.Prepare(Ui(prepared), Later()));
    EXPECT_TRUE(sweep.Run(Ui(other)));
    EXPECT_FALSE(Exists(other));
    for (const wchar_t* file : kPopulatedFiles) EXPECT_TRUE(Exists(prepared + file)) << file;
}

TEST(FolderSweep, FileHeldWhilePreparingIsDeletedWhenReleasedBeforeRun)
{
    // Held, it cannot be prepared; released by the end of the pause, it goes as usual.
    ScratchFolder scratch(L"heldpause");
    const std::wstring folder = scratch / L"product";
    MakeSmallTree(folder);
    HANDLE held = HoldWithoutSharing(folder + L"\\sub\\b.txt");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PendingRenames pending;
    FolderSweep sweep(FolderSweep::Mode::Delete);

    ASSERT_TRUE(sweep.Prepare(Ui(folder), Later()));
    EXPECT_EQ(sweep.HeldHandles(), kPopulatedEntries - 1);
    ::CloseHandle(held);
    EXPECT_TRUE(sweep.Run(Ui(folder)));
    EXPECT_FALSE(Exists(folder));
    EXPECT_TRUE(pending.Added().empty());
}

TEST(FolderSweep, FileMadeReadOnlyAfterPreparationStays)
{
    ScratchFolder scratch(L"readonlyprep");
    const std::wstring folder = scratch / L"product";
    MakeSmallTree(folder);
    const std::wstring readOnly = folder + L"\\sub\\deeper\\c.txt";
    PendingRenames pending;
    FolderSweep sweep(FolderSweep::Mode::Delete);

    ASSERT_TRUE(sweep.Prepare(Ui(folder), Later()));
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(sweep.Run(Ui(folder)));
    EXPECT_TRUE(Exists(readOnly));
    EXPECT_FALSE(Exists(folder + L"\\sub\\b.txt"));
    EXPECT_FALSE(Exists(folder + L"\\a.txt"));
    EXPECT_TRUE(pending.Added().empty());
}

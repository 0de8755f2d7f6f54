#include "app/SelfDelete.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

bool Build(const std::wstring& folder, std::wstring* text)
{
    struct {
        wchar_t parameters[kSelfDeleteParameterChars];
        wchar_t guard[8];
    } buffer;
    for (wchar_t& c : buffer.guard) c = L'#';
    const bool built = BuildSelfDeleteParameters(Ui(folder), buffer.parameters);
    for (wchar_t c : buffer.guard) EXPECT_EQ(c, L'#') << "written past the buffer";
    if (built) *text = buffer.parameters;
    return built;
}

// Runs LaunchSelfDelete in a child process: when it starts the command, the process ends with 0.
DWORD LaunchInChild(const std::wstring& folder, std::string* output)
{
    ChildProcess child;
    if (!child.Start(ExeFolder() + L"engine_runner.exe", L"selfdelete \"" + folder + L"\"", true)) return 0xFFFF;
    if (!child.Wait(30000)) return 0xFFFE;
    *output = child.Output();
    return child.ExitCode();
}

} // namespace

TEST(SelfDeleteParameters, QuotedFolderBetweenFixedTexts)
{
    std::wstring text;
    ASSERT_TRUE(Build(L"C:\\Program Files\\Varnholt", &text));
    EXPECT_EQ(text, L"/c ping -n 1 127.0.0.1>nul&rd /s /q \"C:\\Program Files\\Varnholt\" > nul");
}

TEST(SelfDeleteParameters, LongestFolderThatFitsAndOneMore)
{
    std::wstring text;
    const std::wstring fits = L"C:\\" + std::wstring(212, L'a');
    ASSERT_EQ(fits.size(), 215u);
    ASSERT_TRUE(Build(fits, &text));
    EXPECT_EQ(text.size(), 259u);
    EXPECT_FALSE(Build(fits + L"b", &text));
    EXPECT_FALSE(Build(std::wstring(5000, L'x'), &text));
}

TEST(SelfDeleteParameters, RefusesCharactersTheShellInterprets)
{
    std::wstring text;
    for (const wchar_t* folder : {L"C:\\a\"&del C:\\x&\"", L"C:\\%WINDIR%", L"C:\\a\nb", L"C:\\a\tb", L"",
                                  L"C:\\Program Files\\Varnholt ??", L"C:\\Program Files\\*"}) {
        EXPECT_FALSE(Build(folder, &text)) << folder;
    }
    EXPECT_TRUE(Build(L"C:\\a & b ^ (c)", &text));
}

TEST(LaunchSelfDelete, EmptyFolderChangesNothing)
{
    wchar_t before[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, before);
    const DWORD priority = ::GetPriorityClass(::GetCurrentProcess());
    EXPECT_FALSE(LaunchSelfDelete(""));
    wchar_t after[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), priority);
}

TEST(LaunchSelfDelete, RefusedFoldersReturnFalseAndStay)
{
    wchar_t windows[MAX_PATH];
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring refused[] = {
        windows, L"C:\\", L"relative\\folder", std::wstring(L"C:\\") + std::wstring(230, L'l'),
    };
    for (const std::wstring& folder : refused) {
        std::string output;
        EXPECT_EQ(LaunchInChild(folder, &output), 4u) << folder;
        EXPECT_NE(output.find("returned 0"), std::string::npos) << folder;
    }
    EXPECT_TRUE(IsDirectory(windows));
}

TEST(LaunchSelfDelete, StartedCommandRemovesTheFolderAfterTheProcessEnds)
{
    ScratchFolder scratch(L"selfdelete");
    const std::wstring folder = scratch / L"Varnholt Product";
    MakeFolders(folder + L"\\bin\\data");
    WriteFile(folder + L"\\bin\\data\\a.dat");
    WriteFile(folder + L"\\readme.txt");
    WriteFile(scratch / L"beside.txt");

    std::string output;
    EXPECT_EQ(LaunchInChild(folder, &output), 0u);
    EXPECT_EQ(output.find("returned"), std::string::npos);
    EXPECT_TRUE(WaitUntilGone(folder, 15000));
    EXPECT_TRUE(Exists(scratch / L"beside.txt"));
}

TEST(LaunchSelfDelete, PathTooLongForTheShellKeepsTheCommandFromStarting)
{
    // Meeting such a path, the shell's removal deletes the content of its current folder (C:\)
    // under some platforms. Kept short of the length where that starts here, so that a fault
    // only leaves the folder.
    ScratchFolder scratch(L"shelllimit");
    const std::wstring folder = scratch / L"Varnholt";
    MakeFolders(folder);
    std::wstring deep = folder;
    while (deep.size() < MAX_PATH - 20) deep += L"\\runtime";
    MakeFolders(deep);
    const std::wstring file = deep + L"\\" + std::wstring(MAX_PATH + 2 - deep.size() - 1, L'm');
    ASSERT_TRUE(WriteFile(file));
    ASSERT_EQ(file.size(), static_cast<size_t>(MAX_PATH + 2));

    std::string output;
    EXPECT_EQ(LaunchInChild(folder, &output), 4u);
    EXPECT_NE(output.find("returned 0"), std::string::npos);
    ::Sleep(1500);
    EXPECT_TRUE(Exists(file));
}

#include "app/PathSafety.h"
#include "app/ProductConstants.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using namespace testsupport;

namespace {

std::wstring ShortForm(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH] = {};
    ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return buffer;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(towupper(c));
    return text;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return Upper(a) == Upper(b);
}

} // namespace

TEST(NormalizeLocalPath, SettlesSeparatorsDotsAndTrailingSeparators)
{
    struct Case {
        const wchar_t* input;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\varntest\\a", L"C:\\varntest\\a"},
        {L"C:/varntest//a/", L"C:\\varntest\\a"},
        {L"C:\\varntest\\.\\a\\..\\b\\\\", L"C:\\varntest\\b"},
        {L"C:\\", L"C:\\"},
        {L"C:\\..\\..", L"C:\\"},
        {L"relative\\a", L""},
        {L"\\rooted\\a", L""},
        {L"C:drive-relative", L""},
        {L"\\\\server\\share\\a", L""},
        {L"\\\\?\\C:\\varntest", L""},
        {L"", L""},
        // Patterns and names no file can have.
        {L"C:\\varntest\\Varnholt ?mega", L""},
        {L"C:\\varntest\\*", L""},
        {L"C:\\varntest\\a<b", L""},
        {L"C:\\varntest\\a>b", L""},
        {L"C:\\varntest\\a|b", L""},
        {L"C:\\varntest\\a\"b", L""},
        {L"C:\\varntest\\a:stream", L""},
        {L"C:\\varntest\\a\tb", L""},
        // Text outside the ANSI code page is a path like any other.
        {L"C:\\varntest\\Varnholt \x03A9mega\\\x6F22\x5B57", L"C:\\varntest\\Varnholt \x03A9mega\\\x6F22\x5B57"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeLocalPath(c.input), c.expected) << c.input;
}

TEST(NormalizeLocalPath, ExpandsShortNames)
{
    const std::wstring programFiles = Std(NormalizeLocalPath(Ui(ShellFolder(CSIDL_PROGRAM_FILES))));
    const std::wstring shortForm = ShortForm(programFiles);
    ASSERT_FALSE(shortForm.empty());
    EXPECT_EQ(Std(NormalizeLocalPath(Ui(shortForm))), programFiles);
    EXPECT_EQ(Std(NormalizeLocalPath(Ui(shortForm + L"\\NotThere\\Deeper"))), programFiles + L"\\NotThere\\Deeper");
}

TEST(IsSameOrInside, ComparesWholeComponentsWithoutCase)
{
    EXPECT_TRUE(IsSameOrInside(L"C:\\Windows", L"C:\\WINDOWS"));
    EXPECT_TRUE(IsSameOrInside(L"C:\\Windows\\System32", L"C:\\windows"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\WindowsApps", L"C:\\Windows"));
    EXPECT_TRUE(IsSameOrInside(L"C:\\x", L"C:\\"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\x", L""));
}

TEST(IsSafeFolderTarget, RefusesSystemLocationsInEveryForm)
{
    std::vector<std::wstring> refused = {
        L"", L"relative", L"\\rooted\\x", L"\\\\server\\share\\product", L"C:", L"C:\\", L"C:/", L"c:\\.",
        L"C:\\varntest\\..",
    };
    const int shellFolders[] = {CSIDL_WINDOWS,       CSIDL_SYSTEM,         CSIDL_PROGRAM_FILES, CSIDL_COMMON_APPDATA,
                                CSIDL_PROFILE,       CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA,     CSIDL_LOCAL_APPDATA,
                                CSIDL_STARTMENU,     CSIDL_PROGRAMS,       CSIDL_COMMON_PROGRAMS};
    for (int csidl : shellFolders) {
        const std::wstring path = ShellFolder(csidl);
        ASSERT_FALSE(path.empty()) << csidl;
        refused.push_back(path);
        refused.push_back(Upper(path) + L"\\\\");
        refused.push_back(path + L"\\sub\\..");
        const std::wstring shortForm = ShortForm(path);
        if (!shortForm.empty()) refused.push_back(shortForm);
    }
    const std::wstring windows = ShellFolder(CSIDL_WINDOWS);
    refused.push_back(windows + L"\\varntest-product");
    refused.push_back(windows + L"\\system32\\drivers");
    const std::wstring profile = ShellFolder(CSIDL_PROFILE);
    const std::wstring users = profile.substr(0, profile.find_last_of(L'\\'));
    refused.push_back(users);
    refused.push_back(users + L"\\SomebodyElse");
    refused.push_back(profile.substr(0, 3) + L"Program Files (x86)");
    // A folder that contains a system location.
    refused.push_back(windows.substr(0, windows.find_last_of(L'\\')));

    for (const std::wstring& path : refused) EXPECT_FALSE(IsSafeFolderTarget(Ui(path))) << path;
}

TEST(IsSafeFolderTarget, AcceptsTheProductsOwnFolders)
{
    const std::wstring accepted[] = {
        ShellFolder(CSIDL_PROGRAM_FILES) + L"\\Varnholt",
        ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\" + ProductGuid,
        ShellFolder(CSIDL_PROGRAMS) + L"\\Varnholt",
        ShellFolder(CSIDL_PROFILE) + L"\\Varnholt",
        L"C:\\varntest\\product",
        L"C:/varntest/product/",
        L"D:\\Games\\Varnholt",
    };
    for (const std::wstring& path : accepted) {
        if (path[0] == L'D' && ::GetDriveTypeW(L"D:\\") != DRIVE_FIXED) continue;
        EXPECT_TRUE(IsSafeFolderTarget(Ui(path))) << path;
    }
}

TEST(IsSafeExecutableTarget, OnlyAbsoluteLocalPathsOutsideWindows)
{
    const std::wstring windows = ShellFolder(CSIDL_WINDOWS);
    const std::wstring system = ShellFolder(CSIDL_SYSTEM);
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(windows + L"\\notepad.exe")));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(Upper(system) + L"\\..\\notepad.exe")));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(ShortForm(system) + L"\\cmd.exe")));
    EXPECT_FALSE(IsSafeExecutableTarget(L"notepad.exe"));
    EXPECT_FALSE(IsSafeExecutableTarget(L"\"C:\\Program Files\\Varnholt\\Varnholt.exe\""));
    EXPECT_FALSE(IsSafeExecutableTarget(L"C:\\Program Files\\Varnholt\\Varn*.exe"));
    EXPECT_FALSE(IsSafeExecutableTarget(L"\\\\server\\share\\Varnholt.exe"));
    EXPECT_FALSE(IsSafeExecutableTarget(L""));
    EXPECT_TRUE(IsSafeExecutableTarget(L"C:\\Program Files\\Varnholt\\Varnholt.exe"));
    EXPECT_TRUE(IsSafeExecutableTarget(L"C:\\Program Files\\Varnholt\\Varnholt.exe,0"));
}

TEST(PathSafety, LongPathsAreSettledAndResolved)
{
    ScratchFolder scratch(L"longpath");
    const std::wstring deepest = MakeDeepBranch(scratch / L"Varnholt", 400);
    ASSERT_FALSE(deepest.empty());
    const std::wstring folder = deepest.substr(0, deepest.find_last_of(L'\\'));
    EXPECT_EQ(Std(NormalizeLocalPath(Ui(folder + L"\\.\\x\\..\\"))), folder);
    EXPECT_TRUE(SameText(Std(ResolveFinalPath(Ui(deepest))), deepest));
    EXPECT_TRUE(IsSafeFolderTarget(Ui(folder)));
    EXPECT_TRUE(IsSafeExecutableTarget(Ui(deepest)));
}

TEST(IsSafeExecutableTarget, NeverTheRunningProgramItself)
{
    wchar_t own[MAX_PATH];
    ASSERT_NE(::GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
    EXPECT_TRUE(IsOwnExecutable(Ui(own)));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(own)));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(Upper(own))));
    EXPECT_FALSE(IsSafeExecutableTarget(Ui(ShortForm(own))));
    EXPECT_FALSE(IsOwnExecutable(Ui(ExeFolder() + L"sleeper.exe")));
    EXPECT_TRUE(IsSafeExecutableTarget(Ui(ExeFolder() + L"sleeper.exe")));
}

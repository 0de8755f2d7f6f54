#include "app/ProcessControl.h"
#include "app/ProductConstants.h"
#include "app/ShellOperations.h"
#include "app/TextConversion.h"
#include "app/UninstallRegistry.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using namespace testsupport;

TEST(TextConversion, RoundTripsAnsiAndReplacesTheRest)
{
    EXPECT_EQ(WideToNarrow(L"C:\\Program Files\\Varnholt"), "C:\\Program Files\\Varnholt");
    EXPECT_EQ(NarrowToWide("abc"), L"abc");
    EXPECT_EQ(ThreadAnsiToWide("abc"), L"abc");
    EXPECT_EQ(WideToNarrow(L""), "");
    EXPECT_EQ(NarrowToWide(""), L"");
    // A character outside the code page does not survive the round trip.
    const std::wstring foreign = L"\x6F22\x5B57";
    EXPECT_NE(NarrowToWide(WideToNarrow(foreign.c_str()).c_str()), foreign.c_str());
    EXPECT_FALSE(WideToNarrow(foreign.c_str()).IsEmpty());
}

TEST(TextConversion, ExactFormsRefuseWhatTheCodePageCannotHold)
{
    NarrowText narrow("untouched");
    for (const wchar_t* text : {L"C:\\Varnholt \x03A9mega", L"\x6F22\x5B57", L"\xD83D\xDE00", L"Cafe\x0301",
                                L"\xFF0E\xFF0E"}) {
        EXPECT_FALSE(WideToNarrowExact(text, &narrow)) << text;
        EXPECT_EQ(narrow, "");
    }
    ASSERT_TRUE(WideToNarrowExact(L"C:\\Program Files\\Varnholt", &narrow));
    EXPECT_EQ(narrow, "C:\\Program Files\\Varnholt");
    EXPECT_FALSE(WideToNarrowExact(L"C:\\a\0b", 6, &narrow));
    CUIString wide;
    ASSERT_TRUE(NarrowToWideExact("C:\\Varnholt", &wide));
    EXPECT_EQ(wide, L"C:\\Varnholt");
    ASSERT_TRUE(NarrowToWideExact("", &wide));
    EXPECT_EQ(wide, L"");
}

class UninstallKeyTest : public ::testing::Test {
protected:
    void SetUp() override { ProductKey::Remove(); }
    void TearDown() override { ProductKey::Remove(); }
};

TEST_F(UninstallKeyTest, ReadValue_MissingKeyOrValueGivesEmptyText)
{
    EXPECT_EQ(ReadUninstallValue(L"DisplayIcon"), "");
    ProductKey key;
    EXPECT_EQ(ReadUninstallValue(L"DisplayIcon"), "");
    ASSERT_TRUE(key.SetString(L"InstallLocation", L"C:\\Program Files\\Varnholt"));
    EXPECT_EQ(ReadUninstallValue(L"InstallLocation"), "C:\\Program Files\\Varnholt");
    EXPECT_EQ(ReadUninstallValue(L"DisplayIcon"), "");
}

TEST_F(UninstallKeyTest, ReadValue_AsStoredOrNotAtAll)
{
    ProductKey key;
    const std::wstring foreign = L"C:\\Program Files\\Varnholt \x03A9mega \x6F22\x5B57";
    ASSERT_TRUE(key.SetString(L"InstallLocation", foreign));
    EXPECT_EQ(ReadUninstallValueWide(L"InstallLocation"), foreign.c_str());
    // Its narrow form would name another folder ("Omega", "??"): none is given.
    EXPECT_EQ(ReadUninstallValue(L"InstallLocation"), "");
    ASSERT_TRUE(key.SetString(L"TooLong", std::wstring(260, L'\x03A9')));
    EXPECT_EQ(ReadUninstallValueWide(L"TooLong"), L"");
}

TEST_F(UninstallKeyTest, ReadValue_BufferLimits)
{
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"Fits", std::wstring(259, L'a')));
    EXPECT_EQ(ReadUninstallValue(L"Fits"), std::string(259, 'a').c_str());
    ASSERT_TRUE(key.SetString(L"TooLong", std::wstring(260, L'b')));
    EXPECT_EQ(ReadUninstallValue(L"TooLong"), "");
    // Exactly the buffer's 520 bytes with no terminator must not be read past its end.
    const std::wstring unterminated(260, L'c');
    ASSERT_TRUE(key.SetRaw(L"Unterminated", REG_SZ, unterminated.data(), 520));
    EXPECT_EQ(ReadUninstallValue(L"Unterminated"), "");
    const std::wstring shortUnterminated(10, L'd');
    ASSERT_TRUE(key.SetRaw(L"ShortUnterminated", REG_SZ, shortUnterminated.data(), 20));
    EXPECT_EQ(ReadUninstallValue(L"ShortUnterminated"), std::string(10, 'd').c_str());
}

TEST_F(UninstallKeyTest, DeleteKey_DirectlyAndWithSubkeys)
{
    EXPECT_FALSE(DeleteUninstallKey());

    ProductKey plain;
    EXPECT_TRUE(DeleteUninstallKey());
    EXPECT_FALSE(ProductKey::Exists());

    ProductKey withSubkeys;
    ASSERT_TRUE(withSubkeys.AddSubkey(L"One"));
    ASSERT_TRUE(withSubkeys.AddSubkey(L"Two"));
    EXPECT_TRUE(DeleteUninstallKey());
    EXPECT_FALSE(ProductKey::Exists());
}

TEST_F(UninstallKeyTest, DeleteKey_SweepEndsAtSubkeyItCannotDelete)
{
    ProductKey key;
    ASSERT_TRUE(key.AddSubkey(L"Deep\\Deeper"));
    // Would loop forever on index 0 if a failed deletion did not end the sweep.
    EXPECT_TRUE(DeleteUninstallKey());
    EXPECT_TRUE(ProductKey::Exists());

    ProductKey::Remove();
    ProductKey longName;
    ASSERT_TRUE(longName.AddSubkey(std::wstring(120, L'n')));
    EXPECT_TRUE(DeleteUninstallKey());
    EXPECT_TRUE(ProductKey::Exists());
}

TEST(KillProcessByName, TerminatesEveryExactMatchWithExitCodeOne)
{
    ScratchFolder folder(L"kill");
    const std::wstring image = UniqueName(L"VarnKill") + L".exe";
    ChildProcess first, second;
    ASSERT_TRUE(StartSleeperAs(folder.path(), image, &first));
    ASSERT_TRUE(second.Start(folder / image, L""));

    EXPECT_TRUE(KillProcessByName(image.c_str()));
    ASSERT_TRUE(first.Wait(5000));
    ASSERT_TRUE(second.Wait(5000));
    EXPECT_EQ(first.ExitCode(), 1u);
    EXPECT_EQ(second.ExitCode(), 1u);
    EXPECT_FALSE(KillProcessByName(image.c_str()));
}

TEST(KillProcessByName, MatchIsCaseSensitiveAndNeedsAName)
{
    ScratchFolder folder(L"killcase");
    const std::wstring image = UniqueName(L"VarnCase") + L".exe";
    ChildProcess child;
    ASSERT_TRUE(StartSleeperAs(folder.path(), image, &child));

    std::wstring lower = image;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_FALSE(KillProcessByName(lower.c_str()));
    EXPECT_FALSE(KillProcessByName(L"NoSuchProgram.exe"));
    EXPECT_FALSE(KillProcessByName(nullptr));
    EXPECT_FALSE(KillProcessByName(L""));
    EXPECT_TRUE(child.IsRunning());
}

TEST(KillProcessByName, NeverEndsTheCallingProcess)
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring ownImage = std::wstring(path).substr(std::wstring(path).find_last_of(L'\\') + 1);
    EXPECT_FALSE(KillProcessByName(ownImage.c_str()));
}

TEST(ShellFolders, ReportTheSystemsFolders)
{
    wchar_t expected[MAX_PATH];
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, expected), S_OK);
    CUIString desktop;
    EXPECT_TRUE(GetSpecialFolderWide(CSIDL_DESKTOPDIRECTORY, &desktop));
    EXPECT_EQ(desktop, expected);

    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, expected), S_OK);
    EXPECT_EQ(GetFolderPathWide(CSIDL_LOCAL_APPDATA), expected);
    EXPECT_EQ(GetFolderPathNarrow(CSIDL_LOCAL_APPDATA), WideToNarrow(expected));

    EXPECT_EQ(GetTaskbarPinFolderWide(), GetFolderPathWide(CSIDL_APPDATA) + NarrowToWide(TaskbarPinSubfolder));
    EXPECT_EQ(Std(GetTaskbarPinFolder()), Std(GetFolderPathNarrow(CSIDL_APPDATA)) + TaskbarPinSubfolder);

    CUIString none = L"untouched";
    EXPECT_FALSE(GetSpecialFolderWide(0x7F, &none));
    EXPECT_EQ(none, L"");
    EXPECT_EQ(GetFolderPathNarrow(0x7F), "");
    EXPECT_EQ(GetFolderPathWide(0x7F), L"");
}

TEST(ShellFolders, UnpinOfMissingShortcutDoesNothing)
{
    ScratchFolder folder(L"unpin");
    UnpinFromTaskbar(WideToNarrow((folder / L"Varnholt.lnk").c_str()).c_str());
    UnpinFromTaskbar(Ui(folder / L"Varnholt.lnk"));
    EXPECT_FALSE(Exists(folder / L"Varnholt.lnk"));
}

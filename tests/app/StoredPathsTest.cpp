// Whole runs of the engine, each in a process of its own started from the installation folder
// (as the uninstaller is), on paths as the system stores them: names outside the ANSI code page
// beside folders that their narrow forms would name, branches deeper than the old path limit,
// and a file that another program holds.
#include "app/ProductConstants.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testsupport;

namespace {

const wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the user's local application data folder elsewhere while it lives.
class LocalAppDataRedirect {
public:
    explicit LocalAppDataRedirect(const std::wstring& folder)
    {
        DWORD bytes = sizeof(m_previous);
        m_existed = ::RegGetValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Local AppData",
                                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &m_type, m_previous,
                                   &bytes) == ERROR_SUCCESS;
        m_previousBytes = bytes;
        Set(REG_EXPAND_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    ~LocalAppDataRedirect()
    {
        if (m_existed) {
            Set(m_type, m_previous, m_previousBytes);
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Local AppData");
        }
    }
    LocalAppDataRedirect(const LocalAppDataRedirect&) = delete;
    LocalAppDataRedirect& operator=(const LocalAppDataRedirect&) = delete;

private:
    static void Set(DWORD type, const void* data, DWORD bytes)
    {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Local AppData", type, data, bytes);
    }

    bool m_existed = false;
    DWORD m_type = REG_EXPAND_SZ;
    wchar_t m_previous[MAX_PATH] = {};
    DWORD m_previousBytes = 0;
};

void MakeKeptFolder(const std::wstring& folder)
{
    MakeFolders(folder);
    WriteFile(folder + L"\\keep.txt", "keep");
}

// `parent\prefix<name>` as the narrow conversions turn it: best fit, and the question-mark form
// (as a name its pattern matches).
std::vector<std::wstring> NamesakesOf(const std::wstring& parent, const std::wstring& prefix, const std::wstring& name)
{
    std::vector<std::wstring> namesakes;
    for (const std::wstring& form : {BestFitForm(name), QuestionMarkMatch(name)}) {
        if (form == name || form.find(L'?') != std::wstring::npos) continue;
        if (std::find(namesakes.begin(), namesakes.end(), parent + L"\\" + prefix + form) == namesakes.end()) {
            namesakes.push_back(parent + L"\\" + prefix + form);
        }
    }
    return namesakes;
}

// Copies the engine into the installation folder as its uninstaller and runs it there.
DWORD RunUninstallerIn(const std::wstring& install, std::string* output)
{
    const std::wstring runner = install + L"\\uninstall.exe";
    if (!::CopyFileW((ExeFolder() + L"engine_runner.exe").c_str(), runner.c_str(), FALSE)) return 0xFFFF;
    ChildProcess child;
    if (!child.Start(runner, L"run", true) || !child.Wait(60000)) return 0xFFFE;
    *output = child.Output();
    return child.ExitCode();
}

} // namespace

TEST(StoredPaths, ProductFoldersGoAndTheirNarrowNamesakesStay)
{
    const std::pair<const wchar_t*, std::wstring> names[] = {
        {L"Greek", L"\x03A9mega"},
        {L"CJK", L"\x6F22\x5B57"},
        {L"emoji", L"\xD83D\xDE00"},
        {L"combining mark", L"Cafe\x0301"},
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name.first);
        ScratchFolder scratch(L"stored");
        const std::wstring install = scratch / (L"Varnholt " + name.second);
        MakeFolders(install + L"\\bin");
        WriteFile(install + L"\\bin\\core.dll");
        ASSERT_FALSE(MakeDeepBranch(install + L"\\runtime", 400).empty());
        const std::wstring local = scratch / (L"Local " + name.second);
        const std::wstring userFolder = local + L"\\" + ProductGuid;
        MakeFolders(userFolder + L"\\cache");
        WriteFile(userFolder + L"\\cache\\1.bin");
        ASSERT_FALSE(MakeDeepBranch(userFolder + L"\\plugins", 400).empty());

        std::vector<std::wstring> kept = NamesakesOf(scratch.path(), L"Varnholt ", name.second);
        for (const std::wstring& namesake : NamesakesOf(scratch.path(), L"Local ", name.second)) {
            kept.push_back(namesake + L"\\" + ProductGuid);
        }
        ASSERT_FALSE(kept.empty());
        for (const std::wstring& folder : kept) MakeKeptFolder(folder);

        // The product's program, named outside the code page too, is stopped and deleted.
        const std::wstring image = L"Varnholt " + name.second + L".exe";
        ChildProcess product;
        ASSERT_TRUE(StartSleeperAs(install, image, &product));
        ProductKey key;
        ASSERT_TRUE(key.SetString(L"DisplayIcon", L"\"" + install + L"\\" + image + L"\",0"));
        ASSERT_TRUE(key.SetString(L"InstallLocation", install));
        LocalAppDataRedirect redirect(local);

        std::string output;
        EXPECT_EQ(RunUninstallerIn(install, &output), 0u) << output;
        EXPECT_EQ(product.ExitCode(), 1u);
        EXPECT_TRUE(WaitUntilGone(install, 15000));
        EXPECT_FALSE(Exists(userFolder));
        for (const std::wstring& folder : kept) EXPECT_EQ(ReadFile(folder + L"\\keep.txt"), "keep") << folder;
    }
}

TEST(StoredPaths, HeldFileIsLeftForTheRestartAndEverythingElseGoes)
{
    ScratchFolder scratch(L"held");
    const std::wstring install = scratch / L"Varnholt";
    const std::wstring heldPath = install + L"\\data\\logs\\session.log";
    MakeFolders(install + L"\\data\\logs");
    MakeFolders(install + L"\\bin");
    for (const wchar_t* file : {L"\\data\\logs\\session.log", L"\\data\\logs\\old.log", L"\\data\\levels.dat",
                                L"\\bin\\core.dll", L"\\readme.txt"}) {
        WriteFile(install + file);
    }
    HANDLE held = ::CreateFileW(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PendingRenames pending;
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"InstallLocation", install));

    std::string output;
    EXPECT_EQ(RunUninstallerIn(install, &output), 0u) << output;
    // The shell's removal after the exit stops at the held file.
    ::Sleep(2000);
    ::CloseHandle(held);
    EXPECT_TRUE(Exists(heldPath));
    for (const wchar_t* gone : {L"\\data\\logs\\old.log", L"\\data\\levels.dat", L"\\bin", L"\\readme.txt"}) {
        EXPECT_FALSE(Exists(install + gone)) << gone;
    }
    // Files first, then their folders, deepest first. The uninstaller's own file goes with the
    // folder it is in: the shell's removal may have taken it already.
    const std::wstring own = install + L"\\uninstall.exe";
    const std::vector<std::wstring> expected = {heldPath, own, install + L"\\data\\logs", install + L"\\data",
                                                install};
    EXPECT_EQ(pending.Added(), expected);
}

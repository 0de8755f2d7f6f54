#include "app/ProductConstants.h"
#include "app/TextConversion.h"
#include "app/UnInstall.h"
#include "tests/app/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <utility>

using namespace testsupport;

namespace {

// The per-user items the engine removes whatever the registry says.
struct UserItems {
    std::wstring desktopShortcut = ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Varnholt.lnk";
    std::wstring userFolder = ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\" + ProductGuid;
    std::wstring startMenu = ShellFolder(CSIDL_PROGRAMS) + L"\\" + StartMenuFolderName;

    void Create() const
    {
        WriteFile(desktopShortcut);
        MakeFolders(userFolder + L"\\cache\\thumbs");
        WriteFile(userFolder + L"\\settings.ini");
        WriteFile(userFolder + L"\\cache\\thumbs\\1.png");
        MakeDeepBranch(userFolder + L"\\plugins", 400);
        MakeFolders(startMenu);
        WriteFile(startMenu + L"\\Varnholt.lnk");
        WriteFile(startMenu + L"\\Uninstall.lnk");
        MakeDeepBranch(startMenu + L"\\Tools", 400);
    }
    void Remove() const
    {
        ::DeleteFileW(desktopShortcut.c_str());
        RemoveTree(userFolder);
        RemoveTree(startMenu);
    }
};

struct Recorded {
    std::vector<std::pair<int, std::string>> reports;
    DWORD milliseconds = 0;
    bool result = false;
};

Recorded RunInProcess()
{
    Recorded recorded;
    UnInstall& engine = UnInstall::GetSingleton();
    engine.m_progress = [&recorded](int percent, const char* text) {
        recorded.reports.emplace_back(percent, text);
    };
    const ULONGLONG start = ::GetTickCount64();
    recorded.result = engine.Run();
    recorded.milliseconds = static_cast<DWORD>(::GetTickCount64() - start);
    engine.m_progress = nullptr;
    return recorded;
}

const std::vector<std::pair<int, std::string>> kAllReports = {
    {20, ""}, {40, ""}, {55, ""}, {70, ""}, {80, ""}, {90, ""}, {100, ""},
};

class UnInstallRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProductKey::Remove();
        m_items.Remove();
        m_items.Create();
    }
    void TearDown() override
    {
        ProductKey::Remove();
        m_items.Remove();
    }
    UserItems m_items;
};

} // namespace

TEST_F(UnInstallRun, WithoutInstallLocationRemovesEverythingAndReturns)
{
    ScratchFolder scratch(L"run");
    const std::wstring image = UniqueName(L"VarnRun") + L".exe";
    ChildProcess product;
    ASSERT_TRUE(StartSleeperAs(scratch.path(), image, &product));
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"DisplayIcon", scratch / image));

    const Recorded run = RunInProcess();
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.reports, kAllReports);
    // 2800 ms of pauses plus 500 after stopping the process.
    EXPECT_GE(run.milliseconds, 3200u);

    ASSERT_TRUE(product.Wait(5000));
    EXPECT_EQ(product.ExitCode(), 1u);
    EXPECT_FALSE(Exists(scratch / image));
    EXPECT_FALSE(ProductKey::Exists());
    EXPECT_FALSE(Exists(m_items.desktopShortcut));
    EXPECT_FALSE(Exists(m_items.userFolder));
    EXPECT_FALSE(Exists(m_items.startMenu));
}

TEST_F(UnInstallRun, WithoutKeyStillRemovesThePerUserItems)
{
    const Recorded run = RunInProcess();
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.reports, kAllReports);
    EXPECT_GE(run.milliseconds, 2700u);
    EXPECT_FALSE(Exists(m_items.userFolder));
    EXPECT_FALSE(Exists(m_items.startMenu));
    EXPECT_FALSE(Exists(m_items.desktopShortcut));
}

TEST_F(UnInstallRun, IconFormsNameTheProductsExecutable)
{
    struct Form {
        const wchar_t* before;
        const wchar_t* after;
        bool slashes;
    } forms[] = {{L"\"", L"\"", false}, {L"", L",0", false}, {L"\"", L"\",-101", false}, {L"", L"", true}};
    for (const Form& form : forms) {
        ScratchFolder scratch(L"iconform");
        const std::wstring image = UniqueName(L"VarnForm") + L".exe";
        ChildProcess product;
        ASSERT_TRUE(StartSleeperAs(scratch.path(), image, &product));
        WriteFile(scratch / L"beside.dll");
        std::wstring path = scratch / image;
        if (form.slashes) std::replace(path.begin(), path.end(), L'\\', L'/');
        ProductKey key;
        const std::wstring value = form.before + path + form.after;
        ASSERT_TRUE(key.SetString(L"DisplayIcon", value));

        EXPECT_EQ(RunInProcess().reports, kAllReports) << value;
        ASSERT_TRUE(product.Wait(5000)) << value;
        EXPECT_EQ(product.ExitCode(), 1u) << value;
        EXPECT_FALSE(Exists(scratch / image)) << value;
        EXPECT_TRUE(Exists(scratch / L"beside.dll")) << value;
    }
}

TEST_F(UnInstallRun, IconInsideWindowsIsNeitherStoppedNorDeletedInAnyForm)
{
    wchar_t windows[MAX_PATH];
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring folder = std::wstring(windows) + L"\\" + UniqueName(L"varntest");
    ASSERT_TRUE(MakeFolders(folder));
    const std::wstring image = UniqueName(L"VarnSys") + L".exe";
    {
        ChildProcess program;
        ASSERT_TRUE(StartSleeperAs(folder, image, &program));
        const std::wstring path = folder + L"\\" + image;
        std::wstring slashed = path;
        std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
        for (const std::wstring& value : {path, L"\"" + path + L"\",0", slashed + L",-101"}) {
            ProductKey key;
            ASSERT_TRUE(key.SetString(L"DisplayIcon", value));
            EXPECT_EQ(RunInProcess().reports, kAllReports) << value;
            EXPECT_TRUE(program.IsRunning()) << value;
            EXPECT_TRUE(Exists(path)) << value;
        }
    }
    ::Sleep(200);
    RemoveTree(folder);
}

TEST_F(UnInstallRun, IconWithoutBackslashIsNotDeletedFromTheCurrentFolder)
{
    ScratchFolder scratch(L"relative");
    const std::wstring image = UniqueName(L"VarnRel") + L".exe";
    WriteFile(scratch / image);
    wchar_t previous[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(scratch.path().c_str()));
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"DisplayIcon", image));

    const Recorded run = RunInProcess();
    ::SetCurrentDirectoryW(previous);
    EXPECT_EQ(run.reports, kAllReports);
    EXPECT_TRUE(Exists(scratch / image));
    EXPECT_FALSE(ProductKey::Exists());
}

TEST_F(UnInstallRun, InstallationFolderIsOnlyDeletedOnceItsPauseHasPassed)
{
    ScratchFolder scratch(L"pause");
    // Too long a folder for the self-delete command: the run returns here.
    const std::wstring folder = scratch / (L"Varnholt" + std::wstring(210, L'x'));
    const int kFiles = 300;
    ASSERT_TRUE(MakeFolders(folder + L"\\bin"));
    for (int i = 0; i < kFiles; ++i) ASSERT_TRUE(WriteFile(folder + L"\\bin\\f" + std::to_wstring(1000 + i)));
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"InstallLocation", folder));

    // The first, a middle and the last file in any listing order.
    const std::wstring watched[] = {folder + L"\\bin\\f1000", folder + L"\\bin\\f1150",
                                    folder + L"\\bin\\f" + std::to_wstring(999 + kFiles)};
    std::atomic<bool> stop(false);
    std::atomic<ULONGLONG> firstGone(0);
    std::thread watcher([&] {
        while (!stop && firstGone == 0) {
            for (const std::wstring& path : watched) {
                if (!Exists(path)) firstGone = ::GetTickCount64();
            }
            ::Sleep(1);
        }
    });
    std::vector<std::pair<int, ULONGLONG>> reports;
    UnInstall& engine = UnInstall::GetSingleton();
    engine.m_progress = [&reports](int percent, const std::string&) {
        reports.emplace_back(percent, ::GetTickCount64());
    };
    const bool result = engine.Run();
    engine.m_progress = nullptr;
    stop = true;
    watcher.join();

    EXPECT_TRUE(result);
    ASSERT_EQ(reports.size(), kAllReports.size());
    const ULONGLONG at70 = reports[3].second;
    const ULONGLONG at80 = reports[4].second;
    ASSERT_NE(firstGone, 0u);
    EXPECT_GE(firstGone.load(), at70 + 300);
    EXPECT_GE(at80, at70 + 300);
    EXPECT_FALSE(Exists(folder));
}

namespace {

struct ChildRun {
    DWORD exitCode = 0;
    std::vector<int> percents;
    std::vector<std::string> texts;
    bool returned = false;
};

ChildRun RunInChild(const std::wstring& runner)
{
    ChildRun run;
    ChildProcess child;
    if (!child.Start(runner, L"run", true) || !child.Wait(60000)) return run;
    run.exitCode = child.ExitCode();
    for (const std::string& line : Lines(child.Output())) {
        int percent = 0;
        char text[64] = {};
        if (std::sscanf(line.c_str(), "progress %d [%63[^]]]", &percent, text) >= 1) {
            run.percents.push_back(percent);
            run.texts.push_back(text);
        }
        if (line.rfind("returned", 0) == 0) run.returned = true;
    }
    return run;
}

const std::vector<int> kAllPercents = {20, 40, 55, 70, 80, 90, 100};

} // namespace

TEST_F(UnInstallRun, WithInstallLocationTheProcessEndsAndTheShellRemovesTheFolder)
{
    ScratchFolder scratch(L"full");
    const std::wstring folder = scratch / L"Varnholt";
    MakeFolders(folder + L"\\plugins\\extra");
    WriteFile(folder + L"\\plugins\\extra\\x.dll");
    // The uninstaller runs from the installation folder: it survives the sweep (running)
    // and goes with the shell command after the process has ended.
    const std::wstring runner = folder + L"\\uninstall.exe";
    ASSERT_TRUE(::CopyFileW((ExeFolder() + L"engine_runner.exe").c_str(), runner.c_str(), FALSE));
    ChildProcess product;
    ASSERT_TRUE(StartSleeperAs(folder, L"Varnholt.exe", &product));
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"DisplayIcon", folder + L"\\Varnholt.exe"));
    ASSERT_TRUE(key.SetString(L"InstallLocation", folder));

    const ChildRun run = RunInChild(runner);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.percents, kAllPercents);
    for (const std::string& text : run.texts) EXPECT_EQ(text, "");
    EXPECT_FALSE(run.returned);
    EXPECT_EQ(product.ExitCode(), 1u);
    EXPECT_FALSE(ProductKey::Exists());
    EXPECT_TRUE(WaitUntilGone(folder, 15000));
    EXPECT_TRUE(IsDirectory(scratch.path()));
}

TEST_F(UnInstallRun, DangerousInstallLocationIsLeftAndRunReturns)
{
    const std::wstring programFiles = ShellFolder(CSIDL_PROGRAM_FILES);
    const std::wstring marker = programFiles + L"\\" + UniqueName(L"varntest-marker") + L".txt";
    ASSERT_TRUE(WriteFile(marker));
    ProductKey key;
    ASSERT_TRUE(key.SetString(L"InstallLocation", programFiles + L"\\"));

    const ChildRun run = RunInChild(ExeFolder() + L"engine_runner.exe");
    EXPECT_TRUE(Exists(marker));
    ::DeleteFileW(marker.c_str());
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_TRUE(run.returned);
    EXPECT_EQ(run.percents, kAllPercents);
}

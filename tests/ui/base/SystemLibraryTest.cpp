#include "ui/base/SystemLibrary.h"

#include <gtest/gtest.h>

#include <string>

using VarnUI::LoadSystemLibrary;

namespace {

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Runs the probe beside its planted "msimg32.dll" and returns its exit code (-1 on failure).
int RunProbe(const wchar_t* mode)
{
    const std::wstring folder = ExeFolder() + L"planted\\";
    std::wstring commandLine = L"\"" + folder + L"library_probe.exe\" " + mode;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // Started from a neutral folder so that only the executable's own folder could plant.
    wchar_t system[MAX_PATH];
    if (::GetSystemDirectoryW(system, MAX_PATH) == 0) return -1;
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, system,
                          &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.hProcess, &code)) {
        ::TerminateProcess(process.hProcess, 1);
        code = static_cast<DWORD>(-1);
    }
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Wine prefers its own built-in copy of a system library over a file of that name beside the
// program; for the probe alone, this asks it to prefer files, as Windows does.
class PreferPlantedFilesOnWine {
public:
    PreferPlantedFilesOnWine()
    {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        if (ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr) return;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS) {
            return;
        }
        const wchar_t value[] = L"native,builtin";
        ::RegSetValueExW(key, L"msimg32", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         sizeof(value));
        ::RegCloseKey(key);
        m_set = true;
    }
    ~PreferPlantedFilesOnWine()
    {
        if (!m_set) return;
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\library_probe.exe");
    }
    PreferPlantedFilesOnWine(const PreferPlantedFilesOnWine&) = delete;
    PreferPlantedFilesOnWine& operator=(const PreferPlantedFilesOnWine&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\library_probe.exe\\DllOverrides";
    bool m_set = false;
};

std::wstring ModuleFolder(HMODULE module)
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    folder = folder.substr(0, folder.find_last_of(L'\\'));
    for (wchar_t& c : folder) c = static_cast<wchar_t>(::towlower(c));
    return folder;
}

std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    std::wstring folder(path, length);
    for (wchar_t& c : folder) c = static_cast<wchar_t>(::towlower(c));
    return folder;
}

} // namespace

TEST(SystemLibrary, LoadsTheNamedLibrariesFromTheSystemFolderWithTheirEntries)
{
    struct Case {
        const wchar_t* library;
        const char* entry;
    };
    const Case cases[] = {
        {L"msimg32.dll", "AlphaBlend"}, {L"msimg32.dll", "GradientFill"},
        {L"User32.dll", "UpdateLayeredWindow"}, {L"User32.dll", "SetLayeredWindowAttributes"},
        {L"gdiplus.dll", "GdiplusStartup"}, {L"msftedit.dll", "CreateTextServices"},
    };
    for (const Case& c : cases) {
        HMODULE module = LoadSystemLibrary(c.library);
        ASSERT_NE(module, nullptr) << c.entry;
        EXPECT_NE(::GetProcAddress(module, c.entry), nullptr) << c.entry;
        EXPECT_EQ(ModuleFolder(module), SystemFolder()) << c.entry;
    }
}

TEST(SystemLibrary, RefusesNamesWithAFolderOrDrivePart)
{
    wchar_t full[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(full, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::wstring inSystem = std::wstring(full, length) + L"\\msimg32.dll";
    for (const wchar_t* name : {inSystem.c_str(), L".\\msimg32.dll", L"sub/msimg32.dll",
                                L"C:msimg32.dll", L"", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(LoadSystemLibrary(name), nullptr) << (name != nullptr ? name : L"(null)");
    }
    EXPECT_EQ(LoadSystemLibrary(L"varn-no-such-library.dll"), nullptr);
}

TEST(SystemLibrary, ACopyPlantedBesideTheProgramIsNeverLoaded)
{
    PreferPlantedFilesOnWine preferFiles;
    const int plain = RunProbe(L"plain");
    ASSERT_NE(plain, -1) << "probe did not run";
    // The plain load must be able to pick the planted copy, or the two checks below prove
    // nothing on this platform.
    if (plain != 2) GTEST_SKIP() << "this platform never loads the planted copy (" << plain << ")";
    EXPECT_EQ(RunProbe(L"helper"), 0);
    EXPECT_EQ(RunProbe(L"restricted"), 0);
}

#include "ui/base/SystemLibrary.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

using VarnUI::LoadSystemLibrary;

namespace {

// The folder of a module (or of the system folder itself), lower case.
std::wstring FolderOf(HMODULE module, bool system = false)
{
    wchar_t path[MAX_PATH];
    const DWORD length = system ? ::GetSystemDirectoryW(path, MAX_PATH) : ::GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    if (!system) folder = folder.substr(0, folder.find_last_of(L'\\'));
    for (wchar_t& c : folder) c = static_cast<wchar_t>(std::towlower(c));
    return folder;
}

// Runs the probe beside its planted "msimg32.dll", from the system folder so that only the
// probe's own folder could plant; its exit code, or -1.
int RunProbe(const wchar_t* mode)
{
    std::wstring commandLine = L"\"" + FolderOf(nullptr) + L"\\planted\\library_probe.exe\" " + mode;
    const std::wstring system = FolderOf(nullptr, true);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          system.c_str(), &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
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
        const wchar_t value[] = L"native,builtin";
        m_set = ::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"msimg32", REG_SZ, value,
                                  sizeof(value)) == ERROR_SUCCESS;
    }
    ~PreferPlantedFilesOnWine()
    {
        if (m_set) ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\library_probe.exe");
    }
    PreferPlantedFilesOnWine(const PreferPlantedFilesOnWine&) = delete;
    PreferPlantedFilesOnWine& operator=(const PreferPlantedFilesOnWine&) = delete;

private:
    static constexpr const wchar_t* kOverrides =
        L"Software\\Wine\\AppDefaults\\library_probe.exe\\DllOverrides";
    bool m_set = false;
};

} // namespace

TEST(SystemLibrary, LoadsTheNamedLibrariesFromTheSystemFolderWithTheirEntries)
{
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"msimg32.dll", "AlphaBlend"}, {L"msimg32.dll", "GradientFill"},
        {L"User32.dll", "UpdateLayeredWindow"}, {L"User32.dll", "SetLayeredWindowAttributes"},
        {L"gdiplus.dll", "GdiplusStartup"}, {L"msftedit.dll", "CreateTextServices"},
    };
    for (const auto& c : cases) {
        HMODULE module = LoadSystemLibrary(c.first);
        ASSERT_NE(module, nullptr) << c.second;
        EXPECT_NE(::GetProcAddress(module, c.second), nullptr) << c.second;
        EXPECT_EQ(FolderOf(module), FolderOf(nullptr, true)) << c.second;
    }
    // A name with a folder or drive part would load from wherever it points.
    const std::wstring full = FolderOf(nullptr, true) + L"\\msimg32.dll";
    for (const wchar_t* name :
         {full.c_str(), L".\\msimg32.dll", L"sub/msimg32.dll", L"C:msimg32.dll", L""}) {
        EXPECT_EQ(LoadSystemLibrary(name), nullptr) << name;
    }
}

TEST(SystemLibrary, ACopyPlantedBesideTheProgramIsNeverLoaded)
{
    PreferPlantedFilesOnWine preferFiles;
    const int plain = RunProbe(L"plain");
    ASSERT_NE(plain, -1) << "probe did not run";
    // Unless the plain load picks the planted copy, the two checks below prove nothing here.
    if (plain != 2) GTEST_SKIP() << "this platform never loads the planted copy (" << plain << ")";
    EXPECT_EQ(RunProbe(L"helper"), 0);
    EXPECT_EQ(RunProbe(L"restricted"), 0);
}

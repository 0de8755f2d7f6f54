// Helpers shared by the application tests: unique names, scratch folders, the product's
// registry key, and child processes started from the test executable's folder.
#pragma once

#include "app/NarrowText.h"
#include "ui/base/UIString.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace VarnUI {
// Failure messages show the text.
void PrintTo(const CUIString& text, std::ostream* out);
} // namespace VarnUI
void PrintTo(const NarrowText& text, std::ostream* out);

namespace testsupport {

// Between the standard strings the tests build with and the application's own.
VarnUI::CUIString Ui(const std::wstring& text);
std::wstring Std(const VarnUI::CUIString& text);
std::string Std(const NarrowText& text);

// A name no other test run uses: prefix, process id and a counter.
std::wstring UniqueName(const std::wstring& prefix);

// The folder holding the running test executable, with a trailing backslash.
std::wstring ExeFolder();

// The path of a shell folder by CSIDL; empty when there is none.
std::wstring ShellFolder(int csidl);

// The file helpers below take paths of any length.
bool Exists(const std::wstring& path);
// Polls until the path is gone; false on time-out.
bool WaitUntilGone(const std::wstring& path, DWORD milliseconds);
bool IsDirectory(const std::wstring& path);
bool WriteFile(const std::wstring& path, const std::string& content = "x");
std::string ReadFile(const std::wstring& path);
// Creates every missing folder of the path.
bool MakeFolders(const std::wstring& path);
// Removes a plain tree (no links in it), read-only files included. For cleanup only.
void RemoveTree(const std::wstring& path);

// Opens a file without sharing, as another program holding it would; the caller closes it.
HANDLE HoldWithoutSharing(const std::wstring& path);

// folder\a.txt, folder\sub\b.txt, folder\sub\deeper\c.txt and the empty folder\empty.
void MakeSmallTree(const std::wstring& folder);

// Nested folders below `root`, named so that the file at the bottom (returned) has a path of at
// least `minChars` characters; false (empty) when they cannot be made.
std::wstring MakeDeepBranch(const std::wstring& root, size_t minChars);

// A name as the ANSI code page turns it: with best-fit characters, and with the question marks
// put where a character has no exact form (those replaced by `wildcardMatch`, so that the result
// is a real name the question-mark form matches as a pattern).
std::wstring BestFitForm(const std::wstring& name);
std::wstring QuestionMarkMatch(const std::wstring& name, wchar_t wildcardMatch = L'q');

// A scratch folder under C:\varntest that is removed with its content at the end of scope.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& prefix = L"scratch");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Sets values of the product's uninstall key (HKLM, the program's registry view); the key is
// deleted with everything below it at the end of scope.
class ProductKey {
public:
    ProductKey();
    ~ProductKey();
    ProductKey(const ProductKey&) = delete;
    ProductKey& operator=(const ProductKey&) = delete;
    bool SetString(const wchar_t* name, const std::wstring& value);
    bool SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes);
    bool AddSubkey(const std::wstring& relativePath);
    static bool Exists();
    static void Remove();
};

// The system's list of deletions for the next restart (PendingFileRenameOperations): kept as
// found and put back at the end of scope.
class PendingRenames {
public:
    PendingRenames();
    ~PendingRenames();
    PendingRenames(const PendingRenames&) = delete;
    PendingRenames& operator=(const PendingRenames&) = delete;
    // The paths ("X:\...") scheduled for deletion since the list was found, in order.
    std::vector<std::wstring> Added() const;

private:
    bool m_existed = false;
    std::vector<BYTE> m_data;
};

// A child process, terminated at the end of scope if still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `exe` with the command line tail `arguments`; stdout is captured when asked.
    bool Start(const std::wstring& exe, const std::wstring& arguments, bool captureOutput = false);
    // Waits for the end; false on time-out. Reads all captured output meanwhile.
    bool Wait(DWORD milliseconds);
    bool IsRunning() const;
    DWORD ExitCode() const;
    DWORD Id() const { return m_id; }
    const std::string& Output() const { return m_output; }

private:
    HANDLE m_process = nullptr;
    HANDLE m_outputRead = nullptr;
    DWORD m_id = 0;
    std::string m_output;
};

// Copies the sleeper helper to `folder\imageName` and starts it from there.
bool StartSleeperAs(const std::wstring& folder, const std::wstring& imageName, ChildProcess* child);

// Splits captured output into lines without their line ends.
std::vector<std::string> Lines(const std::string& text);

} // namespace testsupport

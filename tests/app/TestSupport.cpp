#include "tests/app/TestSupport.h"

#include "app/ProductConstants.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <utility>

namespace VarnUI {

void PrintTo(const CUIString& text, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(text.GetData()));
}

} // namespace VarnUI

void PrintTo(const NarrowText& text, std::ostream* out)
{
    *out << ::testing::PrintToString(std::string(text.c_str()));
}

namespace testsupport {

VarnUI::CUIString Ui(const std::wstring& text)
{
    return VarnUI::CUIString(text.c_str(), static_cast<int>(text.size()));
}

std::wstring Std(const VarnUI::CUIString& text)
{
    return std::wstring(text.GetData());
}

std::string Std(const NarrowText& text)
{
    return std::string(text.c_str(), static_cast<size_t>(text.Length()));
}

std::wstring UniqueName(const std::wstring& prefix)
{
    static LONG counter = 0;
    return prefix + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(::InterlockedIncrement(&counter));
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L'\\') + 1);
}

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
    return path;
}

namespace {

// Paths past MAX_PATH need the long form on some systems; it is harmless on the others.
std::wstring Long(const std::wstring& path)
{
    return path.size() >= MAX_PATH && path.size() > 2 && path[1] == L':' ? L"\\\\?\\" + path : path;
}

const wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";

} // namespace

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntilGone(const std::wstring& path, DWORD milliseconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (Exists(path)) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(50);
    }
    return true;
}

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(Long(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteFile(const std::wstring& path, const std::string& content)
{
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == content.size();
}

std::string ReadFile(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) content.append(buffer, read);
    ::CloseHandle(file);
    return content;
}

bool MakeFolders(const std::wstring& path)
{
    for (size_t at = path.find(L'\\', 3); ; at = path.find(L'\\', at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (!IsDirectory(part) && !::CreateDirectoryW(Long(part).c_str(), nullptr)) return false;
        if (at == std::wstring::npos) return true;
    }
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW(Long(path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(Long(child).c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(Long(child).c_str());
            }
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(Long(path).c_str());
}

HANDLE HoldWithoutSharing(const std::wstring& path)
{
    return ::CreateFileW(Long(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

void MakeSmallTree(const std::wstring& folder)
{
    MakeFolders(folder + L"\\sub\\deeper");
    MakeFolders(folder + L"\\empty");
    WriteFile(folder + L"\\a.txt");
    WriteFile(folder + L"\\sub\\b.txt");
    WriteFile(folder + L"\\sub\\deeper\\c.txt");
}

std::wstring MakeDeepBranch(const std::wstring& root, size_t minChars)
{
    std::wstring folder = root;
    for (int level = 0; folder.size() + 9 < minChars; ++level) folder += L"\\runtime" + std::to_wstring(level % 10);
    const std::wstring file = folder + L"\\module.dll";
    return MakeFolders(folder) && WriteFile(file) ? file : std::wstring();
}

namespace {

std::wstring ThroughCodePage(const std::wstring& name, DWORD flags)
{
    char narrow[512] = {};
    if (::WideCharToMultiByte(CP_ACP, flags, name.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr) <= 0) {
        return std::wstring();
    }
    wchar_t wide[512] = {};
    ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, 512);
    return wide;
}

} // namespace

std::wstring BestFitForm(const std::wstring& name)
{
    return ThroughCodePage(name, 0);
}

std::wstring QuestionMarkMatch(const std::wstring& name, wchar_t wildcardMatch)
{
    std::wstring form = ThroughCodePage(name, WC_NO_BEST_FIT_CHARS);
    for (wchar_t& c : form) {
        if (c == L'?') c = wildcardMatch;
    }
    return form;
}

ScratchFolder::ScratchFolder(const std::wstring& prefix)
    : m_path(L"C:\\varntest\\" + UniqueName(prefix))
{
    MakeFolders(m_path);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(m_path);
}

ProductKey::ProductKey()
{
    Remove();
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegCloseKey(key);
    }
}

ProductKey::~ProductKey()
{
    Remove();
}

bool ProductKey::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    return ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, UninstallKeyPath, name, type, data, bytes) == ERROR_SUCCESS;
}

bool ProductKey::SetString(const wchar_t* name, const std::wstring& value)
{
    return SetRaw(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool ProductKey::AddSubkey(const std::wstring& relativePath)
{
    HKEY key = nullptr;
    const std::wstring path = std::wstring(UninstallKeyPath) + L"\\" + relativePath;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

bool ProductKey::Exists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

void ProductKey::Remove()
{
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKeyPath);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKeyPath);
}

namespace {

std::vector<BYTE> ReadPendingValue(bool* exists)
{
    DWORD bytes = 0;
    *exists = ::RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingValue, RRF_RT_REG_MULTI_SZ, nullptr,
                             nullptr, &bytes) == ERROR_SUCCESS;
    std::vector<BYTE> data(bytes);
    if (*exists && ::RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingValue, RRF_RT_REG_MULTI_SZ, nullptr,
                                  data.data(), &bytes) == ERROR_SUCCESS) {
        data.resize(bytes);
    }
    return data;
}

// Pairs of source and target, each ended by a NUL; a deletion has an empty target.
std::vector<std::pair<std::wstring, std::wstring>> PendingPairs(const std::vector<BYTE>& data)
{
    std::vector<wchar_t> text(data.size() / sizeof(wchar_t) + 2, L'\0');
    if (!data.empty()) std::memcpy(text.data(), data.data(), data.size() / sizeof(wchar_t) * sizeof(wchar_t));
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    const wchar_t* at = text.data();
    const wchar_t* end = text.data() + data.size() / sizeof(wchar_t);
    while (at < end && *at != L'\0') {
        const std::wstring source = at;
        at += source.size() + 1;
        const std::wstring target = at < end ? at : L"";
        at += target.size() + 1;
        pairs.emplace_back(source, target);
    }
    return pairs;
}

} // namespace

PendingRenames::PendingRenames()
{
    m_data = ReadPendingValue(&m_existed);
}

PendingRenames::~PendingRenames()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (m_existed) {
        ::RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, m_data.data(), static_cast<DWORD>(m_data.size()));
    } else {
        ::RegDeleteValueW(key, kPendingValue);
    }
    ::RegCloseKey(key);
}

std::vector<std::wstring> PendingRenames::Added() const
{
    bool exists = false;
    const auto before = PendingPairs(m_data);
    const auto now = PendingPairs(ReadPendingValue(&exists));
    std::vector<std::wstring> added;
    // The list only grows at its end.
    for (size_t i = before.size(); i < now.size(); ++i) {
        std::wstring source = now[i].first;
        if (source.compare(0, 4, L"\\??\\") == 0) source.erase(0, 4);
        if (now[i].second.empty()) added.push_back(source);
    }
    return added;
}

ChildProcess::~ChildProcess()
{
    if (m_process != nullptr) {
        if (IsRunning()) {
            ::TerminateProcess(m_process, 99);
            ::WaitForSingleObject(m_process, 5000);
        }
        ::CloseHandle(m_process);
    }
    if (m_outputRead != nullptr) ::CloseHandle(m_outputRead);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_process(other.m_process), m_outputRead(other.m_outputRead), m_id(other.m_id),
      m_output(std::move(other.m_output))
{
    other.m_process = nullptr;
    other.m_outputRead = nullptr;
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments, bool captureOutput)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    HANDLE outputWrite = nullptr;
    if (captureOutput) {
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        if (!::CreatePipe(&m_outputRead, &outputWrite, &inherit, 0)) return false;
        ::SetHandleInformation(m_outputRead, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = outputWrite;
        startup.hStdError = outputWrite;
        startup.hStdInput = nullptr;
    }
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION info = {};
    const BOOL started = ::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, captureOutput, 0, nullptr,
                                          nullptr, &startup, &info);
    if (outputWrite != nullptr) ::CloseHandle(outputWrite);
    if (!started) return false;
    ::CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
    return true;
}

bool ChildProcess::Wait(DWORD milliseconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (;;) {
        if (m_outputRead != nullptr) {
            DWORD available = 0;
            while (::PeekNamedPipe(m_outputRead, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
                char buffer[4096];
                DWORD read = 0;
                if (!::ReadFile(m_outputRead, buffer, sizeof(buffer), &read, nullptr) || read == 0) break;
                m_output.append(buffer, read);
            }
        }
        if (!IsRunning()) {
            if (m_outputRead == nullptr) return true;
            // Drain what is left after the end.
            char buffer[4096];
            DWORD read = 0;
            DWORD available = 0;
            while (::PeekNamedPipe(m_outputRead, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
                   ::ReadFile(m_outputRead, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
                m_output.append(buffer, read);
            }
            return true;
        }
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(20);
    }
}

bool ChildProcess::IsRunning() const
{
    return m_process != nullptr && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process != nullptr) ::GetExitCodeProcess(m_process, &code);
    return code;
}

bool StartSleeperAs(const std::wstring& folder, const std::wstring& imageName, ChildProcess* child)
{
    const std::wstring target = folder + L"\\" + imageName;
    if (!::CopyFileW((ExeFolder() + L"sleeper.exe").c_str(), target.c_str(), FALSE)) return false;
    return child->Start(target, L"");
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace testsupport

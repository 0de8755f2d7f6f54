// Reads a top-level window from the Win32 side for the end-to-end tests, where X shows only
// the frame: its rectangle, visibility and the texts of its child windows (a message box's
// text lives in a child). Output is UTF-8.
//   winprobe find <title> <timeout ms>   "visible <0|1> rect <l> <t> <r> <b>", then one "text <...>"
//                                        line per child; exit 1 when absent
//   winprobe close <title>               posts WM_CLOSE; exit 1 when absent
//   winprobe hold <file> <ms>            holds the file open without sharing, prints "held", waits
//   winprobe pending                     one "delete <path>" line per deletion scheduled for the
//                                        next restart, in order
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintUtf8(const wchar_t* prefix, const std::wstring& text)
{
    const std::wstring line = prefix + text + L"\n";
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &out[0], bytes, nullptr,
                          nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    if (text[0] != 0) PrintUtf8(L"text ", text);
    return TRUE;
}

// Waits for the window to become visible: it can be found while it is still being created.
HWND FindTopLevel(const wchar_t* title, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND window = ::FindWindowW(nullptr, title);
        if ((window != nullptr && ::IsWindowVisible(window)) || ::GetTickCount() - start >= timeoutMs) return window;
        ::Sleep(20);
    }
}

// PendingFileRenameOperations: pairs of source and target, each ended by a NUL; a deletion has
// an empty target.
int PrintPendingDeletions()
{
    const wchar_t* key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr,
                       nullptr, &bytes) != ERROR_SUCCESS) {
        return 0;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 2, L'\0');
    ::RegGetValueW(HKEY_LOCAL_MACHINE, key, L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, &text[0],
                   &bytes);
    const size_t end = bytes / sizeof(wchar_t);
    size_t at = 0;
    while (at < end && text[at] != L'\0') {
        std::wstring source = text.c_str() + at;
        at += source.size() + 1;
        const std::wstring target = at < end ? text.c_str() + at : L"";
        at += target.size() + 1;
        if (source.compare(0, 4, L"\\??\\") == 0) source.erase(0, 4);
        if (target.empty()) PrintUtf8(L"delete ", source);
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 4 && std::wcscmp(argv[1], L"find") == 0) {
        HWND window = FindTopLevel(argv[2], static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
        if (window == nullptr) return 1;
        RECT rect = {};
        ::GetWindowRect(window, &rect);
        std::printf("visible %d rect %ld %ld %ld %ld\n", ::IsWindowVisible(window) ? 1 : 0, rect.left, rect.top,
                    rect.right, rect.bottom);
        ::EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"close") == 0) {
        HWND window = ::FindWindowW(nullptr, argv[2]);
        if (window == nullptr) return 1;
        return ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"hold") == 0) {
        HANDLE file = ::CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        std::printf("held\n");
        std::fflush(stdout);
        ::Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
        ::CloseHandle(file);
        return 0;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"pending") == 0) return PrintPendingDeletions();
    std::printf("usage: winprobe find <title> <timeout ms> | close <title> | hold <file> <ms> | pending\n");
    return 2;
}

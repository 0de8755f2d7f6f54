// Reads a top-level window from the Win32 side for the end-to-end tests, where X shows only
// the frame: its rectangle, visibility and the texts of its child windows (a message box's
// text lives in a child). Output is UTF-8.
//   winprobe find <title> <timeout ms>   "visible <0|1> rect <l> <t> <r> <b>", then one "text <...>"
//                                        line per child; exit 1 when absent
//   winprobe close <title>               posts WM_CLOSE; exit 1 when absent
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
    std::printf("usage: winprobe find <title> <timeout ms> | close <title>\n");
    return 2;
}

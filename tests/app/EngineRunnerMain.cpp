// Runs the uninstall engine in a process of its own, so that its process-ending last step
// can be observed from outside. Prints one line per report and per result.
//   engine_runner run                 the whole sequence; exit code 3 when Run returns
//   engine_runner selfdelete <folder> only the self-delete step; exit code 4 when it returns
#include "app/SelfDelete.h"
#include "app/UnInstall.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 2 && std::wcscmp(argv[1], L"run") == 0) {
        UnInstall& engine = UnInstall::GetSingleton();
        const DWORD start = ::GetTickCount();
        engine.m_progress = [start](int percent, const char* text) {
            std::printf("progress %d [%s] at %lu ms\n", percent, text, ::GetTickCount() - start);
            std::fflush(stdout);
        };
        const bool result = engine.Run();
        std::printf("returned %d\n", result ? 1 : 0);
        std::fflush(stdout);
        return 3;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"selfdelete") == 0) {
        const bool result = LaunchSelfDelete(VarnUI::CUIString(argv[2]));
        std::printf("returned %d\n", result ? 1 : 0);
        std::fflush(stdout);
        return 4;
    }
    std::printf("usage: engine_runner run | selfdelete <folder>\n");
    return 2;
}

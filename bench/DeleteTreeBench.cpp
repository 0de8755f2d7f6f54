// Deleting an installation-sized tree: the engine's link-checking sweep against the shell's
// own "rd /s /q" on an identical tree, in the same run. Prints medians of five runs.
#include "app/PathSafety.h"
#include "app/TextConversion.h"
#include "app/UnInstall.h"
#include "bench/BenchTree.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 40;
constexpr int kRuns = 5;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    const std::wstring base = L"C:\\varnbench";
    ::CreateDirectoryW(base.c_str(), nullptr);
    std::vector<double> engine, shell;
    for (int run = 0; run < kRuns; ++run) {
        const std::wstring ours = base + L"\\engine" + std::to_wstring(run);
        const std::wstring theirs = base + L"\\shell" + std::to_wstring(run);
        if (!bench::MakeTree(ours, kFolders, kFilesPerFolder) || !bench::MakeTree(theirs, kFolders, kFilesPerFolder)) {
            std::printf("could not build the trees under C:\\varnbench\n");
            return 1;
        }
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        UnInstall::GetSingleton().DeleteFolderTree(ours);
        ::QueryPerformanceCounter(&end);
        engine.push_back(Seconds(start, end));

        ::QueryPerformanceCounter(&start);
        bench::ShellRemove(theirs);
        ::QueryPerformanceCounter(&end);
        shell.push_back(Seconds(start, end));

        if (::GetFileAttributesW(ours.c_str()) != INVALID_FILE_ATTRIBUTES ||
            ::GetFileAttributesW(theirs.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::printf("a tree was not removed completely\n");
            return 1;
        }
    }
    ::RemoveDirectoryW(base.c_str());

    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    IsSafeFolderTarget(base + L"\\product");
    ::QueryPerformanceCounter(&end);

    const double ours = Median(engine);
    const double theirs = Median(shell);
    std::printf("tree: %d files in %d folders, median of %d runs\n", kFolders * kFilesPerFolder, kFolders, kRuns);
    std::printf("DeleteFolderTree (with link checks): %8.1f ms\n", ours * 1000.0);
    std::printf("cmd /c rd /s /q:                     %8.1f ms\n", theirs * 1000.0);
    std::printf("ratio engine/shell:                  %8.2f (target <= 1.50)\n", ours / theirs);
    std::printf("of which one target check:           %8.1f ms\n", Seconds(start, end) * 1000.0);
    return 0;
}

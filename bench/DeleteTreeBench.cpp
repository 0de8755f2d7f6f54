// Deleting an installation-sized tree: the engine's checking sweep (every entry opened and its
// name checked, held files looked for) against the plain deletion loop and the shell's own
// "rd /s /q" on identical trees, in the same run. The sweep is measured twice: walked in one
// go, and prepared ahead (as the engine does during its pause) with only the deleting part
// timed; the preparation's own time is printed beside it. Medians of seven interleaved runs.
#include "app/FolderSweep.h"
#include "app/PathSafety.h"
#include "app/UnInstall.h"
#include "bench/BenchTimer.h"
#include "bench/BenchTree.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 40;
constexpr int kRuns = 7;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool Gone(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

} // namespace

int main()
{
    const std::wstring base = L"C:\\varnbench";
    ::CreateDirectoryW(base.c_str(), nullptr);
    // Found once per process, in the engine's first pause; not part of a sweep.
    PrepareGuards();
    std::vector<double> engine, prepare, prepared, plain, shell;
    for (int run = 0; run < kRuns; ++run) {
        const std::wstring ours = base + L"\\engine" + std::to_wstring(run);
        const std::wstring ahead = base + L"\\ahead" + std::to_wstring(run);
        const std::wstring loop = base + L"\\plain" + std::to_wstring(run);
        const std::wstring theirs = base + L"\\shell" + std::to_wstring(run);
        if (!bench::MakeTree(ours, kFolders, kFilesPerFolder) || !bench::MakeTree(ahead, kFolders, kFilesPerFolder) ||
            !bench::MakeTree(loop, kFolders, kFilesPerFolder) ||
            !bench::MakeTree(theirs, kFolders, kFilesPerFolder)) {
            std::printf("could not build the trees under C:\\varnbench\n");
            return 1;
        }
        double start = bench::Now();
        UnInstall::GetSingleton().DeleteFolderTree(VarnUI::CUIString(ours.c_str()));
        engine.push_back(bench::Now() - start);
        FolderSweep sweep(FolderSweep::Mode::Delete);
        start = bench::Now();
        sweep.Prepare(VarnUI::CUIString(ahead.c_str()), ::GetTickCount64() + 60000);
        prepare.push_back(bench::Now() - start);
        start = bench::Now();
        sweep.Run(VarnUI::CUIString(ahead.c_str()));
        prepared.push_back(bench::Now() - start);
        start = bench::Now();
        bench::PlainRemoveTree(loop);
        plain.push_back(bench::Now() - start);
        start = bench::Now();
        bench::ShellRemove(theirs);
        shell.push_back(bench::Now() - start);
        if (!Gone(ours) || !Gone(ahead) || !Gone(loop) || !Gone(theirs)) {
            std::printf("a tree was not removed completely\n");
            return 1;
        }
    }
    ::RemoveDirectoryW(base.c_str());

    const double start = bench::Now();
    IsSafeFolderTarget(VarnUI::CUIString((base + L"\\product").c_str()));
    const double check = bench::Now() - start;

    std::printf("tree: %d files in %d folders, medians of %d runs\n", kFolders * kFilesPerFolder, kFolders, kRuns);
    std::printf("DeleteFolderTree (with every check): %8.1f ms\n", Median(engine) * 1000.0);
    std::printf("prepared ahead, then deleted:        %8.1f ms (preparing took %.1f ms)\n",
                Median(prepared) * 1000.0, Median(prepare) * 1000.0);
    std::printf("plain deletion loop (no checks):     %8.1f ms\n", Median(plain) * 1000.0);
    std::printf("cmd /c rd /s /q:                     %8.1f ms\n", Median(shell) * 1000.0);
    std::printf("ratio engine/plain loop:             %8.2f\n", Median(engine) / Median(plain));
    std::printf("ratio prepared/plain loop:           %8.2f\n", Median(prepared) / Median(plain));
    std::printf("of which one target check:           %8.1f ms\n", check * 1000.0);
    return 0;
}

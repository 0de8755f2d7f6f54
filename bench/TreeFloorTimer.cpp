// The floors for a whole uninstall run: the same tree as the run's installation, deleted by a
// plain deletion loop and by the shell's "rd /s /q". Prints medians in milliseconds, one
// "name value" line each, for bench/uninstaller_bench.py.
//   tree_floor_timer <folders> <files per folder> <runs> [plain]   ("plain": the loop alone)
#include "bench/BenchTimer.h"
#include "bench/BenchTree.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::printf("usage: tree_floor_timer <folders> <files per folder> <runs>\n");
        return 2;
    }
    const int folders = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    const int files = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const int runs = std::max(1, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    const bool plainOnly = argc >= 5 && std::wcscmp(argv[4], L"plain") == 0;
    const std::wstring tree = L"C:\\varnfloor";
    bench::PlainRemoveTree(tree);

    std::vector<double> plain, shell;
    for (int run = 0; run < runs; ++run) {
        if (!bench::MakeTree(tree, folders, files)) {
            std::printf("could not make the tree in C:\\varnfloor\n");
            return 1;
        }
        double start = bench::Now();
        const bool removed = bench::PlainRemoveTree(tree);
        plain.push_back(bench::Now() - start);
        if (!removed) return 1;
        if (plainOnly) continue;
        if (!bench::MakeTree(tree, folders, files)) return 1;
        start = bench::Now();
        bench::ShellRemove(tree);
        shell.push_back(bench::Now() - start);
        if (::GetFileAttributesW(tree.c_str()) != INVALID_FILE_ATTRIBUTES) return 1;
    }
    std::printf("plain_loop_ms %.1f\n", Median(plain) * 1000.0);
    if (!plainOnly) std::printf("shell_rd_ms %.1f\n", Median(shell) * 1000.0);
    return 0;
}

// Layout cost: one SetPos of a vertical layout with a vertical scroll bar over 1,000 and over
// 10,000 fixed-height children, each tree on a manager bound to a hidden window. Layout is
// linear, so the ratio of the two should stay near 10. The two sizes are timed in alternating
// rounds, so that a busy machine weighs on both alike; the fastest round is the figure.
#include "BenchTimer.h"

#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/VerticalLayoutUI.h"
#include "ui/manager/ManagerUI.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kChildHeight = 20;
constexpr RECT kPlace = {0, 0, 300, 400};
constexpr int kRounds = 31;

HWND MakeHiddenWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VarnLayoutBench";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"layout bench", WS_POPUP, 0, 0, 300, 400, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

struct Tree {
    VarnUI::CManagerUI manager;
    VarnUI::CVerticalLayoutUI* layout = nullptr;
    int batch = 1;   // placements per sample, so that a small tree is not lost in timer noise
    double fastest = 1e9;
    std::vector<double> samples;
};

void Build(Tree& tree, HWND window, int count, int batch)
{
    tree.manager.Init(window);
    tree.layout = new VarnUI::CVerticalLayoutUI;
    tree.layout->EnableScrollBar(true, false);
    tree.manager.AttachRoot(tree.layout);
    for (int i = 0; i < count; ++i) {
        auto* child = new VarnUI::CControlUI;
        child->SetFixedHeight(kChildHeight);
        tree.layout->Add(child);
    }
    tree.batch = batch;
    // The first placement shows the bar; the timed ones are the steady state.
    tree.layout->SetPos(kPlace, false);
}

// One sample: seconds per SetPos. Without invalidation: the window server's round trip is no
// part of the layout.
void Sample(Tree& tree)
{
    const double start = bench::Now();
    for (int i = 0; i < tree.batch; ++i) tree.layout->SetPos(kPlace, false);
    const double seconds = (bench::Now() - start) / tree.batch;
    tree.fastest = std::min(tree.fastest, seconds);
    tree.samples.push_back(seconds);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    HWND window = MakeHiddenWindow();
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    auto small = std::make_unique<Tree>();
    auto large = std::make_unique<Tree>();
    Build(*small, window, 1000, 20);
    Build(*large, window, 10000, 2);
    for (int round = 0; round < kRounds; ++round) {
        Sample(*small);
        Sample(*large);
    }
    const int smallRange = small->layout->GetVerticalScrollBar()->GetScrollRange();
    const int largeRange = large->layout->GetVerticalScrollBar()->GetScrollRange();
    if (smallRange != 1000 * kChildHeight - kPlace.bottom || largeRange != 10000 * kChildHeight - kPlace.bottom) {
        std::printf("unexpected scroll ranges %d and %d\n", smallRange, largeRange);
        return 1;
    }
    std::printf("vertical layout with a scroll bar, children %d px high, one SetPos, %d rounds\n", kChildHeight,
                kRounds);
    std::printf("                 fastest     median\n");
    std::printf("1,000 children:  %7.3f ms %7.3f ms\n", small->fastest * 1000.0, Median(small->samples) * 1000.0);
    std::printf("10,000 children: %7.3f ms %7.3f ms\n", large->fastest * 1000.0, Median(large->samples) * 1000.0);
    std::printf("ratio:           %7.2f    %7.2f    (linear: near 10)\n", large->fastest / small->fastest,
                Median(large->samples) / Median(small->samples));
    large.reset();
    small.reset();
    ::DestroyWindow(window);
    return 0;
}

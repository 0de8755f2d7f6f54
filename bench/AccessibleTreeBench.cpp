// What a screen reader's look at the uninstall page costs the window: the uninstaller's real
// window (hidden, laid out, on its uninstall page) is asked for its client object, and the
// whole presented tree is walked reading what a reader reads of each object (name, role,
// state, location, value, default action, children). Each round releases every object below
// the client object, so the next walk builds them all again. Timed apart: the first request
// of the process (it loads the accessibility library), the platform's hand-over of the client
// object (a request released at once, nothing walked), and a whole round of request, walk and
// release. Baseline: the same visit over the controls themselves, without objects or the
// platform (what reading the tree costs at all).
#include "app/MainFrame.h"
#include "bench/BenchTimer.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/AccessibleTraits.h"
#include "ui/manager/OleAccLibrary.h"
#include "ui/skin/SkinResources.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 200;

VARIANT Self()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

void Read(IAccessible* object)
{
    BSTR text = nullptr;
    VARIANT value;
    LONG n = 0;
    if (object->get_accName(Self(), &text) == S_OK) ::SysFreeString(text);
    if (object->get_accValue(Self(), &text) == S_OK) ::SysFreeString(text);
    if (object->get_accDefaultAction(Self(), &text) == S_OK) ::SysFreeString(text);
    object->get_accRole(Self(), &value);
    object->get_accState(Self(), &value);
    object->accLocation(&n, &n, &n, &n, Self());
}

// Reads object and everything under it; the number of objects visited.
int Walk(IAccessible* object)
{
    Read(object);
    int visited = 1;
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG i = 1; i <= count; ++i) {
        VARIANT id = Self();
        id.lVal = i;
        IDispatch* child = nullptr;
        if (object->get_accChild(id, &child) != S_OK || child == nullptr) continue;
        void* accessible = nullptr;
        child->QueryInterface(VarnUI::kIidAccessible, &accessible);
        child->Release();
        if (accessible == nullptr) continue;
        visited += Walk(static_cast<IAccessible*>(accessible));
        static_cast<IAccessible*>(accessible)->Release();
    }
    return visited;
}

IAccessible* Request(HWND window)
{
    void* object = nullptr;
    ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), VarnUI::kIidAccessible, &object);
    return static_cast<IAccessible*>(object);
}

// The baseline: the same presented tree and the same readings, straight from the controls.
int VisitControls(VarnUI::CControlUI* control)
{
    using namespace VarnUI;
    CUIString value;
    RECT bounds;
    volatile LONG sink = AccessibleRole(control) + AccessibleState(control, false);
    (void)sink;
    AccessibleName(control);
    AccessibleValue(control, value);
    AccessibleDefaultAction(control);
    AccessibleBounds(control, bounds);
    CUIPtrArray children;
    AccessibleChildren(control, children);
    int visited = 1;
    for (int i = 0; i < children.GetSize(); ++i) visited += VisitControls(static_cast<CControlUI*>(children[i]));
    return visited;
}

struct Figures {
    std::vector<double> build;      // walk from a kept client object, every object below made anew
    std::vector<double> request;    // request and release alone
    std::vector<double> whole;      // request, walk, release
    std::vector<double> controls;   // the baseline
};

double Ms(std::vector<double> values, bool fastest = false)
{
    std::sort(values.begin(), values.end());
    return (fastest ? values.front() : values[values.size() / 2]) * 1000.0;
}

} // namespace

int main()
{
    ::CoInitialize(nullptr);
    VarnUI::CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    auto* frame = new MainFrame;
    const HWND window = frame->Create(nullptr, L"卸载程序", 0x96C80000 & ~WS_VISIBLE, 0, 0, 0, 0, 0);
    if (window == nullptr) {
        std::printf("the window was not created\n");
        return 1;
    }
    VarnUI::CControlUI* root = frame->PaintManager().GetRoot();
    RECT client = {};
    ::GetClientRect(window, &client);
    root->SetPos(client, false);

    double start = bench::Now();
    IAccessible* first = Request(window);
    const double firstRequest = bench::Now() - start;
    if (first == nullptr) {
        std::printf("the window answered no object\n");
        return 1;
    }
    const int objects = Walk(first);
    first->Release();

    Figures figures;
    int controls = 0;
    IAccessible* kept = Request(window);
    for (int i = 0; i < kRounds; ++i) {
        // Alternating, so that a busy machine weighs on all of them alike.
        start = bench::Now();
        Walk(kept);
        figures.build.push_back(bench::Now() - start);

        start = bench::Now();
        Request(window)->Release();
        figures.request.push_back(bench::Now() - start);

        start = bench::Now();
        IAccessible* object = Request(window);
        Walk(object);
        object->Release();
        figures.whole.push_back(bench::Now() - start);

        start = bench::Now();
        controls = VisitControls(root);
        figures.controls.push_back(bench::Now() - start);
    }
    kept->Release();
    const double build = Ms(figures.build);
    const double baseline = Ms(figures.controls);
    std::printf("uninstall page: %d presented objects (%d controls visited directly), median of %d rounds\n",
                objects, controls, kRounds);
    std::printf("build and walk the whole accessible tree:         %8.3f ms (fastest %.3f)  (target < 1 ms)\n",
                build, Ms(figures.build, true));
    std::printf("baseline: the same readings from the controls:    %8.3f ms\n", baseline);
    std::printf("ratio of the two:                                 %8.1f\n", build / baseline);
    std::printf("the platform's hand-over of the client object:    %8.3f ms\n", Ms(figures.request));
    std::printf("a whole round: request, build, walk, release:     %8.3f ms\n", Ms(figures.whole));
    std::printf("first request of the process (loads the library): %7.3f ms\n", firstRequest * 1000.0);
    ::DestroyWindow(window);
    return 0;
}

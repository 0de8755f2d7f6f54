// What creating the uninstaller's window costs in skin work: with the embedded archive
// selected (once per process, as the program does), build "install.xml" with its seven
// included documents into a manager bound to a real (hidden) host window, attach the tree and
// lay it out at the window's size. The same round also reads the eight documents out of the
// archive and parses them on their own, so that the share of extraction and parsing in the
// build can be given from one run. Two more figures for orientation: the same documents built
// without a manager (no fonts, images or window: the builder and the controls alone), and the
// first paint, shown apart.
#include "bench/BenchTimer.h"

#include "ui/base/DpiScale.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinBuilder.h"
#include "ui/skin/SkinFileReader.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/XmlDoc.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 20;
const wchar_t* const kDocuments[] = {L"install.xml",          L"default.xml",         L"configpage.xml",
                                     L"installingpage.xml",   L"finishpage.xml",      L"uninstallpage.xml",
                                     L"uninstallingpage.xml", L"uninstallfinishpage.xml"};

// A hidden popup whose messages go to its manager first, as the window base's do.
class HostWindow {
public:
    HostWindow()
    {
        static const ATOM registered = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = Procedure;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VarnSkinBuildBench";
            return ::RegisterClassW(&wc);
        }();
        (void)registered;
        m_window = ::CreateWindowExW(0, L"VarnSkinBuildBench", L"skin build bench", WS_POPUP, 0, 0, 100, 100,
                                     nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
        m_manager.Init(m_window, L"bench");
    }
    ~HostWindow()
    {
        if (m_window != nullptr) ::DestroyWindow(m_window);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return m_window; }
    VarnUI::CManagerUI& manager() { return m_manager; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* host = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        LRESULT result = 0;
        if (host != nullptr && message != WM_NCDESTROY &&
            host->m_manager.MessageHandler(message, wParam, lParam, result)) {
            return result;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    VarnUI::CManagerUI m_manager;
    HWND m_window = nullptr;
};

struct Round {
    double build = 0;    // builder, attach and first layout
    double bare = 0;     // the same build without a manager
    double extract = 0;  // the eight documents out of the archive
    double parse = 0;    // the eight documents parsed from their bytes
    double paint = 0;    // first paint into a bitmap, images loaded on the way
    int controls = 0;
};

int CountControls(VarnUI::CControlUI* root)
{
    int count = 0;
    root->FindControl([](VarnUI::CControlUI*, void* data) -> VarnUI::CControlUI* {
        ++*static_cast<int*>(data);
        return nullptr;
    }, &count, 0);
    return count;
}

bool BuildOnce(Round& round, int dpi = VarnUI::kBaseDpi)
{
    HostWindow host;
    host.manager().SetDpi(dpi);
    double start = bench::Now();
    VarnUI::CSkinBuilder builder;
    VarnUI::CControlUI* root = builder.Create(L"install.xml", nullptr, nullptr, &host.manager());
    if (root == nullptr || !host.manager().AttachRoot(root)) return false;
    RECT client = {};
    ::GetClientRect(host.get(), &client);
    root->SetPos(client, false);
    round.build = bench::Now() - start;

    start = bench::Now();
    VarnUI::CSkinBuilder bareBuilder;
    VarnUI::CControlUI* bare = bareBuilder.Create(L"install.xml");
    round.bare = bench::Now() - start;
    if (bare == nullptr) return false;
    bare->Destroy();

    // The documents again, each step on its own.
    std::vector<VarnUI::CSkinFileBytes> files(sizeof(kDocuments) / sizeof(kDocuments[0]));
    start = bench::Now();
    for (size_t i = 0; i < files.size(); ++i) {
        if (!VarnUI::ReadSkinFile(kDocuments[i], files[i])) return false;
    }
    round.extract = bench::Now() - start;
    start = bench::Now();
    for (const VarnUI::CSkinFileBytes& file : files) {
        VarnUI::CXmlDoc doc;
        if (!doc.LoadFromBytes(file.GetData(), file.GetSize(), VarnUI::XMLENC_UTF8)) return false;
    }
    round.parse = bench::Now() - start;

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    start = bench::Now();
    root->Paint(dc, client, nullptr);
    round.paint = bench::Now() - start;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);

    round.controls = CountControls(root);
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    VarnUI::CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
    const double selectStart = bench::Now();
    if (!VarnUI::CSkinResources::SelectZipResource(157)) {
        std::printf("the skin archive resource is missing\n");
        return 1;
    }
    const double select = bench::Now() - selectStart;

    // One round first, unmeasured: fonts, the renderer's look-ups and the code's pages warm up,
    // as they have by the time a real window is created after the program's start.
    Round warm;
    if (!BuildOnce(warm)) {
        std::printf("install.xml did not build\n");
        return 1;
    }
    std::vector<double> build, bare, extract, parse, paint, share;
    for (int i = 0; i < kRuns; ++i) {
        Round round;
        if (!BuildOnce(round)) {
            std::printf("install.xml did not build\n");
            return 1;
        }
        build.push_back(round.build);
        bare.push_back(round.bare);
        extract.push_back(round.extract);
        parse.push_back(round.parse);
        paint.push_back(round.paint);
        share.push_back((round.extract + round.parse) / round.build);
    }
    std::printf("install.xml and its 7 includes, %d controls, median of %d runs\n", warm.controls, kRuns);
    std::printf("archive selection (once per process): %8.3f ms\n", select * 1000.0);
    std::printf("build, attach and first layout:       %8.3f ms  (target < 5 ms)\n", Median(build) * 1000.0);
    std::printf("  zip extraction of the 8 documents:  %8.3f ms\n", Median(extract) * 1000.0);
    std::printf("  XML parsing of the 8 documents:     %8.3f ms\n", Median(parse) * 1000.0);
    std::printf("  share of extraction and parsing:    %8.1f %%\n", Median(share) * 100.0);
    std::printf("the same build without a manager:     %8.3f ms\n", Median(bare) * 1000.0);
    std::printf("first paint into a bitmap:            %8.3f ms  (not part of the build)\n", Median(paint) * 1000.0);

    // The same window made for a display at 200 per cent: four times the pixels of every image
    // are decoded (from the skin's "@2x" variants) and stored.
    std::vector<double> scaled;
    for (int i = 0; i < kRuns; ++i) {
        Round round;
        if (!BuildOnce(round, 192)) {
            std::printf("install.xml did not build at 192 DPI\n");
            return 1;
        }
        scaled.push_back(round.build);
    }
    std::printf("build, attach and first layout at 192 DPI: %8.3f ms  (%.2f x the 96 DPI build)\n",
                Median(scaled) * 1000.0, Median(scaled) / Median(build));
    return 0;
}

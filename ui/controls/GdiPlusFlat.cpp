#include "ui/controls/GdiPlusFlat.h"

#include "ui/base/RunOnce.h"
#include "ui/base/SystemLibrary.h"

#include <atomic>

namespace VarnUI {
namespace {

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_sessions{0};

bool LoadApi(GdiPlusApi& api)
{
    HMODULE module = LoadSystemLibrary(L"gdiplus.dll");
    if (module == nullptr) return false;
    return ResolveProc(module, "GdiplusStartup", api.Startup) && ResolveProc(module, "GdiplusShutdown", api.Shutdown) &&
           ResolveProc(module, "GdipCreateFromHDC", api.CreateFromHDC) &&
           ResolveProc(module, "GdipDeleteGraphics", api.DeleteGraphics) &&
           ResolveProc(module, "GdipSetTextRenderingHint", api.SetTextRenderingHint) &&
           ResolveProc(module, "GdipSetInterpolationMode", api.SetInterpolationMode) &&
           ResolveProc(module, "GdipScaleWorldTransform", api.ScaleWorldTransform) &&
           ResolveProc(module, "GdipCreateFontFromDC", api.CreateFontFromDC) &&
           ResolveProc(module, "GdipCreateFontFromLogfontW", api.CreateFontFromLogfontW) &&
           ResolveProc(module, "GdipDeleteFont", api.DeleteFont) &&
           ResolveProc(module, "GdipCreateStringFormat", api.CreateStringFormat) &&
           ResolveProc(module, "GdipSetStringFormatAlign", api.SetStringFormatAlign) &&
           ResolveProc(module, "GdipSetStringFormatLineAlign", api.SetStringFormatLineAlign) &&
           ResolveProc(module, "GdipDeleteStringFormat", api.DeleteStringFormat) &&
           ResolveProc(module, "GdipCreateLineBrush", api.CreateLineBrush) &&
           ResolveProc(module, "GdipCreateSolidFill", api.CreateSolidFill) &&
           ResolveProc(module, "GdipDeleteBrush", api.DeleteBrush) &&
           ResolveProc(module, "GdipDrawString", api.DrawString) &&
           ResolveProc(module, "GdipCreateBitmapFromScan0", api.CreateBitmapFromScan0) &&
           ResolveProc(module, "GdipGetImageGraphicsContext", api.GetImageGraphicsContext) &&
           ResolveProc(module, "GdipDrawImageRectI", api.DrawImageRectI) &&
           ResolveProc(module, "GdipDisposeImage", api.DisposeImage);
}

} // namespace

const GdiPlusApi* GetGdiPlusApi()
{
    // The module is never freed: sessions may still be shutting down at process exit.
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static GdiPlusApi api = {};
    return RunOnce(once, [] { return LoadApi(api); }) ? &api : nullptr;
}

bool CGdiPlusSession::Start()
{
    if (m_started) return true;
    const GdiPlusApi* api = GetGdiPlusApi();
    if (api == nullptr) return false;
    GdiPlusApi::StartupInput input = {1, nullptr, FALSE, FALSE};
    m_started = api->Startup(&m_token, &input, nullptr) == kGdiPlusOk;
    if (m_started) ++g_sessions;
    return m_started;
}

CGdiPlusSession::~CGdiPlusSession()
{
    if (!m_started) return;
    GetGdiPlusApi()->Shutdown(m_token);
    --g_sessions;
}

long CGdiPlusSession::ActiveCount()
{
    return g_sessions;
}

long GdiPlusLiveObjects()
{
    return g_liveObjects;
}

void CountGdiPlusObject(int delta)
{
    g_liveObjects += delta;
}

} // namespace VarnUI

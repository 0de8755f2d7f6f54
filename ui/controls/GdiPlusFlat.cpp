#include "ui/controls/GdiPlusFlat.h"

#include <atomic>

namespace VarnUI {
namespace {

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_sessions{0};

HMODULE LoadSystemGdiPlus()
{
    HMODULE module = ::LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // Systems without the restricted search flags reject it; a full path into the system
    // folder keeps the same guarantee there.
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    const wchar_t name[] = L"\\gdiplus.dll";
    if (length == 0 || length + sizeof(name) / sizeof(name[0]) > MAX_PATH) return nullptr;
    for (UINT i = 0; i < sizeof(name) / sizeof(name[0]); ++i) path[length + i] = name[i];
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& slot)
{
    FARPROC entry = ::GetProcAddress(module, name);
    // Cast through void* to keep the compiler quiet about casting between function types.
    slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(entry));
    return entry != nullptr;
}

bool LoadApi(GdiPlusApi& api)
{
    HMODULE module = LoadSystemGdiPlus();
    if (module == nullptr) return false;
    return Resolve(module, "GdiplusStartup", api.Startup) && Resolve(module, "GdiplusShutdown", api.Shutdown) &&
           Resolve(module, "GdipCreateFromHDC", api.CreateFromHDC) &&
           Resolve(module, "GdipDeleteGraphics", api.DeleteGraphics) &&
           Resolve(module, "GdipSetTextRenderingHint", api.SetTextRenderingHint) &&
           Resolve(module, "GdipSetInterpolationMode", api.SetInterpolationMode) &&
           Resolve(module, "GdipScaleWorldTransform", api.ScaleWorldTransform) &&
           Resolve(module, "GdipCreateFontFromDC", api.CreateFontFromDC) &&
           Resolve(module, "GdipCreateFontFromLogfontW", api.CreateFontFromLogfontW) &&
           Resolve(module, "GdipDeleteFont", api.DeleteFont) &&
           Resolve(module, "GdipCreateStringFormat", api.CreateStringFormat) &&
           Resolve(module, "GdipSetStringFormatAlign", api.SetStringFormatAlign) &&
           Resolve(module, "GdipSetStringFormatLineAlign", api.SetStringFormatLineAlign) &&
           Resolve(module, "GdipDeleteStringFormat", api.DeleteStringFormat) &&
           Resolve(module, "GdipCreateLineBrush", api.CreateLineBrush) &&
           Resolve(module, "GdipCreateSolidFill", api.CreateSolidFill) &&
           Resolve(module, "GdipDeleteBrush", api.DeleteBrush) &&
           Resolve(module, "GdipDrawString", api.DrawString) &&
           Resolve(module, "GdipCreateBitmapFromScan0", api.CreateBitmapFromScan0) &&
           Resolve(module, "GdipGetImageGraphicsContext", api.GetImageGraphicsContext) &&
           Resolve(module, "GdipDrawImageRectI", api.DrawImageRectI) &&
           Resolve(module, "GdipDisposeImage", api.DisposeImage);
}

} // namespace

const GdiPlusApi* GetGdiPlusApi()
{
    // The module is never freed: sessions may still be shutting down at process exit.
    static GdiPlusApi api = {};
    static const bool loaded = LoadApi(api);
    return loaded ? &api : nullptr;
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

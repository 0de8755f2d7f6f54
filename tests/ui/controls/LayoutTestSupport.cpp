#include "LayoutTestSupport.h"

#include "ui/manager/ManagerUI.h"

#include <cstdio>

namespace VarnTest {

VarnUI::CControlUI* MakeKid(const Kid& kid)
{
    auto* control = new VarnUI::CControlUI;
    control->SetFixedWidth(kid.width);
    control->SetFixedHeight(kid.height);
    control->SetPadding(kid.padding);
    control->SetMinWidth(kid.minWidth);
    control->SetMaxWidth(kid.maxWidth);
    control->SetMinHeight(kid.minHeight);
    control->SetMaxHeight(kid.maxHeight);
    return control;
}

std::string Str(const RECT& rc)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%ld,%ld,%ld,%ld", static_cast<long>(rc.left), static_cast<long>(rc.top),
                  static_cast<long>(rc.right), static_cast<long>(rc.bottom));
    return text;
}

Surface::Surface(int width, int height) : m_width(width)
{
    m_dc.reset(::CreateCompatibleDC(nullptr));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<DWORD*>(bits);
    m_select = std::make_unique<VarnUI::CSelectScope>(m_dc.get(), m_bitmap.get());
}

DWORD Surface::Pixel(int x, int y) const
{
    ::GdiFlush();
    return m_bits != nullptr ? m_bits[y * m_width + x] : 0;
}

void NoticeLog::Notify(VarnUI::NotifyUI& msg)
{
    all.push_back({msg.type.GetData(), msg.sender, msg.wParam, msg.lParam});
}

std::vector<Notice> NoticeLog::Of(const wchar_t* type) const
{
    std::vector<Notice> found;
    for (const Notice& notice : all) {
        if (notice.type == type) found.push_back(notice);
    }
    return found;
}

void PumpManager(VarnUI::CManagerUI& manager)
{
    MSG msg;
    while (::PeekMessageW(&msg, manager.GetPaintWindow(), 0, 0, PM_REMOVE)) {
        LRESULT result = 0;
        if (!manager.MessageHandler(msg.message, msg.wParam, msg.lParam, result)) ::DispatchMessageW(&msg);
    }
}

VarnUI::EventUI MakeEvent(int type, POINT pt, WPARAM wParam)
{
    VarnUI::EventUI event;
    event.type = type;
    event.mouse = pt;
    event.wParam = wParam;
    event.timestamp = ::GetTickCount();
    return event;
}

} // namespace VarnTest

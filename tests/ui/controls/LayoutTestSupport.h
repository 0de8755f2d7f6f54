// Helpers for the layout and scroll bar tests: children with fixed wishes, printable
// rectangles, a 32-bit surface to paint into, and a listener that records notifications.
#pragma once

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerTypes.h"
#include "ui/render/GdiHandles.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace VarnUI {
class CManagerUI;
}

namespace VarnTest {

// A child's wishes, in the order they are usually written.
struct Kid {
    int width = 0;
    int height = 0;
    RECT padding = {0, 0, 0, 0};
    int minWidth = 0;
    int maxWidth = 9999;
    int minHeight = 0;
    int maxHeight = 9999;
};

VarnUI::CControlUI* MakeKid(const Kid& kid);
std::string Str(const RECT& rc);

// A top-down 32-bit DIB section selected into a memory DC.
class Surface {
public:
    Surface(int width, int height);
    HDC dc() const { return m_dc.get(); }
    // 0xAARRGGBB as stored.
    DWORD Pixel(int x, int y) const;

private:
    int m_width;
    VarnUI::CMemoryDC m_dc;
    VarnUI::CGdiBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    std::unique_ptr<VarnUI::CSelectScope> m_select;
};

struct Notice {
    std::wstring type;
    VarnUI::CControlUI* sender;
    WPARAM wParam;
    LPARAM lParam;
};

class NoticeLog : public VarnUI::INotifyUI {
public:
    void Notify(VarnUI::NotifyUI& msg) override;
    // The notifications of one type, in order.
    std::vector<Notice> Of(const wchar_t* type) const;
    std::vector<Notice> all;
};

// Hands the window's pending messages (the manager's posted one among them) to the
// manager's handler.
void PumpManager(VarnUI::CManagerUI& manager);

VarnUI::EventUI MakeEvent(int type, POINT pt = {0, 0}, WPARAM wParam = 0);

} // namespace VarnTest

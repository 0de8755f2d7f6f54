// Helpers of the widget tests: a window whose messages go to a paint manager with a
// small root container, a notification log, a 32-bit canvas to paint controls into and read
// back, and BMP pictures written to temporary files for the image attributes.
#pragma once

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace WidgetTest {

// Owns its children and searches them the way containers do (last child on top).
class CTestRoot : public VarnUI::CControlUI {
public:
    ~CTestRoot() override;
    const wchar_t* GetClassName() const override { return L"TestRoot"; }
    void Add(VarnUI::CControlUI* child);
    void SetManager(VarnUI::CManagerUI* manager, VarnUI::CControlUI* parent, bool init = true) override;
    VarnUI::CControlUI* FindControl(VarnUI::FindControlProc proc, void* data, UINT flags) override;
    bool PaintContent(HDC dc, const RECT& updateRect, VarnUI::CControlUI* stopControl) override;
    // Every event that bubbled up from a child, by type.
    void HandleEvent(VarnUI::EventUI& event) override { bubbled.push_back(event.type); }

    std::vector<int> bubbled;

private:
    std::vector<VarnUI::CControlUI*> m_children;
};

// One notification as the listener saw it.
struct Note {
    std::wstring type;
    VarnUI::CControlUI* sender;
    WPARAM wParam;
};

// A popup window of the given client size (shown, not activated), its manager and a root
// filling the window.
class CWidgetHost : public VarnUI::INotifyUI {
public:
    explicit CWidgetHost(int width = 300, int height = 200);
    ~CWidgetHost() override;
    CWidgetHost(const CWidgetHost&) = delete;
    CWidgetHost& operator=(const CWidgetHost&) = delete;

    HWND window() const { return m_window; }
    VarnUI::CManagerUI& manager() { return *m_manager; }
    CTestRoot& root() { return *m_root; }

    // Adopts the control under the root at rc (client coordinates).
    template <typename T>
    T* Add(T* control, RECT rc)
    {
        m_root->Add(control);
        control->SetPos(rc, false);
        return control;
    }

    // Sends one event to the control, as the manager would route it.
    void Send(VarnUI::CControlUI* control, int type, POINT pt, WPARAM wParam = 0, wchar_t key = 0);
    // Real mouse messages to the window (client coordinates).
    void MouseDown(POINT pt);
    void MouseMove(POINT pt);
    void MouseUp(POINT pt);
    void Wheel(POINT pt, int delta);

    // Validates the whole window; then HasUpdate tells whether anything invalidated it since.
    void Validate();
    bool HasUpdate() const;
    // Dispatches the window's pending messages (timers included) for about ms milliseconds.
    void Pump(DWORD ms);

    void Notify(VarnUI::NotifyUI& msg) override;
    // The notifications from controls other than the manager's own focus ones.
    std::vector<Note> notes;
    std::vector<std::wstring> Types() const;

private:
    void PlacePointer(POINT pt);

    HWND m_window = nullptr;
    std::unique_ptr<VarnUI::CManagerUI> m_manager;   // owns the root
    CTestRoot* m_root = nullptr;
};

// A top-down 32-bit DIB section with its own DC.
class CCanvas {
public:
    CCanvas(int width, int height, std::uint32_t fill = 0xFFFFFFFF);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    HDC dc() const { return m_dc; }
    void Fill(std::uint32_t color);
    // 0x00RRGGBB (the alpha byte is dropped: GDI leaves it to chance).
    std::uint32_t Pixel(int x, int y) const;
    // Pixels of the rectangle whose colour is exactly rgb.
    int Count(const RECT& rc, std::uint32_t rgb) const;
    // Pixels of the rectangle that differ from rgb.
    int CountOther(const RECT& rc, std::uint32_t rgb) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    std::uint32_t* m_bits = nullptr;
};

// Paints the control as the manager would for an update of the whole canvas.
void PaintInto(CCanvas& canvas, VarnUI::CControlUI& control);

// Writes an opaque 24-bit BMP (colours 0x00RRGGBB) to a temporary file; the full path, usable
// as an image name.
std::wstring WriteBmp(const wchar_t* name, int width, int height,
                      const std::function<std::uint32_t(int x, int y)>& pixel);

} // namespace WidgetTest

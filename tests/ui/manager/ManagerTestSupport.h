// Helpers for the manager and control tests: a plain top-level (or child) window, a window
// that hands its messages to a manager the way the window base does, a minimal container
// that owns, searches and paints its children, controls and listeners that log what reaches
// them, a 32-bit canvas to read pixels from, and GDI object checks.
#pragma once

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace VarnTest {

class TestWindow {
public:
    // A hidden popup window of that client size, or a child of parent when one is given.
    explicit TestWindow(int width = 300, int height = 200, HWND parent = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

// A popup window whose procedure offers every message to its manager first; it remembers
// whether the manager handled each message the last time it came.
class HostWindow {
public:
    // A child of parent when one is given.
    explicit HostWindow(int width = 300, int height = 200, bool visible = false, HWND parent = nullptr);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return m_window; }
    VarnUI::CManagerUI& manager() { return m_manager; }
    bool Handled(UINT message) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Mouse messages at a client point.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0) const;
    // Runs queued messages through the translate step, as the message loop does.
    static void Pump();
    // Paints everything that is invalid now (a visible window only).
    void PaintNow() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    VarnUI::CManagerUI m_manager;
    HWND m_window = nullptr;
    std::map<UINT, bool> m_handled;
};

// Owns its children; visits them in order (backwards with FIND_TOP_FIRST), then itself;
// paints itself, then its visible children in order.
class TestContainer : public VarnUI::CControlUI {
public:
    ~TestContainer() override;
    const wchar_t* GetClassName() const override { return L"TestContainer"; }
    void Add(VarnUI::CControlUI* child);
    // Takes the child out of the list; it is disposed of with Destroy.
    void RemoveAndDestroy(VarnUI::CControlUI* child);
    void SetManager(VarnUI::CManagerUI* manager, VarnUI::CControlUI* parent, bool init = true) override;
    VarnUI::CControlUI* FindControl(VarnUI::FindControlProc proc, void* data, UINT flags) override;
    bool Paint(HDC dc, const RECT& updateRect, VarnUI::CControlUI* stopControl = nullptr) override;
    void SetVisible(bool visible = true) override;
    void SetInheritedVisible(bool visible = true) override;

private:
    std::vector<VarnUI::CControlUI*> m_children;
};

// Appends "name.event " to a shared log for every event it handles, keeps the records, and
// answers the control flags it was given.
class LoggingControl : public VarnUI::CControlUI {
public:
    LoggingControl(const wchar_t* name, RECT pos, std::wstring* log, UINT flags = 0);
    UINT QueryControlFlags() const override { return m_flags; }
    void HandleEvent(VarnUI::EventUI& event) override;
    void SetFlags(UINT flags) { m_flags = flags; }

    std::vector<VarnUI::EventUI> events;

private:
    std::wstring* m_log;
    UINT m_flags;
};

// A short name for an event type ("enter", "down", ...).
const wchar_t* EventName(int type);

// Logs "type:sender " per notification ("-" without sender) and keeps the records.
class NotifyLog : public VarnUI::INotifyUI {
public:
    void Notify(VarnUI::NotifyUI& msg) override;
    std::wstring log;
    std::vector<VarnUI::NotifyUI> records;
};

// A 32-bit top-down DIB section selected into its own memory DC.
class Canvas {
public:
    Canvas(int width, int height, DWORD fill = 0xFFFFFFFF);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc; }
    // 0x00RRGGBB of a pixel (the alpha byte is left out).
    DWORD At(int x, int y) const;
    void Fill(DWORD rgb);

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
    int m_width;
    int m_height;
};

// 0x00RRGGBB of a pixel of a window as it shows on screen.
DWORD WindowPixel(HWND window, int x, int y);

// A control with a given class name and position.
VarnUI::CControlUI* MakeControl(const wchar_t* name, RECT pos);

// The process's GDI object count where the platform reports it (0 otherwise).
DWORD GdiObjectCount();
// A GDI handle that no longer names an object.
bool IsDeadGdiObject(HGDIOBJ object);

} // namespace VarnTest

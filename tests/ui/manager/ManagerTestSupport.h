// Helpers for the manager tests: a plain top-level (or child) window, a minimal container
// that owns and searches its children the way containers do, and GDI object checks.
#pragma once

#include "ui/controls/ControlUI.h"

#include <windows.h>

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

// Owns its children; visits them in order (backwards with FIND_TOP_FIRST), then itself.
class TestContainer : public VarnUI::CControlUI {
public:
    ~TestContainer() override;
    const wchar_t* GetClassName() const override { return L"TestContainer"; }
    void Add(VarnUI::CControlUI* child);
    void SetManager(VarnUI::CManagerUI* manager, VarnUI::CControlUI* parent, bool init = true) override;
    VarnUI::CControlUI* FindControl(VarnUI::FindControlProc proc, void* data, UINT flags) override;

private:
    std::vector<VarnUI::CControlUI*> m_children;
};

// A control with a given class name and position.
VarnUI::CControlUI* MakeControl(const wchar_t* name, RECT pos);

// The process's GDI object count where the platform reports it (0 otherwise).
DWORD GdiObjectCount();
// A GDI handle that no longer names an object.
bool IsDeadGdiObject(HGDIOBJ object);

} // namespace VarnTest

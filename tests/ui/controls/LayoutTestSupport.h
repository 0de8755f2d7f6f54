// Helpers for the layout and scroll bar tests: children with fixed wishes, printable
// rectangles and event records.
#pragma once

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerTypes.h"

#include <windows.h>

#include <string>

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
    bool hidden = false;
};

VarnUI::CControlUI* MakeKid(const Kid& kid);
std::string Str(const RECT& rc);

VarnUI::EventUI MakeEvent(int type, POINT pt = {0, 0}, WPARAM wParam = 0);

} // namespace VarnTest

// State bits of the controls that track the mouse and the focus themselves (the button family,
// the slider, the scroll bar). One 32-bit word per control; the numbers are fixed.
#pragma once

#include <windows.h>

namespace VarnUI {

enum : UINT {
    STATE_FOCUSED = 0x01,   // has the keyboard focus (refreshed at each paint)
    STATE_SELECTED = 0x02,  // an option is selected
    STATE_DISABLED = 0x04,  // disabled (refreshed at each paint)
    STATE_HOT = 0x08,       // the mouse is over the control
    STATE_PUSHED = 0x10,    // the left button is held down over the control
    STATE_CAPTURED = 0x40,  // the control took the mouse on button-down
};

// The event types the controls treat as mouse events.
inline bool IsMouseEvent(int type)
{
    return type > 8 && type < 19;   // EVT_MOUSEMOVE .. EVT_SCROLLWHEEL
}

} // namespace VarnUI

// Tells assistive technology that something about a control changed (the focus came to it,
// its value, name or visibility changed) through the platform's event call. A window that
// no client listens to pays that one call and nothing more: no object is made, no library
// loaded.
#pragma once

#include <windows.h>

namespace VarnUI {

class CControlUI;

// The event (EVENT_OBJECT_...) for the control; nothing for a control outside a window.
void NotifyAccessibleEvent(DWORD event, CControlUI* control);

} // namespace VarnUI

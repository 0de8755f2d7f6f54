// Records, constants and listener interfaces shared by the paint manager and the controls:
// the find flags of the tree search, the event types and the event record routed to one
// control, the notification record, the timer and font records, and the three one-operation
// listener interfaces. Points are in window client coordinates.
#pragma once

#include "ui/base/DpiScale.h"
#include "ui/base/UIString.h"
#include "ui/render/GdiHandles.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;

// Flags of CControlUI::FindControl (the numbers travel as ints).
enum : UINT {
    FIND_VISIBLE = 0x00000001,     // skip an invisible control and its subtree
    FIND_ENABLED = 0x00000002,     // skip a disabled control
    FIND_HITTEST = 0x00000004,     // data points to a POINT that must lie in the control
    FIND_UPDATETEST = 0x00000008,  // a control the callback answers is skipped with its subtree
    FIND_TOP_FIRST = 0x00000010,   // containers visit their children from last to first
    FIND_ME_FIRST = 0x80000000,    // the callback sees a control before its children
};

// The tree search callback; the first non-null answer ends the search.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

// Event types of EventUI; 9 to 18 are the mouse events, the BEGIN/END values only mark ranges.
enum EventTypeUI : int {
    EVT_KEYBEGIN = 2,
    EVT_KEYDOWN = 3,
    EVT_KEYUP = 4,
    EVT_CHAR = 5,
    EVT_SYSKEY = 6,
    EVT_KEYEND = 7,
    EVT_MOUSEBEGIN = 8,
    EVT_MOUSEMOVE = 9,
    EVT_MOUSELEAVE = 10,
    EVT_MOUSEENTER = 11,
    EVT_MOUSEHOVER = 12,
    EVT_BUTTONDOWN = 13,
    EVT_BUTTONUP = 14,
    EVT_RBUTTONDOWN = 15,
    EVT_DBLCLICK = 16,
    EVT_CONTEXTMENU = 17,
    EVT_SCROLLWHEEL = 18,
    EVT_MOUSEEND = 19,
    EVT_KILLFOCUS = 20,
    EVT_SETFOCUS = 21,
    EVT_WINDOWSIZE = 22,
    EVT_SETCURSOR = 23,
    EVT_TIMER = 24,
};

// Modifier bits of EventUI::keyState for events that do not carry the message's own flags.
enum : WORD {
    UIKEYSTATE_LBUTTON = 0x01,
    UIKEYSTATE_RBUTTON = 0x02,
    UIKEYSTATE_SHIFT = 0x04,
    UIKEYSTATE_CONTROL = 0x08,
    UIKEYSTATE_ALT = 0x20,
};

// One event routed to one control.
struct EventUI {
    int type = 0;
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;
    POINT mouse = {0, 0};
    wchar_t key = 0;
    WORD keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One notification from a control (or the manager) to the listeners.
struct NotifyUI {
    CUIString type;
    CUIString virtualWnd;
    CControlUI* sender = nullptr;   // cleared when the sender is destroyed while queued
    DWORD timestamp = 0;
    POINT mouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One control timer; the manager owns the records.
struct TimerInfoUI {
    CControlUI* control = nullptr;
    UINT key = 0;            // chosen by the control
    HWND window = nullptr;
    UINT_PTR timerId = 0;    // the system timer id
    bool killed = false;
};

// One font; the font tables own the records and each record owns its font.
struct FontInfoUI {
    CGdiFont font;
    CUIString faceName;
    int size = 0;            // skin pixels (96 DPI): the negated font height there
    int dpi = kBaseDpi;      // the DPI the font handle is made for
    bool bold = false;
    bool underline = false;
    bool italic = false;
    TEXTMETRICW tm = {};     // zero until first measured
};

using TFontInfo = FontInfoUI;

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(NotifyUI& msg) = 0;
};

class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    // Setting handled claims the message; the answer becomes the window procedure's result.
    virtual LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

class ITranslateAccelerator {
public:
    virtual ~ITranslateAccelerator() = default;
    // 0 means handled.
    virtual LRESULT TranslateAccel(MSG* msg) = 0;
};

} // namespace VarnUI

// CLayoutSeparator: the draggable edge of a vertical or horizontal layout. A positive size
// puts a strip of that many pixels at the layout's bottom (right) edge, a negative one at
// its top (left) edge; dragging the strip changes the layout's fixed height (width).
//
// Owned by its layout as a member; it borrows the layout for the duration of a call.
// Rectangles are window client coordinates.
#pragma once

#include "ui/base/UIGeometry.h"
#include "ui/controls/ControlUI.h"

namespace VarnUI {

class CLayoutSeparator {
public:
    static constexpr UINT kDragging = 0x40;
    static constexpr DWORD kDragShade = 0xAA000000;

    // alongY: the separator of a vertical layout (it moves the top or bottom edge).
    explicit CLayoutSeparator(bool alongY) : m_alongY(alongY) {}

    int GetSize() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    bool IsImmediate() const { return m_immediate; }
    // Leaving the deferred mode mid-drag takes the layout off the post-paint list.
    void SetImmediate(CControlUI& layout, bool immediate);
    bool IsDragging() const { return (m_state & kDragging) != 0; }
    const RECT& GetDragRect() const { return m_dragRect; }

    // The separator strip of rc.
    RECT Strip(const RECT& rc) const;
    // The strip of the drag rectangle while dragging, else of item.
    RECT CurrentStrip(const RECT& item) const { return Strip(IsDragging() ? m_dragRect : item); }
    UINT QueryControlFlags(const CControlUI& layout) const;
    // Handles the separator's events; false leaves the event to the layout's container
    // handling. item and fixedSize are the layout's own rectangle and fixed size.
    bool HandleEvent(EventUI& event, CControlUI& layout, CUIRect& item, int& fixedSize);
    // Shades the strip being dragged in deferred mode.
    void PostPaint(HDC dc) const;

private:
    int Along(POINT pt) const { return m_alongY ? pt.y : pt.x; }
    // Moves the dragged edge by a mouse move; false when the move is dropped.
    bool Drag(POINT pt, int minSize, int maxSize);

    bool m_alongY;
    int m_size = 0;
    bool m_immediate = false;
    UINT m_state = 0;
    CUIPoint m_lastMouse;
    CUIRect m_dragRect;
};

} // namespace VarnUI

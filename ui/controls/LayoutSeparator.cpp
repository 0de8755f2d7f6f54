#include "ui/controls/LayoutSeparator.h"

#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <algorithm>

namespace VarnUI {

void CLayoutSeparator::SetImmediate(CControlUI& layout, bool immediate)
{
    if (IsDragging() && !m_immediate && immediate && layout.GetManager() != nullptr) {
        layout.GetManager()->RemovePostPaint(&layout);
    }
    m_immediate = immediate;
}

RECT CLayoutSeparator::Strip(const RECT& rc) const
{
    RECT strip = rc;
    if (m_alongY) {
        if (m_size >= 0) {
            strip.top = std::max(rc.top, rc.bottom - m_size);
        } else {
            strip.bottom = std::min(rc.top - m_size, rc.bottom);
        }
    } else if (m_size >= 0) {
        strip.left = rc.right - m_size;
    } else {
        strip.right = rc.left - m_size;
    }
    return strip;
}

UINT CLayoutSeparator::QueryControlFlags(const CControlUI& layout) const
{
    return layout.IsEnabled() && m_size != 0 ? static_cast<UINT>(CTLFLAG_SETCURSOR) : 0u;
}

bool CLayoutSeparator::HandleEvent(EventUI& event, CControlUI& layout, CUIRect& item, int& fixedSize)
{
    if (m_size == 0) return false;
    CManagerUI* manager = layout.GetManager();
    switch (event.type) {
    case EVT_SETCURSOR: {
        const RECT strip = CurrentStrip(item);
        if (!layout.IsEnabled() || !::PtInRect(&strip, event.mouse)) return false;
        ::SetCursor(::LoadCursorW(nullptr, m_alongY ? IDC_SIZENS : IDC_SIZEWE));
        return true;
    }
    case EVT_BUTTONDOWN: {
        const RECT strip = CurrentStrip(item);
        if (!layout.IsEnabled() || !::PtInRect(&strip, event.mouse)) return false;
        m_state |= kDragging;
        m_lastMouse = event.mouse;
        m_dragRect = item;
        if (!m_immediate && manager != nullptr) manager->AddPostPaint(&layout);
        return true;
    }
    case EVT_BUTTONUP:
        if (!IsDragging()) return false;
        m_state &= ~kDragging;
        item = m_dragRect;
        if (!m_immediate && manager != nullptr) manager->RemovePostPaint(&layout);
        layout.RequestParentLayout();
        return true;
    case EVT_MOUSEMOVE: {
        if (!IsDragging()) return false;
        const RECT oldStrip = Strip(m_dragRect);
        const int minSize = m_alongY ? layout.GetMinHeight() : layout.GetMinWidth();
        const int maxSize = m_alongY ? layout.GetMaxHeight() : layout.GetMaxWidth();
        if (!Drag(event.mouse, minSize, maxSize)) return true;
        fixedSize = m_alongY ? m_dragRect.GetHeight() : m_dragRect.GetWidth();
        if (m_immediate) {
            item = m_dragRect;
            layout.RequestParentLayout();
        } else if (manager != nullptr) {
            CUIRect dirty = oldStrip;
            dirty.Union(Strip(m_dragRect));
            dirty.Union(Strip(item));
            manager->Invalidate(dirty);
        }
        return true;
    }
    default:
        return false;
    }
}

bool CLayoutSeparator::Drag(POINT pt, int minSize, int maxSize)
{
    const int delta = Along(pt) - Along(m_lastMouse);
    m_lastMouse = pt;
    if (delta == 0) return false;
    const int at = Along(pt);
    LONG& start = m_alongY ? m_dragRect.top : m_dragRect.left;
    LONG& end = m_alongY ? m_dragRect.bottom : m_dragRect.right;
    const bool movesEnd = m_size >= 0;
    // The edge follows only while the pointer is on its own side of the strip, so that a
    // pointer that overshot a size bound must come back before the edge moves again.
    if (movesEnd) {
        if (delta > 0 && at < end - m_size) return false;
        if (delta < 0 && at > end) return false;
    } else {
        if (delta > 0 && at < start) return false;
        if (delta < 0 && at > start - m_size) return false;
    }
    const int oldSize = end - start;
    int newSize = oldSize + (movesEnd ? delta : -delta);
    if (newSize < minSize) {
        if (oldSize <= minSize) return false;
        newSize = minSize;
    }
    if (newSize > maxSize) {
        if (oldSize >= maxSize) return false;
        newSize = maxSize;
    }
    if (movesEnd) {
        end = start + newSize;
    } else {
        start = end - newSize;
    }
    return true;
}

void CLayoutSeparator::PostPaint(HDC dc) const
{
    if (m_immediate || !IsDragging()) return;
    CRenderer::DrawColor(dc, Strip(m_dragRect), kDragShade);
}

} // namespace VarnUI

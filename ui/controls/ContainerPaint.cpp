// CContainerUI: the two walks over the subtree that honour the client area: the search
// (hit tests skip parts scrolled out of view) and painting (children clipped to the client
// area, float children to the container).
#include "ui/controls/ContainerUI.h"

#include "ui/controls/ScrollBarUI.h"
#include "ui/render/Renderer.h"

#include <initializer_list>

namespace VarnUI {
namespace {

bool Meets(const RECT& a, const RECT& b)
{
    RECT dummy;
    return ::IntersectRect(&dummy, &a, &b) != FALSE;
}

} // namespace

CControlUI* CContainerUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    const bool hitTest = (flags & FIND_HITTEST) != 0;
    if ((flags & FIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & FIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if (hitTest && !::PtInRect(&m_item, *static_cast<const POINT*>(data))) return nullptr;
    if ((flags & FIND_UPDATETEST) != 0 && proc(this, data) != nullptr) return nullptr;

    const bool mayAnswer = !hitTest || IsMouseEnabled();
    const bool searchChildren = !hitTest || m_mouseChildEnabled;
    if ((flags & FIND_ME_FIRST) != 0 && mayAnswer) {
        if (CControlUI* found = proc(this, data)) return found;
    }
    if (m_cover != nullptr && searchChildren) {
        if (CControlUI* found = m_cover->FindControl(proc, data, flags)) return found;
    }
    if (mayAnswer) {
        if (m_verticalScrollBar != nullptr) {
            if (CControlUI* found = m_verticalScrollBar->FindControl(proc, data, flags)) return found;
        }
        if (m_horizontalScrollBar != nullptr) {
            if (CControlUI* found = m_horizontalScrollBar->FindControl(proc, data, flags)) return found;
        }
    }
    if (searchChildren) {
        const RECT client = GetClientPos();
        const int count = m_items.GetSize();
        for (int i = 0; i < count; ++i) {
            const int index = (flags & FIND_TOP_FIRST) != 0 ? count - 1 - i : i;
            CControlUI* found = ChildAt(index)->FindControl(proc, data, flags);
            if (found == nullptr) continue;
            // A hit on a part scrolled out of the client area is no hit.
            if (!hitTest || found->IsFloat() || ::PtInRect(&client, *static_cast<const POINT*>(data))) return found;
        }
    }
    if ((flags & FIND_ME_FIRST) != 0 || !mayAnswer) return nullptr;
    return proc(this, data);
}

bool CContainerUI::PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl)
{
    RECT outer;
    if (!::IntersectRect(&outer, &updateRect, &m_item)) return true;
    CClipRecord clip;
    CRenderer::BeginClip(dc, outer, clip);
    CControlUI::PaintContent(dc, updateRect, stopControl);

    if (!m_items.IsEmpty()) {
        const RECT client = GetClientPos();
        RECT inner;
        if (!::IntersectRect(&inner, &updateRect, &client)) {
            // Floats may stick out of the client area into the update area.
            for (int i = 0; i < m_items.GetSize(); ++i) {
                CControlUI* child = ChildAt(i);
                if (child == stopControl) return false;
                if (!child->IsVisible() || !child->IsFloat()) continue;
                if (!Meets(updateRect, child->GetPos()) || !Meets(m_item, child->GetPos())) continue;
                if (!child->Paint(dc, updateRect, stopControl)) return false;
            }
        } else {
            CClipRecord childClip;
            CRenderer::BeginClip(dc, inner, childClip);
            for (int i = 0; i < m_items.GetSize(); ++i) {
                CControlUI* child = ChildAt(i);
                if (child == stopControl) return false;
                if (!child->IsVisible() || !Meets(updateRect, child->GetPos())) continue;
                if (child->IsFloat()) {
                    if (!Meets(m_item, child->GetPos())) continue;
                    CRenderer::SuspendClip(childClip);
                    const bool goOn = child->Paint(dc, updateRect, stopControl);
                    CRenderer::ResumeClip(childClip);
                    if (!goOn) return false;
                } else {
                    if (!Meets(client, child->GetPos())) continue;
                    if (!child->Paint(dc, updateRect, stopControl)) return false;
                }
            }
        }
    }

    for (CScrollBarUI* bar : {m_verticalScrollBar, m_horizontalScrollBar}) {
        if (bar == nullptr) continue;
        if (bar == stopControl) return false;
        if (bar->IsVisible() && Meets(updateRect, bar->GetPos()) && !bar->Paint(dc, updateRect, stopControl)) {
            return false;
        }
    }
    return true;
}

} // namespace VarnUI

#include "ui/controls/VerticalLayoutUI.h"

#include "ui/controls/ScrollBarUI.h"

#include <algorithm>
#include <cwchar>

namespace VarnUI {
namespace {

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

} // namespace

CVerticalLayoutUI::CVerticalLayoutUI() : m_separator(true) {}

const wchar_t* CVerticalLayoutUI::GetClassName() const
{
    return L"VerticalLayout";
}

void* CVerticalLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"VerticalLayout") return static_cast<CVerticalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CVerticalLayoutUI::QueryControlFlags() const
{
    return m_separator.QueryControlFlags(*this);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const CUIRect client = GetClientPos();
    if (m_items.IsEmpty()) {
        UpdateScrollBars(client, 0, 0);
        return;
    }
    const CScrollBarUI* vertical = m_verticalScrollBar != nullptr && m_verticalScrollBar->IsVisible()
                                       ? m_verticalScrollBar : nullptr;
    const CScrollBarUI* horizontal = m_horizontalScrollBar != nullptr && m_horizontalScrollBar->IsVisible()
                                         ? m_horizontalScrollBar : nullptr;
    SIZE available = {client.GetWidth(), client.GetHeight()};
    if (horizontal != nullptr) available.cx += horizontal->GetScrollRange();
    if (vertical != nullptr) available.cy += vertical->GetScrollRange();

    // The wishes a child's measuring is bounded by; the height bound shrinks as we place.
    auto limitFor = [&](const CControlUI* child, const RECT& padding, int heightRoom) {
        SIZE limit;
        limit.cx = child->GetFixedWidth() < 1 ? child->GetMaxWidth() : child->GetFixedWidth();
        limit.cx = std::min<int>(limit.cx, available.cx - padding.left - padding.right);
        limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
        limit.cy = std::min<int>(limit.cy, heightRoom);
        return limit;
    };

    int adjustables = 0;
    int fixedTotal = 0;
    int estimated = 0;
    int neededWidth = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT padding = child->GetPadding();
        SIZE size = child->MeasureSize(limitFor(child, padding, available.cy));
        if (size.cy == 0) {
            ++adjustables;
        } else {
            size.cy = Clamp(size.cy, child->GetMinHeight(), child->GetMaxHeight());
        }
        fixedTotal += padding.top + padding.bottom + size.cy;
        size.cx = Clamp(std::max<int>(size.cx, 0), child->GetMinWidth(), child->GetMaxWidth());
        neededWidth = std::max<int>(neededWidth, size.cx + padding.left + padding.right);
        ++estimated;
    }
    if (estimated > 0) fixedTotal += m_childPadding * (estimated - 1);
    const int expand = adjustables > 0 ? std::max(0, static_cast<int>(available.cy - fixedTotal) / adjustables) : 0;

    int y = client.top - (vertical != nullptr ? vertical->GetScrollPos() : 0);
    int remaining = available.cy;
    int neededHeight = 0;
    int adjusted = 0;
    int placed = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        const RECT padding = child->GetPadding();
        remaining -= padding.top;
        const SIZE limit = limitFor(child, padding, remaining);
        fixedTotal -= padding.top + padding.bottom;
        if (placed > 0) fixedTotal -= m_childPadding;
        SIZE size = child->MeasureSize(limit);
        if (size.cy != 0) {
            size.cy = Clamp(size.cy, child->GetMinHeight(), child->GetMaxHeight());
            fixedTotal -= size.cy;
        } else {
            ++adjusted;
            size.cy = expand;
            // The last one takes the rounding remainder so that the stack fills the height.
            if (adjusted == adjustables) size.cy = std::max(0, remaining - static_cast<int>(padding.bottom) - fixedTotal);
            size.cy = Clamp(size.cy, child->GetMinHeight(), child->GetMaxHeight());
        }
        size.cx = child->GetMaxWidth();
        if (size.cx == 0) size.cx = available.cx - padding.left - padding.right;
        size.cx = std::max<int>(size.cx, 0);
        size.cx = std::min<int>(size.cx, limit.cx);
        size.cx = std::max<int>(size.cx, child->GetMinWidth());

        RECT placeRect;
        placeRect.top = y + padding.top;
        placeRect.bottom = placeRect.top + size.cy;
        if (m_childAlign == ALIGN_CENTER) {
            int x = (client.left + client.right) / 2;
            if (horizontal != nullptr) x += horizontal->GetScrollRange() / 2 - horizontal->GetScrollPos();
            x -= size.cx / 2;
            placeRect.left = x;
            placeRect.right = x + size.cx;
        } else if (m_childAlign == ALIGN_RIGHT) {
            int edge = client.right;
            if (horizontal != nullptr) edge += horizontal->GetScrollRange() - horizontal->GetScrollPos();
            placeRect.left = edge - size.cx - padding.right;
            placeRect.right = edge - padding.right;
        } else {
            const int x = client.left - (horizontal != nullptr ? horizontal->GetScrollPos() : 0);
            placeRect.left = x + padding.left;
            placeRect.right = placeRect.left + size.cx;
        }
        child->SetPos(placeRect, false);

        y += size.cy + m_childPadding + padding.top + padding.bottom;
        neededHeight += size.cy + padding.top + padding.bottom;
        remaining -= size.cy + m_childPadding + padding.bottom;
        ++placed;
    }
    if (estimated > 0) neededHeight += m_childPadding * (estimated - 1);
    UpdateScrollBars(client, neededWidth, neededHeight);
}

void CVerticalLayoutUI::HandleEvent(EventUI& event)
{
    if (m_separator.HandleEvent(event, *this, m_item, m_fixedHeight)) return;
    CContainerUI::HandleEvent(event);
}

void CVerticalLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"sepheight") {
        SetSepHeight(static_cast<int>(std::wcstol(value, nullptr, 10)));
    } else if (key == L"sepimm") {
        SetSepImmediateMode(CUIString(value) == L"true");
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CVerticalLayoutUI::PostPaint(HDC dc, const RECT& updateRect)
{
    CContainerUI::PostPaint(dc, updateRect);
    m_separator.PostPaint(dc);
}

} // namespace VarnUI

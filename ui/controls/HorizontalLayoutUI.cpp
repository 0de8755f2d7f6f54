#include "ui/controls/HorizontalLayoutUI.h"

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

CHorizontalLayoutUI::CHorizontalLayoutUI() : m_separator(false) {}

const wchar_t* CHorizontalLayoutUI::GetClassName() const
{
    return L"HorizontalLayout";
}

void* CHorizontalLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"HorizontalLayout") return static_cast<CHorizontalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CHorizontalLayoutUI::QueryControlFlags() const
{
    return m_separator.QueryControlFlags(*this);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool needInvalidate)
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

    // The wishes a child's measuring is bounded by; the width bound shrinks as we place.
    auto limitFor = [&](const CControlUI* child, const RECT& padding, int widthRoom) {
        SIZE limit;
        limit.cx = child->GetFixedWidth() < 1 ? child->GetMaxWidth() : child->GetFixedWidth();
        limit.cx = std::min<int>(limit.cx, widthRoom);
        limit.cy = child->GetFixedHeight() < 1 ? child->GetMaxHeight() : child->GetFixedHeight();
        limit.cy = std::min<int>(limit.cy, available.cy - padding.top - padding.bottom);
        return limit;
    };

    int adjustables = 0;
    int fixedTotal = 0;
    int estimated = 0;
    int neededHeight = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT padding = child->GetPadding();
        SIZE size = {0, child->GetFixedHeight()};
        if (child->GetFixedWidth() != 0) size = child->MeasureSize(limitFor(child, padding, available.cx));
        if (child->GetFixedWidth() == 0 || size.cx == 0) {
            ++adjustables;
            size.cx = 0;
        } else {
            size.cx = Clamp(size.cx, child->GetMinWidth(), child->GetMaxWidth());
        }
        fixedTotal += padding.left + padding.right + size.cx;
        size.cy = Clamp(std::max<int>(size.cy, 0), child->GetMinHeight(), child->GetMaxHeight());
        neededHeight = std::max<int>(neededHeight, size.cy + padding.top + padding.bottom);
        ++estimated;
    }
    if (estimated > 0) fixedTotal += m_childPadding * (estimated - 1);
    const int expand = adjustables > 0 ? std::max(0, static_cast<int>(available.cx - fixedTotal) / adjustables) : 0;

    int x = client.left - (horizontal != nullptr ? horizontal->GetScrollPos() : 0);
    int remaining = available.cx;
    int neededWidth = 0;
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
        remaining -= padding.left;
        const SIZE limit = limitFor(child, padding, remaining);
        fixedTotal -= padding.left + padding.right;
        if (placed > 0) fixedTotal -= m_childPadding;
        SIZE size = child->MeasureSize(limit);
        if (child->GetFixedWidth() != 0 && size.cx != 0) {
            size.cx = Clamp(size.cx, child->GetMinWidth(), child->GetMaxWidth());
            fixedTotal -= size.cx;
        } else {
            ++adjusted;
            size.cx = expand;
            // The last one takes the rounding remainder so that the row fills the width.
            if (adjusted == adjustables) size.cx = std::max(0, remaining - static_cast<int>(padding.right) - fixedTotal);
            size.cx = Clamp(size.cx, child->GetMinWidth(), child->GetMaxWidth());
        }
        size.cy = child->GetMaxHeight();
        if (size.cy == 0) size.cy = available.cy - padding.top - padding.bottom;
        size.cy = std::max<int>(size.cy, 0);
        size.cy = std::min<int>(size.cy, limit.cy);
        size.cy = std::max<int>(size.cy, child->GetMinHeight());

        RECT placeRect;
        placeRect.left = x + padding.left;
        placeRect.right = placeRect.left + size.cx;
        if (m_childVAlign == VALIGN_VCENTER) {
            int y = (client.top + client.bottom) / 2;
            if (vertical != nullptr) y += vertical->GetScrollRange() / 2 - vertical->GetScrollPos();
            y -= size.cy / 2;
            placeRect.top = y;
            placeRect.bottom = y + size.cy;
        } else if (m_childVAlign == VALIGN_BOTTOM) {
            int edge = client.bottom;
            if (vertical != nullptr) edge += vertical->GetScrollRange() - vertical->GetScrollPos();
            placeRect.top = edge - size.cy - padding.bottom;
            placeRect.bottom = edge - padding.bottom;
        } else {
            const int y = client.top - (vertical != nullptr ? vertical->GetScrollPos() : 0);
            placeRect.top = y + padding.top;
            placeRect.bottom = placeRect.top + size.cy;
        }
        child->SetPos(placeRect, false);

        x += size.cx + m_childPadding + padding.left + padding.right;
        neededWidth += size.cx + padding.left + padding.right;
        remaining -= size.cx + m_childPadding + padding.right;
        ++placed;
    }
    if (estimated > 0) neededWidth += m_childPadding * (estimated - 1);
    UpdateScrollBars(client, neededWidth, neededHeight);
}

void CHorizontalLayoutUI::HandleEvent(EventUI& event)
{
    if (m_separator.HandleEvent(event, *this, m_item, m_fixedWidth)) return;
    CContainerUI::HandleEvent(event);
}

void CHorizontalLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"sepwidth") {
        SetSepWidth(static_cast<int>(std::wcstol(value, nullptr, 10)));
    } else if (key == L"sepimm") {
        SetSepImmediateMode(CUIString(value) == L"true");
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CHorizontalLayoutUI::PostPaint(HDC dc, const RECT& updateRect)
{
    CContainerUI::PostPaint(dc, updateRect);
    m_separator.PostPaint(dc);
}

} // namespace VarnUI

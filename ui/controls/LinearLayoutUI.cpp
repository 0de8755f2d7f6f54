#include "ui/controls/LinearLayoutUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ScrollBarUI.h"

#include <algorithm>

namespace VarnUI {
namespace {

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

const CScrollBarUI* Shown(const CScrollBarUI* bar)
{
    return bar != nullptr && bar->IsVisible() ? bar : nullptr;
}

// The layout rules speak of lengths along the axis and breadths across it; this turns them
// into x and y for one of the two axes.
struct Axis {
    bool vertical;

    LONG& Along(SIZE& size) const { return vertical ? size.cy : size.cx; }
    LONG& Across(SIZE& size) const { return vertical ? size.cx : size.cy; }
    LONG Across(const SIZE& size) const { return vertical ? size.cx : size.cy; }
    LONG Start(const RECT& rc) const { return vertical ? rc.top : rc.left; }
    LONG End(const RECT& rc) const { return vertical ? rc.bottom : rc.right; }
    LONG CrossStart(const RECT& rc) const { return vertical ? rc.left : rc.top; }
    LONG CrossEnd(const RECT& rc) const { return vertical ? rc.right : rc.bottom; }
    RECT Make(LONG start, LONG end, LONG crossStart, LONG crossEnd) const
    {
        return vertical ? RECT{crossStart, start, crossEnd, end} : RECT{start, crossStart, end, crossEnd};
    }

    int Fixed(const CControlUI* c) const { return vertical ? c->GetFixedHeight() : c->GetFixedWidth(); }
    int Min(const CControlUI* c) const { return vertical ? c->GetMinHeight() : c->GetMinWidth(); }
    int Max(const CControlUI* c) const { return vertical ? c->GetMaxHeight() : c->GetMaxWidth(); }
    int FixedAcross(const CControlUI* c) const { return vertical ? c->GetFixedWidth() : c->GetFixedHeight(); }
    int MinAcross(const CControlUI* c) const { return vertical ? c->GetMinWidth() : c->GetMinHeight(); }
    int MaxAcross(const CControlUI* c) const { return vertical ? c->GetMaxWidth() : c->GetMaxHeight(); }
};

// Where a child lies across the axis, from "childalign" or "childvalign".
enum class CrossAlign { Start, Center, End };

} // namespace

CLinearLayoutUI::CLinearLayoutUI(bool vertical) : m_separator(vertical), m_vertical(vertical) {}

UINT CLinearLayoutUI::QueryControlFlags() const
{
    return m_separator.QueryControlFlags(*this);
}

void CLinearLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const CUIRect client = GetClientPos();
    if (m_items.IsEmpty()) {
        UpdateScrollBars(client, 0, 0);
        return;
    }
    const Axis axis{m_vertical};
    const CScrollBarUI* alongBar = Shown(m_vertical ? m_verticalScrollBar : m_horizontalScrollBar);
    const CScrollBarUI* acrossBar = Shown(m_vertical ? m_horizontalScrollBar : m_verticalScrollBar);
    const int length = axis.End(client) - axis.Start(client) + (alongBar != nullptr ? alongBar->GetScrollRange() : 0);
    const int breadth =
        axis.CrossEnd(client) - axis.CrossStart(client) + (acrossBar != nullptr ? acrossBar->GetScrollRange() : 0);
    CrossAlign align = CrossAlign::Start;
    if (m_vertical ? m_childAlign == ALIGN_CENTER : m_childVAlign == VALIGN_VCENTER) align = CrossAlign::Center;
    if (m_vertical ? m_childAlign == ALIGN_RIGHT : m_childVAlign == VALIGN_BOTTOM) align = CrossAlign::End;

    // The wishes a child's measuring is bounded by; the bound along the axis shrinks as we place.
    auto limitFor = [&](const CControlUI* child, const RECT& padding, int room) {
        SIZE limit;
        axis.Along(limit) = std::min(axis.Fixed(child) < 1 ? axis.Max(child) : axis.Fixed(child), room);
        const int across = axis.FixedAcross(child) < 1 ? axis.MaxAcross(child) : axis.FixedAcross(child);
        axis.Across(limit) = std::min<int>(across, breadth - axis.CrossStart(padding) - axis.CrossEnd(padding));
        return limit;
    };

    int adjustables = 0;
    int fixedTotal = 0;
    int estimated = 0;
    int neededAcross = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT padding = child->GetPadding();
        SIZE size;
        if (!m_vertical && child->GetFixedWidth() == 0) {
            // A row shares its width out to a child without a width wish without asking it.
            size = {0, child->GetFixedHeight()};
        } else {
            size = child->MeasureSize(limitFor(child, padding, length));
        }
        if (axis.Along(size) == 0) {
            ++adjustables;
        } else {
            axis.Along(size) = Clamp(axis.Along(size), axis.Min(child), axis.Max(child));
        }
        fixedTotal += axis.Start(padding) + axis.End(padding) + axis.Along(size);
        axis.Across(size) = Clamp(std::max<int>(axis.Across(size), 0), axis.MinAcross(child), axis.MaxAcross(child));
        neededAcross = std::max<int>(neededAcross, axis.Across(size) + axis.CrossStart(padding) + axis.CrossEnd(padding));
        ++estimated;
    }
    if (estimated > 0) fixedTotal += m_childPadding * (estimated - 1);
    const int expand = adjustables > 0 ? std::max(0, (length - fixedTotal) / adjustables) : 0;

    int position = axis.Start(client) - (alongBar != nullptr ? alongBar->GetScrollPos() : 0);
    int remaining = length;
    int neededAlong = 0;
    int adjusted = 0;
    int placed = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = FlowChild(i);
        if (child == nullptr) continue;
        const RECT padding = child->GetPadding();
        remaining -= axis.Start(padding);
        const SIZE limit = limitFor(child, padding, remaining);
        fixedTotal -= axis.Start(padding) + axis.End(padding);
        if (placed > 0) fixedTotal -= m_childPadding;
        SIZE size = child->MeasureSize(limit);
        // A row keeps a measured width only for a child that wishes one.
        if (axis.Along(size) != 0 && (m_vertical || child->GetFixedWidth() != 0)) {
            axis.Along(size) = Clamp(axis.Along(size), axis.Min(child), axis.Max(child));
            fixedTotal -= axis.Along(size);
        } else {
            ++adjusted;
            axis.Along(size) = expand;
            // The last one takes the rounding remainder so that the line fills the length.
            if (adjusted == adjustables) axis.Along(size) = std::max<int>(0, remaining - axis.End(padding) - fixedTotal);
            axis.Along(size) = Clamp(axis.Along(size), axis.Min(child), axis.Max(child));
        }
        LONG& across = axis.Across(size);
        across = axis.MaxAcross(child);
        if (across == 0) across = breadth - axis.CrossStart(padding) - axis.CrossEnd(padding);
        across = std::max<LONG>(across, 0);
        across = std::min<LONG>(across, axis.Across(limit));
        across = std::max<LONG>(across, axis.MinAcross(child));

        LONG crossStart = 0;
        if (align == CrossAlign::Center) {
            crossStart = (axis.CrossStart(client) + axis.CrossEnd(client)) / 2;
            if (acrossBar != nullptr) crossStart += acrossBar->GetScrollRange() / 2 - acrossBar->GetScrollPos();
            crossStart -= across / 2;
        } else if (align == CrossAlign::End) {
            LONG edge = axis.CrossEnd(client);
            if (acrossBar != nullptr) edge += acrossBar->GetScrollRange() - acrossBar->GetScrollPos();
            crossStart = edge - across - axis.CrossEnd(padding);
        } else {
            crossStart = axis.CrossStart(client) - (acrossBar != nullptr ? acrossBar->GetScrollPos() : 0);
            crossStart += axis.CrossStart(padding);
        }
        const LONG start = position + axis.Start(padding);
        child->SetPos(axis.Make(start, start + axis.Along(size), crossStart, crossStart + across), false);

        position += axis.Along(size) + m_childPadding + axis.Start(padding) + axis.End(padding);
        neededAlong += axis.Along(size) + axis.Start(padding) + axis.End(padding);
        remaining -= axis.Along(size) + m_childPadding + axis.End(padding);
        ++placed;
    }
    if (estimated > 0) neededAlong += m_childPadding * (estimated - 1);
    UpdateScrollBars(client, m_vertical ? neededAcross : neededAlong, m_vertical ? neededAlong : neededAcross);
}

void CLinearLayoutUI::HandleEvent(EventUI& event)
{
    if (m_separator.HandleEvent(event, *this, m_item, m_vertical ? m_fixedHeight : m_fixedWidth)) return;
    CContainerUI::HandleEvent(event);
}

void CLinearLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == (m_vertical ? L"sepheight" : L"sepwidth")) {
        m_separator.SetSize(AttributeInt(value));
    } else if (key == L"sepimm") {
        SetSepImmediateMode(AttributeIsTrue(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CLinearLayoutUI::PostPaint(HDC dc, const RECT& updateRect)
{
    CContainerUI::PostPaint(dc, updateRect);
    m_separator.PostPaint(dc);
}

} // namespace VarnUI

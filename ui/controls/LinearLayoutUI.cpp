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
// into x and y for one of the two axes (fixed when compiling, as layout is a hot path).
template <bool Vertical>
struct Axis {
    static LONG& Along(SIZE& size) { return Vertical ? size.cy : size.cx; }
    static LONG& Across(SIZE& size) { return Vertical ? size.cx : size.cy; }
    static LONG Across(const SIZE& size) { return Vertical ? size.cx : size.cy; }
    static LONG Start(const RECT& rc) { return Vertical ? rc.top : rc.left; }
    static LONG End(const RECT& rc) { return Vertical ? rc.bottom : rc.right; }
    static LONG CrossStart(const RECT& rc) { return Vertical ? rc.left : rc.top; }
    static LONG CrossEnd(const RECT& rc) { return Vertical ? rc.right : rc.bottom; }
    static RECT Make(LONG start, LONG end, LONG crossStart, LONG crossEnd)
    {
        return Vertical ? RECT{crossStart, start, crossEnd, end} : RECT{start, crossStart, end, crossEnd};
    }

    static int Fixed(const CControlUI* c) { return Vertical ? c->GetFixedHeight() : c->GetFixedWidth(); }
    static int Min(const CControlUI* c) { return Vertical ? c->GetMinHeight() : c->GetMinWidth(); }
    static int Max(const CControlUI* c) { return Vertical ? c->GetMaxHeight() : c->GetMaxWidth(); }
    static int FixedAcross(const CControlUI* c) { return Vertical ? c->GetFixedWidth() : c->GetFixedHeight(); }
    static int MinAcross(const CControlUI* c) { return Vertical ? c->GetMinWidth() : c->GetMinHeight(); }
    static int MaxAcross(const CControlUI* c) { return Vertical ? c->GetMaxWidth() : c->GetMaxHeight(); }
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
    if (m_vertical) {
        PlaceChildren<true>(client);
    } else {
        PlaceChildren<false>(client);
    }
}

template <bool Vertical>
void CLinearLayoutUI::PlaceChildren(const CUIRect& client)
{
    using Line = Axis<Vertical>;
    const CScrollBarUI* alongBar = Shown(Vertical ? m_verticalScrollBar : m_horizontalScrollBar);
    const CScrollBarUI* acrossBar = Shown(Vertical ? m_horizontalScrollBar : m_verticalScrollBar);
    const int length = Line::End(client) - Line::Start(client) + (alongBar != nullptr ? alongBar->GetScrollRange() : 0);
    const int breadth =
        Line::CrossEnd(client) - Line::CrossStart(client) + (acrossBar != nullptr ? acrossBar->GetScrollRange() : 0);
    CrossAlign align = CrossAlign::Start;
    if (Vertical ? m_childAlign == ALIGN_CENTER : m_childVAlign == VALIGN_VCENTER) align = CrossAlign::Center;
    if (Vertical ? m_childAlign == ALIGN_RIGHT : m_childVAlign == VALIGN_BOTTOM) align = CrossAlign::End;

    // The wishes a child's measuring is bounded by; the bound along the axis shrinks as we place.
    auto limitFor = [&](const CControlUI* child, const RECT& padding, int room) {
        SIZE limit;
        Line::Along(limit) = std::min(Line::Fixed(child) < 1 ? Line::Max(child) : Line::Fixed(child), room);
        const int across = Line::FixedAcross(child) < 1 ? Line::MaxAcross(child) : Line::FixedAcross(child);
        Line::Across(limit) = std::min<int>(across, breadth - Line::CrossStart(padding) - Line::CrossEnd(padding));
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
        if (!Vertical && child->GetFixedWidth() == 0) {
            // A row shares its width out to a child without a width wish without asking it.
            size = {0, child->GetFixedHeight()};
        } else {
            size = child->MeasureSize(limitFor(child, padding, length));
        }
        if (Line::Along(size) == 0) {
            ++adjustables;
        } else {
            Line::Along(size) = Clamp(Line::Along(size), Line::Min(child), Line::Max(child));
        }
        fixedTotal += Line::Start(padding) + Line::End(padding) + Line::Along(size);
        Line::Across(size) = Clamp(std::max<int>(Line::Across(size), 0), Line::MinAcross(child), Line::MaxAcross(child));
        neededAcross = std::max<int>(neededAcross, Line::Across(size) + Line::CrossStart(padding) + Line::CrossEnd(padding));
        ++estimated;
    }
    if (estimated > 0) fixedTotal += m_childPadding * (estimated - 1);
    const int expand = adjustables > 0 ? std::max(0, (length - fixedTotal) / adjustables) : 0;

    int position = Line::Start(client) - (alongBar != nullptr ? alongBar->GetScrollPos() : 0);
    int remaining = length;
    int neededAlong = 0;
    int adjusted = 0;
    int placed = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = FlowChild(i);
        if (child == nullptr) continue;
        const RECT padding = child->GetPadding();
        remaining -= Line::Start(padding);
        const SIZE limit = limitFor(child, padding, remaining);
        fixedTotal -= Line::Start(padding) + Line::End(padding);
        if (placed > 0) fixedTotal -= m_childPadding;
        SIZE size = child->MeasureSize(limit);
        // A row keeps a measured width only for a child that wishes one.
        if (Line::Along(size) != 0 && (Vertical || child->GetFixedWidth() != 0)) {
            Line::Along(size) = Clamp(Line::Along(size), Line::Min(child), Line::Max(child));
            fixedTotal -= Line::Along(size);
        } else {
            ++adjusted;
            Line::Along(size) = expand;
            // The last one takes the rounding remainder so that the line fills the length.
            if (adjusted == adjustables) Line::Along(size) = std::max<int>(0, remaining - Line::End(padding) - fixedTotal);
            Line::Along(size) = Clamp(Line::Along(size), Line::Min(child), Line::Max(child));
        }
        LONG& across = Line::Across(size);
        across = Line::MaxAcross(child);
        if (across == 0) across = breadth - Line::CrossStart(padding) - Line::CrossEnd(padding);
        across = std::max<LONG>(across, 0);
        across = std::min<LONG>(across, Line::Across(limit));
        across = std::max<LONG>(across, Line::MinAcross(child));

        LONG crossStart = 0;
        if (align == CrossAlign::Center) {
            crossStart = (Line::CrossStart(client) + Line::CrossEnd(client)) / 2;
            if (acrossBar != nullptr) crossStart += acrossBar->GetScrollRange() / 2 - acrossBar->GetScrollPos();
            crossStart -= across / 2;
        } else if (align == CrossAlign::End) {
            LONG edge = Line::CrossEnd(client);
            if (acrossBar != nullptr) edge += acrossBar->GetScrollRange() - acrossBar->GetScrollPos();
            crossStart = edge - across - Line::CrossEnd(padding);
        } else {
            crossStart = Line::CrossStart(client) - (acrossBar != nullptr ? acrossBar->GetScrollPos() : 0);
            crossStart += Line::CrossStart(padding);
        }
        const LONG start = position + Line::Start(padding);
        child->SetPos(Line::Make(start, start + Line::Along(size), crossStart, crossStart + across), false);

        position += Line::Along(size) + m_childPadding + Line::Start(padding) + Line::End(padding);
        neededAlong += Line::Along(size) + Line::Start(padding) + Line::End(padding);
        remaining -= Line::Along(size) + m_childPadding + Line::End(padding);
        ++placed;
    }
    if (estimated > 0) neededAlong += m_childPadding * (estimated - 1);
    UpdateScrollBars(client, Vertical ? neededAcross : neededAlong, Vertical ? neededAlong : neededAcross);
}

void CLinearLayoutUI::HandleEvent(EventUI& event)
{
    if (m_separator.HandleEvent(event, *this, m_item, m_vertical ? m_fixedHeight : m_fixedWidth)) return;
    CContainerUI::HandleEvent(event);
}

void CLinearLayoutUI::RescalePixels(int fromDpi, int toDpi)
{
    CContainerUI::RescalePixels(fromDpi, toDpi);
    m_separator.SetSize(RescaleDpi(m_separator.GetSize(), fromDpi, toDpi));
}

void CLinearLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == (m_vertical ? L"sepheight" : L"sepwidth")) {
        m_separator.SetSize(Scaled(AttributeInt(value)));
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

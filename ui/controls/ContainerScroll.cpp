// CContainerUI: the scroll bars: creating them, scrolling the children, and fitting the bars
// to the content after each layout.
#include "ui/controls/ContainerUI.h"

#include "ui/controls/ScrollBarUI.h"
#include "ui/manager/ManagerUI.h"

#include <algorithm>
#include <cstdlib>

namespace VarnUI {
namespace {

constexpr int kDefaultLineStep = 8;

bool IsShown(const CScrollBarUI* bar)
{
    return bar != nullptr && bar->IsVisible();
}

// Every layout places the bars again; only a bar that really moved needs repainting.
void PlaceBar(CScrollBarUI* bar, const RECT& rc)
{
    bar->SetPos(rc, ::EqualRect(&bar->GetPos(), &rc) == FALSE);
}

} // namespace

SIZE CContainerUI::GetScrollPos() const
{
    SIZE pos = {0, 0};
    if (IsShown(m_horizontalScrollBar)) pos.cx = m_horizontalScrollBar->GetScrollPos();
    if (IsShown(m_verticalScrollBar)) pos.cy = m_verticalScrollBar->GetScrollPos();
    return pos;
}

SIZE CContainerUI::GetScrollRange() const
{
    SIZE range = {0, 0};
    if (IsShown(m_horizontalScrollBar)) range.cx = m_horizontalScrollBar->GetScrollRange();
    if (IsShown(m_verticalScrollBar)) range.cy = m_verticalScrollBar->GetScrollRange();
    return range;
}

void CContainerUI::SetScrollPos(SIZE pos)
{
    int dx = 0;
    int dy = 0;
    if (IsShown(m_verticalScrollBar)) {
        const int old = m_verticalScrollBar->GetScrollPos();
        m_verticalScrollBar->SetScrollPos(pos.cy);
        dy = m_verticalScrollBar->GetScrollPos() - old;
    }
    if (IsShown(m_horizontalScrollBar)) {
        const int old = m_horizontalScrollBar->GetScrollPos();
        m_horizontalScrollBar->SetScrollPos(pos.cx);
        dx = m_horizontalScrollBar->GetScrollPos() - old;
    }
    if (dx == 0 && dy == 0) return;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = ChildAt(i);
        if (child->IsVisible() && !child->IsFloat()) child->Move(-dx, -dy, false);
    }
    Invalidate();
}

// One step of the keyboard, the wheel or a bar's arrow: the scroll unit of the bar when it
// has one, else 8 skin pixels, plus the default font's height vertically.
int CContainerUI::LineStep(bool vertical) const
{
    const CScrollBarUI* bar = vertical ? m_verticalScrollBar : m_horizontalScrollBar;
    if (bar != nullptr && bar->GetScrollUnit() > 1) return bar->GetScrollUnit();
    int step = Scaled(kDefaultLineStep);
    if (vertical && m_manager != nullptr) step += m_manager->GetDefaultFontInfo()->tm.tmHeight;
    return step;
}

// One page: the client length along the axis, less the other bar when it shows. A container
// smaller than its inset has no page; a negative one would scroll backwards.
int CContainerUI::PageStep(bool vertical) const
{
    int page = vertical ? m_item.GetHeight() - m_inset.top - m_inset.bottom
                        : m_item.GetWidth() - m_inset.left - m_inset.right;
    const CScrollBarUI* across = vertical ? m_horizontalScrollBar : m_verticalScrollBar;
    if (IsShown(across)) page -= vertical ? across->GetFixedHeight() : across->GetFixedWidth();
    return std::max(page, 0);
}

void CContainerUI::ScrollBy(bool vertical, int delta)
{
    SIZE pos = GetScrollPos();
    (vertical ? pos.cy : pos.cx) += delta;
    SetScrollPos(pos);
}

void CContainerUI::LineUp() { ScrollBy(true, -LineStep(true)); }
void CContainerUI::LineDown() { ScrollBy(true, LineStep(true)); }
void CContainerUI::PageUp() { ScrollBy(true, -PageStep(true)); }
void CContainerUI::PageDown() { ScrollBy(true, PageStep(true)); }
void CContainerUI::LineLeft() { ScrollBy(false, -LineStep(false)); }
void CContainerUI::LineRight() { ScrollBy(false, LineStep(false)); }
void CContainerUI::PageLeft() { ScrollBy(false, -PageStep(false)); }
void CContainerUI::PageRight() { ScrollBy(false, PageStep(false)); }

void CContainerUI::HomeUp()
{
    SetScrollPos({GetScrollPos().cx, 0});
}

void CContainerUI::EndDown()
{
    SetScrollPos({GetScrollPos().cx, GetScrollRange().cy});
}

void CContainerUI::HomeLeft()
{
    SetScrollPos({0, GetScrollPos().cy});
}

void CContainerUI::EndRight()
{
    SetScrollPos({GetScrollRange().cx, GetScrollPos().cy});
}

void CContainerUI::EnableScrollBar(bool enableVertical, bool enableHorizontal)
{
    auto update = [this](CScrollBarUI*& bar, bool enable, bool horizontal) {
        if (!enable) {
            if (bar != nullptr) bar->Destroy();
            bar = nullptr;
            return;
        }
        if (bar != nullptr) return;
        bar = new CScrollBarUI;
        if (horizontal) bar->SetHorizontal(true);
        bar->SetScrollRange(0);
        bar->SetOwner(this);
        if (m_manager == nullptr) return;
        m_manager->AdoptControls(bar, nullptr);
        const wchar_t* defaults = m_manager->GetDefaultAttributes(horizontal ? L"HScrollBar" : L"VScrollBar");
        if (defaults != nullptr) bar->ApplyAttributeText(defaults);
    };
    update(m_verticalScrollBar, enableVertical, false);
    update(m_horizontalScrollBar, enableHorizontal, true);
    RequestLayout();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const
{
    return m_verticalScrollBar;
}

CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const
{
    return m_horizontalScrollBar;
}

void CContainerUI::UpdateScrollBars(RECT client, int neededWidth, int neededHeight)
{
    if (m_verticalScrollBar != nullptr && m_horizontalScrollBar != nullptr) {
        UpdateBothScrollBars(client, neededWidth, neededHeight);
    } else if (m_verticalScrollBar != nullptr) {
        UpdateOneScrollBar(m_verticalScrollBar, client, neededHeight);
    } else if (m_horizontalScrollBar != nullptr) {
        UpdateOneScrollBar(m_horizontalScrollBar, client, neededWidth);
    }
}

// One bar: shown once the content outgrows the client along its axis, hidden once it fits.
// The re-entry guard keeps a bar that has just been shown from being hidden again by the
// layout its own appearance caused.
void CContainerUI::UpdateOneScrollBar(CScrollBarUI* bar, const RECT& client, int needed)
{
    const bool horizontal = bar->IsHorizontal();
    const int length = horizontal ? client.right - client.left : client.bottom - client.top;
    const int excess = needed - length;

    if (!bar->IsVisible()) {
        if (excess <= 0) return;
        bar->SetVisible(true);
        bar->SetScrollRange(excess);
        bar->SetScrollPos(0);
        m_scrollProcess = true;
        Relayout(true);
        m_scrollProcess = false;
        return;
    }
    if (excess > 0 || m_scrollProcess) {
        if (horizontal) {
            PlaceBar(bar, {client.left, client.bottom, client.right, client.bottom + bar->GetFixedHeight()});
        } else {
            PlaceBar(bar, {client.right, client.top, client.right + bar->GetFixedWidth(), client.bottom});
        }
        if (bar->GetScrollRange() == excess) return;
        const int oldPos = bar->GetScrollPos();
        bar->SetScrollRange(std::abs(excess));
        if (bar->GetScrollRange() == 0) {
            bar->SetVisible(false);
            bar->SetScrollPos(0);
        }
        if (bar->GetScrollPos() >= oldPos) return;
        Relayout(false);
        return;
    }
    bar->SetVisible(false);
    bar->SetScrollPos(0);
    bar->SetScrollRange(0);
    Relayout(true);
}

void CContainerUI::UpdateBothScrollBars(RECT client, int neededWidth, int neededHeight)
{
    CScrollBarUI* vertical = m_verticalScrollBar;
    CScrollBarUI* horizontal = m_horizontalScrollBar;
    const LONG left = client.left;
    const LONG top = client.top;
    const LONG right = client.right;
    LONG bottom = client.bottom;
    const int barHeight = horizontal->GetFixedHeight();
    const int barWidth = vertical->GetFixedWidth();

    bool horizontalChanged = false;
    if (neededWidth > right - left) {
        if (!horizontal->IsVisible()) {
            horizontal->SetVisible(true);
            horizontal->SetScrollPos(0);
            bottom -= barHeight;
        }
        PlaceBar(horizontal, {left, bottom, right, bottom + barHeight});
        if (horizontal->GetScrollRange() != neededWidth - (right - left)) {
            horizontal->SetScrollRange(neededWidth - (right - left));
            horizontalChanged = true;
        }
    } else if (horizontal->IsVisible()) {
        horizontal->SetVisible(false);
        bottom += barHeight;
        // The children were placed scrolled; with the bar gone they must be placed again.
        if (horizontal->GetScrollPos() != 0) horizontalChanged = true;
        horizontal->SetScrollPos(0);
    }

    // Re-places a visible horizontal bar beside a vertical one that came or went.
    auto refitHorizontal = [&](LONG barRight) {
        if (!horizontal->IsVisible()) return;
        PlaceBar(horizontal, {left, bottom, barRight, bottom + barHeight});
        horizontal->SetScrollRange(neededWidth - (barRight - left));
    };

    const int excess = neededHeight - (bottom - top);
    if (!vertical->IsVisible()) {
        if (excess <= 0) {
            if (horizontalChanged) Relayout(true);
            return;
        }
        vertical->SetVisible(true);
        vertical->SetScrollRange(excess);
        vertical->SetScrollPos(0);
        refitHorizontal(right - barWidth);
        m_scrollProcess = true;
        Relayout(true);
        m_scrollProcess = false;
        return;
    }
    if (excess > 0 || m_scrollProcess) {
        PlaceBar(vertical, {right, top, right + barWidth, bottom});
        if (vertical->GetScrollRange() == excess && !horizontalChanged) return;
        const int oldPos = vertical->GetScrollPos();
        if (vertical->GetScrollRange() != excess) {
            vertical->SetScrollRange(std::abs(excess));
            if (vertical->GetScrollRange() == 0) {
                vertical->SetVisible(false);
                vertical->SetScrollPos(0);
            }
        }
        if (vertical->GetScrollPos() >= oldPos && !horizontalChanged) return;
        Relayout(false);
        return;
    }
    vertical->SetVisible(false);
    vertical->SetScrollPos(0);
    vertical->SetScrollRange(0);
    refitHorizontal(right + barWidth);
    Relayout(true);
}

} // namespace VarnUI

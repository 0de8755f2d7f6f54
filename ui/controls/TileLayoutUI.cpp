#include "ui/controls/TileLayoutUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ScrollBarUI.h"

#include <algorithm>

namespace VarnUI {

CTileLayoutUI::CTileLayoutUI() = default;

const wchar_t* CTileLayoutUI::GetClassName() const
{
    return L"TileLayout";
}

void* CTileLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TileLayout") return static_cast<CTileLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CTileLayoutUI::SetItemSize(SIZE size)
{
    if (size.cx == m_itemSize.cx && size.cy == m_itemSize.cy) return;
    m_itemSize = size;
    RequestLayout();
}

void CTileLayoutUI::SetColumns(int columns)
{
    if (columns < 0 || columns == m_columns) return;
    m_columns = columns;
    RequestLayout();
}

void CTileLayoutUI::SetChildVPadding(int padding)
{
    padding = std::max(padding, 0);
    if (padding == m_childVPadding) return;
    m_childVPadding = padding;
    RequestLayout();
}

void CTileLayoutUI::RescalePixels(int fromDpi, int toDpi)
{
    CContainerUI::RescalePixels(fromDpi, toDpi);
    RescaleEach(fromDpi, toDpi, m_itemSize, m_childVPadding);
}

void CTileLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"itemsize") {
        SetItemSize(Scaled(CUISize(value)));
    } else if (key == L"columns") {
        SetColumns(AttributeInt(value));
    } else if (key == L"childvpadding") {
        SetChildVPadding(Scaled(AttributeInt(value)));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CTileLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const CUIRect client = GetClientPos();
    const CScrollBarUI* vertical = m_verticalScrollBar != nullptr && m_verticalScrollBar->IsVisible()
                                       ? m_verticalScrollBar : nullptr;
    const CScrollBarUI* horizontal = m_horizontalScrollBar != nullptr && m_horizontalScrollBar->IsVisible()
                                         ? m_horizontalScrollBar : nullptr;
    const int count = CountFlowChildren();

    const int itemWidth = m_itemSize.cx;
    const int itemHeight = m_itemSize.cy;
    int columns = m_columns;
    int gap = 0;
    if (columns == 0) {
        // Cells without width fit any number of times; they are stacked in one column.
        columns = itemWidth > 0 ? std::max(1, client.GetWidth() / itemWidth) : 1;
        if (m_childPadding > 0) {
            gap = m_childPadding;
        } else if (columns >= 2) {
            gap = std::max(0, (client.GetWidth() - columns * itemWidth) / (columns - 1));
        }
    } else if (columns >= 2) {
        if (m_childPadding >= 1) {
            gap = m_childPadding;
        } else {
            int space = client.GetWidth() - columns * itemWidth;
            if (horizontal != nullptr) space += horizontal->GetScrollRange();
            gap = std::max(0, space / (columns - 1));
        }
    }
    const int shownColumns = std::min(count, columns);
    const int neededWidth = shownColumns > 0 ? shownColumns * itemWidth + gap * (shownColumns - 1) : 0;
    const int rows = (count - 1) / columns + 1;
    const int neededHeight = (rows - 1) * m_childVPadding + rows * itemHeight;
    m_columnsUsed = columns;
    m_rowsUsed = rows;

    const int left = client.left - (horizontal != nullptr ? horizontal->GetScrollPos() : 0);
    const int top = client.top - (vertical != nullptr ? vertical->GetScrollPos() : 0);
    int cell = 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = FlowChild(i);
        if (child == nullptr) continue;
        // Cells count only the children placed in them: a hidden child leaves no hole.
        const int x = left + (cell % columns) * (itemWidth + gap);
        const int y = top + (cell / columns) * (m_childVPadding + itemHeight);
        ++cell;
        const RECT padding = child->GetPadding();
        const int roomWidth = itemWidth - padding.left - padding.right;
        const int roomHeight = itemHeight - padding.top - padding.bottom;
        const int width = std::max(0, std::min(roomWidth, child->GetMaxWidth()));
        const int height = std::max(0, std::min(roomHeight, child->GetMaxHeight()));

        RECT place;
        if (m_childAlign == ALIGN_CENTER) {
            place.left = x + padding.left + (roomWidth - width) / 2;
        } else if (m_childAlign == ALIGN_RIGHT) {
            place.left = x + itemWidth - padding.right - width;
        } else {
            place.left = x + padding.left;
        }
        if (m_childVAlign == VALIGN_VCENTER) {
            place.top = y + padding.top + (roomHeight - height) / 2;
        } else if (m_childVAlign == VALIGN_BOTTOM) {
            place.top = y + itemHeight - padding.bottom - height;
        } else {
            place.top = y + padding.top;
        }
        place.right = place.left + width;
        place.bottom = place.top + height;
        child->SetPos(place, false);
    }
    UpdateScrollBars(client, neededWidth, neededHeight);
}

} // namespace VarnUI

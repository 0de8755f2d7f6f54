#include "ui/controls/ListElementUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <algorithm>

namespace VarnUI {
namespace {

constexpr int kRowTextMargin = 8;

bool SetImage(ImageDrawUI& record, const wchar_t* value)
{
    record.Reset(value);
    return true;
}

// The rows' horizontal alignment words, as the label reads them.
void SetItemAlign(UINT& style, const CUIString& value)
{
    if (value.Find(L"left") >= 0) style &= ~static_cast<UINT>(DT_CENTER | DT_RIGHT);
    if (value.Find(L"center") >= 0) style = (style & ~static_cast<UINT>(DT_RIGHT)) | DT_CENTER;
    if (value.Find(L"right") >= 0) style = (style & ~static_cast<UINT>(DT_CENTER)) | DT_RIGHT;
}

} // namespace

bool ListInfoUI::SetAttribute(const CUIString& name, const wchar_t* value, int dpi)
{
    if (name == L"itemfont") font = AttributeInt(value);
    else if (name == L"itemalign") SetItemAlign(textStyle, CUIString(value));
    else if (name == L"itemendellipsis") textStyle = AttributeIsTrue(value) ? textStyle | DT_END_ELLIPSIS : textStyle & ~static_cast<UINT>(DT_END_ELLIPSIS);
    else if (name == L"itemtextpadding") textPadding = ScaleToDpi(CUIRect(value), dpi);
    else if (name == L"itemtextcolor") textColor = AttributeColor(value);
    else if (name == L"itembkcolor") bkColor = AttributeColor(value);
    else if (name == L"itembkimage") return SetImage(bkImage, value);
    else if (name == L"itemaltbk") alternateBk = AttributeIsTrue(value);
    else if (name == L"itemselectedtextcolor") selectedTextColor = AttributeColor(value);
    else if (name == L"itemselectedbkcolor") selectedBkColor = AttributeColor(value);
    else if (name == L"itemselectedimage") return SetImage(selectedImage, value);
    else if (name == L"itemhottextcolor") hotTextColor = AttributeColor(value);
    else if (name == L"itemhotbkcolor") hotBkColor = AttributeColor(value);
    else if (name == L"itemhotimage") return SetImage(hotImage, value);
    else if (name == L"itemdisabledtextcolor") disabledTextColor = AttributeColor(value);
    else if (name == L"itemdisabledbkcolor") disabledBkColor = AttributeColor(value);
    else if (name == L"itemdisabledimage") return SetImage(disabledImage, value);
    else if (name == L"itemlinecolor") lineColor = AttributeColor(value);
    else if (name == L"itemshowhtml") showHtml = AttributeIsTrue(value);
    else return false;
    return true;
}

void CListItemState::SetOwner(CControlUI* control)
{
    ownerControl = nullptr;
    owner = nullptr;
    if (control == nullptr) return;
    owner = static_cast<IListOwnerUI*>(control->GetInterface(L"IListOwner"));
    if (owner != nullptr) ownerControl = control;
}

bool CListItemState::Select(CControlUI& row, bool select)
{
    if (select && !row.IsEnabled()) return false;
    if (selected == select) return true;
    selected = select;
    // The owner keeps one selection: it hears of a row selected directly.
    if (select && owner != nullptr) owner->SelectItem(index);
    row.Invalidate();
    return true;
}

void CListItemState::OnHidden(CControlUI& row)
{
    if (row.IsVisible() || !selected) return;
    selected = false;
    if (owner != nullptr && owner->GetCurSel() == index) owner->SelectItem(-1);
}

void CListItemState::PaintRowBack(HDC dc, CControlUI& row, const RECT& paint)
{
    if (owner == nullptr) return;
    ListInfoUI* info = owner->GetListInfo();
    CManagerUI* manager = row.GetManager();
    const RECT& item = row.GetPos();
    const bool plainShown = !info->alternateBk || index % 2 == 0;
    DWORD color = 0;
    ImageDrawUI* image = nullptr;
    if (!row.IsEnabled()) {
        color = info->disabledBkColor;
        image = &info->disabledImage;
    } else if (selected) {
        color = info->selectedBkColor;
        image = &info->selectedImage;
    } else if ((buttonState & STATE_HOT) != 0) {
        color = info->hotBkColor;
        image = &info->hotImage;
    }
    if (color == 0 && plainShown) color = info->bkColor;
    if (color != 0) CRenderer::DrawColor(dc, item, row.GetAdjustColor(color));
    if (image != nullptr && !image->drawString.IsEmpty() &&
        CRenderer::DrawImageString(dc, manager, item, paint, *image)) {
        return;
    }
    if (plainShown && !info->bkImage.drawString.IsEmpty()) {
        CRenderer::DrawImageString(dc, manager, item, paint, info->bkImage);
    }
}

DWORD CListItemState::TextColor(const CControlUI& row) const
{
    DWORD color = 0;
    if (owner != nullptr) {
        const ListInfoUI* info = owner->GetListInfo();
        if (!row.IsEnabled()) color = info->disabledTextColor;
        else if (selected) color = info->selectedTextColor;
        else if ((buttonState & STATE_HOT) != 0) color = info->hotTextColor;
        if (color == 0) color = info->textColor;
    }
    CManagerUI* manager = row.GetManager();
    if (color == 0 && manager != nullptr) {
        color = row.IsEnabled() ? manager->GetDefaultFontColor() : manager->GetDefaultDisabledColor();
    }
    return color;
}

void CListItemState::PaintRowLine(HDC dc, const CControlUI& row)
{
    if (owner == nullptr) return;
    const DWORD color = owner->GetListInfo()->lineColor;
    if (color == 0) return;
    const RECT& item = row.GetPos();
    const RECT line = {item.left, item.bottom - 1, item.right, item.bottom - 1};
    CRenderer::DrawLine(dc, line, 1, row.GetAdjustColor(color));
}

bool CListItemState::HandleRowEvent(CControlUI& row, EventUI& event)
{
    switch (event.type) {
    case EVT_MOUSEENTER:
        if (row.IsEnabled()) {
            buttonState |= STATE_HOT;
            row.Invalidate();
        }
        return true;
    case EVT_MOUSELEAVE:
        if ((buttonState & STATE_HOT) != 0) {
            buttonState &= ~static_cast<UINT>(STATE_HOT);
            row.Invalidate();
        }
        return true;
    case EVT_BUTTONDOWN:
        if (row.IsEnabled() && owner != nullptr) owner->SelectItem(index, true);
        return true;
    case EVT_DBLCLICK:
        if (row.IsEnabled()) row.Activate();
        return true;
    case EVT_KEYDOWN:
        if (event.key == VK_RETURN && row.IsEnabled()) {
            row.Activate();
            return true;
        }
        // Arrow keys move the owner's selection, whatever scroll bars lie between.
        if (ownerControl != nullptr) {
            ownerControl->HandleEvent(event);
            return true;
        }
        return false;
    default:
        return false;
    }
}

int CListItemState::DefaultHeight(CManagerUI* manager) const
{
    if (manager == nullptr) return 0;
    const int font = owner != nullptr ? owner->GetListInfo()->font : -1;
    const FontInfoUI* info = manager->GetFontInfo(font);
    const int padding = owner != nullptr ? owner->GetListInfo()->textPadding.top + owner->GetListInfo()->textPadding.bottom : 0;
    return (info != nullptr ? info->tm.tmHeight : 0) + kRowTextMargin + padding;
}

template <class Base>
int CListRowUI<Base>::GetIndex() const { return m_row.index; }
template <class Base>
void CListRowUI<Base>::SetIndex(int index) { m_row.index = index; }
template <class Base>
IListOwnerUI* CListRowUI<Base>::GetOwner() { return m_row.owner; }
template <class Base>
void CListRowUI<Base>::SetOwner(CControlUI* owner) { m_row.SetOwner(owner); }
template <class Base>
bool CListRowUI<Base>::IsSelected() const { return m_row.selected; }
template <class Base>
bool CListRowUI<Base>::Select(bool select) { return m_row.Select(*this, select); }

template <class Base>
void* CListRowUI<Base>::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"ListItem" || key == L"IListItem") return static_cast<IListItemUI*>(this);
    return Base::GetInterface(name);
}

template <class Base>
UINT CListRowUI<Base>::QueryControlFlags() const
{
    return 0;
}

template <class Base>
bool CListRowUI<Base>::Activate()
{
    if (!Base::Activate()) return false;
    if (this->m_manager != nullptr) this->m_manager->SendNotify(this, L"itemactivate");
    return true;
}

template <class Base>
void CListRowUI<Base>::SetVisible(bool visible)
{
    Base::SetVisible(visible);
    m_row.OnHidden(*this);
}

template <class Base>
void CListRowUI<Base>::SetEnabled(bool enabled)
{
    Base::SetEnabled(enabled);
    if (!enabled) m_row.buttonState = 0;
}

template <class Base>
void CListRowUI<Base>::HandleEvent(EventUI& event)
{
    // With mouse input off the row's own handling is skipped, not its base's.
    if (IsMouseEvent(event.type) && !this->IsMouseEnabled()) {
        Base::HandleEvent(event);
        return;
    }
    if (!m_row.HandleRowEvent(*this, event)) Base::HandleEvent(event);
}

template <class Base>
void CListRowUI<Base>::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (CUIString(name) == L"selected") {
        Select(AttributeIsTrue(value));
        return;
    }
    Base::SetAttribute(name, value);
}

template <class Base>
void CListRowUI<Base>::PaintBackColor(HDC dc)
{
    Base::PaintBackColor(dc);
    m_row.PaintRowBack(dc, *this, this->m_paintRect);
}

template class CListRowUI<CControlUI>;
template class CListRowUI<CContainerUI>;

const wchar_t* CListElementUI::GetClassName() const
{
    return L"ListElement";
}

void* CListElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListElement") return this;
    return CListRowUI::GetInterface(name);
}

const wchar_t* CListLabelElementUI::GetClassName() const
{
    return L"ListLabelElement";
}

void* CListLabelElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListLabelElement") return this;
    return CListElementUI::GetInterface(name);
}

SIZE CListLabelElementUI::MeasureSize(SIZE available)
{
    SIZE size = CListElementUI::MeasureSize(available);
    if (size.cy == 0) size.cy = m_row.DefaultHeight(m_manager);
    return size;
}

void CListLabelElementUI::PaintText(HDC dc)
{
    if (m_text.IsEmpty() || m_row.owner == nullptr) return;
    const ListInfoUI* info = m_row.owner->GetListInfo();
    RECT rc = {m_item.left + info->textPadding.left, m_item.top + info->textPadding.top,
               m_item.right - info->textPadding.right, m_item.bottom - info->textPadding.bottom};
    const DWORD color = m_row.TextColor(*this);
    if (info->showHtml) CRenderer::DrawFormattedText(dc, m_manager, rc, m_text.GetData(), color, info->font, info->textStyle);
    else CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), color, info->font, info->textStyle);
}

void CListLabelElementUI::PaintBorder(HDC dc)
{
    CListElementUI::PaintBorder(dc);
    m_row.PaintRowLine(dc, *this);
}

const wchar_t* CListTextElementUI::GetClassName() const
{
    return L"ListTextElement";
}

void* CListTextElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListTextElement") return this;
    return CListLabelElementUI::GetInterface(name);
}

CUIString CListTextElementUI::GetText(int column) const
{
    if (column == 0) return m_text;
    if (column < 0 || column >= kListMaxColumns) return CUIString();
    return m_columnTexts[column];
}

void CListTextElementUI::SetText(int column, const wchar_t* text)
{
    if (column == 0) {
        SetText(text);
        return;
    }
    if (column < 0 || column >= kListMaxColumns) return;
    m_columnTexts[column] = text != nullptr ? text : L"";
    Invalidate();
}

void CListTextElementUI::PaintText(HDC dc)
{
    if (m_row.owner == nullptr) return;
    const ListInfoUI* info = m_row.owner->GetListInfo();
    // Without columns the row is a label.
    if (info->columns == 0) {
        CListLabelElementUI::PaintText(dc);
        return;
    }
    const DWORD color = m_row.TextColor(*this);
    for (int i = 0; i < info->columns; ++i) {
        const CUIString text = GetText(i);
        if (text.IsEmpty()) continue;
        const RECT& column = info->columnRects[i];
        RECT rc = {column.left + info->textPadding.left, m_item.top + info->textPadding.top,
                   column.right - info->textPadding.right, m_item.bottom - info->textPadding.bottom};
        if (info->showHtml) CRenderer::DrawFormattedText(dc, m_manager, rc, text.GetData(), color, info->font, info->textStyle);
        else CRenderer::DrawText(dc, m_manager, rc, text.GetData(), color, info->font, info->textStyle);
    }
}

const wchar_t* CListContainerElementUI::GetClassName() const
{
    return L"ListContainerElement";
}

void* CListContainerElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListContainerElement") return this;
    return CListRowUI::GetInterface(name);
}

SIZE CListContainerElementUI::MeasureSize(SIZE available)
{
    SIZE size = CContainerUI::MeasureSize(available);
    if (size.cy == 0) size.cy = m_row.DefaultHeight(m_manager);
    return size;
}

void CListContainerElementUI::PaintBorder(HDC dc)
{
    CContainerUI::PaintBorder(dc);
    m_row.PaintRowLine(dc, *this);
}

const wchar_t* CListHBoxElementUI::GetClassName() const
{
    return L"ListHBoxElement";
}

void* CListHBoxElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHBoxElement") return this;
    return CListContainerElementUI::GetInterface(name);
}

void CListHBoxElementUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const ListInfoUI* info = m_row.owner != nullptr ? m_row.owner->GetListInfo() : nullptr;
    const int columns = info != nullptr ? info->columns : 0;
    const RECT client = GetClientPos();
    const int visible = CountFlowChildren();
    // The n-th placed control takes the n-th column; without columns the width is shared.
    int slot = 0;
    const int share = visible > 0 ? (client.right - client.left) / visible : 0;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* child = FlowChild(i);
        if (child == nullptr) continue;
        RECT cell = {client.left + slot * share, client.top, client.left + (slot + 1) * share, client.bottom};
        if (columns > 0) {
            cell = slot < columns ? RECT{info->columnRects[slot].left, client.top, info->columnRects[slot].right, client.bottom}
                                  : RECT{client.right, client.top, client.right, client.bottom};
        } else if (slot == visible - 1) {
            cell.right = client.right;
        }
        const RECT padding = child->GetPadding();
        cell.left += padding.left;
        cell.top += padding.top;
        cell.right = std::max(cell.left, cell.right - padding.right);
        cell.bottom = std::max(cell.top, cell.bottom - padding.bottom);
        child->SetPos(cell, false);
        ++slot;
    }
}

} // namespace VarnUI

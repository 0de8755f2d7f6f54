#include "ui/controls/ListUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"

#include <algorithm>

namespace VarnUI {
namespace {

IListItemUI* AsListItem(CControlUI* control)
{
    return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface(L"IListItem")) : nullptr;
}

} // namespace

const wchar_t* CListBodyUI::GetClassName() const
{
    return L"ListBody";
}

void* CListBodyUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListBody") return this;
    return CVerticalLayoutUI::GetInterface(name);
}

CListUI::CListUI()
{
    m_header = new CListHeaderUI;
    m_body = new CListBodyUI;
    CVerticalLayoutUI::Add(m_header);
    CVerticalLayoutUI::Add(m_body);
}

CControlUI* CListUI::GetItemAt(int index) const { return m_body->GetItemAt(index); }
int CListUI::GetItemIndex(CControlUI* control) const { return m_body->GetItemIndex(control); }
int CListUI::GetCount() const { return m_body->GetCount(); }

bool CListUI::SetItemIndex(CControlUI* control, int index)
{
    if (!m_body->SetItemIndex(control, index)) return false;
    Reindex(0);
    RecountSelection();
    return true;
}

bool CListUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex)
{
    if (!m_body->SetMultiItemIndex(control, count, newIndex)) return false;
    Reindex(0);
    RecountSelection();
    return true;
}

bool CListUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index)
{
    if (control == nullptr) return false;
    if (control->GetInterface(L"ListHeader") != nullptr) {
        // A header from the skin replaces the empty default one; a second one has no place.
        if (control == m_header || m_header->GetCount() != 0) return false;
        if (!CVerticalLayoutUI::AddAt(control, 0)) return false;
        // The child-list calls speak of the rows here, so the old header leaves by hand.
        CListHeaderUI* old = m_header;
        m_header = static_cast<CListHeaderUI*>(control);
        for (int i = 0; i < m_items.GetSize(); ++i) {
            if (m_items[i] == old) {
                m_items.Remove(i);
                break;
            }
        }
        DisposeChild(old, false);
        return true;
    }
    if (!m_body->AddAt(control, index)) return false;
    if (m_curSel >= index) ++m_curSel;
    Reindex(index);
    if (IListItemUI* item = AsListItem(control); item != nullptr && item->IsSelected()) RecountSelection();
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy)
{
    // Not the virtual RemoveAt: a subclass's RemoveAt may come back here.
    const int index = GetItemIndex(control);
    return index >= 0 && CListUI::RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy)
{
    CControlUI* row = GetItemAt(index);
    if (row == nullptr) return false;
    if (IListItemUI* item = AsListItem(row); item != nullptr && doNotDestroy) {
        item->Select(false);
        item->SetOwner(nullptr);
        item->SetIndex(-1);
    }
    if (!m_body->RemoveAt(index, doNotDestroy)) return false;
    if (index == m_curSel) m_curSel = -1;
    else if (index < m_curSel) --m_curSel;
    Reindex(index);
    return true;
}

void CListUI::RemoveAll()
{
    m_curSel = -1;
    m_body->RemoveAll();
}

ListInfoUI* CListUI::GetListInfo()
{
    UpdateColumns();
    return &m_listInfo;
}

int CListUI::GetCurSel() const
{
    return m_curSel;
}

bool CListUI::SelectItem(int index, bool takeFocus)
{
    if (index == m_curSel) return true;
    CControlUI* row = nullptr;
    IListItemUI* item = nullptr;
    if (index >= 0) {
        row = GetItemAt(index);
        item = AsListItem(row);
        // A refused selection leaves the current one alone.
        if (item == nullptr || !row->IsVisible() || !row->IsEnabled()) return false;
    }
    const int old = m_curSel;
    // The index is set first: the rows report their own selection back to the owner.
    m_curSel = index;
    if (IListItemUI* oldItem = AsListItem(GetItemAt(old)); oldItem != nullptr) oldItem->Select(false);
    if (item == nullptr) return true;
    if (!item->Select(true)) {
        m_curSel = -1;
        return false;
    }
    EnsureVisible(index);
    if (takeFocus && m_manager != nullptr) row->SetFocus();
    if (m_manager != nullptr) m_manager->SendNotify(this, L"itemselect", static_cast<WPARAM>(index), old);
    return true;
}

void CListUI::EnsureVisible(int index)
{
    CControlUI* row = GetItemAt(index);
    if (row == nullptr) return;
    const RECT client = m_body->GetClientPos();
    const RECT& rc = row->GetPos();
    int dy = 0;
    if (rc.top < client.top) dy = rc.top - client.top;
    else if (rc.bottom > client.bottom) dy = std::min(rc.bottom - client.bottom, rc.top - client.top);
    if (dy == 0) return;
    const SIZE pos = m_body->GetScrollPos();
    m_body->SetScrollPos({pos.cx, pos.cy + dy});
}

const wchar_t* CListUI::GetClassName() const
{
    return L"List";
}

void* CListUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"List") return this;
    if (key == L"IListOwner") return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

UINT CListUI::QueryControlFlags() const
{
    return CTLFLAG_TABSTOP;
}

void CListUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const RECT client = GetClientPos();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    int top = client.top;
    if (m_header->IsVisible()) {
        const RECT pad = m_header->GetPadding();
        int cy = m_header->MeasureSize({width - pad.left - pad.right, height}).cy;
        cy = std::min(std::max(cy, m_header->GetMinHeight()), m_header->GetMaxHeight());
        cy = std::max(0, std::min(cy, height - static_cast<int>(pad.top + pad.bottom)));
        const RECT place = {client.left + pad.left, top + pad.top, std::max(client.left + pad.left, client.right - pad.right),
                            top + pad.top + cy};
        m_header->SetPos(place, false);
        top = place.bottom + pad.bottom;
    }
    // The rows' columns follow the header just placed.
    UpdateColumns();
    if (m_body->IsVisible()) {
        const RECT pad = m_body->GetPadding();
        const LONG bodyTop = std::min<LONG>(top + pad.top, client.bottom);
        const RECT place = {client.left + pad.left, bodyTop, std::max(client.left + pad.left, client.right - pad.right),
                            std::max<LONG>(bodyTop, client.bottom - pad.bottom)};
        m_body->SetPos(place, false);
    }
}

void CListUI::HandleEvent(EventUI& event)
{
    if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
        CVerticalLayoutUI::HandleEvent(event);
        return;
    }
    if (event.type == EVT_KEYDOWN && IsEnabled()) {
        switch (event.key) {
        case VK_UP: SelectItem(m_body->FindSelectable(m_curSel - 1, false), true); return;
        case VK_DOWN: SelectItem(m_body->FindSelectable(m_curSel + 1, true), true); return;
        case VK_HOME: SelectItem(m_body->FindSelectable(0, true), true); return;
        case VK_END: SelectItem(m_body->FindSelectable(GetCount() - 1, false), true); return;
        case VK_PRIOR: PageUp(); return;
        case VK_NEXT: PageDown(); return;
        default: break;
        }
    }
    if (event.type == EVT_SCROLLWHEEL && IsEnabled()) {
        const bool down = LOWORD(event.wParam) == 1;
        if (m_scrollSelect) {
            SelectItem(m_body->FindSelectable(m_curSel + (down ? 1 : -1), down), true);
        } else if (down) {
            LineDown();
        } else {
            LineUp();
        }
        return;
    }
    CVerticalLayoutUI::HandleEvent(event);
}

void CListUI::RescalePixels(int fromDpi, int toDpi)
{
    CVerticalLayoutUI::RescalePixels(fromDpi, toDpi);
    m_listInfo.textPadding = RescaleDpi(m_listInfo.textPadding, fromDpi, toDpi);
}

void CListUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"header") {
        m_header->SetVisible(CUIString(value) != L"hidden");
    } else if (key == L"headerbkimage") {
        m_header->SetBkImage(value);
    } else if (key == L"scrollselect") {
        SetScrollSelect(AttributeIsTrue(value));
    } else if (key == L"vscrollbar" || key == L"hscrollbar" || key == L"vscrollbarstyle" || key == L"hscrollbarstyle") {
        m_body->SetAttribute(name, value);
    } else if (m_listInfo.SetAttribute(key, value, m_dpi)) {
        Invalidate();
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

SIZE CListUI::GetScrollPos() const { return m_body->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_body->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE pos) { m_body->SetScrollPos(pos); }
CScrollBarUI* CListUI::GetVerticalScrollBar() const { return m_body->GetVerticalScrollBar(); }
CScrollBarUI* CListUI::GetHorizontalScrollBar() const { return m_body->GetHorizontalScrollBar(); }

void CListUI::EnableScrollBar(bool enableVertical, bool enableHorizontal)
{
    m_body->EnableScrollBar(enableVertical, enableHorizontal);
}

void CListUI::Reindex(int from)
{
    for (int i = std::max(0, from); i < GetCount(); ++i) {
        IListItemUI* item = AsListItem(GetItemAt(i));
        if (item == nullptr) continue;
        item->SetIndex(i);
        item->SetOwner(this);
    }
}

void CListUI::RecountSelection()
{
    // One selection: the first selected row keeps it, any other gives it up.
    m_curSel = -1;
    for (int i = 0; i < GetCount(); ++i) {
        IListItemUI* item = AsListItem(GetItemAt(i));
        if (item == nullptr || !item->IsSelected()) continue;
        if (m_curSel < 0) m_curSel = i;
        else item->Select(false);
    }
}

void CListUI::UpdateColumns()
{
    int columns = 0;
    for (int i = 0; i < m_header->GetCount() && columns < kListMaxColumns; ++i) {
        CControlUI* item = m_header->GetItemAt(i);
        m_listInfo.columnRects[columns++] = item->IsVisible() ? item->GetPos() : RECT{};
    }
    m_listInfo.columns = columns;
}

} // namespace VarnUI


#include "ui/controls/ComboUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

constexpr int kComboTextMargin = 12;

IListItemUI* AsListItem(CControlUI* control)
{
    return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface(L"IListItem")) : nullptr;
}

} // namespace

CComboUI::CComboUI()
{
    m_dropBoxSize = CUISize(0, 150);
    m_textPadding = CUIRect(4, 0, 4, 0);
}

bool CComboUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CComboUI::AddAt(CControlUI* control, int index)
{
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_curSel >= index) ++m_curSel;
    Reindex(index);
    if (IListItemUI* item = AsListItem(control); item != nullptr && item->IsSelected()) RecountSelection();
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (index < 0) return false;
    if (IListItemUI* item = AsListItem(control); item != nullptr && doNotDestroy) {
        item->Select(false);
        item->SetOwner(nullptr);
        item->SetIndex(-1);
    }
    if (!CContainerUI::Remove(control, doNotDestroy)) return false;
    if (index == m_curSel) m_curSel = -1;
    else if (index < m_curSel) --m_curSel;
    Reindex(index);
    Invalidate();
    return true;
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy)
{
    CControlUI* control = GetItemAt(index);
    return control != nullptr && Remove(control, doNotDestroy);
}

void CComboUI::RemoveAll()
{
    m_curSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

bool CComboUI::SetItemIndex(CControlUI* control, int index)
{
    if (!CContainerUI::SetItemIndex(control, index)) return false;
    Reindex(0);
    RecountSelection();
    return true;
}

bool CComboUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex)
{
    if (!CContainerUI::SetMultiItemIndex(control, count, newIndex)) return false;
    Reindex(0);
    RecountSelection();
    return true;
}

ListInfoUI* CComboUI::GetListInfo()
{
    return &m_listInfo;
}

int CComboUI::GetCurSel() const
{
    return m_curSel;
}

bool CComboUI::SelectItem(int index, bool)
{
    if (index == m_curSel) return true;
    IListItemUI* item = nullptr;
    if (index >= 0) {
        CControlUI* row = GetItemAt(index);
        item = AsListItem(row);
        if (item == nullptr || !row->IsEnabled()) return false;
    }
    const int old = m_curSel;
    // Set first: a row reports its own selection back to the owner.
    m_curSel = index;
    if (IListItemUI* oldItem = AsListItem(GetItemAt(old)); oldItem != nullptr) oldItem->Select(false);
    Invalidate();
    if (item == nullptr) return true;
    if (!item->Select(true)) {
        m_curSel = -1;
        return false;
    }
    if (m_manager != nullptr) m_manager->SendNotify(this, L"itemselect", static_cast<WPARAM>(index), old);
    return true;
}

const wchar_t* CComboUI::GetClassName() const
{
    return L"Combo";
}

void* CComboUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"Combo") return this;
    if (key == L"IListOwner") return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CComboUI::QueryControlFlags() const
{
    return CTLFLAG_TABSTOP;
}

CUIString CComboUI::GetText() const
{
    CControlUI* row = GetItemAt(m_curSel);
    return row != nullptr ? row->GetText() : CContainerUI::GetText();
}

void CComboUI::SetEnabled(bool enabled)
{
    CContainerUI::SetEnabled(enabled);
    if (!enabled) m_buttonState = 0;
}

void CComboUI::SetPos(RECT rc, bool needInvalidate)
{
    // The rows belong to the drop-down list, which is not shown: they get no room here.
    const RECT nowhere = {0, 0, 0, 0};
    for (int i = 0; i < m_items.GetSize(); ++i) ChildAt(i)->SetPos(nowhere, false);
    CControlUI::SetPos(rc, needInvalidate);
}

CControlUI* CComboUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    return CControlUI::FindControl(proc, data, flags);
}

void CComboUI::SelectNext(bool forward)
{
    const int next = FindSelectable(m_curSel + (forward ? 1 : -1), forward);
    if (next >= 0) SelectItem(next);
}

void CComboUI::HandleEvent(EventUI& event)
{
    if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
        CContainerUI::HandleEvent(event);
        return;
    }
    const bool inside = ::PtInRect(&m_item, event.mouse) != FALSE;
    switch (event.type) {
    case EVT_SETFOCUS:
    case EVT_KILLFOCUS:
        m_focused = event.type == EVT_SETFOCUS;
        Invalidate();
        return;
    case EVT_MOUSEENTER:
        if (IsEnabled()) m_buttonState |= STATE_HOT;
        Invalidate();
        return;
    case EVT_MOUSELEAVE:
        m_buttonState &= ~static_cast<UINT>(STATE_HOT);
        Invalidate();
        return;
    case EVT_BUTTONDOWN:
        if (inside && IsEnabled()) m_buttonState |= STATE_PUSHED | STATE_CAPTURED;
        Invalidate();
        return;
    case EVT_BUTTONUP:
        if ((m_buttonState & STATE_CAPTURED) != 0) {
            m_buttonState &= ~static_cast<UINT>(STATE_PUSHED | STATE_CAPTURED);
            Invalidate();
        }
        return;
    case EVT_MOUSEMOVE:
        return;
    case EVT_KEYDOWN:
        if (!IsEnabled()) break;
        switch (event.key) {
        case VK_UP: SelectNext(false); return;
        case VK_DOWN: SelectNext(true); return;
        case VK_HOME: SelectItem(FindSelectable(0, true)); return;
        case VK_END: SelectItem(FindSelectable(GetCount() - 1, false)); return;
        default: break;
        }
        break;
    case EVT_SCROLLWHEEL:
        if (IsEnabled()) SelectNext(LOWORD(event.wParam) == 1);
        return;
    default:
        break;
    }
    CContainerUI::HandleEvent(event);
}

void CComboUI::RescalePixels(int fromDpi, int toDpi)
{
    CContainerUI::RescalePixels(fromDpi, toDpi);
    RescaleEach(fromDpi, toDpi, m_textPadding, m_dropBoxSize, m_listInfo.textPadding);
}

void CComboUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (SetStateImage(name, value, &m_normalImage, &m_hotImage, &m_pushedImage, &m_focusedImage, &m_disabledImage)) {
        return;
    }
    const CUIString key(name);
    if (key == L"textpadding") {
        m_textPadding = Scaled(CUIRect(value));
        Invalidate();
    } else if (key == L"dropbox") {
        m_dropBoxAttributes = value;
    } else if (key == L"dropboxsize") {
        m_dropBoxSize = Scaled(CUISize(value));
    } else if (m_listInfo.SetAttribute(key, value, m_dpi)) {
        Invalidate();
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

SIZE CComboUI::MeasureSize(SIZE available)
{
    SIZE size = CContainerUI::MeasureSize(available);
    if (size.cy == 0 && m_manager != nullptr) size.cy = m_manager->GetDefaultFontInfo()->tm.tmHeight + kComboTextMargin;
    return size;
}

bool CComboUI::PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl)
{
    // Only the box itself: its rows have no place inside it.
    return CControlUI::PaintContent(dc, updateRect, stopControl);
}

void CComboUI::PaintStateImage(HDC dc)
{
    ImageDrawUI* image = &m_normalImage;
    if (!IsEnabled()) image = &m_disabledImage;
    else if ((m_buttonState & STATE_PUSHED) != 0) image = &m_pushedImage;
    else if ((m_buttonState & STATE_HOT) != 0) image = &m_hotImage;
    else if (IsFocused()) image = &m_focusedImage;
    if (image != &m_normalImage && !image->drawString.IsEmpty() &&
        CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, *image)) {
        return;
    }
    CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, m_normalImage);
}

void CComboUI::PaintText(HDC dc)
{
    const CUIString text = GetText();
    if (text.IsEmpty()) return;
    DWORD color = m_listInfo.textColor;
    if (!IsEnabled() && m_listInfo.disabledTextColor != 0) color = m_listInfo.disabledTextColor;
    if (color == 0 && m_manager != nullptr) {
        color = IsEnabled() ? m_manager->GetDefaultFontColor() : m_manager->GetDefaultDisabledColor();
    }
    RECT rc = {m_item.left + m_textPadding.left, m_item.top + m_textPadding.top, m_item.right - m_textPadding.right,
               m_item.bottom - m_textPadding.bottom};
    const UINT style = (m_listInfo.textStyle & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE;
    if (m_listInfo.showHtml) CRenderer::DrawFormattedText(dc, m_manager, rc, text.GetData(), color, m_listInfo.font, style);
    else CRenderer::DrawText(dc, m_manager, rc, text.GetData(), color, m_listInfo.font, style);
}

void CComboUI::Reindex(int from)
{
    for (int i = from < 0 ? 0 : from; i < GetCount(); ++i) {
        IListItemUI* item = AsListItem(GetItemAt(i));
        if (item == nullptr) continue;
        item->SetIndex(i);
        item->SetOwner(this);
    }
}

void CComboUI::RecountSelection()
{
    m_curSel = -1;
    for (int i = 0; i < GetCount(); ++i) {
        IListItemUI* item = AsListItem(GetItemAt(i));
        if (item == nullptr || !item->IsSelected()) continue;
        if (m_curSel < 0) m_curSel = i;
        else item->Select(false);
    }
    Invalidate();
}

} // namespace VarnUI

#include "ui/controls/TabLayoutUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/manager/ManagerUI.h"

#include <algorithm>

namespace VarnUI {

CTabLayoutUI::CTabLayoutUI() = default;

const wchar_t* CTabLayoutUI::GetClassName() const
{
    return L"TabLayout";
}

void* CTabLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TabLayout") return static_cast<CTabLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control)
{
    // Whether the page itself is shown, before a hidden tab layout hides it by inheritance.
    const bool shown = control != nullptr && control->IsVisible();
    if (!CContainerUI::Add(control)) return false;
    if (m_curSel == -1 && shown) {
        m_curSel = GetItemIndex(control);
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index)
{
    const bool shown = control != nullptr && control->IsVisible();
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_curSel == -1 && shown) {
        m_curSel = GetItemIndex(control);
    } else {
        control->SetVisible(false);
        if (index <= m_curSel) ++m_curSel;
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control, doNotDestroy)) return false;
    if (index == m_curSel) {
        if (GetCount() == 0) {
            m_curSel = -1;
        } else {
            m_curSel = 0;
            GetItemAt(0)->SetVisible(true);
        }
        RequestParentLayout();
    } else if (index < m_curSel) {
        --m_curSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    m_curSel = -1;
    CContainerUI::RemoveAll();
    RequestParentLayout();
}

bool CTabLayoutUI::SelectItem(int index, bool notify)
{
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_curSel) return true;
    const int old = m_curSel;
    m_curSel = index;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = ChildAt(i);
        if (i == index) {
            page->SetVisible(true);
            page->SetFocus();
        } else {
            page->SetVisible(false);
        }
    }
    NotifyAccessibleEvent(EVENT_OBJECT_HIDE, GetItemAt(old));
    NotifyAccessibleEvent(EVENT_OBJECT_SHOW, GetItemAt(index));
    RequestParentLayout();
    if (m_manager != nullptr) {
        m_manager->MoveFocusToNext();
        if (notify) m_manager->SendNotify(this, L"tabselect", m_curSel, old);
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control, bool notify)
{
    const int index = GetItemIndex(control);
    return index >= 0 && SelectItem(index, notify);
}

void CTabLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name != nullptr && value != nullptr && CUIString(name) == L"selectedid") {
        SelectItem(AttributeInt(value));
    }
    CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    CUIRect client = m_item;
    client.left += m_inset.left;
    client.top += m_inset.top;
    client.right -= m_inset.right;
    client.bottom -= m_inset.bottom;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = FlowChild(i);
        if (page == nullptr || i != m_curSel) continue;
        const RECT padding = page->GetPadding();
        const int left = client.left + padding.left;
        const int top = client.top + padding.top;
        const SIZE room = {std::max<int>(0, client.right - padding.right - left),
                           std::max<int>(0, client.bottom - padding.bottom - top)};
        SIZE size = page->MeasureSize(room);
        if (size.cx == 0) size.cx = room.cx;
        size.cx = std::min<int>(std::max<int>(size.cx, page->GetMinWidth()), page->GetMaxWidth());
        if (size.cy == 0) size.cy = room.cy;
        size.cy = std::min<int>(std::max<int>(size.cy, page->GetMinHeight()), page->GetMaxHeight());
        page->SetPos({left, top, left + size.cx, top + size.cy}, false);
    }
}

} // namespace VarnUI

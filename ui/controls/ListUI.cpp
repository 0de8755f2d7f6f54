#include "ui/controls/ListUI.h"

namespace VarnUI {

CListBodyUI::CListBodyUI(CListUI* owner) : m_owner(owner) {}
const wchar_t* CListBodyUI::GetClassName() const { return L"ListBody"; }
void* CListBodyUI::GetInterface(const wchar_t* name) { return CVerticalLayoutUI::GetInterface(name); }

CListUI::CListUI()
{
    m_header = new CListHeaderUI;
    m_body = new CListBodyUI(this);
    CVerticalLayoutUI::Add(m_header);
    CVerticalLayoutUI::Add(m_body);
}
CControlUI* CListUI::GetItemAt(int index) const { return m_body->GetItemAt(index); }
int CListUI::GetItemIndex(CControlUI* control) const { return m_body->GetItemIndex(control); }
bool CListUI::SetItemIndex(CControlUI* control, int index) { return m_body->SetItemIndex(control, index); }
bool CListUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex) { return m_body->SetMultiItemIndex(control, count, newIndex); }
int CListUI::GetCount() const { return m_body->GetCount(); }
bool CListUI::Add(CControlUI* control) { return m_body->Add(control); }
bool CListUI::AddAt(CControlUI* control, int index) { return m_body->AddAt(control, index); }
bool CListUI::Remove(CControlUI* control, bool doNotDestroy) { return m_body->Remove(control, doNotDestroy); }
bool CListUI::RemoveAt(int index, bool doNotDestroy) { return m_body->RemoveAt(index, doNotDestroy); }
void CListUI::RemoveAll() { m_body->RemoveAll(); }
ListInfoUI* CListUI::GetListInfo() { return &m_listInfo; }
int CListUI::GetCurSel() const { return m_curSel; }
bool CListUI::SelectItem(int, bool) { return false; }
const wchar_t* CListUI::GetClassName() const { return L"List"; }
void* CListUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"List") return this;
    if (key == L"IListOwner") return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}
UINT CListUI::QueryControlFlags() const { return CTLFLAG_TABSTOP; }
void CListUI::SetPos(RECT rc, bool needInvalidate) { CVerticalLayoutUI::SetPos(rc, needInvalidate); }
void CListUI::HandleEvent(EventUI& event) { CVerticalLayoutUI::HandleEvent(event); }
void CListUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CVerticalLayoutUI::SetAttribute(name, value); }
SIZE CListUI::GetScrollPos() const { return m_body->GetScrollPos(); }
SIZE CListUI::GetScrollRange() const { return m_body->GetScrollRange(); }
void CListUI::SetScrollPos(SIZE pos) { m_body->SetScrollPos(pos); }
void CListUI::EnableScrollBar(bool enableVertical, bool enableHorizontal) { m_body->EnableScrollBar(enableVertical, enableHorizontal); }
CScrollBarUI* CListUI::GetVerticalScrollBar() const { return m_body->GetVerticalScrollBar(); }
CScrollBarUI* CListUI::GetHorizontalScrollBar() const { return m_body->GetHorizontalScrollBar(); }
void CListUI::Reindex(int) {}
void CListUI::UpdateColumns() {}

} // namespace VarnUI

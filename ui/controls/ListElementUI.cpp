#include "ui/controls/ListElementUI.h"

namespace VarnUI {

bool ListInfoUI::SetAttribute(const CUIString&, const wchar_t*) { return false; }
void CListItemState::PaintRowBack(HDC, CControlUI&, const RECT&) {}
DWORD CListItemState::TextColor(const CControlUI&) const { return 0; }
void CListItemState::PaintRowLine(HDC, const CControlUI&) {}
bool CListItemState::HandleRowEvent(CControlUI&, EventUI&) { return false; }

CListElementUI::CListElementUI() = default;
int CListElementUI::GetIndex() const { return m_row.index; }
void CListElementUI::SetIndex(int index) { m_row.index = index; }
IListOwnerUI* CListElementUI::GetOwner() { return m_row.owner; }
void CListElementUI::SetOwner(CControlUI* owner) { m_row.owner = owner != nullptr ? static_cast<IListOwnerUI*>(owner->GetInterface(L"IListOwner")) : nullptr; }
bool CListElementUI::IsSelected() const { return m_row.selected; }
bool CListElementUI::Select(bool select) { m_row.selected = select; return true; }
const wchar_t* CListElementUI::GetClassName() const { return L"ListElement"; }
void* CListElementUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"ListItem" || key == L"IListItem") return static_cast<IListItemUI*>(this);
    return CControlUI::GetInterface(name);
}
UINT CListElementUI::QueryControlFlags() const { return 0; }
bool CListElementUI::Activate() { return CControlUI::Activate(); }
void CListElementUI::SetVisible(bool visible) { CControlUI::SetVisible(visible); }
void CListElementUI::SetEnabled(bool enabled) { CControlUI::SetEnabled(enabled); }
void CListElementUI::HandleEvent(EventUI& event) { CControlUI::HandleEvent(event); }
void CListElementUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CControlUI::SetAttribute(name, value); }
void CListElementUI::PaintBackColor(HDC dc) { CControlUI::PaintBackColor(dc); }

const wchar_t* CListLabelElementUI::GetClassName() const { return L"ListLabelElement"; }
void* CListLabelElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListLabelElement") return this;
    return CListElementUI::GetInterface(name);
}
SIZE CListLabelElementUI::MeasureSize(SIZE available) { return CListElementUI::MeasureSize(available); }
void CListLabelElementUI::PaintText(HDC) {}
void CListLabelElementUI::PaintBorder(HDC dc) { CListElementUI::PaintBorder(dc); }

const wchar_t* CListTextElementUI::GetClassName() const { return L"ListTextElement"; }
void* CListTextElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListTextElement") return this;
    return CListLabelElementUI::GetInterface(name);
}
void CListTextElementUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CListLabelElementUI::SetAttribute(name, value); }
void CListTextElementUI::PaintText(HDC) {}
CUIString CListTextElementUI::GetText(int column) const { return column >= 0 && column < kListMaxColumns ? m_columnTexts[column] : CUIString(); }
void CListTextElementUI::SetText(int column, const wchar_t* text) { if (column >= 0 && column < kListMaxColumns) m_columnTexts[column] = text; }

CListContainerElementUI::CListContainerElementUI() = default;
int CListContainerElementUI::GetIndex() const { return m_row.index; }
void CListContainerElementUI::SetIndex(int index) { m_row.index = index; }
IListOwnerUI* CListContainerElementUI::GetOwner() { return m_row.owner; }
void CListContainerElementUI::SetOwner(CControlUI* owner) { m_row.owner = owner != nullptr ? static_cast<IListOwnerUI*>(owner->GetInterface(L"IListOwner")) : nullptr; }
bool CListContainerElementUI::IsSelected() const { return m_row.selected; }
bool CListContainerElementUI::Select(bool select) { m_row.selected = select; return true; }
const wchar_t* CListContainerElementUI::GetClassName() const { return L"ListContainerElement"; }
void* CListContainerElementUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"ListItem" || key == L"IListItem") return static_cast<IListItemUI*>(this);
    if (key == L"ListContainerElement") return this;
    return CContainerUI::GetInterface(name);
}
UINT CListContainerElementUI::QueryControlFlags() const { return 0; }
bool CListContainerElementUI::Activate() { return CContainerUI::Activate(); }
void CListContainerElementUI::SetVisible(bool visible) { CContainerUI::SetVisible(visible); }
void CListContainerElementUI::SetEnabled(bool enabled) { CContainerUI::SetEnabled(enabled); }
void CListContainerElementUI::HandleEvent(EventUI& event) { CContainerUI::HandleEvent(event); }
SIZE CListContainerElementUI::MeasureSize(SIZE available) { return CContainerUI::MeasureSize(available); }
void CListContainerElementUI::PaintBackColor(HDC dc) { CContainerUI::PaintBackColor(dc); }
void CListContainerElementUI::PaintBorder(HDC dc) { CContainerUI::PaintBorder(dc); }

const wchar_t* CListHBoxElementUI::GetClassName() const { return L"ListHBoxElement"; }
void* CListHBoxElementUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHBoxElement") return this;
    return CListContainerElementUI::GetInterface(name);
}
void CListHBoxElementUI::SetPos(RECT rc, bool needInvalidate) { CListContainerElementUI::SetPos(rc, needInvalidate); }

} // namespace VarnUI

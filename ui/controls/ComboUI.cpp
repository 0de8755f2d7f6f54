#include "ui/controls/ComboUI.h"

namespace VarnUI {

CComboUI::CComboUI() = default;
bool CComboUI::Add(CControlUI* control) { return CContainerUI::Add(control); }
bool CComboUI::AddAt(CControlUI* control, int index) { return CContainerUI::AddAt(control, index); }
bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) { return CContainerUI::Remove(control, doNotDestroy); }
bool CComboUI::RemoveAt(int index, bool doNotDestroy) { return CContainerUI::RemoveAt(index, doNotDestroy); }
void CComboUI::RemoveAll() { CContainerUI::RemoveAll(); }
bool CComboUI::SetItemIndex(CControlUI* control, int index) { return CContainerUI::SetItemIndex(control, index); }
ListInfoUI* CComboUI::GetListInfo() { return &m_listInfo; }
int CComboUI::GetCurSel() const { return m_curSel; }
bool CComboUI::SelectItem(int, bool) { return false; }
const wchar_t* CComboUI::GetClassName() const { return L"Combo"; }
void* CComboUI::GetInterface(const wchar_t* name)
{
    const CUIString key(name);
    if (key == L"Combo") return this;
    if (key == L"IListOwner") return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}
UINT CComboUI::QueryControlFlags() const { return CTLFLAG_TABSTOP; }
CUIString CComboUI::GetText() const { return CContainerUI::GetText(); }
void CComboUI::SetEnabled(bool enabled) { CContainerUI::SetEnabled(enabled); }
void CComboUI::SetPos(RECT rc, bool needInvalidate) { CControlUI::SetPos(rc, needInvalidate); }
CControlUI* CComboUI::FindControl(FindControlProc proc, void* data, UINT flags) { return CControlUI::FindControl(proc, data, flags); }
void CComboUI::HandleEvent(EventUI& event) { CContainerUI::HandleEvent(event); }
void CComboUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CContainerUI::SetAttribute(name, value); }
SIZE CComboUI::MeasureSize(SIZE available) { return CContainerUI::MeasureSize(available); }
bool CComboUI::PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl) { return CControlUI::PaintContent(dc, updateRect, stopControl); }
void CComboUI::PaintStateImage(HDC) {}
void CComboUI::PaintText(HDC) {}
void CComboUI::Reindex(int) {}

} // namespace VarnUI

#include "ui/controls/TreeViewUI.h"

namespace VarnUI {

CTreeNodeUI::CTreeNodeUI(CTreeNodeUI* parentNode) : m_parentNode(parentNode)
{
    m_row = new CHorizontalLayoutUI;
    CContainerUI::Add(m_row);
}
CTreeNodeUI::~CTreeNodeUI() = default;
bool CTreeNodeUI::AddChildNode(CTreeNodeUI*) { return false; }
bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI*) { return false; }
CTreeNodeUI* CTreeNodeUI::GetChildNode(int index) const { return static_cast<CTreeNodeUI*>(m_childNodes.GetAt(index)); }
int CTreeNodeUI::GetTreeLevel() const { return 0; }
bool CTreeNodeUI::IsAncestorOf(const CTreeNodeUI*) const { return false; }
void CTreeNodeUI::SetExpand(bool expand) { m_expanded = expand; }
CControlUI* CTreeNodeUI::GetItemAt(int index) const { return m_row->GetItemAt(index); }
int CTreeNodeUI::GetItemIndex(CControlUI* control) const { return m_row->GetItemIndex(control); }
bool CTreeNodeUI::SetItemIndex(CControlUI* control, int index) { return m_row->SetItemIndex(control, index); }
bool CTreeNodeUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex) { return m_row->SetMultiItemIndex(control, count, newIndex); }
int CTreeNodeUI::GetCount() const { return m_row->GetCount(); }
bool CTreeNodeUI::Add(CControlUI* control) { return m_row->Add(control); }
bool CTreeNodeUI::AddAt(CControlUI* control, int index) { return m_row->AddAt(control, index); }
bool CTreeNodeUI::Remove(CControlUI* control, bool doNotDestroy) { return m_row->Remove(control, doNotDestroy); }
bool CTreeNodeUI::RemoveAt(int index, bool doNotDestroy) { return m_row->RemoveAt(index, doNotDestroy); }
void CTreeNodeUI::RemoveAll() { m_row->RemoveAll(); }
const wchar_t* CTreeNodeUI::GetClassName() const { return L"TreeNode"; }
void* CTreeNodeUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TreeNode") return this;
    return CListContainerElementUI::GetInterface(name);
}
void CTreeNodeUI::SetPos(RECT rc, bool needInvalidate) { CListContainerElementUI::SetPos(rc, needInvalidate); }
void CTreeNodeUI::HandleEvent(EventUI& event) { CListContainerElementUI::HandleEvent(event); }
void CTreeNodeUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CListContainerElementUI::SetAttribute(name, value); }
void CTreeNodeUI::PaintText(HDC dc) { CListContainerElementUI::PaintText(dc); }

CTreeViewUI::CTreeViewUI() = default;
CTreeViewUI::~CTreeViewUI() = default;
bool CTreeViewUI::Add(CControlUI* control) { return control != nullptr && control->GetInterface(L"TreeNode") != nullptr && CListUI::Add(control); }
bool CTreeViewUI::AddAt(CControlUI* control, int index) { return control != nullptr && control->GetInterface(L"TreeNode") != nullptr && CListUI::AddAt(control, index); }
bool CTreeViewUI::Remove(CControlUI* control, bool doNotDestroy) { return CListUI::Remove(control, doNotDestroy); }
bool CTreeViewUI::RemoveAt(int index, bool doNotDestroy) { return CListUI::RemoveAt(index, doNotDestroy); }
void CTreeViewUI::RemoveAll() { CListUI::RemoveAll(); }
const wchar_t* CTreeViewUI::GetClassName() const { return L"TreeView"; }
void* CTreeViewUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TreeView") return this;
    return CListUI::GetInterface(name);
}
void CTreeViewUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CListUI::SetAttribute(name, value); }
void CTreeViewUI::SetIndent(int indent) { m_indent = indent; }

} // namespace VarnUI

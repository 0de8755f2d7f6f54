#include "ui/controls/TreeViewUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <algorithm>

namespace VarnUI {
namespace {

CTreeNodeUI* AsTreeNode(CControlUI* control)
{
    return control != nullptr ? static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode")) : nullptr;
}

} // namespace

CTreeNodeUI::CTreeNodeUI(CTreeNodeUI* parentNode)
{
    m_rowLayout = new CHorizontalLayoutUI;
    CContainerUI::Add(m_rowLayout);
    if (parentNode != nullptr) parentNode->AddChildNode(this);
}

CTreeNodeUI::~CTreeNodeUI()
{
    if (m_parentNode != nullptr) m_parentNode->DetachChildNode(this);
    // In a view the body owns every node; outside one this node owns its children.
    CUIPtrArray children(m_childNodes);
    m_childNodes.Empty();
    for (int i = 0; i < children.GetSize(); ++i) {
        auto* child = static_cast<CTreeNodeUI*>(children[i]);
        child->m_parentNode = nullptr;
        if (m_treeView == nullptr) child->Destroy();
    }
}

bool CTreeNodeUI::AddChildNode(CTreeNodeUI* node)
{
    if (node == nullptr || node == this || node->IsAncestorOf(this)) return false;
    // A node with any owner already (a parent node, a view, a container) is not taken twice.
    if (node->m_parentNode != nullptr || node->m_treeView != nullptr || node->GetParent() != nullptr) return false;
    CTreeNodeUI* after = LastDescendant();
    if (!m_childNodes.Add(node)) return false;
    node->m_parentNode = this;
    if (m_treeView != nullptr && !m_treeView->InsertSubtree(after, node)) {
        m_childNodes.Remove(m_childNodes.GetSize() - 1);
        node->m_parentNode = nullptr;
        return false;
    }
    return true;
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* node)
{
    if (node == nullptr || m_childNodes.Find(node) < 0) return false;
    if (m_treeView != nullptr) return m_treeView->Remove(node);
    DetachChildNode(node);
    node->Destroy();
    return true;
}

bool CTreeNodeUI::DetachChildNode(CTreeNodeUI* node)
{
    const int index = m_childNodes.Find(node);
    if (index < 0) return false;
    m_childNodes.Remove(index);
    node->m_parentNode = nullptr;
    return true;
}

CTreeNodeUI* CTreeNodeUI::GetChildNode(int index) const
{
    if (index < 0 || index >= m_childNodes.GetSize()) return nullptr;
    return static_cast<CTreeNodeUI*>(m_childNodes[index]);
}

int CTreeNodeUI::GetTreeLevel() const
{
    int level = 0;
    for (const CTreeNodeUI* node = m_parentNode; node != nullptr; node = node->m_parentNode) ++level;
    return level;
}

bool CTreeNodeUI::IsAncestorOf(const CTreeNodeUI* node) const
{
    for (const CTreeNodeUI* up = node != nullptr ? node->m_parentNode : nullptr; up != nullptr; up = up->m_parentNode) {
        if (up == this) return true;
    }
    return false;
}

void CTreeNodeUI::SetExpand(bool expand)
{
    if (m_expanded == expand) return;
    m_expanded = expand;
    if (m_treeView != nullptr) ApplyExpandToDescendants();
}

void CTreeNodeUI::ApplyExpandToDescendants()
{
    for (int i = 0; i < m_childNodes.GetSize(); ++i) {
        CTreeNodeUI* child = GetChildNode(i);
        child->SetVisible(child->AncestorsExpanded());
        child->ApplyExpandToDescendants();
    }
}

bool CTreeNodeUI::AncestorsExpanded() const
{
    for (const CTreeNodeUI* up = m_parentNode; up != nullptr; up = up->m_parentNode) {
        if (!up->m_expanded) return false;
    }
    return true;
}

void CTreeNodeUI::CollectSubtree(CUIPtrArray& nodes)
{
    nodes.Add(this);
    for (int i = 0; i < m_childNodes.GetSize(); ++i) GetChildNode(i)->CollectSubtree(nodes);
}

CTreeNodeUI* CTreeNodeUI::LastDescendant()
{
    CTreeNodeUI* last = this;
    while (last->m_childNodes.GetSize() > 0) last = last->GetChildNode(last->m_childNodes.GetSize() - 1);
    return last;
}

void CTreeNodeUI::SetTreeViewDeep(CTreeViewUI* view)
{
    m_treeView = view;
    for (int i = 0; i < m_childNodes.GetSize(); ++i) GetChildNode(i)->SetTreeViewDeep(view);
}

int CTreeNodeUI::Indent() const
{
    return m_treeView != nullptr ? GetTreeLevel() * m_treeView->GetIndent() : 0;
}

CControlUI* CTreeNodeUI::GetItemAt(int index) const { return m_rowLayout->GetItemAt(index); }
int CTreeNodeUI::GetItemIndex(CControlUI* control) const { return m_rowLayout->GetItemIndex(control); }
bool CTreeNodeUI::SetItemIndex(CControlUI* control, int index) { return m_rowLayout->SetItemIndex(control, index); }
int CTreeNodeUI::GetCount() const { return m_rowLayout->GetCount(); }
bool CTreeNodeUI::AddAt(CControlUI* control, int index) { return m_rowLayout->AddAt(control, index); }
bool CTreeNodeUI::RemoveAt(int index, bool doNotDestroy) { return m_rowLayout->RemoveAt(index, doNotDestroy); }
void CTreeNodeUI::RemoveAll() { m_rowLayout->RemoveAll(); }

bool CTreeNodeUI::SetMultiItemIndex(CControlUI* control, int count, int newIndex)
{
    return m_rowLayout->SetMultiItemIndex(control, count, newIndex);
}

bool CTreeNodeUI::Add(CControlUI* control)
{
    // A node is no ordinary control of the row: it goes where nodes go.
    if (CTreeNodeUI* node = AsTreeNode(control); node != nullptr) return false;
    return m_rowLayout->Add(control);
}

bool CTreeNodeUI::Remove(CControlUI* control, bool doNotDestroy)
{
    return m_rowLayout->Remove(control, doNotDestroy);
}

const wchar_t* CTreeNodeUI::GetClassName() const
{
    return L"TreeNode";
}

void* CTreeNodeUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TreeNode") return this;
    return CListContainerElementUI::GetInterface(name);
}

void CTreeNodeUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    RECT row = GetClientPos();
    row.left = std::min(row.right, row.left + static_cast<LONG>(Indent()));
    m_rowLayout->SetPos(row, false);
}

void CTreeNodeUI::HandleEvent(EventUI& event)
{
    if (event.type == EVT_DBLCLICK && IsEnabled() && m_childNodes.GetSize() > 0) SetExpand(!m_expanded);
    CListContainerElementUI::HandleEvent(event);
}

void CTreeNodeUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"expand") {
        SetExpand(AttributeIsTrue(value));
    } else if (key == L"childpadding" || key == L"childalign" || key == L"childvalign") {
        // The node's own children are its row's.
        m_rowLayout->SetAttribute(name, value);
    } else {
        CListContainerElementUI::SetAttribute(name, value);
    }
}

void CTreeNodeUI::PaintText(HDC dc)
{
    if (m_text.IsEmpty()) return;
    const ListInfoUI* info = m_row.owner != nullptr ? m_row.owner->GetListInfo() : nullptr;
    const RECT padding = info != nullptr ? static_cast<RECT>(info->textPadding) : RECT{};
    const RECT client = GetClientPos();
    RECT rc = {client.left + Indent() + padding.left, client.top + padding.top, client.right - padding.right,
               client.bottom - padding.bottom};
    const UINT style = info != nullptr ? info->textStyle : DT_SINGLELINE | DT_VCENTER;
    const int font = info != nullptr ? info->font : -1;
    CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), m_row.TextColor(*this), font, style);
}

CTreeViewUI::CTreeViewUI() = default;

CTreeViewUI::~CTreeViewUI() = default;

bool CTreeViewUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CTreeViewUI::AddAt(CControlUI* control, int index)
{
    CTreeNodeUI* node = AsTreeNode(control);
    // Child nodes come with their parent; a node in a view or container is not taken twice.
    if (node == nullptr || node->m_parentNode != nullptr || node->m_treeView != nullptr || node->GetParent() != nullptr) {
        return false;
    }
    return AddSubtreeAt(node, index);
}

bool CTreeViewUI::AddSubtreeAt(CTreeNodeUI* node, int index)
{
    if (index < 0 || index > GetCount()) return false;
    CUIPtrArray nodes;
    node->CollectSubtree(nodes);
    node->SetTreeViewDeep(this);
    for (int i = 0; i < nodes.GetSize(); ++i) {
        auto* row = static_cast<CTreeNodeUI*>(nodes[i]);
        if (!CListUI::AddAt(row, index + i)) {
            // All or none: the rows already added leave again, still owned by the subtree.
            for (int j = i - 1; j >= 0; --j) CListUI::RemoveAt(index + j, true);
            node->SetTreeViewDeep(nullptr);
            return false;
        }
        row->SetVisible(row->AncestorsExpanded());
    }
    return true;
}

bool CTreeViewUI::InsertSubtree(CTreeNodeUI* after, CTreeNodeUI* node)
{
    const int index = GetItemIndex(after);
    if (index < 0) return false;
    return AddSubtreeAt(node, index + 1);
}

bool CTreeViewUI::Remove(CControlUI* control, bool doNotDestroy)
{
    CTreeNodeUI* node = AsTreeNode(control);
    if (node == nullptr || node->m_treeView != this) return false;
    if (node->m_parentNode != nullptr) node->m_parentNode->DetachChildNode(node);
    CUIPtrArray nodes;
    node->CollectSubtree(nodes);
    // Taken out of the view whole; kept nodes own their descendants again.
    if (doNotDestroy) node->SetTreeViewDeep(nullptr);
    for (int i = 0; i < nodes.GetSize(); ++i) CListUI::Remove(static_cast<CControlUI*>(nodes[i]), doNotDestroy);
    return true;
}

bool CTreeViewUI::RemoveAt(int index, bool doNotDestroy)
{
    return Remove(GetItemAt(index), doNotDestroy);
}

void CTreeViewUI::RemoveAll()
{
    CListUI::RemoveAll();
}

const wchar_t* CTreeViewUI::GetClassName() const
{
    return L"TreeView";
}

void* CTreeViewUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"TreeView") return this;
    return CListUI::GetInterface(name);
}

void CTreeViewUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (CUIString(name) == L"indent") {
        SetIndent(Scaled(AttributeInt(value)));
        return;
    }
    CListUI::SetAttribute(name, value);
}

void CTreeViewUI::RescalePixels(int fromDpi, int toDpi)
{
    CListUI::RescalePixels(fromDpi, toDpi);
    m_indent = RescaleDpi(m_indent, fromDpi, toDpi);
}

void CTreeViewUI::SetIndent(int indent)
{
    if (indent < 0 || indent == m_indent) return;
    m_indent = indent;
    RequestLayout();
}

} // namespace VarnUI

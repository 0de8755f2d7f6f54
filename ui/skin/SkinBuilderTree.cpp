// The builder's tree-node path, and adding a control to a parent that may be a tree node.
#include "ui/skin/SkinBuilder.h"

#include "ui/controls/TreeViewUI.h"

namespace VarnUI {

CSkinBuilder::Placement CSkinBuilder::AddToParent(CControlUI* control, CControlUI* parent, IContainerUI* container)
{
    if (auto* node = static_cast<CTreeNodeUI*>(parent->GetInterface(L"TreeNode"))) {
        return node->Add(control) ? Placement::Added : Placement::Refused;
    }
    if (container == nullptr) return Placement::NoContainer;
    return container->Add(control) ? Placement::Added : Placement::Refused;
}

bool CSkinBuilder::BuildTreeNode(CXmlNode& node, CControlUI* parent, CManagerUI* manager)
{
    // A node goes below a parent node, or else into a tree view; with neither, nothing at
    // this level can be placed, so nothing is made.
    auto* parentNode = parent != nullptr ? static_cast<CTreeNodeUI*>(parent->GetInterface(L"TreeNode")) : nullptr;
    auto* view = parent != nullptr && parentNode == nullptr
                     ? static_cast<CTreeViewUI*>(parent->GetInterface(L"TreeView"))
                     : nullptr;
    if (parentNode == nullptr && view == nullptr) return false;

    // The node is complete (attributes and descendants) before it is placed: a parent that
    // is already attached initialises it and registers its names when it takes it.
    auto* treeNode = new CTreeNodeUI();
    Configure(node, treeNode, manager, L"TreeNode");
    if (node.HasChildren()) BuildChildren(node, treeNode, manager);
    const bool placed = parentNode != nullptr ? parentNode->AddChildNode(treeNode) : view->Add(treeNode);
    if (!placed) treeNode->Destroy();
    return true;
}

} // namespace VarnUI

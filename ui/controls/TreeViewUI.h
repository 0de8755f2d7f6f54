// CTreeViewUI: a list whose rows are tree nodes, each shown below its parent node and
// indented by its depth. CTreeNodeUI: one node, a list row holding a row of ordinary controls
// (a horizontal layout) and a list of child nodes; collapsing a node hides its descendants.
//
// Ownership: a node outside a view owns its child nodes and destroys them with itself. Once a
// node is added to a view, the view's body holds it and all its descendants as rows and owns
// them; removing a node from the view removes its descendants with it. A node owns its row.
// Rectangles are window client coordinates.
#pragma once

#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/ListUI.h"

namespace VarnUI {

class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
public:
    // With a parent node the new node becomes its last child node.
    explicit CTreeNodeUI(CTreeNodeUI* parentNode = nullptr);
    ~CTreeNodeUI() override;

    // Adds a child node below this one (and to this node's view, if any). False for null, for
    // this node or one of its ancestors (a cycle), and for a node that already has a parent
    // node or a view.
    bool AddChildNode(CTreeNodeUI* node);
    // Takes a child node (and its descendants) away and destroys it; false if it is not one.
    bool RemoveChildNode(CTreeNodeUI* node);
    int GetChildNodeCount() const { return m_childNodes.GetSize(); }
    CTreeNodeUI* GetChildNode(int index) const;
    CTreeNodeUI* GetParentNode() const { return m_parentNode; }
    CTreeViewUI* GetTreeView() const { return m_treeView; }
    // 0 for a node without parent node.
    int GetTreeLevel() const;
    // Whether node is this node's descendant.
    bool IsAncestorOf(const CTreeNodeUI* node) const;
    bool IsExpanded() const { return m_expanded; }
    void SetExpand(bool expand);
    CHorizontalLayoutUI* GetRow() const { return m_rowLayout; }

    // IContainerUI: the node's own row of controls.
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    bool SetMultiItemIndex(CControlUI* control, int count, int newIndex) override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintText(HDC dc) override;

private:
    friend class CTreeViewUI;

    // This node and its descendants, in the order the view shows them.
    void CollectSubtree(CUIPtrArray& nodes);
    CTreeNodeUI* LastDescendant();
    // Shown only when every ancestor is expanded.
    bool AncestorsExpanded() const;
    void ApplyExpandToDescendants();
    void SetTreeViewDeep(CTreeViewUI* view);
    // This node's row starts this far right of its left edge.
    int Indent() const;
    // Takes a child node off the list; false if it is not one.
    bool DetachChildNode(CTreeNodeUI* node);

    CTreeNodeUI* m_parentNode = nullptr;
    CTreeViewUI* m_treeView = nullptr;
    CHorizontalLayoutUI* m_rowLayout = nullptr;
    CUIPtrArray m_childNodes;   // CTreeNodeUI*; owned only while the node is in no view
    bool m_expanded = true;
};

class CTreeViewUI : public CListUI {
public:
    CTreeViewUI();
    ~CTreeViewUI() override;

    // IContainerUI: only tree nodes are taken; a node brings its descendants along.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // Pixels each tree level moves a node's row to the right.
    int GetIndent() const { return m_indent; }
    void SetIndent(int indent);

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    friend class CTreeNodeUI;

    // Puts node and its descendants into the body right after the row of after.
    bool InsertSubtree(CTreeNodeUI* after, CTreeNodeUI* node);
    // Adds the rows of node's subtree from index on; all or none.
    bool AddSubtreeAt(CTreeNodeUI* node, int index);

    int m_indent = 16;
};

} // namespace VarnUI

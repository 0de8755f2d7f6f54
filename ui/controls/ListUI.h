// CListUI: a vertical container with a header (CListHeaderUI) on top and a scrolling body
// (CListBodyUI) below that holds the rows. The child-list operations (Add, GetItemAt,
// Remove...) speak of the rows; adding a CListHeaderUI replaces the empty default header.
// Clicking a row or the arrow keys select it and raise "itemselect" (wParam the new index,
// lParam the old); a double click or Return raises "itemactivate" from the row.
//
// Ownership: the list owns its header and body; the body owns the rows. Rectangles are
// window client coordinates.
#pragma once

#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/VerticalLayoutUI.h"

namespace VarnUI {

// The body: a vertical layout whose scroll bars the list's "vscrollbar"/"hscrollbar" enable.
class CListBodyUI : public CVerticalLayoutUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();

    // IContainerUI (the rows)
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

    // IListOwnerUI (the column edges are read from the header on each call)
    ListInfoUI* GetListInfo() override;
    int GetCurSel() const override;
    bool SelectItem(int index, bool takeFocus = false) override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // CContainerUI overrides: scrolling is the body's.
    SIZE GetScrollPos() const override;
    SIZE GetScrollRange() const override;
    void SetScrollPos(SIZE pos) override;
    void EnableScrollBar(bool enableVertical = true, bool enableHorizontal = false) override;
    CScrollBarUI* GetVerticalScrollBar() const override;
    CScrollBarUI* GetHorizontalScrollBar() const override;

    CListHeaderUI* GetHeader() const { return m_header; }
    CListBodyUI* GetList() const { return m_body; }
    bool IsScrollSelect() const { return m_scrollSelect; }
    void SetScrollSelect(bool scrollSelect) { m_scrollSelect = scrollSelect; }
    // Scrolls the body so that the row at index is inside its client area.
    void EnsureVisible(int index);

protected:
    void RescalePixels(int fromDpi, int toDpi) override;
    // Gives each row from index on its index and this list as owner.
    void Reindex(int from);
    // The selection index again from the rows' own state (after rows moved).
    void RecountSelection();
    // Copies the header items' edges into the shared row looks.
    void UpdateColumns();

    CListHeaderUI* m_header = nullptr;
    CListBodyUI* m_body = nullptr;
    ListInfoUI m_listInfo;
    int m_curSel = -1;
    bool m_scrollSelect = false;
};

} // namespace VarnUI

// CListUI: a vertical container with a header (CListHeaderUI) on top and a scrolling body
// (CListBodyUI) below that holds the rows. The child-list operations (Add, GetItemAt,
// Remove...) speak of the rows; adding a CListHeaderUI replaces the empty default header.
// Clicking a row selects it and raises "itemselect"; a double click raises "itemactivate".
//
// Ownership: the list owns its header and body; the body owns the rows. Rectangles are
// window client coordinates.
#pragma once

#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/VerticalLayoutUI.h"

namespace VarnUI {

class CListUI;

// The body: a vertical layout whose scroll bars the list's "vscrollbar"/"hscrollbar" enable.
class CListBodyUI : public CVerticalLayoutUI {
public:
    explicit CListBodyUI(CListUI* owner);

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;

private:
    CListUI* m_owner;
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

    // IListOwnerUI
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

protected:
    // Gives each row from index on its index and this list as owner.
    void Reindex(int from);
    // Copies the header items' edges into the shared row looks.
    void UpdateColumns();

    CListHeaderUI* m_header = nullptr;
    CListBodyUI* m_body = nullptr;
    ListInfoUI m_listInfo;
    int m_curSel = -1;
    bool m_scrollSelect = false;
};

} // namespace VarnUI

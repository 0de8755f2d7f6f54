// IContainerUI: the child-list view of a container. CContainerUI: a control that owns an
// ordered list of children, an inset, optional vertical and horizontal scroll bars, and the
// search, paint and event rules of a subtree. A plain container gives every child its whole
// client area; the layouts derive from it and differ only in SetPos.
//
// Ownership: the container owns its scroll bars, and its children while auto destroy is on
// (with delayed destroy, removal hands them to the manager's deferred deletion). Destroying
// the container destroys its children at once. Rectangles are window client coordinates.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/controls/ControlUI.h"

namespace VarnUI {

class CScrollBarUI;

class IContainerUI {
public:
    // Null outside 0 to count - 1.
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool SetItemIndex(CControlUI* control, int index) = 0;
    // Moves the run of count children that starts at control so that it starts at newIndex.
    virtual bool SetMultiItemIndex(CControlUI* control, int count, int newIndex) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* control) = 0;
    virtual bool AddAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false) = 0;
    virtual bool RemoveAt(int index, bool doNotDestroy = false) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

// Child alignment values of "childalign" and "childvalign".
enum : int {
    ALIGN_LEFT = 0,
    ALIGN_CENTER = 1,
    ALIGN_RIGHT = 2,
    VALIGN_TOP = 0,
    VALIGN_VCENTER = 4,
    VALIGN_BOTTOM = 8,
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    // IContainerUI
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
    void SetManager(CManagerUI* manager, CControlUI* parent, bool init = true) override;
    RECT GetClientPos() const override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void Move(int dx, int dy, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInheritedVisible(bool visible = true) override;
    void SetMouseEnabled(bool enabled = true) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    bool PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl) override;

    virtual RECT GetInset() const;
    virtual void SetInset(RECT inset);
    virtual int GetChildPadding() const;
    virtual void SetChildPadding(int padding);
    virtual int GetChildAlign() const;
    virtual void SetChildAlign(int align);
    virtual int GetChildVAlign() const;
    virtual void SetChildVAlign(int align);
    virtual bool IsAutoDestroy() const;
    virtual void SetAutoDestroy(bool autoDestroy);
    virtual bool IsDelayedDestroy() const;
    virtual void SetDelayedDestroy(bool delayed);
    virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool enabled = true);

    // The first visible, enabled list item at or after (forward) or at or before index; -1.
    virtual int FindSelectable(int index, bool forward = true) const;

    // Positions and ranges of the visible bars as (horizontal, vertical); 0 without one.
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE pos);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    virtual void EnableScrollBar(bool enableVertical = true, bool enableHorizontal = false);
    virtual CScrollBarUI* GetVerticalScrollBar() const;
    virtual CScrollBarUI* GetHorizontalScrollBar() const;

    // Places a visible float child by its fixed position, size and float percentages.
    virtual void SetFloatPos(int index);
    // Shows, hides, places and sizes the bars for content of the needed size; lays the
    // container out again when that changes its client area.
    virtual void UpdateScrollBars(RECT client, int neededWidth, int neededHeight);

    // Descendants by name (through the manager): -1, "" or false when none is found.
    int GetSubControlFixedWidth(const wchar_t* name) const;
    bool SetSubControlFixedWidth(const wchar_t* name, int cx);
    int GetSubControlFixedHeight(const wchar_t* name) const;
    bool SetSubControlFixedHeight(const wchar_t* name, int cy);
    CUIString GetSubControlText(const wchar_t* name) const;
    bool SetSubControlText(const wchar_t* name, const wchar_t* text);
    CUIString GetSubControlUserData(const wchar_t* name) const;
    bool SetSubControlUserData(const wchar_t* name, const wchar_t* text);

protected:
    void RescalePixels(int fromDpi, int toDpi) override;
    CControlUI* ChildAt(int index) const { return static_cast<CControlUI*>(m_items[index]); }
    // The child at index when the layout places it in its flow; a visible float child is
    // placed by its float position instead, and a hidden one not at all (both give null).
    CControlUI* FlowChild(int index)
    {
        CControlUI* child = ChildAt(index);
        if (!child->IsVisible()) return nullptr;
        if (!child->IsFloat()) return child;
        SetFloatPos(index);
        return nullptr;
    }
    // The visible children that are not float.
    int CountFlowChildren() const;
    // Places the container again at its current rectangle (relative when float).
    void Relayout(bool needInvalidate);
    // Destroys or defers a removed child, or detaches it when it is kept.
    void DisposeChild(CControlUI* child, bool doNotDestroy);
    CControlUI* FindSubControl(const wchar_t* name) const;

    CUIPtrArray m_items;
    CUIRect m_inset;
    int m_childPadding = 0;
    int m_childAlign = ALIGN_LEFT;
    int m_childVAlign = VALIGN_TOP;
    bool m_autoDestroy = true;
    bool m_delayedDestroy = true;
    bool m_mouseChildEnabled = true;
    bool m_scrollProcess = false;
    CScrollBarUI* m_verticalScrollBar = nullptr;
    CScrollBarUI* m_horizontalScrollBar = nullptr;

private:
    // The step rule of the line and page operations, for the vertical or the horizontal bar.
    int LineStep(bool vertical) const;
    int PageStep(bool vertical) const;
    void ScrollBy(bool vertical, int delta);
    // Add and AddAt share it, so that a subclass overriding both never runs its rules twice.
    bool InsertChild(CControlUI* control, int index);
    void UpdateOneScrollBar(CScrollBarUI* bar, const RECT& client, int needed);
    void UpdateBothScrollBars(RECT client, int neededWidth, int neededHeight);
};

} // namespace VarnUI

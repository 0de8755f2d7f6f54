// The rows of a list or combo box. ListInfoUI holds the looks every row of one owner shares
// (font, text style, colours and images per state, column edges taken from the header).
// IListOwnerUI is the owner's side (its looks and its selection), IListItemUI the row's.
//
// CListElementUI is a plain row; CListLabelElementUI draws one text; CListTextElementUI one
// text per column; CListContainerElementUI is a row that holds controls (a container);
// CListHBoxElementUI places those controls in the owner's columns.
//
// Ownership: a row borrows its owner; the owner (a list body or a combo box) owns its rows.
// Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ContainerUI.h"

namespace VarnUI {

constexpr int kListMaxColumns = 32;

struct ListInfoUI {
    int columns = 0;
    RECT columnRects[kListMaxColumns] = {};   // from the header items, window coordinates
    int font = -1;
    UINT textStyle = DT_VCENTER | DT_SINGLELINE;
    CUIRect textPadding;
    DWORD textColor = 0;
    DWORD bkColor = 0;
    ImageDrawUI bkImage;
    bool alternateBk = false;
    DWORD selectedTextColor = 0;
    DWORD selectedBkColor = 0;
    ImageDrawUI selectedImage;
    DWORD hotTextColor = 0;
    DWORD hotBkColor = 0;
    ImageDrawUI hotImage;
    DWORD disabledTextColor = 0;
    DWORD disabledBkColor = 0;
    ImageDrawUI disabledImage;
    DWORD lineColor = 0;
    bool showHtml = false;

    // The "item..." attributes shared by lists and combo boxes; false for any other name.
    // Lengths are scaled to dpi, the owner's.
    bool SetAttribute(const CUIString& name, const wchar_t* value, int dpi);
};

class IListOwnerUI {
public:
    virtual ListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Selects the row at index (-1 clears); false when the index names no selectable row.
    virtual bool SelectItem(int index, bool takeFocus = false) = 0;

protected:
    ~IListOwnerUI() = default;
};

class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    virtual bool Select(bool select = true) = 0;

protected:
    ~IListItemUI() = default;
};

// Row state shared by the plain and the container rows.
class CListItemState {
public:
    int index = -1;
    IListOwnerUI* owner = nullptr;
    CControlUI* ownerControl = nullptr;
    bool selected = false;
    UINT buttonState = 0;   // STATE_HOT while the mouse is over the row

    // Takes the owner's list view; a control that is no list owner leaves the row unowned.
    void SetOwner(CControlUI* control);
    // Selects or clears; a row that is disabled cannot be selected.
    bool Select(CControlUI& row, bool select);
    // A hidden row gives up the selection.
    void OnHidden(CControlUI& row);
    // The owner's colour and image for a row in this state, over the row's own background.
    void PaintRowBack(HDC dc, CControlUI& row, const RECT& paint);
    // The owner's text colour for this state (the manager's default when none is set).
    DWORD TextColor(const CControlUI& row) const;
    void PaintRowLine(HDC dc, const CControlUI& row);
    // Hover, click, double click and keys of a row; false when the event is not the row's.
    bool HandleRowEvent(CControlUI& row, EventUI& event);
    // The row height without a wish: a line of the owner's item font plus a margin.
    int DefaultHeight(CManagerUI* manager) const;
};

// The list-item side of a row, over the control base (a plain row) or the container (a row of
// controls); both kinds are built from this one template.
template <class Base>
class CListRowUI : public Base, public IListItemUI {
public:
    // IListItemUI
    int GetIndex() const override;
    void SetIndex(int index) override;
    IListOwnerUI* GetOwner() override;
    void SetOwner(CControlUI* owner) override;
    bool IsSelected() const override;
    bool Select(bool select = true) override;

    // CControlUI overrides
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    bool Activate() override;
    void SetVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintBackColor(HDC dc) override;

protected:
    CListItemState m_row;
};

class CListElementUI : public CListRowUI<CControlUI> {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
};

class CListLabelElementUI : public CListElementUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintText(HDC dc) override;
    void PaintBorder(HDC dc) override;
};

class CListTextElementUI : public CListLabelElementUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void PaintText(HDC dc) override;

    // Column texts; column 0 is also the row's text.
    CUIString GetText(int column) const;
    void SetText(int column, const wchar_t* text);
    using CListLabelElementUI::GetText;
    using CListLabelElementUI::SetText;

private:
    CUIString m_columnTexts[kListMaxColumns];
};

class CListContainerElementUI : public CListRowUI<CContainerUI> {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintBorder(HDC dc) override;
};

class CListHBoxElementUI : public CListContainerElementUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
};

} // namespace VarnUI

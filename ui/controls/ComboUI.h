// CComboUI: a combo box. Its children are list rows (CListLabelElementUI and friends); the box
// shows the selected row's text with its own state images. No drop-down window is opened:
// the selection moves by the arrow keys, the wheel and SelectItem, raising "itemselect".
//
// Ownership: the combo box owns its rows (as any container). Rows are not placed or painted
// inside the box. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ListElementUI.h"

namespace VarnUI {

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();

    // IContainerUI: rows learn their index and owner; the selection follows them.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    bool SetItemIndex(CControlUI* control, int index) override;
    bool SetMultiItemIndex(CControlUI* control, int count, int newIndex) override;

    // IListOwnerUI
    ListInfoUI* GetListInfo() override;
    int GetCurSel() const override;
    bool SelectItem(int index, bool takeFocus = false) override;

    // CControlUI overrides (the text is the selected row's)
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    CUIString GetText() const override;
    void SetEnabled(bool enabled = true) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    bool PaintContent(HDC dc, const RECT& updateRect, CControlUI* stopControl) override;
    void PaintStateImage(HDC dc) override;
    void PaintText(HDC dc) override;

    RECT GetTextPadding() const { return m_textPadding; }
    const wchar_t* GetDropBoxAttributeList() const { return m_dropBoxAttributes.GetData(); }
    SIZE GetDropBoxSize() const { return m_dropBoxSize; }
    UINT GetButtonState() const { return m_buttonState; }

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    void Reindex(int from);
    void RecountSelection();
    // The next selectable row after (or before) the selection.
    void SelectNext(bool forward);

    int m_curSel = -1;
    CUIRect m_textPadding;
    CUIString m_dropBoxAttributes;
    CUISize m_dropBoxSize;
    UINT m_buttonState = 0;
    ListInfoUI m_listInfo;
    ImageDrawUI m_normalImage;
    ImageDrawUI m_hotImage;
    ImageDrawUI m_pushedImage;
    ImageDrawUI m_focusedImage;
    ImageDrawUI m_disabledImage;
};

} // namespace VarnUI

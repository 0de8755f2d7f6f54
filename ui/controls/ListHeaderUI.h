// CListHeaderUI: the header row of a list, a horizontal layout of CListHeaderItemUI columns
// whose edges the list's rows follow. CListHeaderItemUI: one column title with state images
// (normal, hot, pushed, focused), a separator image at its right edge, and "headerclick"
// when clicked.
//
// Ownership: the header owns its items (as any container); the list owns the header.
// Rectangles are window client coordinates.
#pragma once

#include "ui/controls/HorizontalLayoutUI.h"

namespace VarnUI {

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    // Height: the fixed height, else the tallest visible item (at least a line of the default
    // font); 0 for a header without visible items.
    SIZE MeasureSize(SIZE available) override;
};

class CListHeaderItemUI : public CControlUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    // Height without a wish: a line of its font plus a margin.
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintText(HDC dc) override;

    int GetFont() const { return m_font; }
    DWORD GetTextColor() const { return m_textColor; }
    UINT GetTextStyle() const { return m_textStyle; }
    RECT GetTextPadding() const { return m_textPadding; }
    bool IsDragable() const { return m_dragable; }
    int GetSepWidth() const { return m_sepWidth; }
    const wchar_t* GetNormalImage() const { return m_normalImage.drawString.GetData(); }
    UINT GetButtonState() const { return m_buttonState; }

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    UINT m_buttonState = 0;
    int m_font = -1;
    DWORD m_textColor = 0;
    UINT m_textStyle = DT_VCENTER | DT_CENTER | DT_SINGLELINE;
    CUIRect m_textPadding;
    bool m_showHtml = false;
    bool m_dragable = true;
    int m_sepWidth = 4;
    ImageDrawUI m_normalImage;
    ImageDrawUI m_hotImage;
    ImageDrawUI m_pushedImage;
    ImageDrawUI m_focusedImage;
    ImageDrawUI m_sepImage;
};

} // namespace VarnUI

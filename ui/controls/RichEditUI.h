// CRichEditUI: a multi-line text area as a container (so that its scroll bars work as any
// container's). It keeps the text and the editing switches the skin sets and draws the text
// with its font, colour and padding; it hosts no platform text services.
//
// Ownership: as any container. Rectangles are window client coordinates; the text padding is
// relative to the item rectangle.
#pragma once

#include "ui/controls/ContainerUI.h"

namespace VarnUI {

class CRichEditUI : public CContainerUI {
public:
    CRichEditUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetText(const wchar_t* text) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintText(HDC dc) override;

    bool IsMultiLine() const { return m_multiLine; }
    void SetMultiLine(bool multiLine);
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsRich() const { return m_rich; }
    void SetRich(bool rich) { m_rich = rich; }
    bool IsWantTab() const { return m_wantTab; }
    bool IsWantReturn() const { return m_wantReturn; }
    bool IsWantCtrlReturn() const { return m_wantCtrlReturn; }
    bool IsTransparent() const { return m_transparent; }
    bool IsAutoVScroll() const { return m_autoVScroll; }
    bool IsAutoHScroll() const { return m_autoHScroll; }
    bool IsPasswordMode() const { return m_passwordMode; }
    // Texts longer than the limit are cut to it; a limit below 1 means no limit.
    int GetLimitText() const { return m_limitText; }
    void SetLimitText(int limit);
    int GetFont() const { return m_font; }
    void SetFont(int font);
    DWORD GetTextColor() const { return m_textColor; }
    void SetTextColor(DWORD color);
    RECT GetTextPadding() const { return m_textPadding; }
    void SetTextPadding(RECT padding);
    UINT GetTextStyle() const { return m_textStyle; }

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    bool m_multiLine = false;
    bool m_readOnly = false;
    bool m_rich = true;
    bool m_wantTab = true;
    bool m_wantReturn = false;
    bool m_wantCtrlReturn = false;
    bool m_transparent = true;
    bool m_autoVScroll = false;
    bool m_autoHScroll = false;
    bool m_passwordMode = false;
    int m_limitText = 0;
    int m_font = -1;
    DWORD m_textColor = 0;
    CUIRect m_textPadding;
    UINT m_textStyle = DT_SINGLELINE | DT_VCENTER;
};

} // namespace VarnUI

// CEditUI: a one-line text field drawn as a label: state images, an optional password mask,
// a character limit, digits-only and read-only modes. No native edit window is opened; typed
// characters arrive as EVT_CHAR while it has the focus.
//
// Ownership: as any control. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/LabelUI.h"

namespace VarnUI {

class CEditUI : public CLabelUI {
public:
    CEditUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetText(const wchar_t* text) override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintText(HDC dc) override;

    // Texts longer than the limit are cut to it; a limit below 1 means no limit.
    int GetMaxChar() const { return m_maxChar; }
    void SetMaxChar(int maxChar);
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool IsPasswordMode() const { return m_passwordMode; }
    void SetPasswordMode(bool passwordMode);
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(wchar_t ch);
    // Digits only: texts with any other character are refused.
    bool IsNumberOnly() const { return m_numberOnly; }
    void SetNumberOnly(bool numberOnly);
    DWORD GetNativeEditBkColor() const { return m_nativeBkColor; }
    void SetNativeEditBkColor(DWORD color) { m_nativeBkColor = color; }
    UINT GetButtonState() const { return m_buttonState; }

private:
    bool AcceptsText(const wchar_t* text) const;
    void TypeCharacter(wchar_t ch);

    int m_maxChar = 255;
    bool m_readOnly = false;
    bool m_passwordMode = false;
    wchar_t m_passwordChar = L'*';
    bool m_numberOnly = false;
    DWORD m_nativeBkColor = 0xFFFFFFFF;
    UINT m_buttonState = 0;
    ImageDrawUI m_normalImage;
    ImageDrawUI m_hotImage;
    ImageDrawUI m_focusedImage;
    ImageDrawUI m_disabledImage;
};

} // namespace VarnUI

// CLabelUI: a control that draws one text with a font of its manager, colours, alignment and
// inner padding, plain or as formatted text, and sizes itself to that text when the layout
// asks. With "enabledeffect" the text is drawn through GDI+ with a gradient and optional glow,
// stroke and shadow. The base of the button family, the text control and the progress bar.
//
// Ownership: as any control; a label also holds one GDI+ session, started when it first draws
// an effect and ended with the label. Rectangles
// are window client coordinates; the text padding is relative to the item rectangle.
#pragma once

#include "ui/controls/ControlUI.h"
#include "ui/controls/GdiPlusFlat.h"
#include "ui/controls/LabelEffects.h"

namespace VarnUI {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    ~CLabelUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetText(const wchar_t* text) override;
    void SetFixedWidth(int cx) override;
    void SetFixedHeight(int cy) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintText(HDC dc) override;

    DWORD GetTextColor() const { return m_textColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_disabledTextColor; }
    void SetDisabledTextColor(DWORD color);
    int GetFont() const { return m_font; }
    void SetFont(int index);
    UINT GetTextStyle() const { return m_textStyle; }
    void SetTextStyle(UINT style);
    RECT GetTextPadding() const { return m_textPadding; }
    void SetTextPadding(RECT padding);
    bool IsShowHtml() const { return m_showHtml; }
    void SetShowHtml(bool showHtml = true);

    bool IsEffectEnabled() const { return m_effectOn; }
    void SetEffectEnabled(bool enabled);
    // The effect's colours and switches as the attributes left them.
    LabelEffectStyle GetEffectStyle() const;

protected:
    void RescalePixels(int fromDpi, int toDpi) override;
    // The manager's defaults stand in for colours left at 0, and are remembered.
    void ResolveDefaultColors();
    // The item rectangle less the text padding.
    RECT GetTextRect() const;
    // Plain or formatted text, as "showhtml" says.
    void DrawLabelText(HDC dc, RECT rc, DWORD color);

    DWORD m_textColor = 0;
    DWORD m_disabledTextColor = 0;
    int m_font = -1;
    UINT m_textStyle = DT_SINGLELINE | DT_VCENTER;
    CUIRect m_textPadding;
    bool m_showHtml = false;
    CUISize m_lastAvailable;
    CUISize m_estimated;
    bool m_estimateNeeded = true;

private:
    void MarkEstimateNeeded() { m_estimateNeeded = true; }
    void SetShadowOffset(const wchar_t* value);
    void SetAlignment(const CUIString& value);
    void SetVerticalAlignment(const CUIString& value);
    bool SetEffectAttribute(const CUIString& name, const wchar_t* value);

    float m_luminousFuzziness = 3.0f;
    int m_gradientLength = 0;
    int m_gradientAngle = 0;
    bool m_effectOn = false;
    bool m_luminousOn = false;
    bool m_strokeOn = false;
    bool m_shadowOn = false;
    // An opaque white end colour is a real colour, so "unset" is a flag of its own.
    DWORD m_textColor2 = 0;
    bool m_hasTextColor2 = false;
    DWORD m_shadowColorA = 0xFF000000;
    DWORD m_shadowColorB = 0;
    bool m_hasShadowColorB = false;
    DWORD m_strokeColor = 0;
    float m_shadowOffsetX = 0.0f;
    float m_shadowOffsetY = 0.0f;
    CGdiPlusSession m_gdiPlus;
};

} // namespace VarnUI

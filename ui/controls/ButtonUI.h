// CButtonUI: a label that reacts to the mouse and the keyboard. It shows one of its state
// images (normal, hot, pushed, focused, disabled, or five states cut from one picture), can
// cross-fade between the normal and hot images under timer 11, and raises "click" when
// released over itself or activated by Space or Enter.
//
// Ownership: as any control; the image records are the button's, the images the manager's.
// Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ControlState.h"
#include "ui/controls/LabelUI.h"

namespace VarnUI {

class CButtonUI : public CLabelUI {
public:
    // The manager timer key of the fading.
    static constexpr UINT kFadeTimer = 11;

    CButtonUI();
    ~CButtonUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintText(HDC dc) override;

    UINT GetState() const { return m_state; }
    BYTE GetFadeAlpha() const { return m_fadeAlpha; }
    BYTE GetFadeDelta() const { return m_fadeDelta; }
    void SetFadeDelta(BYTE delta) { m_fadeDelta = delta; }

    void SetNormalImage(const wchar_t* drawString);
    void SetHotImage(const wchar_t* drawString);
    void SetHotForeImage(const wchar_t* drawString);
    void SetPushedImage(const wchar_t* drawString);
    void SetFocusedImage(const wchar_t* drawString);
    void SetDisabledImage(const wchar_t* drawString);
    void SetForeImage(const wchar_t* drawString);
    // One picture of five equal-width states: normal, pushed, hot, focused, disabled.
    void SetFiveStatusImage(const wchar_t* drawString);
    const wchar_t* GetNormalImage() const { return m_normalImage.drawString.GetData(); }

    void SetHotBkColor(DWORD color);
    DWORD GetHotBkColor() const { return m_hotBkColor; }
    void SetHotTextColor(DWORD color);
    void SetPushedTextColor(DWORD color);
    void SetFocusedTextColor(DWORD color);

protected:
    // STATE_FOCUSED and STATE_DISABLED follow the control at paint time.
    void RefreshPaintState();
    bool DrawStateImage(HDC dc, ImageDrawUI& image);
    void SetImage(ImageDrawUI& image, const wchar_t* drawString);
    // The colour of the text for the current state.
    DWORD StateTextColor() const;

    UINT m_state = 0;
    DWORD m_hotBkColor = 0;
    DWORD m_hotTextColor = 0;
    DWORD m_pushedTextColor = 0;
    DWORD m_focusedTextColor = 0;
    BYTE m_fadeAlpha = 255;
    BYTE m_fadeDelta = 0;
    ImageDrawUI m_normalImage;
    ImageDrawUI m_hotImage;
    ImageDrawUI m_hotForeImage;
    ImageDrawUI m_pushedImage;
    ImageDrawUI m_focusedImage;
    ImageDrawUI m_disabledImage;

private:
    CUIString m_fiveStatus;
    bool m_fiveStatusPending = false;

    void OnMouseEnter(const EventUI& event);
    bool OnMouseLeave(const EventUI& event);
    void OnFadeTimer();
    bool SplitFiveStatusImage();
    void PaintHotImages(HDC dc);
    void PaintNormalImages(HDC dc);
};

} // namespace VarnUI

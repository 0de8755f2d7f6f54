// CSliderUI: a progress bar with a thumb that the mouse drags and the wheel steps. A drag runs
// from button-down to button-up and raises "valuechanged" when released (and while moving with
// "imm"); each wheel notch raises it too, even at the bounds. With mouse input off it behaves
// as a plain progress bar and hands mouse events to its parent.
//
// Ownership: as any control; the thumb image records are the slider's. Rectangles are window
// client coordinates; the thumb image is placed relative to the item rectangle.
#pragma once

#include "ui/controls/ControlState.h"
#include "ui/controls/ProgressUI.h"

namespace VarnUI {

class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    ~CSliderUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintStateImage(HDC dc) override;

    UINT GetState() const { return m_state; }
    SIZE GetThumbSize() const { return m_thumbSize; }
    void SetThumbSize(int cx, int cy) { m_thumbSize = CUISize(cx, cy); }
    int GetChangeStep() const { return m_step; }
    void SetChangeStep(int step) { m_step = step; }
    bool IsImmediate() const { return m_immediate; }
    void SetImmediate(bool immediate) { m_immediate = immediate; }
    void SetThumbImage(const wchar_t* drawString);
    void SetThumbHotImage(const wchar_t* drawString);
    void SetThumbPushedImage(const wchar_t* drawString);

    // The thumb in window client coordinates.
    RECT GetThumbRect() const;
    // The value a mouse point stands for (not clamped to the range).
    long long ValueFromPoint(POINT pt) const;

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    void SetImage(ImageDrawUI& image, const wchar_t* drawString);
    // Stores a value from the mouse or the wheel, clamped into the range.
    void StoreValue(long long value);
    void NotifyValueChanged();
    bool DrawThumb(HDC dc, ImageDrawUI& image, const RECT& thumb);

    CUISize m_thumbSize = CUISize(10, 10);
    UINT m_state = 0;
    int m_step = 1;
    bool m_immediate = false;
    ImageDrawUI m_thumbImage;
    ImageDrawUI m_thumbHotImage;
    ImageDrawUI m_thumbPushedImage;
};

} // namespace VarnUI

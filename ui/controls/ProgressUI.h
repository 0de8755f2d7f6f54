// CProgressUI: shows a value between a minimum and a maximum by drawing its progress image
// over the filled part of its rectangle, left to right or bottom to top. A range whose maximum
// does not exceed its minimum is repaired when painted (maximum = minimum + 1).
//
// Ownership: as any control; the progress image record is the control's own (distinct from
// the control base's foreground image). Rectangles are window client coordinates; the fill
// is placed relative to the item rectangle.
#pragma once

#include "ui/controls/LabelUI.h"

namespace VarnUI {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    ~CProgressUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintStateImage(HDC dc) override;

    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_min; }
    void SetMinValue(int value);
    int GetMaxValue() const { return m_max; }
    void SetMaxValue(int value);
    int GetValue() const { return m_value; }
    // Clamped into the range (to the minimum when the range is empty).
    void SetValue(int value);
    const wchar_t* GetForeImage() const { return m_progressImage.drawString.GetData(); }
    void SetForeImage(const wchar_t* drawString);

    // The filled part, relative to the item rectangle, for the current range and value.
    RECT GetFillRect() const;

protected:
    // Raises the maximum above an empty range and clamps the value into it.
    void RepairRange();
    // max - min, as if the maximum were min + 1 while the range is still empty.
    long long RangeSpan() const;

    bool m_horizontal = true;
    int m_max = 100;
    int m_min = 0;
    int m_value = 0;
    ImageDrawUI m_progressImage;
};

} // namespace VarnUI

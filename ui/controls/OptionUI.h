// COptionUI: a button with a selected state. Options that share a group name in one manager
// exclude each other: selecting one deselects the rest silently, and only the newly selected
// option raises "selectchanged". An option without a group toggles on each activation.
//
// Ownership: as any control; the manager's option group lists borrow the option, which leaves
// its group when destroyed. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ButtonUI.h"

namespace VarnUI {

class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    bool Activate() override;
    void SetManager(CManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintText(HDC dc) override;

    virtual void Selected(bool selected, bool notify = true);
    bool IsSelected() const { return m_selected; }

    const CUIString& GetGroup() const { return m_group; }
    // Null or empty leaves the group.
    void SetGroup(const wchar_t* group);

    void SetSelectedImage(const wchar_t* drawString);
    void SetSelectedHotImage(const wchar_t* drawString);
    void SetOptionForeImage(const wchar_t* drawString);
    void SetSelectedBkColor(DWORD color);
    DWORD GetSelectedBkColor() const { return m_selectedBkColor; }
    void SetSelectedTextColor(DWORD color);
    DWORD GetSelectedTextColor() const { return m_selectedTextColor; }

private:
    // An option never shows its pushed look: the bit is hidden around the button's painting.
    template <typename Step>
    void WithoutPushed(Step step);

    bool m_selected = false;
    CUIString m_group;
    DWORD m_selectedBkColor = 0;
    DWORD m_selectedTextColor = 0;
    ImageDrawUI m_selectedImage;
    ImageDrawUI m_selectedHotImage;
    ImageDrawUI m_optionForeImage;
};

} // namespace VarnUI

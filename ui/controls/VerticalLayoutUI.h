// CVerticalLayoutUI: a container that lines its children up top to bottom. Children with a
// height wish keep it; the others share what is left. An optional separator strip at the
// bottom (or top) edge lets the user drag the layout's height.
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/LinearLayoutUI.h"

namespace VarnUI {

class CVerticalLayoutUI : public CLinearLayoutUI {
public:
    CVerticalLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;

    int GetSepHeight() const { return m_separator.GetSize(); }
    void SetSepHeight(int height) { m_separator.SetSize(height); }
};

} // namespace VarnUI

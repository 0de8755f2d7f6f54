// CHorizontalLayoutUI: a container that lines its children up left to right. Children with a
// width wish keep it; the others share what is left. An optional separator strip at the
// right (or left) edge lets the user drag the layout's width.
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/LinearLayoutUI.h"

namespace VarnUI {

class CHorizontalLayoutUI : public CLinearLayoutUI {
public:
    CHorizontalLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;

    int GetSepWidth() const { return m_separator.GetSize(); }
    void SetSepWidth(int width) { m_separator.SetSize(width); }
};

} // namespace VarnUI

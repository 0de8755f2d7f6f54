// CVerticalLayoutUI: a container that stacks its children top to bottom. Children with a
// height wish keep it; the others share what is left. An optional separator strip at the
// bottom (or top) edge lets the user drag the layout's height.
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/ContainerUI.h"
#include "ui/controls/LayoutSeparator.h"

namespace VarnUI {

class CVerticalLayoutUI : public CContainerUI {
public:
    CVerticalLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PostPaint(HDC dc, const RECT& updateRect) override;

    int GetSepHeight() const { return m_separator.GetSize(); }
    void SetSepHeight(int height) { m_separator.SetSize(height); }
    bool IsSepImmediateMode() const { return m_separator.IsImmediate(); }
    void SetSepImmediateMode(bool immediate) { m_separator.SetImmediate(*this, immediate); }
    // The separator strip: of the drag rectangle while dragging, else of the item.
    RECT GetSeparatorRect() const { return m_separator.CurrentStrip(m_item); }

private:
    CLayoutSeparator m_separator;
};

} // namespace VarnUI

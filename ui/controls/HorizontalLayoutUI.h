// CHorizontalLayoutUI: a container that lines its children up left to right. Children with a
// width wish keep it; the others share what is left. An optional separator strip at the
// right (or left) edge lets the user drag the layout's width.
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/ContainerUI.h"
#include "ui/controls/LayoutSeparator.h"

namespace VarnUI {

class CHorizontalLayoutUI : public CContainerUI {
public:
    CHorizontalLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PostPaint(HDC dc, const RECT& updateRect) override;

    int GetSepWidth() const { return m_separator.GetSize(); }
    void SetSepWidth(int width) { m_separator.SetSize(width); }
    bool IsSepImmediateMode() const { return m_separator.IsImmediate(); }
    void SetSepImmediateMode(bool immediate) { m_separator.SetImmediate(*this, immediate); }
    // The separator strip: of the drag rectangle while dragging, else of the item.
    RECT GetSeparatorRect() const { return m_separator.CurrentStrip(m_item); }

private:
    CLayoutSeparator m_separator;
};

} // namespace VarnUI

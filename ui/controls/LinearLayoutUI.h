// CLinearLayoutUI: the common part of the vertical and the horizontal layout, a container
// that lines its children up along one axis (top to bottom, or left to right). Children with
// a wish along the axis keep it; the others share what is left. Across the axis each child
// takes its wish, aligned by "childalign" (vertical) or "childvalign" (horizontal). An
// optional separator strip at the far (or near) edge lets the user drag the layout's size
// along the axis.
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/ContainerUI.h"
#include "ui/controls/LayoutSeparator.h"

namespace VarnUI {

class CLinearLayoutUI : public CContainerUI {
public:
    // CControlUI overrides
    UINT QueryControlFlags() const override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void HandleEvent(EventUI& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PostPaint(HDC dc, const RECT& updateRect) override;

    bool IsSepImmediateMode() const { return m_separator.IsImmediate(); }
    void SetSepImmediateMode(bool immediate) { m_separator.SetImmediate(*this, immediate); }
    // The separator strip: of the drag rectangle while dragging, else of the item.
    RECT GetSeparatorRect() const { return m_separator.CurrentStrip(m_item); }

protected:
    // vertical: children go top to bottom and the separator attribute is "sepheight";
    // otherwise left to right with "sepwidth".
    explicit CLinearLayoutUI(bool vertical);
    void RescalePixels(int fromDpi, int toDpi) override;

    CLayoutSeparator m_separator;

private:
    // The placement of SetPos, along the axis the layout was made for.
    template <bool Vertical>
    void PlaceChildren(const CUIRect& client);

    const bool m_vertical;
};

} // namespace VarnUI

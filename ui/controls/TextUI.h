// CTextUI: a label whose formatted text may hold links ("{a name}...{/a}"). Painting records
// the rectangles and names of the links it drew (at most eight); a button-up over link i
// raises the notification "link" with wParam i, and the pointer turns into a hand over links.
//
// Ownership: as any control. Link rectangles are window client coordinates, from the last paint.
#pragma once

#include "ui/controls/LabelUI.h"

namespace VarnUI {

class CTextUI : public CLabelUI {
public:
    static constexpr int kMaxLinks = 8;

    CTextUI();
    ~CTextUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    UINT QueryControlFlags() const override;
    void HandleEvent(EventUI& event) override;
    void PaintText(HDC dc) override;

    int GetLinkCount() const { return m_linkCount; }
    // The name of link i, or null outside 0 .. GetLinkCount() - 1.
    const CUIString* GetLinkContent(int index) const;
    RECT GetLinkRect(int index) const;
    int GetHoverLink() const { return m_hoverLink; }

private:
    // Index of the link under pt, or -1.
    int LinkAt(POINT pt) const;

    int m_linkCount = 0;
    RECT m_links[kMaxLinks] = {};
    CUIString m_linkNames[kMaxLinks];
    int m_hoverLink = -1;
};

} // namespace VarnUI

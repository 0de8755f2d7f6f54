// CScrollBarUI: painting. Order: background colour and image, bar background, button 1,
// button 2, thumb, rail, border. Each part shows the image of its state, or its normal image
// when that one is missing.
#include "ui/controls/ScrollBarUI.h"

#include "ui/render/Renderer.h"

namespace VarnUI {

bool CScrollBarUI::PaintContent(HDC dc, const RECT&, CControlUI*)
{
    PaintBackColor(dc);
    PaintBackImage(dc);
    PaintBackground(dc);
    if (m_showButton1) PaintPart(dc, m_button1Rect, m_button1State, m_button1Color, m_button1Images);
    if (m_showButton2) PaintPart(dc, m_button2Rect, m_button2State, m_button2Color, m_button2Images);
    if (!m_thumbRect.IsNull()) {
        PaintPart(dc, m_thumbRect, m_thumbState, m_thumbColor, m_thumbImages);
        PaintRail(dc);
    }
    PaintBorder(dc);
    return true;
}

bool CScrollBarUI::DrawPartImage(HDC dc, ImageDrawUI& image, const RECT& part)
{
    if (image.drawString.IsEmpty() || ::IsRectEmpty(&part)) return false;
    // Parse first: parsing fills the record's own destination, which the part replaces.
    if (!CRenderer::DrawImageString(nullptr, m_manager, m_item, m_paintRect, image)) return false;
    image.dest = CUIRect(part.left - m_item.left, part.top - m_item.top, part.right - m_item.left,
                         part.bottom - m_item.top);
    return CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, image);
}

void CScrollBarUI::PaintBackground(HDC dc)
{
    if (IsEnabled()) {
        m_thumbState &= ~STATE_DISABLED;
    } else {
        m_thumbState |= STATE_DISABLED;
    }
    ImageDrawUI* state = nullptr;
    if ((m_thumbState & STATE_DISABLED) != 0) {
        state = &m_bkImages[kDisabled];
    } else if ((m_thumbState & STATE_PUSHED) != 0) {
        state = &m_bkImages[kPushed];
    } else if ((m_thumbState & STATE_HOT) != 0) {
        state = &m_bkImages[kHot];
    }
    auto draw = [&](ImageDrawUI& image) {
        return !image.drawString.IsEmpty() && CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, image);
    };
    if (state != nullptr && draw(*state)) return;
    draw(m_bkImages[kNormal]);
}

void CScrollBarUI::PaintPart(HDC dc, const RECT& part, UINT& state, DWORD color, ImageDrawUI* images)
{
    if (IsEnabled()) {
        state &= ~STATE_DISABLED;
    } else {
        state |= STATE_DISABLED;
    }
    if (color != 0) CRenderer::DrawColor(dc, part, GetAdjustColor(color));
    ImageDrawUI* image = nullptr;
    if ((state & STATE_DISABLED) != 0) {
        image = &images[kDisabled];
    } else if ((state & STATE_PUSHED) != 0) {
        image = &images[kPushed];
    } else if ((state & STATE_HOT) != 0) {
        image = &images[kHot];
    }
    if (image != nullptr && DrawPartImage(dc, *image, part)) return;
    DrawPartImage(dc, images[kNormal], part);
}

void CScrollBarUI::PaintRail(HDC dc)
{
    const int thickness = Thickness();
    RECT rail = m_thumbRect;
    if (m_horizontal) {
        rail.left = (m_thumbRect.left + m_thumbRect.right) / 2 - thickness / 2;
        rail.right = rail.left + thickness;
    } else {
        rail.top = (m_thumbRect.top + m_thumbRect.bottom) / 2 - thickness / 2;
        rail.bottom = rail.top + thickness;
    }
    ImageDrawUI* image = nullptr;
    if ((m_thumbState & STATE_DISABLED) != 0) {
        image = &m_railImages[kDisabled];
    } else if ((m_thumbState & STATE_PUSHED) != 0) {
        image = &m_railImages[kPushed];
    } else if ((m_thumbState & STATE_HOT) != 0) {
        image = &m_railImages[kHot];
    }
    if (image != nullptr && DrawPartImage(dc, *image, rail)) return;
    DrawPartImage(dc, m_railImages[kNormal], rail);
}

} // namespace VarnUI

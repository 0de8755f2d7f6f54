// CScrollBarUI: painting. Order: background colour and image, bar background, button 1,
// button 2, thumb, rail, border. Each part shows the image of its state, or its normal image
// when that one is missing.
#include "ui/controls/ScrollBarUI.h"

#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

// The image of a part's state (disabled before pushed before hot); null in the normal state.
ImageDrawUI* StateImage(ImageDrawUI* images, UINT state)
{
    if ((state & STATE_DISABLED) != 0) return &images[CScrollBarUI::kDisabled];
    if ((state & STATE_PUSHED) != 0) return &images[CScrollBarUI::kPushed];
    if ((state & STATE_HOT) != 0) return &images[CScrollBarUI::kHot];
    return nullptr;
}

void FollowEnabled(UINT& state, bool enabled)
{
    state = enabled ? state & ~static_cast<UINT>(STATE_DISABLED) : state | STATE_DISABLED;
}

} // namespace

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
    FollowEnabled(m_thumbState, IsEnabled());
    auto draw = [&](ImageDrawUI* image) {
        return image != nullptr && !image->drawString.IsEmpty() &&
               CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, *image);
    };
    if (draw(StateImage(m_bkImages, m_thumbState))) return;
    draw(&m_bkImages[kNormal]);
}

void CScrollBarUI::PaintPart(HDC dc, const RECT& part, UINT& state, DWORD color, ImageDrawUI* images)
{
    FollowEnabled(state, IsEnabled());
    if (color != 0) CRenderer::DrawColor(dc, part, GetAdjustColor(color));
    DrawStateImage(dc, images, state, part);
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
    DrawStateImage(dc, m_railImages, m_thumbState, rail);
}

void CScrollBarUI::DrawStateImage(HDC dc, ImageDrawUI* images, UINT state, const RECT& part)
{
    ImageDrawUI* image = StateImage(images, state);
    if (image != nullptr && DrawPartImage(dc, *image, part)) return;
    DrawPartImage(dc, images[kNormal], part);
}

} // namespace VarnUI

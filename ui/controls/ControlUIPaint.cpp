// CControlUI: the paint sequence (background colour, background image, state image, text,
// border) that subclasses refine step by step. All rectangles are window client coordinates.
#include "ui/controls/ControlUI.h"

#include "ui/manager/ManagerUI.h"
#include "ui/render/RenderClip.h"
#include "ui/render/Renderer.h"

namespace VarnUI {

bool CControlUI::Paint(HDC dc, const RECT& updateRect, CControlUI* stopControl)
{
    if (this == stopControl) return false;
    if (!::IntersectRect(&m_paintRect, &updateRect, &m_item)) return true;
    if (m_onPaint.HasListeners() && !m_onPaint.Invoke(this)) return true;
    if (!PaintContent(dc, updateRect, stopControl)) return false;
    if (m_cover != nullptr) return m_cover->Paint(dc, updateRect, nullptr);
    return true;
}

bool CControlUI::PaintContent(HDC dc, const RECT&, CControlUI*)
{
    auto steps = [&] {
        PaintBackColor(dc);
        PaintBackImage(dc);
        PaintStateImage(dc);
        PaintText(dc);
        PaintBorder(dc);
    };
    if (m_borderRound.cx > 0 || m_borderRound.cy > 0) {
        CClipRecord clip;
        CRenderer::BeginRoundClip(dc, m_paintRect, m_item, m_borderRound.cx, m_borderRound.cy, clip);
        steps();
    } else {
        steps();
    }
    return true;
}

void CControlUI::PaintBackColor(HDC dc)
{
    if (m_bkColor == 0) return;
    if (m_bkColor2 == 0) {
        const bool opaque = m_bkColor >= 0xFF000000;
        CRenderer::DrawColor(dc, opaque ? m_paintRect : m_item, GetAdjustColor(m_bkColor));
        return;
    }
    if (m_bkColor3 == 0) {
        CRenderer::DrawGradient(dc, m_item, GetAdjustColor(m_bkColor), GetAdjustColor(m_bkColor2), true, 16);
        return;
    }
    const int middle = (m_item.top + m_item.bottom) / 2;
    RECT upper = m_item;
    upper.bottom = middle;
    CRenderer::DrawGradient(dc, upper, GetAdjustColor(m_bkColor), GetAdjustColor(m_bkColor2), true, 8);
    RECT lower = m_item;
    lower.top = middle;
    CRenderer::DrawGradient(dc, lower, GetAdjustColor(m_bkColor2), GetAdjustColor(m_bkColor3), true, 8);
}

void CControlUI::PaintBackImage(HDC dc)
{
    if (m_bkImage.drawString.IsEmpty()) return;
    CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, m_bkImage);
}

void CControlUI::PaintStateImage(HDC)
{
}

void CControlUI::PaintText(HDC)
{
}

void CControlUI::PaintBorder(HDC dc)
{
    if (m_borderSize.left <= 0 || (m_borderColor == 0 && m_focusBorderColor == 0)) return;
    const DWORD color = GetAdjustColor(m_focused && m_focusBorderColor != 0 ? m_focusBorderColor : m_borderColor);
    const RECT& widths = m_borderSize;
    if (m_borderRound.cx > 0 || m_borderRound.cy > 0) {
        CRenderer::DrawRoundRect(dc, m_item, widths.left, m_borderRound.cx, m_borderRound.cy, color, m_borderStyle);
        return;
    }
    if (widths.left == widths.top && widths.left == widths.right && widths.left == widths.bottom) {
        CRenderer::DrawRect(dc, m_item, widths.left, color, m_borderStyle);
        return;
    }
    const RECT& item = m_item;
    const int leftX = item.left + widths.left / 2;
    CRenderer::DrawLine(dc, {leftX, item.top, leftX, item.bottom}, widths.left, color, m_borderStyle);
    if (widths.top > 0) {
        const int y = item.top + widths.top / 2;
        CRenderer::DrawLine(dc, {item.left + widths.left, y, item.right - widths.right, y}, widths.top, color,
                            m_borderStyle);
    }
    if (widths.right > 0) {
        const int x = item.right - widths.right / 2;
        CRenderer::DrawLine(dc, {x, item.top, x, item.bottom}, widths.right, color, m_borderStyle);
    }
    if (widths.bottom > 0) {
        const int y = item.bottom - widths.bottom / 2;
        CRenderer::DrawLine(dc, {item.left + widths.left, y, item.right - widths.right, y}, widths.bottom, color,
                            m_borderStyle);
    }
}

void CControlUI::PostPaint(HDC, const RECT&)
{
    m_onPostPaint.Invoke(this);
}

} // namespace VarnUI

#include "ui/controls/LabelUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <cmath>

namespace VarnUI {
namespace {

constexpr UINT kHorizontalBits = DT_CENTER | DT_RIGHT;
constexpr UINT kVerticalBits = DT_VCENTER | DT_BOTTOM;
constexpr double kPi = 3.14159265358979323846;

bool Contains(const CUIString& text, const wchar_t* word)
{
    return text.Find(word) >= 0;
}

} // namespace

CLabelUI::CLabelUI() = default;

CLabelUI::~CLabelUI() = default;

const wchar_t* CLabelUI::GetClassName() const
{
    return L"Label";
}

void* CLabelUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Label") return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetText(const wchar_t* text)
{
    if (m_text == text) return;
    CControlUI::SetText(text);
    MarkEstimateNeeded();
    NotifyAccessibleEvent(EVENT_OBJECT_NAMECHANGE, this);
}

void CLabelUI::SetFixedWidth(int cx)
{
    CControlUI::SetFixedWidth(cx);
    MarkEstimateNeeded();
}

void CLabelUI::SetFixedHeight(int cy)
{
    CControlUI::SetFixedHeight(cy);
    MarkEstimateNeeded();
}

void CLabelUI::HandleEvent(EventUI& event)
{
    // A label shows no focus, so gaining or losing it needs no repaint.
    if (event.type == EVT_SETFOCUS) {
        m_focused = true;
        return;
    }
    if (event.type == EVT_KILLFOCUS) {
        m_focused = false;
        return;
    }
    CControlUI::HandleEvent(event);
}

void CLabelUI::SetTextColor(DWORD color)
{
    if (m_textColor == color) return;
    m_textColor = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD color)
{
    if (m_disabledTextColor == color) return;
    m_disabledTextColor = color;
    Invalidate();
}

void CLabelUI::SetFont(int index)
{
    if (m_font == index) return;
    m_font = index;
    MarkEstimateNeeded();
    Invalidate();
}

void CLabelUI::SetTextStyle(UINT style)
{
    if (m_textStyle == style) return;
    m_textStyle = style;
    MarkEstimateNeeded();
    Invalidate();
}

void CLabelUI::RescalePixels(int fromDpi, int toDpi)
{
    CControlUI::RescalePixels(fromDpi, toDpi);
    m_textPadding = RescaleDpi(m_textPadding, fromDpi, toDpi);
    MarkEstimateNeeded();
}

void CLabelUI::SetTextPadding(RECT padding)
{
    m_textPadding = padding;
    MarkEstimateNeeded();
    Invalidate();
}

void CLabelUI::SetShowHtml(bool showHtml)
{
    if (m_showHtml == showHtml) return;
    m_showHtml = showHtml;
    MarkEstimateNeeded();
    Invalidate();
}

void CLabelUI::SetEffectEnabled(bool enabled)
{
    m_effectOn = enabled;
    Invalidate();
}

LabelEffectStyle CLabelUI::GetEffectStyle() const
{
    LabelEffectStyle style;
    style.textColor = m_textColor;
    style.textColor2 = m_textColor2;
    style.hasTextColor2 = m_hasTextColor2;
    style.shadowColorA = m_shadowColorA;
    style.shadowColorB = m_shadowColorB;
    style.hasShadowColorB = m_hasShadowColorB;
    style.strokeColor = m_strokeColor;
    style.fuzziness = m_luminousFuzziness;
    style.gradientLength = m_gradientLength;
    style.gradientAngle = m_gradientAngle;
    style.luminous = m_luminousOn;
    style.stroke = m_strokeOn;
    style.shadow = m_shadowOn;
    style.shadowOffsetX = m_shadowOffsetX;
    style.shadowOffsetY = m_shadowOffsetY;
    return style;
}

void CLabelUI::SetAlignment(const CUIString& value)
{
    UINT style = m_textStyle;
    if (Contains(value, L"left")) style &= ~kHorizontalBits;
    if (Contains(value, L"center")) style = (style & ~static_cast<UINT>(DT_RIGHT)) | DT_CENTER;
    if (Contains(value, L"right")) style = (style & ~static_cast<UINT>(DT_CENTER)) | DT_RIGHT;
    SetTextStyle(style);
}

void CLabelUI::SetVerticalAlignment(const CUIString& value)
{
    UINT style = m_textStyle;
    if (Contains(value, L"top")) style &= ~kVerticalBits;
    if (Contains(value, L"vcenter")) style = (style & ~static_cast<UINT>(DT_BOTTOM)) | DT_VCENTER;
    if (Contains(value, L"bottom")) style = (style & ~static_cast<UINT>(DT_VCENTER)) | DT_BOTTOM;
    SetTextStyle(style);
}

// "distance,angle": the angle in degrees turns clockwise from the positive x axis on screen,
// so 90 puts the shadow straight below the text.
void CLabelUI::SetShadowOffset(const wchar_t* value)
{
    double parts[2] = {};
    if (AttributeFractions(value, parts, 2) < 2) return;
    const double distance = parts[0];
    const double angle = parts[1];
    if (angle < -180.0 || angle > 180.0) return;
    const double radians = angle * kPi / 180.0;
    m_shadowOffsetX = static_cast<float>(distance * std::cos(radians));
    m_shadowOffsetY = static_cast<float>(distance * std::sin(radians));
    Invalidate();
}

bool CLabelUI::SetEffectAttribute(const CUIString& name, const wchar_t* value)
{
    if (name == L"enabledeffect") {
        SetEffectEnabled(AttributeIsTrue(value));
        return true;
    }
    if (name == L"enabledluminous") {
        m_luminousOn = AttributeIsTrue(value);
    } else if (name == L"luminousfuzzy") {
        double fuzziness = 0.0;
        AttributeFractions(value, &fuzziness, 1);
        if (fuzziness < 0.0001) return true;
        m_luminousFuzziness = static_cast<float>(fuzziness);
    } else if (name == L"gradientangle") {
        m_gradientAngle = AttributeInt(value);
    } else if (name == L"enabledstroke") {
        m_strokeOn = AttributeIsTrue(value);
    } else if (name == L"enabledshadow") {
        m_shadowOn = AttributeIsTrue(value);
    } else if (name == L"gradientlength") {
        m_gradientLength = AttributeInt(value);
    } else if (name == L"shadowoffset") {
        SetShadowOffset(value);
        return true;
    } else if (name == L"textcolor1") {
        m_textColor2 = AttributeColor(value);
        m_hasTextColor2 = true;
    } else if (name == L"textshadowcolora") {
        m_shadowColorA = AttributeColor(value);
    } else if (name == L"textshadowcolorb") {
        m_shadowColorB = AttributeColor(value);
        m_hasShadowColorB = true;
    } else if (name == L"strokecolor") {
        m_strokeColor = AttributeColor(value);
    } else {
        return false;
    }
    Invalidate();
    return true;
}

void CLabelUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"align") {
        SetAlignment(value);
    } else if (key == L"valign") {
        SetVerticalAlignment(value);
    } else if (key == L"endellipsis") {
        const UINT ellipsis = DT_END_ELLIPSIS;
        SetTextStyle(AttributeIsTrue(value) ? m_textStyle | ellipsis : m_textStyle & ~ellipsis);
    } else if (key == L"font") {
        SetFont(AttributeInt(value));
    } else if (key == L"textcolor") {
        SetTextColor(AttributeColor(value));
    } else if (key == L"disabledtextcolor") {
        SetDisabledTextColor(AttributeColor(value));
    } else if (key == L"textpadding") {
        SetTextPadding(Scaled(CUIRect(value)));
    } else if (key == L"multiline") {
        const UINT single = DT_SINGLELINE;
        SetTextStyle(AttributeIsTrue(value) ? (m_textStyle & ~single) | DT_WORDBREAK : m_textStyle | single);
        MarkEstimateNeeded();
    } else if (key == L"showhtml") {
        SetShowHtml(AttributeIsTrue(value));
    } else if (!SetEffectAttribute(key, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

SIZE CLabelUI::MeasureSize(SIZE available)
{
    if (m_fixedWidth > 0 && m_fixedHeight > 0) return {m_fixedWidth, m_fixedHeight};
    const bool singleLine = (m_textStyle & DT_SINGLELINE) != 0;
    if (!singleLine && (available.cx != m_lastAvailable.cx || available.cy != m_lastAvailable.cy)) {
        m_estimateNeeded = true;
    }
    if (!m_estimateNeeded) return m_estimated;

    m_lastAvailable = available;
    m_estimated = CUISize(m_fixedWidth, m_fixedHeight);
    m_estimateNeeded = false;
    const UINT measureStyle = (m_textStyle & ~kHorizontalBits) | DT_CALCRECT;
    HDC dc = m_manager != nullptr ? m_manager->GetPaintDC() : nullptr;
    // Measures the text in rc. Formatted text leaves an empty rectangle as it is (9999 high),
    // so no room between the paddings measures nothing.
    auto measure = [&](RECT rc) -> SIZE {
        if (dc == nullptr || (m_showHtml && rc.right <= rc.left)) return {0, 0};
        if (m_showHtml) {
            CRenderer::DrawFormattedText(dc, m_manager, rc, m_text.GetData(), m_textColor, m_font, measureStyle);
        } else {
            CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), m_textColor, m_font, measureStyle);
        }
        return {rc.right - rc.left, rc.bottom - rc.top};
    };

    if (singleLine) {
        if (m_estimated.cy == 0) {
            const int fontHeight = m_manager != nullptr ? m_manager->GetFontInfo(m_font)->tm.tmHeight : 0;
            m_estimated.cy = m_textPadding.top + m_textPadding.bottom + fontHeight + Scaled(8);
        }
        if (m_estimated.cx == 0) {
            const SIZE text = measure({0, 0, 9999, m_estimated.cy});
            m_estimated.cx = text.cx + m_textPadding.left + m_textPadding.right;
        }
    } else {
        if (m_estimated.cx == 0) m_estimated.cx = available.cx;
        const SIZE text = measure({m_textPadding.left, 0, m_estimated.cx - m_textPadding.right, 9999});
        m_estimated.cy = text.cy + m_textPadding.top + m_textPadding.bottom;
    }
    return m_estimated;
}

void CLabelUI::ResolveDefaultColors()
{
    if (m_manager == nullptr) return;
    if (m_textColor == 0) m_textColor = m_manager->GetDefaultFontColor();
    if (m_disabledTextColor == 0) m_disabledTextColor = m_manager->GetDefaultDisabledColor();
}

RECT CLabelUI::GetTextRect() const
{
    return {m_item.left + m_textPadding.left, m_item.top + m_textPadding.top, m_item.right - m_textPadding.right,
            m_item.bottom - m_textPadding.bottom};
}

void CLabelUI::DrawLabelText(HDC dc, RECT rc, DWORD color)
{
    if (m_showHtml) {
        CRenderer::DrawFormattedText(dc, m_manager, rc, m_text.GetData(), color, m_font, m_textStyle);
    } else {
        CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), color, m_font, m_textStyle);
    }
}

void CLabelUI::PaintText(HDC dc)
{
    ResolveDefaultColors();
    if (m_text.IsEmpty()) return;
    const RECT rc = GetTextRect();
    // GDI+ starts with the first effect drawing only; without it the effect text falls back to
    // the plain drawing.
    if (m_effectOn && m_gdiPlus.Start() && DrawLabelEffectText(dc, m_manager, rc, m_text.GetData(), m_font, m_textStyle, GetEffectStyle())) {
        return;
    }
    DrawLabelText(dc, rc, IsEnabled() ? m_textColor : m_disabledTextColor);
}

} // namespace VarnUI

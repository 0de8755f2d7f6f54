#include "ui/controls/RichEditUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {

CRichEditUI::CRichEditUI() = default;

const wchar_t* CRichEditUI::GetClassName() const
{
    return L"RichEdit";
}

void* CRichEditUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"RichEdit") return this;
    return CContainerUI::GetInterface(name);
}

UINT CRichEditUI::QueryControlFlags() const
{
    return IsEnabled() ? CTLFLAG_TABSTOP | CTLFLAG_SETCURSOR : CTLFLAG_SETCURSOR;
}

void CRichEditUI::SetText(const wchar_t* text)
{
    if (text == nullptr) text = L"";
    CUIString cut(text);
    if (m_limitText > 0 && cut.GetLength() > m_limitText) cut = cut.Left(m_limitText);
    if (m_text == cut) return;
    CContainerUI::SetText(cut.GetData());
}

void CRichEditUI::SetMultiLine(bool multiLine)
{
    m_multiLine = multiLine;
    // One line is centred vertically; several lines wrap and start at the top.
    m_textStyle = multiLine ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE | DT_VCENTER;
    Invalidate();
}

void CRichEditUI::SetLimitText(int limit)
{
    m_limitText = limit;
    if (m_limitText > 0 && m_text.GetLength() > m_limitText) CContainerUI::SetText(m_text.Left(m_limitText).GetData());
}

void CRichEditUI::SetFont(int font)
{
    if (m_font == font) return;
    m_font = font;
    Invalidate();
}

void CRichEditUI::SetTextColor(DWORD color)
{
    if (m_textColor == color) return;
    m_textColor = color;
    Invalidate();
}

void CRichEditUI::SetTextPadding(RECT padding)
{
    m_textPadding = padding;
    Invalidate();
}

void CRichEditUI::RescalePixels(int fromDpi, int toDpi)
{
    CContainerUI::RescalePixels(fromDpi, toDpi);
    m_textPadding = RescaleDpi(m_textPadding, fromDpi, toDpi);
}

void CRichEditUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    const bool on = AttributeIsTrue(value);
    if (key == L"multiline") {
        SetMultiLine(on);
    } else if (key == L"readonly") {
        SetReadOnly(on);
    } else if (key == L"rich") {
        SetRich(on);
    } else if (key == L"wanttab") {
        m_wantTab = on;
    } else if (key == L"wantreturn") {
        m_wantReturn = on;
    } else if (key == L"wantctrlreturn") {
        m_wantCtrlReturn = on;
    } else if (key == L"transparent") {
        m_transparent = on;
    } else if (key == L"autovscroll") {
        m_autoVScroll = on;
    } else if (key == L"autohscroll") {
        m_autoHScroll = on;
    } else if (key == L"password") {
        m_passwordMode = on;
        Invalidate();
    } else if (key == L"maxchar") {
        SetLimitText(AttributeInt(value));
    } else if (key == L"font") {
        SetFont(AttributeInt(value));
    } else if (key == L"textcolor") {
        SetTextColor(AttributeColor(value));
    } else if (key == L"textpadding") {
        SetTextPadding(Scaled(CUIRect(value)));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}


void CRichEditUI::PaintText(HDC dc)
{
    if (m_text.IsEmpty()) return;
    DWORD color = m_textColor;
    if (m_manager != nullptr) {
        if (color == 0) color = m_manager->GetDefaultFontColor();
        if (!IsEnabled()) color = m_manager->GetDefaultDisabledColor();
    }
    CUIString shown = m_text;
    if (m_passwordMode) {
        shown.Empty();
        for (int i = 0; i < m_text.GetLength(); ++i) shown += L'*';
    }
    RECT rc = GetClientPos();
    rc.left += m_textPadding.left;
    rc.top += m_textPadding.top;
    rc.right -= m_textPadding.right;
    rc.bottom -= m_textPadding.bottom;
    CRenderer::DrawText(dc, m_manager, rc, shown.GetData(), color, m_font, m_textStyle);
}

} // namespace VarnUI

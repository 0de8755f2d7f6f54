#include "ui/controls/EditUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

bool IsDigits(const wchar_t* text)
{
    for (; *text != L'\0'; ++text) {
        if (*text < L'0' || *text > L'9') return false;
    }
    return true;
}

} // namespace

CEditUI::CEditUI()
{
    m_textPadding = CUIRect(4, 3, 4, 3);
}

const wchar_t* CEditUI::GetClassName() const
{
    return L"Edit";
}

void* CEditUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Edit") return this;
    return CLabelUI::GetInterface(name);
}

UINT CEditUI::QueryControlFlags() const
{
    return IsEnabled() ? CTLFLAG_TABSTOP | CTLFLAG_SETCURSOR : CTLFLAG_SETCURSOR;
}

bool CEditUI::AcceptsText(const wchar_t* text) const
{
    return !m_numberOnly || IsDigits(text);
}

void CEditUI::SetText(const wchar_t* text)
{
    if (text == nullptr) text = L"";
    if (!AcceptsText(text)) return;
    CUIString cut(text);
    if (m_maxChar > 0 && cut.GetLength() > m_maxChar) cut = cut.Left(m_maxChar);
    CLabelUI::SetText(cut.GetData());
}

void CEditUI::SetEnabled(bool enabled)
{
    CLabelUI::SetEnabled(enabled);
    if (!enabled) m_buttonState = 0;
}

void CEditUI::SetMaxChar(int maxChar)
{
    m_maxChar = maxChar;
    if (m_maxChar > 0 && m_text.GetLength() > m_maxChar) CLabelUI::SetText(m_text.Left(m_maxChar).GetData());
}

void CEditUI::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly) return;
    m_readOnly = readOnly;
    Invalidate();
}

void CEditUI::SetPasswordMode(bool passwordMode)
{
    if (m_passwordMode == passwordMode) return;
    m_passwordMode = passwordMode;
    Invalidate();
}

void CEditUI::SetPasswordChar(wchar_t ch)
{
    if (m_passwordChar == ch) return;
    m_passwordChar = ch;
    if (m_passwordMode) Invalidate();
}

void CEditUI::SetNumberOnly(bool numberOnly)
{
    m_numberOnly = numberOnly;
}

void CEditUI::TypeCharacter(wchar_t ch)
{
    CUIString text = m_text;
    if (ch == L'\b') {
        if (text.IsEmpty()) return;
        text = text.Left(text.GetLength() - 1);
    } else {
        if (ch < L' ') return;
        if (m_maxChar > 0 && text.GetLength() >= m_maxChar) return;
        if (m_numberOnly && (ch < L'0' || ch > L'9')) return;
        text += ch;
    }
    SetText(text.GetData());
    if (m_manager != nullptr) m_manager->SendNotify(this, L"textchanged");
}

void CEditUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event)) return;
    switch (event.type) {
    case EVT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
        return;
    case EVT_SETFOCUS:
    case EVT_KILLFOCUS:
        m_focused = event.type == EVT_SETFOCUS;
        Invalidate();
        return;
    case EVT_MOUSEENTER:
        if (IsEnabled()) {
            m_buttonState |= STATE_HOT;
            Invalidate();
        }
        return;
    case EVT_MOUSELEAVE:
        m_buttonState &= ~static_cast<UINT>(STATE_HOT);
        Invalidate();
        return;
    case EVT_CHAR:
        if (IsFocused() && IsEnabled() && !m_readOnly) TypeCharacter(event.key);
        return;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

void CEditUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (SetStateImage(name, value, &m_normalImage, &m_hotImage, nullptr, &m_focusedImage, &m_disabledImage)) return;
    const CUIString key(name);
    if (key == L"readonly") {
        SetReadOnly(AttributeIsTrue(value));
    } else if (key == L"numberonly") {
        SetNumberOnly(AttributeIsTrue(value));
    } else if (key == L"password") {
        SetPasswordMode(AttributeIsTrue(value));
    } else if (key == L"passwordchar") {
        SetPasswordChar(*value != L'\0' ? *value : L'*');
    } else if (key == L"maxchar") {
        SetMaxChar(AttributeInt(value));
    } else if (key == L"nativebkcolor") {
        SetNativeEditBkColor(AttributeColor(value));
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

SIZE CEditUI::MeasureSize(SIZE available)
{
    // A field's height does not follow its text: without a wish it is one line of its font.
    if (m_fixedHeight != 0 || m_manager == nullptr) return CControlUI::MeasureSize(available);
    const FontInfoUI* font = m_manager->GetFontInfo(m_font);
    const int line = font != nullptr ? font->tm.tmHeight : 0;
    return {m_fixedWidth, line + m_textPadding.top + m_textPadding.bottom};
}

void CEditUI::PaintStateImage(HDC dc)
{
    ImageDrawUI* image = &m_normalImage;
    if (!IsEnabled()) image = &m_disabledImage;
    else if (IsFocused()) image = &m_focusedImage;
    else if ((m_buttonState & STATE_HOT) != 0) image = &m_hotImage;
    if (image != &m_normalImage && !image->drawString.IsEmpty()) {
        if (CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, *image)) return;
    }
    CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, m_normalImage);
}

void CEditUI::PaintText(HDC dc)
{
    if (!m_passwordMode) {
        CLabelUI::PaintText(dc);
        return;
    }
    ResolveDefaultColors();
    if (m_text.IsEmpty()) return;
    // The mask has as many characters as the text; the text itself never reaches the screen.
    CUIString mask;
    for (int i = 0; i < m_text.GetLength(); ++i) mask += m_passwordChar;
    RECT rc = GetTextRect();
    CRenderer::DrawText(dc, m_manager, rc, mask.GetData(), IsEnabled() ? m_textColor : m_disabledTextColor,
                        m_font, m_textStyle);
}

} // namespace VarnUI

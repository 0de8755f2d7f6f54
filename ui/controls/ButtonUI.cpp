#include "ui/controls/ButtonUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

const wchar_t* const kHandCursor = MAKEINTRESOURCEW(32649);  // IDC_HAND
constexpr UINT kFadeInterval = 30;

} // namespace

CButtonUI::CButtonUI()
{
    m_textStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

CButtonUI::~CButtonUI() = default;

const wchar_t* CButtonUI::GetClassName() const
{
    return L"Button";
}

void* CButtonUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Button") return this;
    return CLabelUI::GetInterface(name);
}

UINT CButtonUI::QueryControlFlags() const
{
    return (IsEnabled() ? CTLFLAG_SETCURSOR : 0) | (IsKeyboardEnabled() ? CTLFLAG_TABSTOP : 0);
}

bool CButtonUI::Activate()
{
    if (!CLabelUI::Activate()) return false;
    if (m_manager != nullptr) m_manager->SendNotify(this, L"click");
    return true;
}

void CButtonUI::SetEnabled(bool enabled)
{
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) m_state = 0;
}

SIZE CButtonUI::MeasureSize(SIZE)
{
    if (m_fixedHeight != 0) return {m_fixedWidth, m_fixedHeight};
    const int fontHeight = m_manager != nullptr ? m_manager->GetFontInfo(m_font)->tm.tmHeight : 0;
    return {m_fixedWidth, fontHeight + Scaled(8)};
}

void CButtonUI::SetImage(ImageDrawUI& image, const wchar_t* drawString)
{
    // A state set on its own wins over a five-state picture still waiting to be cut.
    if (&image != &m_foreImage && &image != &m_hotForeImage) m_fiveStatusPending = false;
    SetImageString(image, drawString);
}

void CButtonUI::SetNormalImage(const wchar_t* drawString) { SetImage(m_normalImage, drawString); }
void CButtonUI::SetHotImage(const wchar_t* drawString) { SetImage(m_hotImage, drawString); }
void CButtonUI::SetHotForeImage(const wchar_t* drawString) { SetImage(m_hotForeImage, drawString); }
void CButtonUI::SetPushedImage(const wchar_t* drawString) { SetImage(m_pushedImage, drawString); }
void CButtonUI::SetFocusedImage(const wchar_t* drawString) { SetImage(m_focusedImage, drawString); }
void CButtonUI::SetDisabledImage(const wchar_t* drawString) { SetImage(m_disabledImage, drawString); }
void CButtonUI::SetForeImage(const wchar_t* drawString) { SetImage(m_foreImage, drawString); }

void CButtonUI::SetFiveStatusImage(const wchar_t* drawString)
{
    m_fiveStatus = drawString;
    m_fiveStatusPending = !SplitFiveStatusImage();
    Invalidate();
}

// Loads the picture without drawing and cuts it into its five states; false without a manager
// (the cut then waits for the first paint, since the states must not show the whole picture).
bool CButtonUI::SplitFiveStatusImage()
{
    ImageDrawUI* const states[] = {&m_normalImage, &m_pushedImage, &m_hotImage, &m_focusedImage, &m_disabledImage};
    for (int i = 0; i < 5; ++i) {
        ImageDrawUI& image = *states[i];
        image.Clear();
        image.drawString = m_fiveStatus;
        if (m_manager == nullptr) continue;
        if (!CRenderer::DrawImageString(nullptr, m_manager, m_item, m_item, image) || image.image == nullptr) continue;
        const int part = image.image->width / 5;
        image.source = CUIRect(part * i, 0, part * (i + 1), image.image->height);
    }
    const ImageInfoUI* picture = m_normalImage.image;
    if (m_float && m_fixedWidth == 0 && m_fixedHeight == 0 && picture != nullptr) {
        m_fixedWidth = picture->width / 5;
        m_fixedHeight = picture->height;
    }
    return m_manager != nullptr;
}

void CButtonUI::SetHotBkColor(DWORD color)
{
    if (m_hotBkColor == color) return;
    m_hotBkColor = color;
    Invalidate();
}

void CButtonUI::SetHotTextColor(DWORD color)
{
    if (m_hotTextColor == color) return;
    m_hotTextColor = color;
    Invalidate();
}

void CButtonUI::SetPushedTextColor(DWORD color)
{
    if (m_pushedTextColor == color) return;
    m_pushedTextColor = color;
    Invalidate();
}

void CButtonUI::SetFocusedTextColor(DWORD color)
{
    if (m_focusedTextColor == color) return;
    m_focusedTextColor = color;
    Invalidate();
}

void CButtonUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"normalimage") {
        SetNormalImage(value);
    } else if (key == L"hotimage") {
        SetHotImage(value);
    } else if (key == L"pushedimage") {
        SetPushedImage(value);
    } else if (key == L"focusedimage") {
        SetFocusedImage(value);
    } else if (key == L"disabledimage") {
        SetDisabledImage(value);
    } else if (key == L"foreimage") {
        SetForeImage(value);
    } else if (key == L"hotforeimage") {
        SetHotForeImage(value);
    } else if (key == L"fivestatusimage") {
        SetFiveStatusImage(value);
    } else if (key == L"fadedelta") {
        m_fadeDelta = static_cast<BYTE>(AttributeInt(value));
    } else if (key == L"hotbkcolor") {
        SetHotBkColor(AttributeColor(value));
    } else if (key == L"hottextcolor") {
        SetHotTextColor(AttributeColor(value));
    } else if (key == L"pushedtextcolor") {
        SetPushedTextColor(AttributeColor(value));
    } else if (key == L"focusedtextcolor") {
        SetFocusedTextColor(AttributeColor(value));
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CButtonUI::OnMouseEnter(const EventUI& event)
{
    if (IsEnabled() && ::PtInRect(&m_item, event.mouse) && (m_state & STATE_HOT) == 0) {
        m_state |= STATE_HOT;
        Invalidate();
    }
    if (m_fadeDelta != 0 && m_manager != nullptr) m_manager->SetTimer(this, kFadeTimer, kFadeInterval);
}

// True when the pointer is still over the button (the leave only crossed into a child or cover).
bool CButtonUI::OnMouseLeave(const EventUI& event)
{
    if (::PtInRect(&m_item, event.mouse)) {
        if (m_manager != nullptr) m_manager->AddMouseLeaveListener(this);
        return true;
    }
    if (IsEnabled() && (m_state & STATE_HOT) != 0) {
        m_state &= ~static_cast<UINT>(STATE_HOT);
        Invalidate();
    }
    if (m_manager != nullptr) {
        m_manager->RemoveMouseLeaveListener(this);
        if (m_fadeDelta != 0) m_manager->SetTimer(this, kFadeTimer, kFadeInterval);
    }
    return false;
}

// The alpha walks towards 0 while hot and back to 255 otherwise, and stops at either end.
void CButtonUI::OnFadeTimer()
{
    bool done = false;
    if ((m_state & STATE_HOT) != 0) {
        if (m_fadeDelta != 0 && m_fadeAlpha >= m_fadeDelta) {
            m_fadeAlpha = static_cast<BYTE>(m_fadeAlpha - m_fadeDelta);
        } else {
            m_fadeAlpha = 0;
            done = true;
        }
    } else {
        if (static_cast<int>(m_fadeAlpha) < 255 - m_fadeDelta) {
            m_fadeAlpha = static_cast<BYTE>(m_fadeAlpha + m_fadeDelta);
        } else {
            m_fadeAlpha = 255;
            done = true;
        }
    }
    if (done && m_manager != nullptr) m_manager->KillTimer(this, kFadeTimer);
    Invalidate();
}

void CButtonUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event)) return;
    const bool inside = ::PtInRect(&m_item, event.mouse) != FALSE;
    switch (event.type) {
    case EVT_SETFOCUS:
    case EVT_KILLFOCUS:
        Invalidate();
        break;
    case EVT_KEYDOWN:
        if ((event.key == VK_SPACE || event.key == VK_RETURN) && IsKeyboardEnabled() && IsEnabled()) {
            Activate();
            return;
        }
        break;
    case EVT_BUTTONDOWN:
    case EVT_DBLCLICK:
        if (inside && IsEnabled()) {
            m_state |= STATE_PUSHED | STATE_CAPTURED;
            Invalidate();
        }
        return;
    case EVT_MOUSEMOVE:
        if ((m_state & STATE_CAPTURED) != 0) {
            m_state = inside ? m_state | STATE_PUSHED : m_state & ~static_cast<UINT>(STATE_PUSHED);
            Invalidate();
        }
        return;
    case EVT_BUTTONUP:
        if ((m_state & STATE_CAPTURED) != 0) {
            // The state is settled before "click": a listener may tear the page down.
            m_state &= ~static_cast<UINT>(STATE_PUSHED | STATE_CAPTURED);
            Invalidate();
            if (inside && IsEnabled()) Activate();
        }
        return;
    case EVT_CONTEXTMENU:
        if (IsContextMenuUsed() && IsEnabled() && m_manager != nullptr) {
            m_manager->SendNotify(this, L"menu", event.wParam, event.lParam);
        }
        return;
    case EVT_MOUSEENTER:
        OnMouseEnter(event);
        break;
    case EVT_MOUSELEAVE:
        if (OnMouseLeave(event)) return;
        break;
    case EVT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, kHandCursor));
        return;
    case EVT_TIMER:
        if (event.wParam == kFadeTimer) {
            OnFadeTimer();
            return;
        }
        break;
    default:
        break;
    }
    CLabelUI::HandleEvent(event);
}

void CButtonUI::RefreshPaintState()
{
    const UINT refreshed = STATE_FOCUSED | STATE_DISABLED;
    m_state &= ~refreshed;
    if (IsFocused()) m_state |= STATE_FOCUSED;
    if (!IsEnabled()) m_state |= STATE_DISABLED;
}

bool CButtonUI::DrawStateImage(HDC dc, ImageDrawUI& image)
{
    return CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, image);
}

void CButtonUI::PaintHotImages(HDC dc)
{
    if (m_fadeDelta != 0) {
        if (m_fadeAlpha != 0) {
            m_normalImage.fade = m_fadeAlpha;
            DrawStateImage(dc, m_normalImage);
        }
        m_hotImage.fade = static_cast<BYTE>(255 - m_fadeAlpha);
        DrawStateImage(dc, m_hotImage);
    } else if (!DrawStateImage(dc, m_hotImage)) {
        DrawStateImage(dc, m_normalImage);
    }
}

void CButtonUI::PaintNormalImages(HDC dc)
{
    if ((m_state & STATE_FOCUSED) != 0 && DrawStateImage(dc, m_focusedImage)) return;
    if (m_fadeDelta != 0) {
        if (m_fadeAlpha == 255) {
            m_normalImage.fade = 255;
        } else {
            m_hotImage.fade = static_cast<BYTE>(255 - m_fadeAlpha);
            DrawStateImage(dc, m_hotImage);
            m_normalImage.fade = m_fadeAlpha;
        }
    }
    DrawStateImage(dc, m_normalImage);
}

void CButtonUI::PaintStateImage(HDC dc)
{
    if (m_fiveStatusPending && m_manager != nullptr) m_fiveStatusPending = !SplitFiveStatusImage();
    RefreshPaintState();
    if ((m_state & STATE_DISABLED) != 0) {
        if (!DrawStateImage(dc, m_disabledImage)) PaintNormalImages(dc);
    } else if ((m_state & STATE_PUSHED) != 0) {
        if (!DrawStateImage(dc, m_pushedImage)) DrawStateImage(dc, m_normalImage);
    } else if ((m_state & STATE_HOT) != 0) {
        PaintHotImages(dc);
        if (DrawStateImage(dc, m_hotForeImage)) return;
        if (m_hotBkColor != 0) {
            CRenderer::DrawColor(dc, m_paintRect, GetAdjustColor(m_hotBkColor));
            return;
        }
    } else {
        PaintNormalImages(dc);
    }
    DrawStateImage(dc, m_foreImage);
}

DWORD CButtonUI::StateTextColor() const
{
    if ((m_state & STATE_PUSHED) != 0 && m_pushedTextColor != 0) return m_pushedTextColor;
    if ((m_state & STATE_HOT) != 0 && m_hotTextColor != 0) return m_hotTextColor;
    if ((m_state & STATE_FOCUSED) != 0 && m_focusedTextColor != 0) return m_focusedTextColor;
    return IsEnabled() ? m_textColor : m_disabledTextColor;
}

void CButtonUI::PaintText(HDC dc)
{
    RefreshPaintState();
    ResolveDefaultColors();
    if (m_text.IsEmpty()) return;
    DrawLabelText(dc, GetTextRect(), StateTextColor());
}

} // namespace VarnUI

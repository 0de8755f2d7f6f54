#include "ui/controls/ListHeaderUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlState.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <algorithm>

namespace VarnUI {
namespace {

constexpr int kHeaderTextMargin = 6;
constexpr int kHeaderItemTextMargin = 14;

} // namespace

const wchar_t* CListHeaderUI::GetClassName() const
{
    return L"ListHeader";
}

void* CListHeaderUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHeader") return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

SIZE CListHeaderUI::MeasureSize(SIZE available)
{
    SIZE size = {m_fixedWidth, m_fixedHeight};
    if (size.cy != 0) return size;
    bool anyVisible = false;
    for (int i = 0; i < m_items.GetSize(); ++i) {
        CControlUI* item = ChildAt(i);
        if (!item->IsVisible()) continue;
        anyVisible = true;
        size.cy = std::max(size.cy, item->MeasureSize(available).cy);
    }
    if (anyVisible && m_manager != nullptr) {
        size.cy = std::max<LONG>(size.cy, m_manager->GetDefaultFontInfo()->tm.tmHeight + kHeaderTextMargin);
    }
    return size;
}

const wchar_t* CListHeaderItemUI::GetClassName() const
{
    return L"ListHeaderItem";
}

void* CListHeaderItemUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHeaderItem") return this;
    return CControlUI::GetInterface(name);
}

void CListHeaderItemUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    if (!enabled) m_buttonState = 0;
}

void CListHeaderItemUI::HandleEvent(EventUI& event)
{
    if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
        CControlUI::HandleEvent(event);
        return;
    }
    const bool inside = ::PtInRect(&m_item, event.mouse) != FALSE;
    switch (event.type) {
    case EVT_MOUSEENTER:
        if (IsEnabled()) m_buttonState |= STATE_HOT;
        Invalidate();
        return;
    case EVT_MOUSELEAVE:
        m_buttonState &= ~static_cast<UINT>(STATE_HOT);
        Invalidate();
        return;
    case EVT_BUTTONDOWN:
    case EVT_DBLCLICK:
        if (inside && IsEnabled()) {
            m_buttonState |= STATE_PUSHED | STATE_CAPTURED;
            Invalidate();
        }
        return;
    case EVT_BUTTONUP:
        if ((m_buttonState & STATE_CAPTURED) != 0) {
            m_buttonState &= ~static_cast<UINT>(STATE_PUSHED | STATE_CAPTURED);
            Invalidate();
            if (inside && IsEnabled() && m_manager != nullptr) m_manager->SendNotify(this, L"headerclick");
        }
        return;
    case EVT_MOUSEMOVE:
        return;
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

void CListHeaderItemUI::RescalePixels(int fromDpi, int toDpi)
{
    CControlUI::RescalePixels(fromDpi, toDpi);
    RescaleEach(fromDpi, toDpi, m_textPadding, m_sepWidth);
}

void CListHeaderItemUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (SetStateImage(name, value, &m_normalImage, &m_hotImage, &m_pushedImage, &m_focusedImage, nullptr)) return;
    const CUIString key(name);
    if (key == L"sepimage") {
        SetImageString(m_sepImage, value);
    } else if (key == L"dragable") {
        m_dragable = AttributeIsTrue(value);
    } else if (key == L"sepwidth") {
        m_sepWidth = Scaled(AttributeInt(value));
    } else if (key == L"align") {
        const CUIString words(value);
        if (words.Find(L"left") >= 0) m_textStyle &= ~static_cast<UINT>(DT_CENTER | DT_RIGHT);
        if (words.Find(L"center") >= 0) m_textStyle = (m_textStyle & ~static_cast<UINT>(DT_RIGHT)) | DT_CENTER;
        if (words.Find(L"right") >= 0) m_textStyle = (m_textStyle & ~static_cast<UINT>(DT_CENTER)) | DT_RIGHT;
        Invalidate();
    } else if (key == L"endellipsis") {
        m_textStyle = AttributeIsTrue(value) ? m_textStyle | DT_END_ELLIPSIS : m_textStyle & ~static_cast<UINT>(DT_END_ELLIPSIS);
    } else if (key == L"font") {
        m_font = AttributeInt(value);
        Invalidate();
    } else if (key == L"textcolor") {
        m_textColor = AttributeColor(value);
        Invalidate();
    } else if (key == L"textpadding") {
        m_textPadding = Scaled(CUIRect(value));
        Invalidate();
    } else if (key == L"showhtml") {
        m_showHtml = AttributeIsTrue(value);
        Invalidate();
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

SIZE CListHeaderItemUI::MeasureSize(SIZE available)
{
    SIZE size = CControlUI::MeasureSize(available);
    if (size.cy == 0 && m_manager != nullptr) {
        size.cy = m_manager->GetFontInfo(m_font)->tm.tmHeight + kHeaderItemTextMargin;
    }
    return size;
}

void CListHeaderItemUI::PaintStateImage(HDC dc)
{
    ImageDrawUI* image = &m_normalImage;
    if ((m_buttonState & STATE_PUSHED) != 0) image = &m_pushedImage;
    else if ((m_buttonState & STATE_HOT) != 0) image = &m_hotImage;
    else if (IsFocused()) image = &m_focusedImage;
    if (image == &m_normalImage || image->drawString.IsEmpty() ||
        !CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, *image)) {
        CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, m_normalImage);
    }
    if (m_sepWidth > 0 && !m_sepImage.drawString.IsEmpty()) {
        const RECT strip = {m_item.right - m_sepWidth, m_item.top, m_item.right, m_item.bottom};
        CRenderer::DrawImageString(dc, m_manager, strip, m_paintRect, m_sepImage);
    }
}

void CListHeaderItemUI::PaintText(HDC dc)
{
    if (m_text.IsEmpty()) return;
    DWORD color = m_textColor;
    if (color == 0 && m_manager != nullptr) color = m_manager->GetDefaultFontColor();
    RECT rc = {m_item.left + m_textPadding.left, m_item.top + m_textPadding.top, m_item.right - m_textPadding.right,
               m_item.bottom - m_textPadding.bottom};
    if (m_showHtml) CRenderer::DrawFormattedText(dc, m_manager, rc, m_text.GetData(), color, m_font, m_textStyle);
    else CRenderer::DrawText(dc, m_manager, rc, m_text.GetData(), color, m_font, m_textStyle);
}

} // namespace VarnUI

#include "ui/controls/SliderUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

#include <climits>

namespace VarnUI {
namespace {

const wchar_t* const kHandCursor = MAKEINTRESOURCEW(32649);  // IDC_HAND

} // namespace

CSliderUI::CSliderUI() = default;

CSliderUI::~CSliderUI() = default;

const wchar_t* CSliderUI::GetClassName() const
{
    return L"Slider";
}

void* CSliderUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Slider") return this;
    return CProgressUI::GetInterface(name);
}

UINT CSliderUI::QueryControlFlags() const
{
    return IsEnabled() ? CTLFLAG_TABSTOP | CTLFLAG_SETCURSOR : 0;
}

void CSliderUI::SetEnabled(bool enabled)
{
    CProgressUI::SetEnabled(enabled);
    if (!IsEnabled()) m_state = 0;
}

void CSliderUI::SetImage(ImageDrawUI& image, const wchar_t* drawString)
{
    SetImageString(image, drawString);
}

void CSliderUI::SetThumbImage(const wchar_t* drawString) { SetImage(m_thumbImage, drawString); }
void CSliderUI::SetThumbHotImage(const wchar_t* drawString) { SetImage(m_thumbHotImage, drawString); }
void CSliderUI::SetThumbPushedImage(const wchar_t* drawString) { SetImage(m_thumbPushedImage, drawString); }

void CSliderUI::RescalePixels(int fromDpi, int toDpi)
{
    CProgressUI::RescalePixels(fromDpi, toDpi);
    m_thumbSize = RescaleDpi(m_thumbSize, fromDpi, toDpi);
}

void CSliderUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"thumbimage") {
        SetThumbImage(value);
    } else if (key == L"thumbhotimage") {
        SetThumbHotImage(value);
    } else if (key == L"thumbpushedimage") {
        SetThumbPushedImage(value);
    } else if (key == L"thumbsize") {
        const SIZE size = Scaled(CUISize(value));
        SetThumbSize(size.cx, size.cy);
    } else if (key == L"step") {
        SetChangeStep(AttributeInt(value));
    } else if (key == L"imm") {
        SetImmediate(AttributeIsTrue(value));
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

// 64-bit throughout: a wide range times a pixel distance overflows 32 bits.
RECT CSliderUI::GetThumbRect() const
{
    const long long span = RangeSpan();
    const long long offset = static_cast<long long>(m_value) - m_min;
    const RECT& item = m_item;
    const int tw = m_thumbSize.cx;
    const int th = m_thumbSize.cy;
    if (m_horizontal) {
        const LONG x = static_cast<LONG>(item.left + offset * (item.right - tw - item.left) / span);
        const LONG y = (item.top + item.bottom - th) / 2;
        return {x, y, x + tw, y + th};
    }
    const LONG x = (item.left + item.right - tw) / 2;
    const LONG bottom = static_cast<LONG>(item.bottom - static_cast<long long>(item.bottom - item.top - th) * offset / span);
    return {x, bottom - th, x + tw, bottom};
}

// The divisions below cannot meet a zero: the branch is only reached when the item is wider
// (taller) than the thumb.
long long CSliderUI::ValueFromPoint(POINT pt) const
{
    const long long span = static_cast<long long>(m_max) - m_min;
    const RECT& item = m_item;
    const int tw = m_thumbSize.cx;
    const int th = m_thumbSize.cy;
    if (m_horizontal) {
        if (pt.x >= item.right - tw / 2) return m_max;
        if (pt.x <= item.left + tw / 2) return m_min;
        return m_min + span * (pt.x - tw / 2 - item.left) / (item.right - item.left - tw);
    }
    if (pt.y >= item.bottom - th / 2) return m_min;
    if (pt.y <= item.top + th / 2) return m_max;
    return m_min + span * (item.bottom - th / 2 - pt.y) / (item.bottom - item.top - th);
}

void CSliderUI::StoreValue(long long value)
{
    if (value > m_max) value = m_max;
    if (value < m_min) value = m_min;
    if (m_value == value) return;
    m_value = static_cast<int>(value);
    NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE, this);
}

void CSliderUI::NotifyValueChanged()
{
    if (m_manager != nullptr) m_manager->SendNotify(this, L"valuechanged");
}

void CSliderUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event)) return;
    const bool inside = ::PtInRect(&m_item, event.mouse) != FALSE;
    switch (event.type) {
    case EVT_BUTTONDOWN:
    case EVT_DBLCLICK: {
        if (!IsEnabled()) return;
        m_state |= STATE_CAPTURED;
        const long long value = ValueFromPoint(event.mouse);
        if (value == m_value || value < m_min || value > m_max) return;
        m_value = static_cast<int>(value);
        Invalidate();
        NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE, this);
        return;
    }
    case EVT_BUTTONUP: {
        if ((m_state & STATE_CAPTURED) == 0) return;
        StoreValue(ValueFromPoint(event.mouse));
        // Listeners see the drag still under way; one that destroys the slider meanwhile has
        // the delete deferred, so the slider is still here to end the drag.
        EventDepthScope busy(*this);
        NotifyValueChanged();
        m_state &= ~static_cast<UINT>(STATE_CAPTURED);
        Invalidate();
        return;
    }
    case EVT_CONTEXTMENU:
        return;
    case EVT_SCROLLWHEEL: {
        const WORD code = LOWORD(event.wParam);
        if (code != 0 && code != 1) break;
        const long long step = code == 0 ? m_step : -static_cast<long long>(m_step);
        const long long value = static_cast<long long>(m_value) + step;
        SetValue(static_cast<int>(value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : value)));
        NotifyValueChanged();
        return;
    }
    case EVT_MOUSEMOVE:
        if ((m_state & STATE_CAPTURED) == 0) return;
        StoreValue(ValueFromPoint(event.mouse));
        Invalidate();
        if (m_immediate) NotifyValueChanged();
        return;
    case EVT_SETCURSOR: {
        const RECT thumb = GetThumbRect();
        if (IsEnabled() && ::PtInRect(&thumb, event.mouse)) {
            ::SetCursor(::LoadCursorW(nullptr, kHandCursor));
            return;
        }
        break;
    }
    case EVT_MOUSEENTER:
        if (inside && IsEnabled() && (m_state & STATE_HOT) == 0) {
            m_state |= STATE_HOT;
            Invalidate();
        }
        break;
    case EVT_MOUSELEAVE:
        if (inside) {
            if (m_manager != nullptr) m_manager->AddMouseLeaveListener(this);
            return;
        }
        if (IsEnabled() && (m_state & STATE_HOT) != 0) {
            m_state &= ~static_cast<UINT>(STATE_HOT);
            Invalidate();
        }
        if (m_manager != nullptr) m_manager->RemoveMouseLeaveListener(this);
        break;
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

bool CSliderUI::DrawThumb(HDC dc, ImageDrawUI& image, const RECT& thumb)
{
    // Parse first so that a "dest" in the draw string never replaces the thumb's place.
    if (!CRenderer::DrawImageString(nullptr, m_manager, m_item, m_paintRect, image)) return false;
    image.dest = thumb;
    return CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, image);
}

void CSliderUI::PaintStateImage(HDC dc)
{
    CProgressUI::PaintStateImage(dc);
    RECT thumb = GetThumbRect();
    // An all-zero destination would mean the whole control; a thumb of no size shows nothing.
    if (::IsRectEmpty(&thumb)) return;
    ::OffsetRect(&thumb, -m_item.left, -m_item.top);
    if ((m_state & STATE_CAPTURED) != 0) {
        if (DrawThumb(dc, m_thumbPushedImage, thumb)) return;
    } else if ((m_state & STATE_HOT) != 0) {
        if (DrawThumb(dc, m_thumbHotImage, thumb)) return;
    }
    DrawThumb(dc, m_thumbImage, thumb);
}

} // namespace VarnUI

// CScrollBarUI: range and position, part layout, attributes and mouse handling. Painting
// lives in ScrollBarPaint.cpp.
#include "ui/controls/ScrollBarUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ContainerUI.h"
#include "ui/manager/ManagerUI.h"

#include <algorithm>

namespace VarnUI {

CScrollBarUI::CScrollBarUI()
{
    m_fixedWidth = kDefaultThickness;
}

CScrollBarUI::~CScrollBarUI() = default;

const wchar_t* CScrollBarUI::GetClassName() const
{
    return L"ScrollBar";
}

void* CScrollBarUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ScrollBar") return static_cast<CScrollBarUI*>(this);
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal)
{
    if (m_horizontal == horizontal) return;
    m_horizontal = horizontal;
    if (horizontal && m_fixedHeight == 0) {
        m_fixedWidth = 0;
        m_fixedHeight = Scaled(kDefaultThickness);
    } else if (!horizontal && m_fixedWidth == 0) {
        m_fixedHeight = 0;
        m_fixedWidth = Scaled(kDefaultThickness);
    }
    if (m_owner != nullptr) {
        m_owner->RequestLayout();
    } else {
        RequestParentLayout();
    }
}

void CScrollBarUI::RescalePixels(int fromDpi, int toDpi)
{
    CControlUI::RescalePixels(fromDpi, toDpi);
    m_lineSize = RescaleDpi(m_lineSize, fromDpi, toDpi);
    // A unit of 1 means none.
    if (m_scrollUnit > 1) m_scrollUnit = RescaleDpi(m_scrollUnit, fromDpi, toDpi);
    // A container's bar counts its content's pixels: the content keeps its place, and the
    // owner's next layout sets the range anew. A bar of its own counts whatever it likes.
    if (m_owner == nullptr) return;
    m_range = RescaleDpi(m_range, fromDpi, toDpi);
    m_position = std::min(RescaleDpi(m_position, fromDpi, toDpi), m_range);
}

void CScrollBarUI::SetScrollRange(int range)
{
    range = std::max(range, 0);
    if (range == m_range) return;
    m_range = range;
    m_position = std::min(m_position, m_range);
    SetPos(m_item, true);
}

void CScrollBarUI::SetScrollPos(int position, bool notify)
{
    position = std::max(position, 0);
    if (m_scrollUnit > 1) {
        // To the nearest multiple of the unit; an exact half rounds up.
        const int remainder = position % m_scrollUnit;
        if (remainder != 0) position += 2 * remainder < m_scrollUnit ? -remainder : m_scrollUnit - remainder;
    }
    position = std::min(position, m_range);
    if (position == m_position) return;
    const int old = m_position;
    m_position = position;
    SetPos(m_item, true);
    // Queued and merged: a drag raises many moves, the application needs only the last.
    if (notify && m_manager != nullptr) m_manager->SendNotify(this, L"scroll", m_position, old, true, false);
}

int CScrollBarUI::GetLineSize() const
{
    return m_scrollUnit > 1 ? m_scrollUnit : m_lineSize;
}

void CScrollBarUI::SetLineSize(int size)
{
    if (size >= 0) m_lineSize = size;
}

void CScrollBarUI::SetScrollUnit(int unit)
{
    if (unit >= 0) m_scrollUnit = unit;
}

void CScrollBarUI::SetShowButton1(bool show)
{
    m_showButton1 = show;
    SetPos(m_item, true);
}

void CScrollBarUI::SetShowButton2(bool show)
{
    m_showButton2 = show;
    SetPos(m_item, true);
}

void CScrollBarUI::SetButton1Color(DWORD color)
{
    if (color == m_button1Color) return;
    m_button1Color = color;
    Invalidate();
}

void CScrollBarUI::SetButton2Color(DWORD color)
{
    if (color == m_button2Color) return;
    m_button2Color = color;
    Invalidate();
}

void CScrollBarUI::SetThumbColor(DWORD color)
{
    if (color == m_thumbColor) return;
    m_thumbColor = color;
    Invalidate();
}

void CScrollBarUI::SetButton1Image(ImageSlot slot, const wchar_t* drawString)
{
    SetImageString(m_button1Images[slot], drawString);
}

void CScrollBarUI::SetButton2Image(ImageSlot slot, const wchar_t* drawString)
{
    SetImageString(m_button2Images[slot], drawString);
}

void CScrollBarUI::SetThumbImage(ImageSlot slot, const wchar_t* drawString)
{
    SetImageString(m_thumbImages[slot], drawString);
}

void CScrollBarUI::SetRailImage(ImageSlot slot, const wchar_t* drawString)
{
    SetImageString(m_railImages[slot], drawString);
}

void CScrollBarUI::SetBkImageFor(ImageSlot slot, const wchar_t* drawString)
{
    SetImageString(m_bkImages[slot], drawString);
}

void CScrollBarUI::SetVisible(bool visible)
{
    if (m_visible == visible) return;
    m_visible = visible;
    m_focused = false;
    // No layout request: the owner's scroll bar update lays out after showing or hiding.
    if (!IsVisible() && m_manager != nullptr && m_manager->GetFocus() == this) m_manager->SetFocus(nullptr);
}

void CScrollBarUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    if (IsEnabled()) return;
    m_button1State = 0;
    m_button2State = 0;
    m_thumbState = 0;
}

void CScrollBarUI::SetFocus()
{
    if (m_owner != nullptr) {
        m_owner->SetFocus();
    } else {
        CControlUI::SetFocus();
    }
}

// "<part><state>image", as "button1hotimage" or "bkdisabledimage".
bool CScrollBarUI::SetPartImage(const CUIString& key, const wchar_t* value)
{
    static const wchar_t* const kStates[kSlotCount] = {L"normal", L"hot", L"pushed", L"disabled"};
    const struct {
        const wchar_t* name;
        ImageDrawUI* images;
    } parts[] = {{L"button1", m_button1Images}, {L"button2", m_button2Images}, {L"thumb", m_thumbImages},
                 {L"rail", m_railImages},       {L"bk", m_bkImages}};
    for (const auto& part : parts) {
        if (key.Find(part.name) != 0) continue;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (key != CUIString(part.name) + kStates[slot] + L"image") continue;
            SetImageString(part.images[slot], value);
            return true;
        }
    }
    return false;
}

void CScrollBarUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    const bool isTrue = AttributeIsTrue(value);
    if (SetPartImage(key, value)) return;
    if (key == L"button1color") {
        SetButton1Color(AttributeColorAfterBlanks(value));
    } else if (key == L"button2color") {
        SetButton2Color(AttributeColorAfterBlanks(value));
    } else if (key == L"thumbcolor") {
        SetThumbColor(AttributeColorAfterBlanks(value));
    } else if (key == L"hor") {
        SetHorizontal(isTrue);
    } else if (key == L"linesize") {
        SetLineSize(Scaled(AttributeInt(value)));
    } else if (key == L"range") {
        SetScrollRange(AttributeInt(value));
    } else if (key == L"value") {
        SetScrollPos(AttributeInt(value));
    } else if (key == L"scrollunit") {
        const int unit = AttributeInt(value);
        SetScrollUnit(unit > 1 ? Scaled(unit) : unit);
    } else if (key == L"showbutton1") {
        SetShowButton1(isTrue);
    } else if (key == L"showbutton2") {
        SetShowButton2(isTrue);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

// Described for a vertical bar; a horizontal one is the same along x.
void CScrollBarUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const RECT& item = m_item;
    const bool h = m_horizontal;
    const int barStart = h ? item.left : item.top;
    const int barEnd = h ? item.right : item.bottom;
    const int crossStart = h ? item.top : item.left;
    const int length = barEnd - barStart;
    int thickness = Thickness();
    const int track = length - (m_showButton1 ? thickness : 0) - (m_showButton2 ? thickness : 0);
    const int cross = crossStart + thickness;

    int button1End = barStart;
    int button2Start = barEnd;
    int thumbStart = 0;
    int thumbEnd = 0;
    bool hasThumb = false;
    if (thickness < track) {
        if (m_showButton1) button1End = barStart + thickness;
        if (m_showButton2) button2Start = barEnd - thickness;
        hasThumb = true;
        if (m_range > 0) {
            // 64-bit products: long content gives ranges where 32 bits overflow.
            int thumbLength = static_cast<int>(static_cast<long long>(length) * track / (length + m_range));
            thumbLength = std::max(thumbLength, thickness);
            thumbStart = button1End + static_cast<int>(static_cast<long long>(track - thumbLength) * m_position / m_range);
            thumbEnd = thumbStart + thumbLength;
            if (thumbEnd > button2Start) {
                thumbStart = button2Start - thumbLength;
                thumbEnd = button2Start;
            }
        } else {
            thumbStart = button1End;
            thumbEnd = button2Start;
        }
    } else {
        // Too short for a thumb: the buttons share the length.
        thickness = length / 2;
        if (m_showButton1) button1End = barStart + thickness;
        if (m_showButton2) button2Start = barEnd - thickness;
    }

    const int button1Cross = m_showButton1 ? cross : crossStart;
    const int button2Cross = m_showButton2 ? cross : crossStart;
    auto make = [h](int alongStart, int alongEnd, int crossFrom, int crossTo) {
        return h ? CUIRect(alongStart, crossFrom, alongEnd, crossTo) : CUIRect(crossFrom, alongStart, crossTo, alongEnd);
    };
    m_button1Rect = make(barStart, button1End, crossStart, button1Cross);
    m_button2Rect = make(button2Start, barEnd, crossStart, button2Cross);
    if (hasThumb) {
        m_thumbRect = make(thumbStart, thumbEnd, crossStart, cross);
    } else {
        m_thumbRect.Empty();
    }
}

// One step of an arrow button or of a press on the track: the owner's own line or page
// operation, or the bar's line size or length without an owner.
void CScrollBarUI::Step(bool forward, bool page)
{
    if (m_owner == nullptr) {
        const int step = page ? (m_horizontal ? m_item.GetWidth() : m_item.GetHeight()) : GetLineSize();
        SetScrollPos(m_position + (forward ? step : -step));
        return;
    }
    using Operation = void (CContainerUI::*)();
    // [page][horizontal][forward]
    static const Operation kOperations[2][2][2] = {
        {{&CContainerUI::LineUp, &CContainerUI::LineDown}, {&CContainerUI::LineLeft, &CContainerUI::LineRight}},
        {{&CContainerUI::PageUp, &CContainerUI::PageDown}, {&CContainerUI::PageLeft, &CContainerUI::PageRight}},
    };
    (m_owner->*kOperations[page][m_horizontal][forward])();
}

void CScrollBarUI::PageToward(POINT pt)
{
    if (Along(pt) < Start(m_thumbRect)) {
        Step(false, true);
    } else if (Along(pt) > End(m_thumbRect)) {
        Step(true, true);
    }
}

void CScrollBarUI::HandleEvent(EventUI& event)
{
    if (ForwardMouseEventIfOff(event, m_owner)) return;
    switch (event.type) {
    case EVT_SETFOCUS:
    case EVT_KILLFOCUS:
    case EVT_CONTEXTMENU:
        return;
    case EVT_BUTTONDOWN:
    case EVT_DBLCLICK:
        if (IsEnabled()) OnButtonDown(event);
        return;
    case EVT_BUTTONUP:
        OnButtonUp();
        return;
    case EVT_MOUSEMOVE:
        OnMouseMove(event);
        return;
    case EVT_TIMER:
        if (event.wParam != kRepeatTimer) break;
        OnTimer();
        return;
    case EVT_MOUSEENTER:
        if (IsEnabled() && ::PtInRect(&m_item, event.mouse)) {
            m_button1State |= STATE_HOT;
            m_button2State |= STATE_HOT;
            if (::PtInRect(&m_thumbRect, event.mouse)) m_thumbState |= STATE_HOT;
            Invalidate();
        }
        break;
    case EVT_MOUSELEAVE:
        if (::PtInRect(&m_item, event.mouse)) {
            if (m_manager != nullptr) m_manager->AddMouseLeaveListener(this);
            return;
        }
        if (IsEnabled()) {
            m_button1State &= ~STATE_HOT;
            m_button2State &= ~STATE_HOT;
            m_thumbState &= ~STATE_HOT;
            Invalidate();
        }
        if (m_manager != nullptr) m_manager->RemoveMouseLeaveListener(this);
        break;
    default:
        break;
    }
    ForwardEvent(event, m_owner);
}

void CScrollBarUI::OnButtonDown(const EventUI& event)
{
    m_dragOffset = 0;
    m_repeatCount = 0;
    m_pressed = true;
    if (m_manager != nullptr) m_manager->SetTimer(this, kRepeatTimer, kRepeatElapse);
    const POINT pt = event.mouse;
    if (::PtInRect(&m_button1Rect, pt)) {
        m_button1State |= STATE_PUSHED;
        Step(false, false);
    } else if (::PtInRect(&m_button2Rect, pt)) {
        m_button2State |= STATE_PUSHED;
        Step(true, false);
    } else if (::PtInRect(&m_thumbRect, pt)) {
        m_thumbState |= STATE_PUSHED | STATE_CAPTURED;
        m_dragStartPoint = pt;
        m_dragStartPosition = m_position;
    } else {
        PageToward(pt);
    }
    // Shows the pushed part also when the position could not move.
    Invalidate();
}

void CScrollBarUI::OnButtonUp()
{
    m_repeatCount = 0;
    m_dragOffset = 0;
    m_pressed = false;
    if (m_manager != nullptr) m_manager->KillTimer(this, kRepeatTimer);
    if ((m_thumbState & STATE_CAPTURED) != 0) {
        m_thumbState &= ~(STATE_PUSHED | STATE_CAPTURED);
    } else if ((m_button1State & STATE_PUSHED) != 0) {
        m_button1State &= ~STATE_PUSHED;
    } else if ((m_button2State & STATE_PUSHED) != 0) {
        m_button2State &= ~STATE_PUSHED;
    } else {
        return;
    }
    Invalidate();
}

void CScrollBarUI::OnMouseMove(const EventUI& event)
{
    const POINT pt = event.mouse;
    if ((m_thumbState & STATE_CAPTURED) != 0) {
        int freeLength = Start(m_thumbRect) + End(m_item) - End(m_thumbRect) - Start(m_item);
        if (m_showButton1) freeLength -= Thickness();
        if (m_showButton2) freeLength -= Thickness();
        if (freeLength <= 0) return;
        // Applied by the next timer tick, which keeps the owner's re-layout off every move.
        m_dragOffset = static_cast<int>(static_cast<long long>(Along(pt) - Along(m_dragStartPoint)) * m_range / freeLength);
        return;
    }
    const bool onThumb = ::PtInRect(&m_thumbRect, pt) != FALSE;
    if ((m_thumbState & STATE_HOT) != 0 && !onThumb) {
        m_thumbState &= ~STATE_HOT;
        Invalidate();
    } else if ((m_thumbState & STATE_HOT) == 0 && onThumb && IsEnabled()) {
        m_thumbState |= STATE_HOT;
        Invalidate();
    }
}

void CScrollBarUI::OnTimer()
{
    ++m_repeatCount;
    if ((m_thumbState & STATE_CAPTURED) != 0) {
        const int target = m_dragStartPosition + m_dragOffset;
        if (m_owner == nullptr) {
            SetScrollPos(target);
        } else {
            const SIZE ownerPos = m_owner->GetScrollPos();
            m_owner->SetScrollPos(m_horizontal ? SIZE{target, ownerPos.cy} : SIZE{ownerPos.cx, target});
        }
        Invalidate();
        return;
    }
    // The first ticks after the press wait, so that a click scrolls exactly once.
    if (m_repeatCount <= 5) return;
    if ((m_button1State & STATE_PUSHED) != 0) {
        Step(false, false);
    } else if ((m_button2State & STATE_PUSHED) != 0) {
        Step(true, false);
    } else if (m_pressed && m_manager != nullptr && m_manager->GetPaintWindow() != nullptr) {
        POINT pt;
        if (!::GetCursorPos(&pt)) return;
        ::ScreenToClient(m_manager->GetPaintWindow(), &pt);
        PageToward(pt);
    }
}

} // namespace VarnUI

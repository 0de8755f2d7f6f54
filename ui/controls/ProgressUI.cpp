#include "ui/controls/ProgressUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/render/Renderer.h"

#include <climits>

namespace VarnUI {

CProgressUI::CProgressUI()
{
    m_textStyle = DT_SINGLELINE | DT_CENTER;
    m_fixedHeight = 12;
}

CProgressUI::~CProgressUI() = default;

const wchar_t* CProgressUI::GetClassName() const
{
    return L"Progress";
}

void* CProgressUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Progress") return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal)
{
    if (m_horizontal == horizontal) return;
    m_horizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int value)
{
    if (m_min == value) return;
    m_min = value;
    Invalidate();
}

void CProgressUI::SetMaxValue(int value)
{
    if (m_max == value) return;
    m_max = value;
    Invalidate();
}

void CProgressUI::SetValue(int value)
{
    if (value > m_max) value = m_max;
    if (value < m_min) value = m_min;
    if (m_value == value) return;
    m_value = value;
    Invalidate();
    NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE, this);
}

void CProgressUI::SetForeImage(const wchar_t* drawString)
{
    SetImageString(m_progressImage, drawString);
}

void CProgressUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"foreimage") {
        SetForeImage(value);
    } else if (key == L"hor") {
        SetHorizontal(AttributeIsTrue(value));
    } else if (key == L"min") {
        SetMinValue(AttributeInt(value));
    } else if (key == L"max") {
        SetMaxValue(AttributeInt(value));
    } else if (key == L"value") {
        SetValue(AttributeInt(value));
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

long long CProgressUI::RangeSpan() const
{
    const long long span = static_cast<long long>(m_max) - m_min;
    return span > 0 ? span : 1;
}

void CProgressUI::RepairRange()
{
    if (m_min >= m_max) {
        // The largest minimum has no room above it; the range moves down by one instead.
        if (m_min == INT_MAX) m_min = INT_MAX - 1;
        m_max = m_min + 1;
    }
    if (m_value > m_max) m_value = m_max;
    if (m_value < m_min) m_value = m_min;
}

// Products are formed in 64 bits: a wide bar over a large range overflows 32.
RECT CProgressUI::GetFillRect() const
{
    const long long width = m_item.GetWidth();
    const long long height = m_item.GetHeight();
    const long long span = RangeSpan();
    long long value = m_value;
    if (value > m_min + span) value = m_min + span;
    if (value < m_min) value = m_min;
    if (m_horizontal) {
        return {0, 0, static_cast<LONG>(width * (value - m_min) / span), static_cast<LONG>(height)};
    }
    const long long top = height * (m_min + span - value) / span;
    return {0, static_cast<LONG>(top), static_cast<LONG>(width), static_cast<LONG>(height)};
}

void CProgressUI::PaintStateImage(HDC dc)
{
    RepairRange();
    // Parse first: a "dest" written in the draw string must not replace the fill on the first paint.
    if (!CRenderer::DrawImageString(nullptr, m_manager, m_item, m_paintRect, m_progressImage)) return;
    m_progressImage.dest = GetFillRect();
    CRenderer::DrawImageString(dc, m_manager, m_item, m_paintRect, m_progressImage);
}

} // namespace VarnUI

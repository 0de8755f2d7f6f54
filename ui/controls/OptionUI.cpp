#include "ui/controls/OptionUI.h"

#include "ui/base/UIPtrArray.h"
#include "ui/base/AttributeValues.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/Renderer.h"

namespace VarnUI {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI()
{
    if (!m_group.IsEmpty() && m_manager != nullptr) m_manager->RemoveOptionGroup(m_group.GetData(), this);
}

const wchar_t* COptionUI::GetClassName() const
{
    return L"Option";
}

void* COptionUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"Option") return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CManagerUI* manager, CControlUI* parent, bool init)
{
    CButtonUI::SetManager(manager, parent, init);
    if (init && !m_group.IsEmpty() && m_manager != nullptr) m_manager->AddOptionGroup(m_group.GetData(), this);
}

void COptionUI::SetGroup(const wchar_t* group)
{
    if (group == nullptr || group[0] == L'\0') {
        if (m_group.IsEmpty()) return;
    } else if (m_group == group) {
        return;
    }
    if (!m_group.IsEmpty() && m_manager != nullptr) m_manager->RemoveOptionGroup(m_group.GetData(), this);
    m_group = group != nullptr ? group : L"";
    if (m_manager != nullptr) {
        if (!m_group.IsEmpty()) {
            m_manager->AddOptionGroup(m_group.GetData(), this);
        } else {
            m_manager->RemoveOptionGroup(m_group.GetData(), this);
        }
    }
    Selected(m_selected, true);
}

void COptionUI::Selected(bool selected, bool notify)
{
    if (m_selected == selected) return;
    m_selected = selected;
    m_state = selected ? m_state | STATE_SELECTED : m_state & ~static_cast<UINT>(STATE_SELECTED);
    NotifyAccessibleEvent(EVENT_OBJECT_STATECHANGE, this);
    if (m_manager != nullptr) {
        if (!m_group.IsEmpty()) {
            if (!m_selected) {
                Invalidate();
                return;
            }
            // A copy: the list is the manager's and may change while the others repaint.
            const CUIPtrArray* members = m_manager->GetOptionGroup(m_group.GetData());
            if (members != nullptr) {
                CUIPtrArray others(*members);
                for (int i = 0; i < others.GetSize(); ++i) {
                    auto* control = static_cast<CControlUI*>(others[i]);
                    auto* option = static_cast<COptionUI*>(control->GetInterface(L"Option"));
                    if (option != nullptr && option != this) option->Selected(false, notify);
                }
            }
        }
        if (notify) m_manager->SendNotify(this, L"selectchanged");
    }
    Invalidate();
}

bool COptionUI::Activate()
{
    if (!CButtonUI::Activate()) return false;
    Selected(m_group.IsEmpty() ? !m_selected : true, true);
    return true;
}

void COptionUI::SetEnabled(bool enabled)
{
    CButtonUI::SetEnabled(enabled);
    if (!IsEnabled()) m_state = m_selected ? static_cast<UINT>(STATE_SELECTED) : 0u;
}

SIZE COptionUI::MeasureSize(SIZE available)
{
    return CButtonUI::MeasureSize(available);
}

void COptionUI::SetSelectedImage(const wchar_t* drawString)
{
    SetImageString(m_selectedImage, drawString);
}

void COptionUI::SetSelectedHotImage(const wchar_t* drawString)
{
    SetImageString(m_selectedHotImage, drawString);
}

void COptionUI::SetOptionForeImage(const wchar_t* drawString)
{
    SetImageString(m_optionForeImage, drawString);
}

void COptionUI::SetSelectedBkColor(DWORD color)
{
    if (m_selectedBkColor == color) return;
    m_selectedBkColor = color;
    Invalidate();
}

void COptionUI::SetSelectedTextColor(DWORD color)
{
    if (m_selectedTextColor == color) return;
    m_selectedTextColor = color;
    Invalidate();
}

void COptionUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"group") {
        SetGroup(value);
    } else if (key == L"selected") {
        Selected(AttributeIsTrue(value), true);
    } else if (key == L"selectedimage") {
        SetSelectedImage(value);
    } else if (key == L"selectedhotimage") {
        SetSelectedHotImage(value);
    } else if (key == L"foreimage") {
        SetOptionForeImage(value);
    } else if (key == L"selectedbkcolor") {
        SetSelectedBkColor(AttributeColor(value));
    } else if (key == L"selectedtextcolor") {
        SetSelectedTextColor(AttributeColor(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

template <typename Step>
void COptionUI::WithoutPushed(Step step)
{
    const UINT pushed = m_state & STATE_PUSHED;
    m_state &= ~static_cast<UINT>(STATE_PUSHED);
    step();
    m_state |= pushed;
}

void COptionUI::PaintStateImage(HDC dc)
{
    if (!m_selected) {
        WithoutPushed([&] { CButtonUI::PaintStateImage(dc); });
    } else if (((m_state & STATE_HOT) != 0 && DrawStateImage(dc, m_selectedHotImage)) ||
               DrawStateImage(dc, m_selectedImage)) {
        // The selected look is drawn.
    } else if (m_selectedBkColor != 0) {
        CRenderer::DrawColor(dc, m_paintRect, GetAdjustColor(m_selectedBkColor));
    } else {
        WithoutPushed([&] { CButtonUI::PaintStateImage(dc); });
    }
    DrawStateImage(dc, m_optionForeImage);
}

void COptionUI::PaintText(HDC dc)
{
    if (!m_selected) {
        WithoutPushed([&] { CButtonUI::PaintText(dc); });
        return;
    }
    ResolveDefaultColors();
    if (m_text.IsEmpty()) return;
    const DWORD color = m_selectedTextColor != 0 ? m_selectedTextColor : m_textColor;
    DrawLabelText(dc, GetTextRect(), IsEnabled() ? color : m_disabledTextColor);
}

} // namespace VarnUI

// The control base's part in how assistive technology sees it: the name the application
// gives a control that shows no text, and the control's id in events and child ids.
#include "ui/controls/ControlUI.h"

#include "ui/manager/AccessibleEvents.h"

#include <atomic>

namespace VarnUI {

void CControlUI::SetAccessibleName(const wchar_t* name)
{
    const CUIString old = GetAccessibleName();
    if (old == name) return;
    if (name == nullptr || name[0] == L'\0') {
        m_accessibleName.reset();
    } else {
        m_accessibleName.reset(new CUIString(name));
    }
    NotifyAccessibleEvent(EVENT_OBJECT_NAMECHANGE, this);
}

CUIString CControlUI::GetAccessibleName() const
{
    return m_accessibleName != nullptr ? *m_accessibleName : CUIString();
}

LONG CControlUI::GetAccessibleId()
{
    // Negated in child ids: positive ones are a parent's child positions, 0 the object itself.
    static std::atomic<LONG> nextId{0};
    if (m_accessibleId == 0) m_accessibleId = ++nextId;
    return m_accessibleId;
}

} // namespace VarnUI

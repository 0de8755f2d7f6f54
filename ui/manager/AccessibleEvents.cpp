#include "ui/manager/AccessibleEvents.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"

namespace VarnUI {

void NotifyAccessibleEvent(DWORD event, CControlUI* control)
{
    if (control == nullptr) return;
    CManagerUI* manager = control->GetManager();
    if (manager == nullptr || manager->GetPaintWindow() == nullptr) return;
    // The window's client object is the root; every other control is a descendant the
    // client object finds by its negated id (see CAccessibleUI::get_accChild).
    const LONG child = control == manager->GetRoot() ? CHILDID_SELF : -control->GetAccessibleId();
    ::NotifyWinEvent(event, manager->GetPaintWindow(), OBJID_CLIENT, child);
}

} // namespace VarnUI

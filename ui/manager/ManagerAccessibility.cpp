// The manager's side of assistive technology: it answers WM_GETOBJECT for its client area,
// makes its accessible tree on the first such request, delivers queued default actions and
// cuts objects off as their controls and the window go.
#include "ui/manager/ManagerUI.h"

#include "ui/manager/AccessibleTreeUI.h"

namespace VarnUI {

bool CManagerUI::OnAccessibleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_GETOBJECT) {
        // The object id travels as a 32-bit value whatever the width of lParam.
        if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || m_root == nullptr) return false;
        if (m_accessible != nullptr && m_accessible->GetWindow() != m_paintWindow) DisconnectAccessible();
        if (m_accessible == nullptr) m_accessible = new CAccessibleTreeUI(this);
        return m_accessible->OnGetObject(wParam, lParam, result);
    }
    if (m_accessible == nullptr || !CAccessibleTreeUI::IsActionMessage(message)) return false;
    m_accessible->PerformDefaultAction(static_cast<LONG>(lParam));
    result = 0;
    return true;
}

void CManagerUI::ForgetAccessible(CControlUI* control)
{
    if (m_accessible != nullptr) m_accessible->ForgetControl(control);
}

void CManagerUI::DisconnectAccessible()
{
    if (m_accessible == nullptr) return;
    m_accessible->Disconnect();
    m_accessible->Release();
    m_accessible = nullptr;
}

} // namespace VarnUI

#include "ui/manager/AccessibleTreeUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/AccessibleTraits.h"
#include "ui/manager/AccessibleUI.h"
#include "ui/manager/ManagerUI.h"

namespace VarnUI {
namespace {

// Registered by the first tree, so no window pays for it before a client asks, and so it
// cannot collide with a private message of the application.
UINT g_actionMessage = 0;

CControlUI* MatchId(CControlUI* control, void* data)
{
    return control->GetAccessibleId() == *static_cast<LONG*>(data) ? control : nullptr;
}

EventUI MouseEvent(int type, CControlUI* control, POINT pt, WPARAM keys)
{
    EventUI event;
    event.type = type;
    event.sender = control;
    event.timestamp = ::GetTickCount();
    event.mouse = pt;
    event.keyState = static_cast<WORD>(keys);
    event.wParam = keys;
    event.lParam = MAKELPARAM(pt.x, pt.y);
    return event;
}

} // namespace

CAccessibleTreeUI::CAccessibleTreeUI(CManagerUI* manager)
    : m_manager(manager), m_window(manager->GetPaintWindow())
{
    if (g_actionMessage == 0) g_actionMessage = ::RegisterWindowMessageW(L"VarnUI.AccessibleDefaultAction");
}

CAccessibleTreeUI::~CAccessibleTreeUI() = default;

void CAccessibleTreeUI::AddRef()
{
    ::InterlockedIncrement(&m_refs);
}

void CAccessibleTreeUI::Release()
{
    if (::InterlockedDecrement(&m_refs) == 0) delete this;
}

bool CAccessibleTreeUI::OnGetObject(WPARAM wParam, LPARAM, LRESULT& result)
{
    const OleAccApi* api = GetOleAccApi();
    if (api == nullptr || m_manager == nullptr) return false;
    IAccessible* client = ObjectFor(nullptr);
    if (client == nullptr) return false;
    // The platform takes its own reference for the client it marshals the object to.
    result = api->lresultFromObject(kIidAccessible, wParam, client);
    client->Release();
    return true;
}

IAccessible* CAccessibleTreeUI::ObjectFor(CControlUI* control)
{
    if (m_manager == nullptr) return nullptr;
    if (control == nullptr || control == m_manager->GetRoot()) {
        if (m_client != nullptr) {
            m_client->AddRef();
        } else {
            m_client = new CAccessibleUI(this, nullptr);
        }
        return m_client;
    }
    if (CAccessibleUI* known = m_objects.Find(control)) {
        known->AddRef();
        return known;
    }
    // The slot first: an object the map could not hold would never be cut off from its control.
    if (!m_objects.Set(control, nullptr)) return nullptr;
    auto* object = new CAccessibleUI(this, control);
    m_objects.Set(control, object);
    control->OnDestroy().Add(MakeDelegate(this, &CAccessibleTreeUI::OnControlDestroyed));
    return object;
}

IDispatch* CAccessibleTreeUI::FrameObject() const
{
    const OleAccApi* api = GetOleAccApi();
    if (api == nullptr || m_manager == nullptr) return nullptr;
    void* frame = nullptr;
    if (FAILED(api->createStdAccessibleObject(m_window, OBJID_WINDOW, kIidAccessible, &frame))) return nullptr;
    return static_cast<IAccessible*>(frame);
}

bool CAccessibleTreeUI::IsInTree(CControlUI* control) const
{
    if (m_manager == nullptr || control == nullptr || control->GetManager() != m_manager) return false;
    CControlUI* root = m_manager->GetRoot();
    // Parents of a live control are live: a container clears the parent of a child it lets go.
    for (CControlUI* at = control; at != nullptr; at = AccessibleParent(at)) {
        if (at == root) return true;
    }
    return false;
}

CControlUI* CAccessibleTreeUI::FindById(CControlUI* root, LONG id)
{
    return root != nullptr ? root->FindControl(MatchId, &id, 0) : nullptr;
}

bool CAccessibleTreeUI::HasFocus(CControlUI* control) const
{
    return m_manager != nullptr && m_manager->GetFocus() == control && ::GetFocus() == m_window;
}

bool CAccessibleTreeUI::PostDefaultAction(CControlUI* control)
{
    // A client's call must not wait for what the click sets off (a page change, a closing
    // window): the click comes back through the window's queue, as a mouse click would.
    return ::PostMessageW(m_window, g_actionMessage, 0, static_cast<LPARAM>(control->GetAccessibleId())) != FALSE;
}

bool CAccessibleTreeUI::IsActionMessage(UINT message)
{
    return g_actionMessage != 0 && message == g_actionMessage;
}

void CAccessibleTreeUI::PerformDefaultAction(LONG id)
{
    // Listeners of the click may close the window and with it release the manager's reference.
    AddRef();
    ClickAt(id);
    Release();
}

void CAccessibleTreeUI::ClickAt(LONG id)
{
    // Each step may change the tree; the control is looked up again before the next.
    auto find = [this, id]() -> CControlUI* {
        if (m_manager == nullptr) return nullptr;
        CControlUI* control = FindById(m_manager->GetRoot(), id);
        return control != nullptr && control->IsVisible() && control->IsEnabled() ? control : nullptr;
    };
    CControlUI* control = find();
    if (control == nullptr) return;
    const RECT& rc = control->GetPos();
    const POINT centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    if (!control->IsMouseEnabled()) {
        // A control deaf to the mouse still takes the keyboard's press.
        EventUI key = MouseEvent(EVT_KEYDOWN, control, centre, 0);
        key.key = VK_SPACE;
        key.wParam = VK_SPACE;
        key.lParam = 0;
        control->Event(key);
        return;
    }
    // The road of a click: the focus, button-down, button-up inside.
    control->SetFocus();
    if ((control = find()) == nullptr) return;
    EventUI down = MouseEvent(EVT_BUTTONDOWN, control, centre, MK_LBUTTON);
    control->Event(down);
    if ((control = find()) == nullptr) return;
    EventUI up = MouseEvent(EVT_BUTTONUP, control, centre, 0);
    control->Event(up);
}

void CAccessibleTreeUI::ForgetControl(CControlUI* control)
{
    Detach(control, true);
}

bool CAccessibleTreeUI::OnControlDestroyed(void* control)
{
    // Inside the control's destroy listeners: the list is being walked, so ours stays in it.
    Detach(static_cast<CControlUI*>(control), false);
    return true;
}

void CAccessibleTreeUI::Detach(CControlUI* control, bool stopWatching)
{
    CAccessibleUI* object = m_objects.Find(control);
    if (object == nullptr) return;
    object->Disconnect();
    m_objects.Remove(control);
    if (stopWatching) control->OnDestroy().Remove(MakeDelegate(this, &CAccessibleTreeUI::OnControlDestroyed));
}

void CAccessibleTreeUI::Disconnect()
{
    // Every watched control is still alive here: a dying one leaves the map first.
    while (!m_objects.IsEmpty()) Detach(m_objects.ControlAt(0), true);
    if (m_client != nullptr) m_client->Disconnect();
    m_client = nullptr;
    m_manager = nullptr;
}

void CAccessibleTreeUI::Unregister(CAccessibleUI* object)
{
    if (object == m_client) {
        m_client = nullptr;
        return;
    }
    CControlUI* control = object->GetControl();
    if (control != nullptr) Detach(control, true);
}

} // namespace VarnUI

// What a client asks the object to find or to do: the focus, the selection, navigation, hit
// tests, selecting and the default action.
#include "ui/manager/AccessibleUI.h"

#include "ui/controls/ListElementUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/manager/AccessibleTraits.h"
#include "ui/manager/AccessibleTreeUI.h"
#include "ui/manager/ManagerUI.h"

#include <climits>

namespace VarnUI {
namespace {

bool IsUnder(CControlUI* control, CControlUI* ancestor)
{
    for (CControlUI* at = control; at != nullptr; at = AccessibleParent(at)) {
        if (at == ancestor) return true;
    }
    return false;
}

// The presented sibling nearest to start in a direction on screen: beyond start's edge on
// that side and overlapping it across; null when there is none.
CControlUI* NearestSibling(CControlUI* start, const CUIPtrArray& siblings, LONG direction)
{
    const RECT& from = start->GetPos();
    CControlUI* best = nullptr;
    long bestDistance = LONG_MAX;
    for (int i = 0; i < siblings.GetSize(); ++i) {
        auto* candidate = static_cast<CControlUI*>(siblings[i]);
        if (candidate == start || !candidate->IsVisible()) continue;
        const RECT& to = candidate->GetPos();
        long distance = -1;
        const bool acrossX = to.left < from.right && to.right > from.left;
        const bool acrossY = to.top < from.bottom && to.bottom > from.top;
        if (direction == NAVDIR_UP && acrossX && to.bottom <= from.top) distance = from.top - to.bottom;
        if (direction == NAVDIR_DOWN && acrossX && to.top >= from.bottom) distance = to.top - from.bottom;
        if (direction == NAVDIR_LEFT && acrossY && to.right <= from.left) distance = from.left - to.right;
        if (direction == NAVDIR_RIGHT && acrossY && to.left >= from.right) distance = to.left - from.right;
        if (distance >= 0 && distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

CControlUI* Navigate(CControlUI* start, LONG direction)
{
    CControlUI* parent = AccessibleParent(start);
    if (parent == nullptr) return nullptr;
    CUIPtrArray siblings;
    AccessibleChildren(parent, siblings);
    const int index = siblings.Find(start);
    switch (direction) {
    case NAVDIR_NEXT:
        return index >= 0 ? static_cast<CControlUI*>(siblings.GetAt(index + 1)) : nullptr;
    case NAVDIR_PREVIOUS:
        return index > 0 ? static_cast<CControlUI*>(siblings.GetAt(index - 1)) : nullptr;
    default:
        return NearestSibling(start, siblings, direction);
    }
}

// The deepest presented visible control at pt (client coordinates) from control down; the
// topmost of overlapping siblings (the later one) wins.
CControlUI* DeepestAt(CControlUI* control, POINT pt)
{
    for (;;) {
        CUIPtrArray children;
        AccessibleChildren(control, children);
        CControlUI* hit = nullptr;
        for (int i = children.GetSize() - 1; i >= 0 && hit == nullptr; --i) {
            auto* child = static_cast<CControlUI*>(children[i]);
            if (child->IsVisible() && ::PtInRect(&child->GetPos(), pt)) hit = child;
        }
        if (hit == nullptr) return control;
        control = hit;
    }
}

} // namespace

HRESULT CAccessibleUI::get_accFocus(VARIANT* child)
{
    if (child == nullptr) return E_POINTER;
    child->vt = VT_EMPTY;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    CManagerUI* manager = m_tree->GetManager();
    if (::GetFocus() != m_tree->GetWindow()) return S_FALSE;
    CControlUI* focus = manager->GetFocus();
    if (focus == nullptr && m_client) focus = self;
    if (focus == nullptr || !IsUnder(focus, self)) return S_FALSE;
    ObjectVariant(focus, child);
    return S_OK;
}

HRESULT CAccessibleUI::get_accSelection(VARIANT* children)
{
    if (children == nullptr) return E_POINTER;
    children->vt = VT_EMPTY;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    CControlUI* selected = nullptr;
    if (auto* tab = static_cast<CTabLayoutUI*>(self->GetInterface(L"TabLayout"))) {
        selected = tab->GetItemAt(tab->GetCurSel());
    } else if (auto* owner = static_cast<IListOwnerUI*>(self->GetInterface(L"IListOwner"))) {
        if (auto* list = static_cast<IContainerUI*>(self->GetInterface(L"IContainer"))) {
            selected = list->GetItemAt(owner->GetCurSel());
        }
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (selected == nullptr) return S_FALSE;
    ObjectVariant(selected, children);
    return S_OK;
}

HRESULT CAccessibleUI::accSelect(LONG flags, VARIANT child)
{
    CControlUI* control = nullptr;
    const HRESULT hr = Resolve(child, control);
    if (hr != S_OK) return hr;
    const LONG supported = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
    if (flags == SELFLAG_NONE || (flags & ~supported) != 0) return E_INVALIDARG;
    if ((flags & SELFLAG_TAKESELECTION) != 0) {
        // Rows are what a user selects; wizard pages change only through the application.
        auto* row = static_cast<IListItemUI*>(control->GetInterface(L"IListItem"));
        IListOwnerUI* owner = row != nullptr ? row->GetOwner() : nullptr;
        if (owner == nullptr) return DISP_E_MEMBERNOTFOUND;
        if (!owner->SelectItem(row->GetIndex(), false)) return E_FAIL;
    }
    if ((flags & SELFLAG_TAKEFOCUS) != 0) {
        // Listeners of the focus change may take the control away; it is not touched after.
        if ((AccessibleState(control, false) & STATE_SYSTEM_FOCUSABLE) == 0) return E_FAIL;
        control->SetFocus();
    }
    return S_OK;
}

HRESULT CAccessibleUI::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    if (end == nullptr) return E_POINTER;
    end->vt = VT_EMPTY;
    CControlUI* from = nullptr;
    const HRESULT hr = Resolve(start, from);
    if (hr != S_OK) return hr;
    CControlUI* to = nullptr;
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD: {
        if (start.lVal != CHILDID_SELF) return E_INVALIDARG;
        CUIPtrArray children;
        AccessibleChildren(from, children);
        if (children.IsEmpty()) return S_FALSE;
        to = static_cast<CControlUI*>(children[direction == NAVDIR_FIRSTCHILD ? 0 : children.GetSize() - 1]);
        break;
    }
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
        // The client area's siblings are the frame's parts, which the platform presents.
        if (m_client && from == Self()) return S_FALSE;
        to = Navigate(from, direction);
        break;
    default:
        return E_INVALIDARG;
    }
    if (to == nullptr) return S_FALSE;
    end->vt = VT_DISPATCH;
    end->pdispVal = m_tree->ObjectFor(to);
    if (end->pdispVal == nullptr) end->vt = VT_EMPTY;
    return end->vt == VT_DISPATCH ? S_OK : S_FALSE;
}

HRESULT CAccessibleUI::accHitTest(LONG x, LONG y, VARIANT* child)
{
    if (child == nullptr) return E_POINTER;
    child->vt = VT_EMPTY;
    CControlUI* self = Self();
    if (self == nullptr) return RPC_E_DISCONNECTED;
    POINT pt = {x, y};
    ::ScreenToClient(m_tree->GetWindow(), &pt);
    RECT bounds = self->GetPos();
    if (m_client) ::GetClientRect(m_tree->GetWindow(), &bounds);
    if (!self->IsVisible() || !::PtInRect(&bounds, pt)) return S_FALSE;
    ObjectVariant(DeepestAt(self, pt), child);
    return S_OK;
}

HRESULT CAccessibleUI::accDoDefaultAction(VARIANT child)
{
    CControlUI* control = nullptr;
    const HRESULT hr = Resolve(child, control);
    if (hr != S_OK) return hr;
    if (AccessibleDefaultAction(control) == nullptr) return DISP_E_MEMBERNOTFOUND;
    if (!control->IsVisible() || !control->IsEnabled()) return E_FAIL;
    return m_tree->PostDefaultAction(control) ? S_OK : E_FAIL;
}

} // namespace VarnUI

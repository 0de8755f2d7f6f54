// Focus, tab navigation and the translate step that the message loop runs before the
// platform translates and dispatches a message.
#include "ui/manager/ManagerUI.h"

#include "ui/base/AttributeValues.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/AccessibleEvents.h"
#include "ui/manager/ManagerShared.h"

namespace VarnUI {
namespace {

constexpr UINT kTabSearchFlags = FIND_VISIBLE | FIND_ENABLED | FIND_ME_FIRST;
constexpr UINT kMnemonicSearchFlags = FIND_ENABLED | FIND_TOP_FIRST | FIND_ME_FIRST;

// One walk of the tree in visiting order, looking for the tab stop after (or before) focus.
struct TabSearch {
    CControlUI* focus;
    bool forward;
    CControlUI* lastSeen = nullptr;
    bool nextIsIt = false;
};

CControlUI* FindTabStop(CControlUI* control, void* data)
{
    auto* search = static_cast<TabSearch*>(data);
    if (control == search->focus) {
        if (search->forward) {
            search->nextIsIt = true;
            return nullptr;
        }
        return search->lastSeen;
    }
    if ((control->QueryControlFlags() & CTLFLAG_TABSTOP) == 0) return nullptr;
    search->lastSeen = control;
    return search->nextIsIt || search->focus == nullptr ? control : nullptr;
}

wchar_t UpperChar(wchar_t ch)
{
    // CharUpperW converts a single character passed in the low word of the pointer.
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ch)))));
}

struct MnemonicSearch {
    wchar_t key;
    bool pickNext = false;
};

CControlUI* FindMnemonic(CControlUI* control, void* data)
{
    auto* search = static_cast<MnemonicSearch*>(data);
    if (!control->IsVisible()) return nullptr;
    const wchar_t shortcut = control->GetShortcut();
    if (shortcut != 0 && UpperChar(shortcut) == search->key) search->pickNext = true;
    // A label names the control that follows it.
    if (CUIString(control->GetClassName()).Find(L"Label") >= 0) return nullptr;
    return search->pickNext ? control : nullptr;
}

bool IsChildWindow(HWND window)
{
    return window != nullptr && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
}

bool IsLiveManager(CManagerUI* manager)
{
    for (int i = 0; i < CManagerUI::GetManagerCount(); ++i) {
        if (CManagerUI::GetManagerAt(i) == manager) return true;
    }
    return false;
}

} // namespace

void CManagerUI::SetFocus(CControlUI* control, bool focusWindow)
{
    if (focusWindow && m_paintWindow != nullptr && ::GetFocus() != m_paintWindow && control != m_focus &&
        !m_noActivate) {
        ::SetFocus(m_paintWindow);
    }
    if (control == m_focus) return;
    LifeGuard guard(*this);
    ControlWatch gaining(*this, guard, control);
    KillFocusOf(control);
    if (guard.IsDestroyed()) return;
    control = gaining.get();
    if (control == nullptr || control->GetManager() != this || !control->IsVisible() || !control->IsEnabled()) {
        return;
    }
    m_focus = control;
    EventUI event = MakeEvent(EVT_SETFOCUS, control);
    control->Event(event);
    if (guard.IsDestroyed() || gaining.get() == nullptr) return;
    NotifyAccessibleEvent(EVENT_OBJECT_FOCUS, control);
    SendNotify(control, L"setfocus");
}

void CManagerUI::KillFocusOf(CControlUI* gaining)
{
    if (m_focus == nullptr) return;
    LifeGuard guard(*this);
    ControlWatch losing(*this, guard, m_focus);
    EventUI event = MakeEvent(EVT_KILLFOCUS, gaining);
    losing.get()->Event(event);
    if (guard.IsDestroyed()) return;
    if (losing.get() != nullptr) SendNotify(losing.get(), L"killfocus");
    if (guard.IsDestroyed()) return;
    m_focus = nullptr;
}

bool CManagerUI::MoveFocusToNext(bool forward)
{
    // Positions are stale until the next layout: navigate after it, at the next paint.
    if (m_updateNeeded && forward) {
        m_focusNeeded = true;
        Invalidate();
        return true;
    }
    m_focusNeeded = false;
    if (m_root == nullptr) return true;
    TabSearch search = {m_focus, forward};
    CControlUI* found = m_root->FindControl(FindTabStop, &search, kTabSearchFlags);
    if (found == nullptr) {
        if (forward) {
            TabSearch fromStart = {nullptr, true};
            found = m_root->FindControl(FindTabStop, &fromStart, kTabSearchFlags);
        } else {
            found = search.lastSeen;
        }
    }
    if (found != nullptr) SetFocus(found, true);
    return true;
}

void CManagerUI::SetFocusNeeded(CControlUI* control)
{
    if (!m_noActivate && m_paintWindow != nullptr) ::SetFocus(m_paintWindow);
    if (control == nullptr) return;
    LifeGuard guard(*this);
    ControlWatch target(*this, guard, control);
    KillFocusOf(control);
    if (guard.IsDestroyed() || target.get() == nullptr || m_root == nullptr) return;
    // The stop before the control holds the focus silently, so that the forward step at the
    // next paint, after layout, lands on the control itself with its events.
    TabSearch search = {control, false};
    m_focus = m_root->FindControl(FindTabStop, &search, kTabSearchFlags);
    m_focusNeeded = true;
    m_root->RequestLayout();
}

bool CManagerUI::OnTabKey()
{
    if (m_focus != nullptr && m_focus->IsVisible() && m_focus->IsEnabled() &&
        CUIString(m_focus->GetClassName()).Find(L"RichEdit") >= 0 && AttributeIsTrue(m_focus->GetAttribute(L"wanttab").GetData())) {
        return false;
    }
    MoveFocusToNext(::GetKeyState(VK_SHIFT) >= 0);
    return true;
}

bool CManagerUI::OnMnemonic(wchar_t ch)
{
    if (m_root == nullptr) return false;
    MnemonicSearch search = {UpperChar(ch)};
    CControlUI* found = m_root->FindControl(FindMnemonic, &search, kMnemonicSearchFlags);
    if (found == nullptr) return false;
    LifeGuard guard(*this);
    ControlWatch watch(*this, guard, found);
    found->SetFocus();
    if (!guard.IsDestroyed() && watch.get() != nullptr) watch.get()->Activate();
    return true;
}

bool CManagerUI::PreFilterMessages(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    LifeGuard guard(*this);
    CUIPtrArray filters(m_preMessageFilters);
    for (int i = 0; i < filters.GetSize(); ++i) {
        if (m_preMessageFilters.Find(filters[i]) < 0) continue;
        bool handled = false;
        const LRESULT answer = static_cast<IMessageFilterUI*>(filters[i])->MessageHandler(message, wParam, lParam, handled);
        if (handled) {
            result = answer;
            return true;
        }
        if (guard.IsDestroyed()) return false;
    }
    switch (message) {
    case WM_KEYDOWN:
        return wParam == VK_TAB && OnTabKey();
    case WM_SYSKEYDOWN:
        if (m_focus != nullptr) SendKeyEvent(m_focus, EVT_SYSKEY, wParam, lParam);
        return false;
    case WM_SYSCHAR:
        return OnMnemonic(static_cast<wchar_t>(wParam));
    default:
        return false;
    }
}

bool CManagerUI::TranslateAccelerators(MSG* msg)
{
    LifeGuard guard(*this);
    CUIPtrArray translators(m_translateAccelerators);
    for (int i = 0; i < translators.GetSize() && !guard.IsDestroyed(); ++i) {
        if (m_translateAccelerators.Find(translators[i]) < 0) continue;
        if (static_cast<ITranslateAccelerator*>(translators[i])->TranslateAccel(msg) == 0) return true;
    }
    return false;
}

bool CManagerUI::TranslateUIMessage(MSG* msg)
{
    if (msg == nullptr) return false;
    // Any step may destroy a window and its manager: walk a copy and skip the dead.
    CUIPtrArray managers(Shared().managers);
    if (IsChildWindow(msg->hwnd)) {
        for (int i = managers.GetSize() - 1; i >= 0; --i) {
            auto* manager = static_cast<CManagerUI*>(managers[i]);
            if (!IsLiveManager(manager)) continue;
            const HWND owner = manager->m_paintWindow;
            // Each manager runs once per message even when it is bound to the child itself.
            bool related = owner == msg->hwnd;
            for (HWND ancestor = ::GetParent(msg->hwnd); ancestor != nullptr && !related;
                 ancestor = ::GetParent(ancestor)) {
                related = ancestor == owner;
            }
            if (!related) continue;
            if (manager->TranslateAccelerators(msg)) return true;
            if (!IsLiveManager(manager)) continue;
            LRESULT ignored = 0;
            manager->PreFilterMessages(msg->message, msg->wParam, msg->lParam, ignored);
        }
        return false;
    }
    for (int i = 0; i < managers.GetSize(); ++i) {
        auto* manager = static_cast<CManagerUI*>(managers[i]);
        if (manager->m_paintWindow != msg->hwnd) continue;
        if (manager->TranslateAccelerators(msg)) return true;
        if (!IsLiveManager(manager)) return false;
        LRESULT ignored = 0;
        return manager->PreFilterMessages(msg->message, msg->wParam, msg->lParam, ignored);
    }
    return false;
}

int CManagerUI::RunMessageLoop()
{
    MSG msg = {};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateUIMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

} // namespace VarnUI

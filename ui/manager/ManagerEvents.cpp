// Listener lists, notifications and their queue, control timers and capture.
#include "ui/manager/ManagerUI.h"

#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerShared.h"

namespace VarnUI {
namespace {

bool AddNonNull(CUIPtrArray& list, void* item)
{
    return item != nullptr && list.Add(item);
}

bool RemoveFirst(CUIPtrArray& list, void* item)
{
    const int index = list.Find(item);
    return index >= 0 && list.Remove(index);
}

} // namespace

bool CManagerUI::AddNotifier(INotifyUI* notifier)
{
    return AddNonNull(m_notifiers, notifier);
}

bool CManagerUI::RemoveNotifier(INotifyUI* notifier)
{
    return RemoveFirst(m_notifiers, notifier);
}

bool CManagerUI::AddPreMessageFilter(IMessageFilterUI* filter)
{
    return AddNonNull(m_preMessageFilters, filter);
}

bool CManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter)
{
    return RemoveFirst(m_preMessageFilters, filter);
}

bool CManagerUI::AddMessageFilter(IMessageFilterUI* filter)
{
    return AddNonNull(m_messageFilters, filter);
}

bool CManagerUI::RemoveMessageFilter(IMessageFilterUI* filter)
{
    return RemoveFirst(m_messageFilters, filter);
}

bool CManagerUI::AddPostPaint(CControlUI* control)
{
    return AddNonNull(m_postPaintControls, control);
}

bool CManagerUI::RemovePostPaint(CControlUI* control)
{
    return RemoveFirst(m_postPaintControls, control);
}

bool CManagerUI::SetPostPaintIndex(CControlUI* control, int index)
{
    if (control == nullptr) return false;
    const int current = m_postPaintControls.Find(control);
    const int sizeAfterRemoval = m_postPaintControls.GetSize() - (current >= 0 ? 1 : 0);
    // An index out of range would drop the control from the list altogether.
    if (index < 0 || index > sizeAfterRemoval) return false;
    if (current >= 0) m_postPaintControls.Remove(current);
    return m_postPaintControls.InsertAt(index, control);
}

bool CManagerUI::AddNativeWindow(CControlUI* control, HWND window)
{
    if (control == nullptr || window == nullptr) return false;
    if (m_nativeWindows.Find(window) >= 0) return false;
    RECT rc = {};
    if (m_paintWindow != nullptr && ::GetWindowRect(window, &rc)) {
        ::MapWindowPoints(HWND_DESKTOP, m_paintWindow, reinterpret_cast<POINT*>(&rc), 2);
        Invalidate(rc);
    }
    if (!m_nativeWindows.Add(window)) return false;
    if (!m_nativeWindowControls.Add(control)) {
        m_nativeWindows.Remove(m_nativeWindows.GetSize() - 1);
        return false;
    }
    return true;
}

bool CManagerUI::RemoveNativeWindow(HWND window)
{
    const int index = m_nativeWindows.Find(window);
    if (window == nullptr || index < 0) return false;
    m_nativeWindows.Remove(index);
    m_nativeWindowControls.Remove(index);
    return true;
}

bool CManagerUI::AddMouseLeaveListener(CControlUI* control)
{
    if (control == nullptr || m_mouseLeaveListeners.Find(control) >= 0) return false;
    return m_mouseLeaveListeners.Add(control);
}

bool CManagerUI::RemoveMouseLeaveListener(CControlUI* control)
{
    return RemoveFirst(m_mouseLeaveListeners, control);
}

bool CManagerUI::AddTranslateAccelerator(ITranslateAccelerator* translator)
{
    return AddNonNull(m_translateAccelerators, translator);
}

bool CManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* translator)
{
    return RemoveFirst(m_translateAccelerators, translator);
}

bool CManagerUI::DeferDelete(CControlUI* control)
{
    // A second entry would delete the control twice.
    if (control == nullptr || m_delayedCleanup.Find(control) >= 0) return false;
    if (!m_delayedCleanup.Add(control)) return false;
    if (!m_asyncNotifyPosted && m_paintWindow != nullptr &&
        ::PostMessageW(m_paintWindow, kAsyncNotifyMessage, 0, 0)) {
        m_asyncNotifyPosted = true;
    }
    return true;
}

void CManagerUI::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam, bool async,
                            bool allowRepeat)
{
    NotifyUI record;
    record.type = type;
    record.sender = sender;
    record.wParam = wParam;
    record.lParam = lParam;
    SendNotifyRecord(record, async, allowRepeat);
}

void CManagerUI::SendNotifyRecord(NotifyUI& record, bool async, bool allowRepeat)
{
    record.mouse = m_lastMousePos;
    record.timestamp = ::GetTickCount();
    if (m_usedVirtualWnd && record.sender != nullptr) record.virtualWnd = record.sender->GetVirtualWnd();

    if (!async) {
        DeliverNotify(record);
        return;
    }

    if (!allowRepeat) {
        for (int i = 0; i < m_asyncNotify.GetSize(); ++i) {
            auto* queued = static_cast<NotifyUI*>(m_asyncNotify[i]);
            if (queued->sender == record.sender && queued->type == record.type) {
                queued->timestamp = record.timestamp;
                queued->mouse = record.mouse;
                queued->wParam = record.wParam;
                queued->lParam = record.lParam;
                queued->virtualWnd = record.virtualWnd;
                return;
            }
        }
    }
    auto* copy = new NotifyUI(record);
    if (!m_asyncNotify.Add(copy)) {
        delete copy;
        return;
    }
    if (!m_asyncNotifyPosted && m_paintWindow != nullptr &&
        ::PostMessageW(m_paintWindow, kAsyncNotifyMessage, 0, 0)) {
        m_asyncNotifyPosted = true;
    }
}

void CManagerUI::DeliverNotify(NotifyUI& record)
{
    // A listener may delete the sender (ForgetControl then clears the record's sender), remove
    // another listener, or destroy the window with this manager.
    LifeGuard guard(*this);
    m_deliveringNotify.Add(&record);
    if (record.sender != nullptr && record.sender->OnNotify().HasListeners()) {
        record.sender->OnNotify().Invoke(&record);
    }
    CUIPtrArray notifiers(m_notifiers);
    for (int i = 0; i < notifiers.GetSize() && !guard.IsDestroyed(); ++i) {
        if (m_notifiers.Find(notifiers[i]) < 0) continue;
        static_cast<INotifyUI*>(notifiers[i])->Notify(record);
    }
    if (guard.IsDestroyed()) return;
    for (int i = m_deliveringNotify.GetSize() - 1; i >= 0; --i) {
        if (m_deliveringNotify[i] == &record) {
            m_deliveringNotify.Remove(i);
            break;
        }
    }
}

void CManagerUI::OnAsyncNotify()
{
    LifeGuard guard(*this);
    m_asyncNotifyPosted = false;
    while (!m_asyncNotify.IsEmpty()) {
        auto* record = static_cast<NotifyUI*>(m_asyncNotify[0]);
        m_asyncNotify.Remove(0);
        DeliverNotify(*record);
        delete record;
        if (guard.IsDestroyed()) return;
    }
    DeleteDelayedControls();
}

bool CManagerUI::NextTimerId(UINT_PTR& id)
{
    // Ids wrap after 255 timers; one still held by a record would make two controls share
    // one platform timer, so ids in use are passed over.
    for (int attempt = 0; attempt < 255; ++attempt) {
        m_timerSeed = (m_timerSeed + 1) % 255;
        bool inUse = false;
        for (int i = 0; i < m_timers.GetSize() && !inUse; ++i) {
            auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
            inUse = timer->window == m_paintWindow && timer->timerId == m_timerSeed;
        }
        if (!inUse) {
            id = m_timerSeed;
            return true;
        }
    }
    return false;
}

void CManagerUI::OnTimer(WPARAM wParam, LPARAM lParam)
{
    if (m_layered && wParam == kLayeredTimerId) {
        if (!::IsRectEmpty(&m_layeredDirty) && !::IsIconic(m_paintWindow)) OnPaint();
        return;
    }
    for (int i = 0; i < m_timers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
        if (timer->window != m_paintWindow || timer->timerId != wParam || timer->killed) continue;
        EventUI event = MakeEvent(EVT_TIMER, timer->control, timer->key, lParam);
        timer->control->Event(event);
        return;
    }
}

bool CManagerUI::SetTimer(CControlUI* control, UINT key, UINT elapse)
{
    if (control == nullptr || m_paintWindow == nullptr) return false;
    for (int i = 0; i < m_timers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
        if (timer->control != control || timer->window != m_paintWindow || timer->key != key) continue;
        if (!timer->killed) return false;
        if (::SetTimer(m_paintWindow, timer->timerId, elapse, nullptr) == 0) return false;
        timer->killed = false;
        return true;
    }
    UINT_PTR timerId = 0;
    if (!NextTimerId(timerId)) return false;
    if (::SetTimer(m_paintWindow, timerId, elapse, nullptr) == 0) return false;
    auto* timer = new TimerInfoUI;
    timer->control = control;
    timer->key = key;
    timer->window = m_paintWindow;
    timer->timerId = timerId;
    if (!m_timers.Add(timer)) {
        ::KillTimer(m_paintWindow, timerId);
        delete timer;
        return false;
    }
    return true;
}

bool CManagerUI::KillTimer(CControlUI* control, UINT key)
{
    for (int i = 0; i < m_timers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
        if (timer->control != control || timer->window != m_paintWindow || timer->key != key || timer->killed) {
            continue;
        }
        if (::IsWindow(m_paintWindow)) ::KillTimer(timer->window, timer->timerId);
        timer->killed = true;
        return true;
    }
    return false;
}

void CManagerUI::KillTimers(CControlUI* control)
{
    for (int i = m_timers.GetSize() - 1; i >= 0; --i) {
        auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
        if (timer->control != control) continue;
        if (!timer->killed && ::IsWindow(timer->window)) ::KillTimer(timer->window, timer->timerId);
        delete timer;
        m_timers.Remove(i);
    }
}

void CManagerUI::RemoveAllTimers()
{
    for (int i = 0; i < m_timers.GetSize(); ++i) {
        auto* timer = static_cast<TimerInfoUI*>(m_timers[i]);
        if (!timer->killed && ::IsWindow(timer->window)) ::KillTimer(timer->window, timer->timerId);
        delete timer;
    }
    m_timers.Empty();
}

void CManagerUI::SetCapture()
{
    if (m_paintWindow == nullptr) return;
    ::SetCapture(m_paintWindow);
    m_captured = true;
}

void CManagerUI::ReleaseCapture()
{
    ::ReleaseCapture();
    m_captured = false;
}

void CManagerUI::SetTooltipWidth(int width)
{
    m_tooltipWidth = width;
    if (m_tooltipWindow != nullptr && width >= 0) {
        m_lastTooltipWidth = static_cast<int>(::SendMessageW(m_tooltipWindow, TTM_SETMAXTIPWIDTH, 0, width));
    }
}

} // namespace VarnUI

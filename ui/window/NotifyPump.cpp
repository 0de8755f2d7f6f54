#include "ui/window/NotifyPump.h"

#include "ui/controls/ControlUI.h"

namespace VarnUI {

namespace {

const NotifyMapEntry kRootEntries[] = {
    NotifyMapEnd(),
};

// The entry for that notification type and sender in one table: an entry naming the sender
// wins; otherwise the last entry for any control; null when the table has neither.
const NotifyMapEntry* FindEntry(const NotifyMapEntry* entries, const CUIString& type,
                                const CUIString& senderName)
{
    const NotifyMapEntry* anyControl = nullptr;
    for (const NotifyMapEntry* entry = entries; entry->kind != NOTIFY_END; ++entry) {
        if (entry->type != type) continue;
        if (entry->controlName.IsEmpty()) {
            anyControl = entry;
        } else if (!senderName.IsEmpty() && entry->controlName == senderName) {
            return entry;
        }
    }
    return anyControl;
}

} // namespace

const NotifyMap CNotifyPump::s_notifyMap = {nullptr, kRootEntries};

CNotifyPump::CNotifyPump() : m_virtualWindows(CUIStringMap::kDefaultBuckets) {}

CNotifyPump::~CNotifyPump() = default;

const NotifyMap* CNotifyPump::MessageMap() const
{
    return &s_notifyMap;
}

bool CNotifyPump::AddVirtualWindow(const wchar_t* name, CNotifyPump* pump)
{
    if (name == nullptr || pump == nullptr) return false;
    if (m_virtualWindows.Find(name) != nullptr) return false;
    return m_virtualWindows.Insert(name, pump);
}

bool CNotifyPump::RemoveVirtualWindow(const wchar_t* name)
{
    if (name == nullptr || m_virtualWindows.Find(name) == nullptr) return false;
    return m_virtualWindows.Remove(name);
}

bool CNotifyPump::DispatchNotify(NotifyUI& msg)
{
    if (!msg.virtualWnd.IsEmpty()) {
        for (int i = 0;; ++i) {
            const wchar_t* name = m_virtualWindows.GetAt(i);
            if (name == nullptr) break;
            if (msg.virtualWnd.CompareNoCase(name) != 0) continue;
            auto* pump = static_cast<CNotifyPump*>(m_virtualWindows.Find(name, false));
            // A handler that ran may have changed the table or deleted this object.
            if (pump != nullptr && pump->LoopDispatch(msg)) return true;
        }
    }
    return LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(NotifyUI& msg)
{
    CUIString senderName;
    if (msg.sender != nullptr) senderName = msg.sender->GetName();
    for (const NotifyMap* map = MessageMap(); map != nullptr; map = map->base) {
        const NotifyMapEntry* entry = FindEntry(map->entries, msg.type, senderName);
        if (entry == nullptr) continue;
        // The handler may delete this object: nothing is touched after it returns.
        switch (entry->kind) {
        case NOTIFY_PARAMS:
            if (entry->handler.params == nullptr) return false;
            entry->handler.params(*this, msg.wParam, msg.lParam);
            return true;
        case NOTIFY_RECORD:
            if (entry->handler.record == nullptr) return false;
            entry->handler.record(*this, msg);
            return true;
        default:
            return false;
        }
    }
    return false;
}

} // namespace VarnUI

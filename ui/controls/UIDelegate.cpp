#include "ui/controls/UIDelegate.h"

namespace VarnUI {

EventSourceUI::~EventSourceUI()
{
    for (int i = 0; i < m_callbacks.GetSize(); ++i) delete static_cast<CDelegateBase*>(m_callbacks[i]);
}

void EventSourceUI::Add(const CDelegateBase& callback)
{
    for (int i = 0; i < m_callbacks.GetSize(); ++i) {
        auto* existing = static_cast<CDelegateBase*>(m_callbacks[i]);
        if (existing != nullptr && existing->Equals(callback)) return;
    }
    CDelegateBase* copy = callback.Copy();
    if (!m_callbacks.Add(copy)) delete copy;
}

void EventSourceUI::Add(CDelegateStatic::Fn fn)
{
    Add(CDelegateStatic(fn));
}

void EventSourceUI::Remove(const CDelegateBase& callback)
{
    for (int i = 0; i < m_callbacks.GetSize(); ++i) {
        auto* existing = static_cast<CDelegateBase*>(m_callbacks[i]);
        if (existing != nullptr && existing->Equals(callback)) {
            delete existing;
            m_callbacks.Remove(i);
            return;
        }
    }
}

void EventSourceUI::Remove(CDelegateStatic::Fn fn)
{
    Remove(CDelegateStatic(fn));
}

bool EventSourceUI::Invoke(void* param)
{
    for (int i = 0; i < m_callbacks.GetSize(); ++i) {
        auto* callback = static_cast<CDelegateBase*>(m_callbacks[i]);
        if (callback != nullptr && !callback->Invoke(param)) return false;
    }
    return true;
}

} // namespace VarnUI

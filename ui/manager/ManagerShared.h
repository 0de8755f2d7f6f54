// Internal to the manager's sources: the process-wide block every manager shares (shared
// resources, language strings, the live managers, the colour adjustment settings) and
// small helpers over the string maps of owned values.
#pragma once

#include "ui/base/UIPtrArray.h"
#include "ui/base/UIString.h"
#include "ui/base/UIStringMap.h"
#include "ui/manager/ManagerUI.h"
#include "ui/render/GdiHandles.h"

#include <windows.h>

namespace VarnUI {

struct CManagerUI::SharedState {
    ResourceBlock block;
    CUIStringMap languageStrings;   // id in decimal -> CUIString*, owned
    CUIPtrArray managers;           // live managers, in the order Init listed them
    CGdiPen dirtyPen;
    HMODULE msimg32 = nullptr;
    bool hslEnabled = false;
    short hue = 180;
    short saturation = 100;
    short lightness = 100;
    int nextFormattedFontId = 30000;
};

// Posted by a manager to itself to deliver queued notifications and delete deferred controls.
constexpr UINT kAsyncNotifyMessage = WM_APP + 1;
// Sent by the system when the window moves to a display of another scale (older headers
// lack the name).
constexpr UINT kDpiChangedMessage = 0x02E0;
// The refresh timer of a per-pixel layered window.
constexpr UINT_PTR kLayeredTimerId = 8192;
constexpr UINT kLayeredTimerElapse = 10;

// Marks a handler frame; the manager's destructor flags every open frame, so a handler
// whose window (and with it the manager) was destroyed by a listener stops at once.
class CManagerUI::LifeGuard {
public:
    explicit LifeGuard(CManagerUI& manager) : m_manager(manager), m_outer(manager.m_lifeGuards)
    {
        manager.m_lifeGuards = this;
    }
    ~LifeGuard()
    {
        if (!m_destroyed) m_manager.m_lifeGuards = m_outer;
    }
    LifeGuard(const LifeGuard&) = delete;
    LifeGuard& operator=(const LifeGuard&) = delete;

    bool IsDestroyed() const { return m_destroyed; }
    static void MarkAll(LifeGuard* innermost)
    {
        for (LifeGuard* frame = innermost; frame != nullptr; frame = frame->m_outer) frame->m_destroyed = true;
    }

private:
    CManagerUI& m_manager;
    LifeGuard* m_outer;
    bool m_destroyed = false;
};

// Holds a control across a call that may delete it: ForgetControl clears the pointer.
// Meaningful only while the guard's manager lives.
class CManagerUI::ControlWatch {
public:
    ControlWatch(CManagerUI& manager, const LifeGuard& guard, CControlUI* control)
        : m_manager(manager), m_guard(guard), m_control(control)
    {
        m_manager.m_controlWatches.Add(&m_control);
    }
    ~ControlWatch()
    {
        if (m_guard.IsDestroyed()) return;
        CUIPtrArray& watches = m_manager.m_controlWatches;
        for (int i = watches.GetSize() - 1; i >= 0; --i) {
            if (watches[i] == &m_control) {
                watches.Remove(i);
                break;
            }
        }
    }
    ControlWatch(const ControlWatch&) = delete;
    ControlWatch& operator=(const ControlWatch&) = delete;

    CControlUI* get() const { return m_control; }

private:
    CManagerUI& m_manager;
    const LifeGuard& m_guard;
    CControlUI* m_control;
};

// The modifier mask of EventUI::keyState, read from the thread's key state now.
inline WORD CurrentKeyState()
{
    WORD state = 0;
    if (::GetKeyState(VK_LBUTTON) < 0) state |= UIKEYSTATE_LBUTTON;
    if (::GetKeyState(VK_RBUTTON) < 0) state |= UIKEYSTATE_RBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0) state |= UIKEYSTATE_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0) state |= UIKEYSTATE_CONTROL;
    if (::GetKeyState(VK_MENU) < 0) state |= UIKEYSTATE_ALT;
    return state;
}

// The signed client point packed into a mouse message's lParam.
inline POINT PointFromLParam(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The decimal text of an id, as the font and language tables key it.
inline CUIString DecimalKey(int id)
{
    CUIString key;
    key.Format(L"%d", id);
    return key;
}

// Calls fn(key, value) for every entry; fn must not change the map.
template <typename Fn>
void ForEachEntry(const CUIStringMap& map, Fn fn)
{
    for (int i = 0; i < map.GetSize(); ++i) {
        const wchar_t* key = map.GetAt(i);
        if (key != nullptr) fn(key, map.Find(key, false));
    }
}

// Deletes every value as T and empties the map (keeping its buckets).
template <typename T>
void DeleteAllValues(CUIStringMap& map)
{
    ForEachEntry(map, [](const wchar_t*, void* value) { delete static_cast<T*>(value); });
    map.RemoveAll();
}

} // namespace VarnUI

// CNotifyPump: routes a notification to a member function chosen from a static table of
// (notification type, control name) entries, walking the class's table and then each base
// class's table, optionally first through named sub-objects ("virtual windows").
//
// A table is built once at program start. Its handlers are plain function pointers to small
// template thunks that cast the pump part of the object to the class that declared the entry,
// so the pointer adjustment from the pump base to the whole object is done by the compiler
// and a handler of the wrong signature does not compile. A class with a table writes:
//
//   // header
//   const NotifyMap* MessageMap() const override;
//   static const NotifyMap s_notifyMap;
//   // source
//   static const NotifyMapEntry kEntries[] = {
//       NotifyOnRecord<MyWindow, &MyWindow::OnClick>(L"click"),
//       NotifyOnParams<MyWindow, &MyWindow::OnValue>(L"valuechanged", L"slider"),
//       NotifyMapEnd(),
//   };
//   const NotifyMap MyWindow::s_notifyMap = {&BaseClass::s_notifyMap, kEntries};
//
// A handler inherited from a base class is named with that class:
// NotifyOnRecord<WindowImplBase, &WindowImplBase::OnClick>; a virtual one still dispatches
// to the override.
//
// The virtual-window table borrows its pumps; they must outlive their registration.
#pragma once

#include "ui/base/UIString.h"
#include "ui/base/UIStringMap.h"
#include "ui/manager/ManagerTypes.h"

#include <windows.h>

#include <type_traits>

namespace VarnUI {

class CNotifyPump;

// What an entry's handler takes (the numbers travel as ints); 0 ends a table.
enum NotifyHandlerKind : UINT {
    NOTIFY_END = 0,
    NOTIFY_PARAMS = 1,   // the notification's wParam and lParam
    NOTIFY_RECORD = 2,   // the notification record
};

using NotifyParamsThunk = void (*)(CNotifyPump& pump, WPARAM wParam, LPARAM lParam);
using NotifyRecordThunk = void (*)(CNotifyPump& pump, NotifyUI& msg);

// One handler of a table; the field that matches the entry's kind is set.
struct NotifyHandler {
    NotifyParamsThunk params = nullptr;
    NotifyRecordThunk record = nullptr;
};

struct NotifyMapEntry {
    CUIString type;
    CUIString controlName;   // empty: any control
    UINT kind = NOTIFY_END;
    NotifyHandler handler;
};

struct NotifyMap {
    const NotifyMap* base;          // null at the root
    const NotifyMapEntry* entries;  // ends with an entry of kind NOTIFY_END
};

class CNotifyPump {
public:
    CNotifyPump();
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // The class's own table; the root table has no base and no entries.
    virtual const NotifyMap* MessageMap() const;
    virtual ~CNotifyPump();

    // Names are kept as given; dispatch compares them without regard to case.
    bool AddVirtualWindow(const wchar_t* name, CNotifyPump* pump);
    bool RemoveVirtualWindow(const wchar_t* name);
    // True when a handler took the notification.
    bool DispatchNotify(NotifyUI& msg);

    static const NotifyMap s_notifyMap;

private:
    // Dispatch through this object's own tables only.
    bool LoopDispatch(NotifyUI& msg);

    CUIStringMap m_virtualWindows;   // name -> CNotifyPump*, borrowed
};

namespace NotifyDetail {

template <class T, void (T::*Method)(WPARAM, LPARAM)>
void CallParams(CNotifyPump& pump, WPARAM wParam, LPARAM lParam)
{
    (static_cast<T&>(pump).*Method)(wParam, lParam);
}

template <class T, void (T::*Method)(NotifyUI&)>
void CallRecord(CNotifyPump& pump, NotifyUI& msg)
{
    (static_cast<T&>(pump).*Method)(msg);
}

inline NotifyMapEntry Entry(const wchar_t* type, const wchar_t* controlName, UINT kind)
{
    NotifyMapEntry entry;
    entry.type = type;
    entry.controlName = controlName;
    entry.kind = kind;
    return entry;
}

} // namespace NotifyDetail

// An entry whose handler takes the notification's wParam and lParam.
template <class T, void (T::*Method)(WPARAM, LPARAM)>
NotifyMapEntry NotifyOnParams(const wchar_t* type, const wchar_t* controlName = L"")
{
    static_assert(std::is_base_of<CNotifyPump, T>::value, "the handler's class must be a pump");
    NotifyMapEntry entry = NotifyDetail::Entry(type, controlName, NOTIFY_PARAMS);
    entry.handler.params = &NotifyDetail::CallParams<T, Method>;
    return entry;
}

// An entry whose handler takes the notification record.
template <class T, void (T::*Method)(NotifyUI&)>
NotifyMapEntry NotifyOnRecord(const wchar_t* type, const wchar_t* controlName = L"")
{
    static_assert(std::is_base_of<CNotifyPump, T>::value, "the handler's class must be a pump");
    NotifyMapEntry entry = NotifyDetail::Entry(type, controlName, NOTIFY_RECORD);
    entry.handler.record = &NotifyDetail::CallRecord<T, Method>;
    return entry;
}

inline NotifyMapEntry NotifyMapEnd()
{
    return NotifyMapEntry();
}

} // namespace VarnUI

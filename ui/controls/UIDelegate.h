// Callbacks attached to controls: CDelegateBase and its two kinds (a plain function, a member
// function of an object) and EventSourceUI, an ordered list that owns copies of the
// callbacks added to it. Callbacks take an untyped parameter and answer false to stop.
#pragma once

#include "ui/base/UIPtrArray.h"

namespace VarnUI {

class CDelegateBase {
public:
    explicit CDelegateBase(void* object) : m_object(object) {}
    virtual ~CDelegateBase() = default;
    virtual CDelegateBase* Copy() const = 0;
    virtual bool Invoke(void* param) = 0;
    // Same object and same function.
    virtual bool Equals(const CDelegateBase& other) const = 0;
    void* GetTarget() const { return m_object; }

protected:
    // One address per kind of callback, so that Equals compares like with like without asking
    // the runtime for types.
    virtual const void* Kind() const = 0;

    static const void* KindOf(const CDelegateBase& callback) { return callback.Kind(); }

private:
    void* m_object;
};

class CDelegateStatic : public CDelegateBase {
public:
    using Fn = bool (*)(void*);
    explicit CDelegateStatic(Fn fn) : CDelegateBase(nullptr), m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CDelegateStatic(m_fn); }
    bool Invoke(void* param) override { return m_fn != nullptr && m_fn(param); }
    bool Equals(const CDelegateBase& other) const override
    {
        return KindOf(other) == Kind() && static_cast<const CDelegateStatic&>(other).m_fn == m_fn;
    }

protected:
    const void* Kind() const override { return &kKind; }

private:
    static constexpr char kKind = 0;
    Fn m_fn;
};

template <class O, class T>
class CDelegate : public CDelegateBase {
public:
    using Fn = bool (T::*)(void*);
    CDelegate(O* object, Fn fn) : CDelegateBase(object), m_object(object), m_fn(fn) {}
    CDelegateBase* Copy() const override { return new CDelegate(m_object, m_fn); }
    bool Invoke(void* param) override { return m_object != nullptr && (m_object->*m_fn)(param); }
    bool Equals(const CDelegateBase& other) const override
    {
        if (KindOf(other) != Kind()) return false;
        const auto& same = static_cast<const CDelegate&>(other);
        return same.m_object == m_object && same.m_fn == m_fn;
    }

protected:
    const void* Kind() const override { return &kKind; }

private:
    static constexpr char kKind = 0;
    O* m_object;
    Fn m_fn;
};

template <class O, class T>
CDelegate<O, T> MakeDelegate(O* object, bool (T::*fn)(void*))
{
    return CDelegate<O, T>(object, fn);
}

inline CDelegateStatic MakeDelegate(bool (*fn)(void*))
{
    return CDelegateStatic(fn);
}

class EventSourceUI {
public:
    EventSourceUI() = default;
    ~EventSourceUI();
    EventSourceUI(const EventSourceUI&) = delete;
    EventSourceUI& operator=(const EventSourceUI&) = delete;

    // Appends a copy unless an equal callback is already there.
    void Add(const CDelegateBase& callback);
    void Add(CDelegateStatic::Fn fn);
    // Deletes the first equal callback.
    void Remove(const CDelegateBase& callback);
    void Remove(CDelegateStatic::Fn fn);
    bool HasListeners() const { return !m_callbacks.IsEmpty(); }
    // Calls in order; false at the first callback that answers false (true when empty).
    bool Invoke(void* param);

private:
    CUIPtrArray m_callbacks;   // CDelegateBase*, owned
};

} // namespace VarnUI

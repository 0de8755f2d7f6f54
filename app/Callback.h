// Callback<R(A...)>: holds a copy of a small callable (a function, or a lambda whose captures
// fit in four pointers and copy bytewise) and calls it. It allocates nothing and throws
// nothing, so the engine's callbacks bring no runtime machinery with them. Empty until set;
// calling an empty callback is the caller's fault, so test it first.
#pragma once

#include <cstring>
#include <new>
#include <type_traits>

template <class Signature>
class Callback;

template <class R, class... A>
class Callback<R(A...)> {
public:
    Callback() = default;
    Callback(std::nullptr_t) {}

    template <class F, class = std::enable_if_t<!std::is_same<std::decay_t<F>, Callback>::value>>
    Callback(F fn)
    {
        Set(fn);
    }

    Callback& operator=(std::nullptr_t)
    {
        m_invoke = nullptr;
        return *this;
    }

    template <class F, class = std::enable_if_t<!std::is_same<std::decay_t<F>, Callback>::value>>
    Callback& operator=(F fn)
    {
        Set(fn);
        return *this;
    }

    explicit operator bool() const { return m_invoke != nullptr; }

    R operator()(A... args) const { return m_invoke(m_storage, args...); }

private:
    static constexpr std::size_t kStorageBytes = 4 * sizeof(void*);

    template <class F>
    void Set(const F& fn)
    {
        // A copy made bytewise is only sound for callables that copy bytewise.
        static_assert(std::is_trivially_copyable<F>::value && std::is_trivially_destructible<F>::value,
                      "the callable must copy bytewise");
        static_assert(sizeof(F) <= kStorageBytes && alignof(F) <= alignof(void*), "the callable is too large");
        new (m_storage) F(fn);
        m_invoke = [](const unsigned char* storage, A... args) -> R {
            return (*reinterpret_cast<const F*>(storage))(args...);
        };
    }

    alignas(void*) unsigned char m_storage[kStorageBytes] = {};
    R (*m_invoke)(const unsigned char*, A...) = nullptr;
};

// RunOnce: one-time initialisation that any thread may be first to ask for, on the platform's
// own one-time primitive rather than the compiler's guarded statics (those bring the C++
// runtime's thread and exception machinery into the program). Whoever comes later waits for
// the first run to end and gets its answer.
#pragma once

#include <windows.h>

namespace VarnUI {

namespace detail {

template <class F>
BOOL CALLBACK RunOnceTrampoline(PINIT_ONCE, PVOID parameter, PVOID* context)
{
    // The low bits of the kept value belong to the platform.
    *context = (*static_cast<F*>(parameter))() ? reinterpret_cast<PVOID>(1 << INIT_ONCE_CTX_RESERVED_BITS) : nullptr;
    return TRUE;
}

} // namespace detail

// Runs `init` (a callable answering bool) the first time `once` is passed, and answers what that
// run answered, then and on every later call. `once` starts as INIT_ONCE_STATIC_INIT.
template <class F>
bool RunOnce(INIT_ONCE& once, F init)
{
    PVOID context = nullptr;
    if (!::InitOnceExecuteOnce(&once, detail::RunOnceTrampoline<F>, &init, &context)) return false;
    return context != nullptr;
}

} // namespace VarnUI

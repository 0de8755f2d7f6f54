#include "ui/render/DecodeTarget.h"

#include "ui/base/RunOnce.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace VarnUI {
namespace {

// The thread's innermost target; TLS_OUT_OF_INDEXES leaves every thread without one.
DWORD TargetSlot()
{
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    static DWORD slot = TLS_OUT_OF_INDEXES;
    RunOnce(once, [] {
        slot = ::TlsAlloc();
        return slot != TLS_OUT_OF_INDEXES;
    });
    return slot;
}

} // namespace

CDecodeTarget::CDecodeTarget(void* memory, std::size_t size)
    : m_memory(memory), m_size(size), m_outer(Current())
{
    const DWORD slot = TargetSlot();
    if (slot != TLS_OUT_OF_INDEXES) ::TlsSetValue(slot, this);
}

CDecodeTarget::~CDecodeTarget()
{
    const DWORD slot = TargetSlot();
    if (slot != TLS_OUT_OF_INDEXES) ::TlsSetValue(slot, m_outer);
}

CDecodeTarget* CDecodeTarget::Current()
{
    const DWORD slot = TargetSlot();
    return slot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<CDecodeTarget*>(::TlsGetValue(slot));
}

void* CDecodeTarget::Allocate(std::size_t size)
{
    CDecodeTarget* target = Current();
    if (target != nullptr && !target->m_taken && target->m_memory != nullptr && size == target->m_size) {
        target->m_taken = true;
        return target->m_memory;
    }
    return std::malloc(size);
}

void* CDecodeTarget::Reallocate(void* block, std::size_t size)
{
    CDecodeTarget* target = Current();
    if (target == nullptr || block != target->m_memory || block == nullptr) return std::realloc(block, size);
    // The target cannot grow: the contents move to the heap and the target stays unused.
    void* moved = std::malloc(size);
    if (moved != nullptr) std::memcpy(moved, block, size < target->m_size ? size : target->m_size);
    return moved;
}

void CDecodeTarget::Release(void* block)
{
    CDecodeTarget* target = Current();
    if (target != nullptr && block != nullptr && block == target->m_memory) return;
    std::free(block);
}

} // namespace VarnUI

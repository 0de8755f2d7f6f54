// CDecodeTarget: lets the image decoder write its finished pixels straight into memory the
// caller already holds (an image's DIB section). Fresh memory is costly to touch the first
// time, and a large image would otherwise fill a second buffer of its size only to be copied.
#pragma once

#include <cstddef>

namespace VarnUI {

class CDecodeTarget {
public:
    // While the object lives, the calling thread's decoder takes `memory` for its first
    // allocation of exactly `size` bytes.
    CDecodeTarget(void* memory, std::size_t size);
    ~CDecodeTarget();
    CDecodeTarget(const CDecodeTarget&) = delete;
    CDecodeTarget& operator=(const CDecodeTarget&) = delete;

    // The decoder's allocation entries: ordinary heap memory except for the target, which is
    // never given back to the heap.
    static void* Allocate(std::size_t size);
    static void* Reallocate(void* block, std::size_t size);
    static void Release(void* block);

private:
    static CDecodeTarget* Current();

    void* m_memory;
    std::size_t m_size;
    bool m_taken = false;
    CDecodeTarget* m_outer;
};

} // namespace VarnUI

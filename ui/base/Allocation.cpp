// The program's allocation functions, on the C runtime's heap. The code raises no exceptions:
// a failing plain new ends the process (as an uncaught exception would), and the nothrow forms,
// which the code uses wherever it can recover, answer null. Replacing them keeps the runtime's
// exception machinery, which its own versions need, out of the program.
#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t size) noexcept
{
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrEnd(std::size_t size) noexcept
{
    void* block = Allocate(size);
    if (block == nullptr) std::abort();
    return block;
}

} // namespace

void* operator new(std::size_t size)
{
    return AllocateOrEnd(size);
}

void* operator new[](std::size_t size)
{
    return AllocateOrEnd(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

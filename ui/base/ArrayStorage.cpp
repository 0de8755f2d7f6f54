#include "ui/base/ArrayStorage.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace VarnUI {
namespace {

constexpr int kFirstCapacity = 11;

} // namespace

void* ReallocElements(void* block, int slots, std::size_t size)
{
    if (slots <= 0 || size == 0 || static_cast<std::size_t>(slots) > SIZE_MAX / size) return nullptr;
    return std::realloc(block, static_cast<std::size_t>(slots) * size);
}

bool GrowForOneMore(void*& block, int count, int& capacity, std::size_t size)
{
    if (count + 1 < capacity) return true;
    if (capacity > INT_MAX / 2) return false;
    const int grown = capacity == 0 ? kFirstCapacity : capacity * 2;
    void* moved = ReallocElements(block, grown, size);
    if (moved == nullptr) return false;
    block = moved;
    capacity = grown;
    return true;
}

} // namespace VarnUI

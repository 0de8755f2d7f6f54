// Storage growth shared by CUIPtrArray and CUIValArray: an addition that brings the count up
// to the capacity doubles the capacity first (11 the first time), so one slot always stays
// free. The blocks come from the C allocator; the arrays free them with std::free.
#pragma once

#include <cstddef>

namespace VarnUI {

// block reallocated to slots elements of size bytes; null (block untouched) when that size
// cannot be expressed or had.
void* ReallocElements(void* block, int slots, std::size_t size);

// Makes block ready for one element more than count. False, with nothing changed, when it
// cannot grow.
bool GrowForOneMore(void*& block, int count, int& capacity, std::size_t size);

} // namespace VarnUI

#include "ui/base/UIValArray.h"

#include "ui/base/ArrayStorage.h"

#include <cstdlib>
#include <cstring>
#include <functional>

namespace VarnUI {

CUIValArray::CUIValArray(int elementSize, int capacity) : m_elementSize(elementSize)
{
    if (capacity > 0) Reserve(capacity);
}

CUIValArray::~CUIValArray()
{
    std::free(m_bytes);
}

bool CUIValArray::Reserve(int capacity)
{
    if (m_elementSize <= 0) return false;
    auto* grown = static_cast<unsigned char*>(ReallocElements(m_bytes, capacity, static_cast<size_t>(m_elementSize)));
    if (grown == nullptr) return false;
    m_bytes = grown;
    m_capacity = capacity;
    return true;
}

void CUIValArray::Empty()
{
    m_count = 0;
}

bool CUIValArray::IsEmpty() const
{
    return m_count == 0;
}

int CUIValArray::GetSize() const
{
    return m_count;
}

void* CUIValArray::GetData() const
{
    return m_bytes;
}

bool CUIValArray::Add(const void* data)
{
    if (data == nullptr || m_elementSize <= 0) return false;
    const size_t size = static_cast<size_t>(m_elementSize);
    // The element may be one of our own, which growing would move.
    auto source = static_cast<const unsigned char*>(data);
    const std::less<const unsigned char*> before;
    const bool own = m_bytes != nullptr && !before(source, m_bytes) && before(source, m_bytes + m_count * size);
    const size_t ownOffset = own ? static_cast<size_t>(source - m_bytes) : 0;
    void* block = m_bytes;
    if (!GrowForOneMore(block, m_count, m_capacity, size)) return false;
    m_bytes = static_cast<unsigned char*>(block);
    if (own) source = m_bytes + ownOffset;
    std::memcpy(m_bytes + m_count * size, source, size);
    ++m_count;
    return true;
}

bool CUIValArray::Remove(int index, int n)
{
    if (index < 0 || n <= 0 || index > m_count || n > m_count - index) return false;
    const size_t size = static_cast<size_t>(m_elementSize);
    const size_t tail = static_cast<size_t>(m_count - index - n);
    if (tail > 0) std::memmove(m_bytes + index * size, m_bytes + (index + n) * size, tail * size);
    m_count -= n;
    return true;
}

void* CUIValArray::GetAt(int index) const
{
    if (index < 0 || index >= m_count) return nullptr;
    return m_bytes + static_cast<size_t>(index) * m_elementSize;
}

void* CUIValArray::operator[](int index) const
{
    return m_bytes + static_cast<size_t>(index) * m_elementSize;
}

} // namespace VarnUI

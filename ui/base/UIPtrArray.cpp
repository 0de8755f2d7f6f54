#include "ui/base/UIPtrArray.h"

#include "ui/base/ArrayStorage.h"

#include <cstdlib>
#include <cstring>

namespace VarnUI {
namespace {

void** ReallocSlots(void** items, int slots)
{
    return static_cast<void**>(ReallocElements(items, slots, sizeof(void*)));
}

} // namespace

CUIPtrArray::CUIPtrArray(int capacity)
{
    if (capacity <= 0) return;
    m_items = ReallocSlots(nullptr, capacity);
    if (m_items != nullptr) m_capacity = capacity;
}

CUIPtrArray::CUIPtrArray(const CUIPtrArray& src)
{
    for (int i = 0; i < src.m_count; ++i) Add(src.m_items[i]);
}

CUIPtrArray& CUIPtrArray::operator=(const CUIPtrArray& src)
{
    if (this == &src) return *this;
    Empty();
    for (int i = 0; i < src.m_count; ++i) Add(src.m_items[i]);
    return *this;
}

CUIPtrArray::~CUIPtrArray()
{
    std::free(m_items);
}

void CUIPtrArray::Empty()
{
    std::free(m_items);
    m_items = nullptr;
    m_count = 0;
    m_capacity = 0;
}

bool CUIPtrArray::Resize(int n)
{
    Empty();
    if (n <= 0) return true;
    m_items = ReallocSlots(nullptr, n);
    if (m_items == nullptr) return false;
    std::memset(m_items, 0, static_cast<size_t>(n) * sizeof(void*));
    m_count = n;
    m_capacity = n;
    return true;
}

bool CUIPtrArray::IsEmpty() const
{
    return m_count == 0;
}

int CUIPtrArray::GetSize() const
{
    return m_count;
}

void** CUIPtrArray::GetData() const
{
    return m_items;
}

bool CUIPtrArray::GrowByOne()
{
    void* block = m_items;
    if (!GrowForOneMore(block, m_count, m_capacity, sizeof(void*))) return false;
    m_items = static_cast<void**>(block);
    ++m_count;
    return true;
}

bool CUIPtrArray::Add(void* p)
{
    if (!GrowByOne()) return false;
    m_items[m_count - 1] = p;
    return true;
}

bool CUIPtrArray::InsertAt(int index, void* p)
{
    if (index == m_count) return Add(p);
    if (index < 0 || index > m_count) return false;
    if (!GrowByOne()) return false;
    std::memmove(&m_items[index + 1], &m_items[index], static_cast<size_t>(m_count - 1 - index) * sizeof(void*));
    m_items[index] = p;
    return true;
}

bool CUIPtrArray::SetAt(int index, void* p)
{
    if (index < 0 || index >= m_count) return false;
    m_items[index] = p;
    return true;
}

bool CUIPtrArray::Remove(int index, int n)
{
    if (index < 0 || n <= 0 || index > m_count || n > m_count - index) return false;
    const int tail = m_count - index - n;
    if (tail > 0) std::memmove(&m_items[index], &m_items[index + n], static_cast<size_t>(tail) * sizeof(void*));
    m_count -= n;
    return true;
}

int CUIPtrArray::Find(void* p) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_items[i] == p) return i;
    }
    return -1;
}

void* CUIPtrArray::GetAt(int index) const
{
    if (index < 0 || index >= m_count) return nullptr;
    return m_items[index];
}

void* CUIPtrArray::operator[](int index) const
{
    return m_items[index];
}

} // namespace VarnUI

// OwnedList: an ordered list of objects it owns, each made on the heap, so that an object keeps
// its address while the list grows. Failures to get memory answer null or false; nothing
// throws.
#pragma once

#include "ui/base/UIPtrArray.h"

#include <new>

template <typename T>
class OwnedList {
public:
    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    ~OwnedList() { Clear(); }

    // A new default object at the end; null when memory for it cannot be had.
    T* AddNew()
    {
        T* item = new (std::nothrow) T();
        if (item != nullptr && !Adopt(item)) return nullptr;
        return item;
    }

    // Takes `item` (made with new) at the end; when it cannot be stored it is deleted.
    bool Adopt(T* item)
    {
        if (item == nullptr) return false;
        if (m_items.Add(item)) return true;
        delete item;
        return false;
    }

    // Hands the last object to the caller and drops it from the list.
    T* ReleaseLast()
    {
        const int last = m_items.GetSize() - 1;
        T* item = static_cast<T*>(m_items[last]);
        m_items.Remove(last);
        return item;
    }

    void RemoveLast() { delete ReleaseLast(); }

    // Moves every object of `other` to the end of this list, in order; what cannot be stored
    // here is deleted.
    void TakeAll(OwnedList& other)
    {
        for (int i = 0; i < other.GetSize(); ++i) Adopt(static_cast<T*>(other.m_items[i]));
        other.m_items.Empty();
    }

    void Clear()
    {
        for (int i = 0; i < m_items.GetSize(); ++i) delete static_cast<T*>(m_items[i]);
        m_items.Empty();
    }

    int GetSize() const { return m_items.GetSize(); }
    bool IsEmpty() const { return m_items.IsEmpty(); }
    // Unchecked: the caller keeps the index in range.
    T& operator[](int index) const { return *static_cast<T*>(m_items[index]); }
    T& Last() const { return (*this)[GetSize() - 1]; }

private:
    VarnUI::CUIPtrArray m_items;
};

// CUIPtrArray: a growable array of untyped pointers. It owns its storage only, never the
// objects the pointers point to.
#pragma once

namespace VarnUI {

class CUIPtrArray {
public:
    // A positive capacity allocates that many slots at once.
    explicit CUIPtrArray(int capacity = 0);
    // Adds each element of the source in order.
    CUIPtrArray(const CUIPtrArray& src);
    CUIPtrArray& operator=(const CUIPtrArray& src);
    ~CUIPtrArray();

    // Frees the storage; count and capacity become 0.
    void Empty();
    // Frees the storage, then holds n null slots (count = capacity = n); false when the
    // slots cannot be had, leaving the array empty.
    bool Resize(int n);
    bool IsEmpty() const;
    int GetSize() const;
    void** GetData() const;

    // False (and the array unchanged) when the storage cannot grow.
    bool Add(void* p);
    // index == GetSize() appends; an index below 0 or above the count gives false.
    bool InsertAt(int index, void* p);
    bool SetAt(int index, void* p);
    // False when index < 0, n <= 0 or the run passes the end. Storage never shrinks.
    bool Remove(int index, int n = 1);
    // Index of the first equal pointer, or -1.
    int Find(void* p) const;
    // Null when out of range.
    void* GetAt(int index) const;
    // Unchecked: the caller keeps the index in range.
    void* operator[](int index) const;

private:
    // Counts one more element, growing the storage when it fills up.
    bool GrowByOne();

    void** m_items = nullptr;
    int m_count = 0;
    int m_capacity = 0;
};

} // namespace VarnUI

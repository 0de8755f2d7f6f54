// CUIValArray: a growable array of fixed-size values, copied in and out bytewise. It owns
// its storage; it never runs constructors or destructors of the elements.
#pragma once

namespace VarnUI {

class CUIValArray {
public:
    // elementSize is fixed for the array's life; a positive capacity allocates it at once.
    explicit CUIValArray(int elementSize, int capacity = 0);
    CUIValArray(const CUIValArray&) = delete;
    CUIValArray& operator=(const CUIValArray&) = delete;
    ~CUIValArray();

    // Sets the count to 0 and keeps the storage for later additions.
    void Empty();
    bool IsEmpty() const;
    int GetSize() const;
    void* GetData() const;

    // Copies one element from data. False (and the array unchanged) when the storage cannot
    // grow, data is null or the element size is not positive.
    bool Add(const void* data);
    // False when index < 0, n <= 0 or the run passes the end. Storage never shrinks.
    bool Remove(int index, int n = 1);
    // Pointer to the element, null when out of range.
    void* GetAt(int index) const;
    // Unchecked: the caller keeps the index in range.
    void* operator[](int index) const;

private:
    bool Reserve(int capacity);

    unsigned char* m_bytes = nullptr;
    int m_elementSize;
    int m_count = 0;
    int m_capacity = 0;
};

} // namespace VarnUI

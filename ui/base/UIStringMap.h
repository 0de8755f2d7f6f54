// CUIStringMap: a chained hash map from text keys to untyped pointers. The map owns copies
// of its keys and its entries; it never owns or frees the values, so callers that store
// owned objects free them when they remove, replace or clear entries.
#pragma once

#include <cstdint>

namespace VarnUI {

class CUIStringMap {
public:
    static constexpr int kDefaultBuckets = 83;
    static constexpr int kMinBuckets = 16;

    // A bucket count below kMinBuckets is raised to it.
    explicit CUIStringMap(int buckets = kDefaultBuckets);
    CUIStringMap(const CUIStringMap&) = delete;
    CUIStringMap& operator=(const CUIStringMap&) = delete;
    ~CUIStringMap();

    // Discards every entry and the buckets, then installs n empty buckets (none for n <= 0).
    void Resize(int n);
    // Removes every entry and keeps the buckets.
    void RemoveAll();
    int GetSize() const;

    // Keys compare exactly (ordinal, case-sensitive); a null key is the empty key.
    // With optimize, a hit moves to the front of its chain so repeated lookups stay cheap.
    void* Find(const wchar_t* key, bool optimize = true) const;
    // False when the key already holds a non-null value or nothing can be stored.
    bool Insert(const wchar_t* key, void* value);
    // Returns what the caller must dispose of: the replaced value, null when a new entry was
    // added, or value itself when it could not be stored.
    void* Set(const wchar_t* key, void* value);
    bool Remove(const wchar_t* key);

    // The key at a position of the enumeration order (buckets from last to first, each chain
    // from head to tail), or null past the end.
    const wchar_t* GetAt(int position) const;
    const wchar_t* operator[](int position) const;

    // h = h * 33 + code unit, over the characters from last to first.
    static std::uint32_t HashKey(const wchar_t* key);

private:
    struct Entry;

    int BucketOf(const wchar_t* key) const;
    Entry* FindInChain(int bucket, const wchar_t* key) const;
    void Unlink(int bucket, Entry* entry) const;
    void LinkAtHead(int bucket, Entry* entry) const;

    Entry** m_buckets = nullptr;
    int m_bucketCount = 0;
    int m_count = 0;
};

} // namespace VarnUI

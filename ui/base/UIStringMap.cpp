#include "ui/base/UIStringMap.h"

#include "ui/base/UIString.h"

#include <cstdlib>
#include <cwchar>
#include <new>

namespace VarnUI {

struct CUIStringMap::Entry {
    CUIString key;
    void* value = nullptr;
    Entry* prev = nullptr;
    Entry* next = nullptr;
};

CUIStringMap::CUIStringMap(int buckets)
{
    Resize(buckets < kMinBuckets ? kMinBuckets : buckets);
}

CUIStringMap::~CUIStringMap()
{
    Resize(0);
}

void CUIStringMap::Resize(int n)
{
    RemoveAll();
    std::free(m_buckets);
    m_buckets = nullptr;
    m_bucketCount = 0;
    if (n <= 0) return;
    m_buckets = static_cast<Entry**>(std::calloc(static_cast<size_t>(n), sizeof(Entry*)));
    if (m_buckets != nullptr) m_bucketCount = n;
}

void CUIStringMap::RemoveAll()
{
    for (int bucket = m_bucketCount - 1; bucket >= 0; --bucket) {
        Entry* entry = m_buckets[bucket];
        while (entry != nullptr) {
            Entry* next = entry->next;
            delete entry;
            entry = next;
        }
        m_buckets[bucket] = nullptr;
    }
    m_count = 0;
}

int CUIStringMap::GetSize() const
{
    return m_count;
}

std::uint32_t CUIStringMap::HashKey(const wchar_t* key)
{
    std::uint32_t hash = 0;
    if (key == nullptr) return hash;
    for (size_t i = std::wcslen(key); i > 0; --i) hash = hash * 33u + static_cast<std::uint16_t>(key[i - 1]);
    return hash;
}

int CUIStringMap::BucketOf(const wchar_t* key) const
{
    return static_cast<int>(HashKey(key) % static_cast<std::uint32_t>(m_bucketCount));
}

CUIStringMap::Entry* CUIStringMap::FindInChain(int bucket, const wchar_t* key) const
{
    for (Entry* entry = m_buckets[bucket]; entry != nullptr; entry = entry->next) {
        if (entry->key == key) return entry;
    }
    return nullptr;
}

void CUIStringMap::Unlink(int bucket, Entry* entry) const
{
    if (entry->prev != nullptr) {
        entry->prev->next = entry->next;
    } else {
        m_buckets[bucket] = entry->next;
    }
    if (entry->next != nullptr) entry->next->prev = entry->prev;
    entry->prev = nullptr;
    entry->next = nullptr;
}

void CUIStringMap::LinkAtHead(int bucket, Entry* entry) const
{
    entry->prev = nullptr;
    entry->next = m_buckets[bucket];
    if (entry->next != nullptr) entry->next->prev = entry;
    m_buckets[bucket] = entry;
}

void* CUIStringMap::Find(const wchar_t* key, bool optimize) const
{
    if (m_bucketCount == 0 || m_count == 0) return nullptr;
    const int bucket = BucketOf(key);
    Entry* entry = FindInChain(bucket, key);
    if (entry == nullptr) return nullptr;
    if (optimize && entry != m_buckets[bucket]) {
        Unlink(bucket, entry);
        LinkAtHead(bucket, entry);
    }
    return entry->value;
}

bool CUIStringMap::Insert(const wchar_t* key, void* value)
{
    if (m_bucketCount == 0) return false;
    // A key stored with a null value goes unseen here; callers never store null.
    if (Find(key, true) != nullptr) return false;
    auto* entry = new (std::nothrow) Entry;
    if (entry == nullptr) return false;
    entry->key = key;
    entry->value = value;
    LinkAtHead(BucketOf(key), entry);
    ++m_count;
    return true;
}

void* CUIStringMap::Set(const wchar_t* key, void* value)
{
    if (m_bucketCount == 0) return value;
    if (m_count > 0) {
        Entry* entry = FindInChain(BucketOf(key), key);
        if (entry != nullptr) {
            void* old = entry->value;
            entry->value = value;
            return old;
        }
    }
    return Insert(key, value) ? nullptr : value;
}

bool CUIStringMap::Remove(const wchar_t* key)
{
    if (m_bucketCount == 0 || m_count == 0) return false;
    const int bucket = BucketOf(key);
    Entry* entry = FindInChain(bucket, key);
    if (entry == nullptr) return false;
    Unlink(bucket, entry);
    delete entry;
    --m_count;
    return true;
}

const wchar_t* CUIStringMap::GetAt(int position) const
{
    if (position < 0 || position >= m_count) return nullptr;
    int index = 0;
    for (int bucket = m_bucketCount - 1; bucket >= 0; --bucket) {
        for (Entry* entry = m_buckets[bucket]; entry != nullptr; entry = entry->next) {
            if (index == position) return entry->key.GetData();
            ++index;
        }
    }
    return nullptr;
}

const wchar_t* CUIStringMap::operator[](int position) const
{
    return GetAt(position);
}

} // namespace VarnUI

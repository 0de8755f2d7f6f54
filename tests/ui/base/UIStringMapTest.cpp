#include "ui/base/UIStringMap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using VarnUI::CUIStringMap;

namespace {

int g_values[4];

std::vector<std::wstring> Keys(const CUIStringMap& map)
{
    std::vector<std::wstring> keys;
    for (int i = 0; i < map.GetSize(); ++i) keys.push_back(map.GetAt(i));
    return keys;
}

} // namespace

TEST(UIStringMap, Hash_TakesCharactersLastToFirst)
{
    EXPECT_EQ(CUIStringMap::HashKey(L"ab"), 98u * 33u + 97u);
    EXPECT_EQ(CUIStringMap::HashKey(L"ab") % 83u, 11u);
    EXPECT_EQ(CUIStringMap::HashKey(L""), 0u);
    // Wraps modulo 2^32: the sum of 0xFFFF * 33^k for k = 0..6.
    EXPECT_EQ(CUIStringMap::HashKey(L"\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF"), 3208966489u);
}

TEST(UIStringMap, Enumeration_RunsFromLastBucketDown)
{
    CUIStringMap map;  // 83 buckets: R -> 82, b -> 15, a -> 14, ab -> 11
    for (const wchar_t* key : {L"ab", L"a", L"R", L"b"}) ASSERT_TRUE(map.Insert(key, &g_values[0]));
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"R", L"b", L"a", L"ab"}));
    EXPECT_EQ(map.GetAt(4), nullptr);
    EXPECT_EQ(map.GetAt(-1), nullptr);
    EXPECT_STREQ(map[0], L"R");
}

TEST(UIStringMap, Construct_RaisesSmallBucketCountsTo16)
{
    CUIStringMap map(5);  // 16 buckets: p -> 0, a -> 1, b -> 2
    for (const wchar_t* key : {L"a", L"p", L"b"}) map.Insert(key, &g_values[0]);
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"b", L"a", L"p"}));
}

TEST(UIStringMap, Find_MovesHitsToTheFrontOnlyWhenAsked)
{
    CUIStringMap map(16);  // a, q and U+0081 share bucket 1
    map.Insert(L"a", &g_values[0]);
    map.Insert(L"q", &g_values[1]);
    map.Insert(L"\x81", &g_values[2]);
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"\x81", L"q", L"a"}));
    EXPECT_EQ(map.Find(L"a", false), &g_values[0]);
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"\x81", L"q", L"a"}));
    EXPECT_EQ(map.Find(L"a"), &g_values[0]);
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"a", L"\x81", L"q"}));
    EXPECT_EQ(map.Find(L"A"), nullptr);
}

TEST(UIStringMap, Remove_KeepsTheRestOfTheChainLinked)
{
    CUIStringMap map(16);
    for (const wchar_t* key : {L"a", L"q", L"\x81", L"\x91"}) map.Insert(key, &g_values[0]);
    EXPECT_TRUE(map.Remove(L"\x81"));  // middle of the chain
    EXPECT_FALSE(map.Remove(L"\x81"));
    EXPECT_EQ(map.Find(L"a"), &g_values[0]);  // tail moves to the front over the gap
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"a", L"\x91", L"q"}));
    EXPECT_TRUE(map.Remove(L"a"));  // head
    EXPECT_TRUE(map.Remove(L"q"));  // tail
    EXPECT_EQ(Keys(map), (std::vector<std::wstring>{L"\x91"}));
    EXPECT_EQ(map.Find(L"\x91"), &g_values[0]);
}

TEST(UIStringMap, InsertAndSet_ReportWhatTheCallerOwns)
{
    CUIStringMap map;
    EXPECT_TRUE(map.Insert(L"font", &g_values[0]));
    EXPECT_FALSE(map.Insert(L"font", &g_values[1]));
    EXPECT_EQ(map.Set(L"font", &g_values[2]), &g_values[0]);
    EXPECT_EQ(map.Find(L"font"), &g_values[2]);
    EXPECT_EQ(map.Set(L"image", &g_values[3]), nullptr);
    EXPECT_EQ(map.GetSize(), 2);
    map.RemoveAll();
    EXPECT_EQ(map.Find(L"font"), nullptr);
    EXPECT_TRUE(map.Insert(L"font", &g_values[1]));
}

TEST(UIStringMap, ZeroBuckets_FailSoftly)
{
    for (int buckets : {0, -3}) {
        CUIStringMap map;
        map.Insert(L"a", &g_values[0]);
        map.Resize(buckets);
        EXPECT_EQ(map.GetSize(), 0);
        EXPECT_EQ(map.Find(L"a"), nullptr);
        EXPECT_FALSE(map.Insert(L"a", &g_values[0]));
        EXPECT_FALSE(map.Remove(L"a"));
        EXPECT_EQ(map.Set(L"a", &g_values[1]), &g_values[1]);
        EXPECT_EQ(map.GetAt(0), nullptr);
    }
}

TEST(UIStringMap, EnumerationWithLookups_VisitsEveryEntryOnce)
{
    CUIStringMap map(16);
    std::set<std::wstring> expected;
    for (int i = 0; i < 200; ++i) {
        const std::wstring key = L"k" + std::to_wstring(i);
        map.Insert(key.c_str(), &g_values[0]);
        expected.insert(key);
    }
    std::multiset<std::wstring> visited;
    for (int i = 0; i < map.GetSize(); ++i) {
        const std::wstring key = map.GetAt(i);
        visited.insert(key);
        map.Find(key.c_str(), true);
    }
    EXPECT_EQ(visited, std::multiset<std::wstring>(expected.begin(), expected.end()));
}

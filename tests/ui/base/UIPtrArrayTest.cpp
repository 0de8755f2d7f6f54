#include "ui/base/UIPtrArray.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using VarnUI::CUIPtrArray;

namespace {

int g_items[8];

void* Item(int i)
{
    return &g_items[i];
}

CUIPtrArray Filled(int count)
{
    CUIPtrArray array;
    for (int i = 0; i < count; ++i) array.Add(Item(i));
    return array;
}

std::vector<void*> Contents(const CUIPtrArray& array)
{
    return std::vector<void*>(array.GetData(), array.GetData() + array.GetSize());
}

} // namespace

TEST(UIPtrArray, InsertAt_AcceptsIndicesUpToTheCount)
{
    struct Case { int index; bool ok; std::vector<void*> expected; };
    const Case cases[] = {
        {3, true, {Item(0), Item(1), Item(2), Item(7)}},
        {0, true, {Item(7), Item(0), Item(1), Item(2)}},
        {1, true, {Item(0), Item(7), Item(1), Item(2)}},
        {4, false, {Item(0), Item(1), Item(2)}},
        {-1, false, {Item(0), Item(1), Item(2)}},
    };
    for (const Case& c : cases) {
        CUIPtrArray array = Filled(3);
        EXPECT_EQ(array.InsertAt(c.index, Item(7)), c.ok) << c.index;
        EXPECT_EQ(Contents(array), c.expected) << c.index;
    }
}

TEST(UIPtrArray, Remove_RejectsRunsPastTheEnd)
{
    struct Case { int index; int n; bool ok; std::vector<void*> expected; };
    const Case cases[] = {
        {1, 2, true, {Item(0), Item(3)}},
        {0, 4, true, {}},
        {3, 1, true, {Item(0), Item(1), Item(2)}},
        {3, 2, false, {Item(0), Item(1), Item(2), Item(3)}},
        {-1, 1, false, {Item(0), Item(1), Item(2), Item(3)}},
        {0, 0, false, {Item(0), Item(1), Item(2), Item(3)}},
        {2, INT_MAX, false, {Item(0), Item(1), Item(2), Item(3)}},
    };
    for (const Case& c : cases) {
        CUIPtrArray array = Filled(4);
        EXPECT_EQ(array.Remove(c.index, c.n), c.ok) << c.index << "," << c.n;
        EXPECT_EQ(Contents(array), c.expected) << c.index << "," << c.n;
    }
}

TEST(UIPtrArray, Access_OutOfRangeIsRefused)
{
    CUIPtrArray array = Filled(3);
    EXPECT_EQ(array.GetAt(2), Item(2));
    EXPECT_EQ(array.GetAt(3), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
    EXPECT_FALSE(array.SetAt(3, Item(5)));
    EXPECT_TRUE(array.SetAt(1, Item(5)));
    EXPECT_EQ(array.Find(Item(5)), 1);
}

TEST(UIPtrArray, CopyResizeAndEmpty)
{
    const CUIPtrArray source = Filled(3);
    CUIPtrArray copy(source);
    EXPECT_EQ(Contents(copy), Contents(source));
    EXPECT_NE(copy.GetData(), source.GetData());

    ASSERT_TRUE(copy.Resize(2));
    EXPECT_EQ(Contents(copy), (std::vector<void*>{nullptr, nullptr}));
    ASSERT_TRUE(copy.Add(Item(4)));  // a full array grows
    EXPECT_EQ(copy.GetAt(2), Item(4));

    copy = source;
    EXPECT_EQ(Contents(copy), Contents(source));
}

#include "ui/base/UIValArray.h"

#include <gtest/gtest.h>

using VarnUI::CUIValArray;

namespace {

struct Sample {
    int id;
    short tag;
};

const Sample* At(const CUIValArray& array, int index)
{
    return static_cast<const Sample*>(array.GetAt(index));
}

void Fill(CUIValArray& array, int count, int firstId = 0)
{
    for (int i = 0; i < count; ++i) {
        const Sample sample{firstId + i, static_cast<short>(i)};
        array.Add(&sample);
    }
}

} // namespace

TEST(UIValArray, Add_CopiesElementsBytewise)
{
    CUIValArray array(sizeof(Sample));
    Fill(array, 40);
    ASSERT_EQ(array.GetSize(), 40);
    EXPECT_EQ(At(array, 39)->tag, 39);
    EXPECT_EQ(array.GetAt(40), nullptr);
    EXPECT_FALSE(array.Add(nullptr));
    EXPECT_FALSE(CUIValArray(0).Add(At(array, 0)));
}

TEST(UIValArray, Add_OwnElementSurvivesGrowth)
{
    CUIValArray array(sizeof(Sample));
    Fill(array, 10, 100);
    ASSERT_TRUE(array.Add(array.GetAt(3)));  // the eleventh element grows the storage
    ASSERT_EQ(array.GetSize(), 11);
    EXPECT_EQ(At(array, 10)->id, 103);
}

TEST(UIValArray, Remove_MovesTheTailDown)
{
    CUIValArray array(sizeof(Sample));
    Fill(array, 5);
    EXPECT_FALSE(array.Remove(4, 2));
    EXPECT_FALSE(array.Remove(0, 0));
    EXPECT_FALSE(array.Remove(-1));
    EXPECT_TRUE(array.Remove(1, 2));
    ASSERT_EQ(array.GetSize(), 3);
    EXPECT_EQ(At(array, 0)->id, 0);
    EXPECT_EQ(At(array, 1)->id, 3);
    EXPECT_EQ(At(array, 2)->id, 4);
}

TEST(UIValArray, Empty_KeepsStorageForReuse)
{
    CUIValArray array(sizeof(Sample));
    Fill(array, 10);
    const void* storage = array.GetData();
    array.Empty();
    EXPECT_TRUE(array.IsEmpty());
    Fill(array, 10, 50);  // still within the first capacity of 11
    EXPECT_EQ(array.GetData(), storage);
    EXPECT_EQ(At(array, 0)->id, 50);
}

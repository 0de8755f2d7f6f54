#include "ui/manager/AccessibleObjectMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace VarnUI;

namespace {

// Stand-ins: the map only compares and hands back the addresses.
CControlUI* ControlAt(char* base, int i)
{
    return reinterpret_cast<CControlUI*>(base + i * 8);
}

CAccessibleUI* ObjectAt(char* base, int i)
{
    return reinterpret_cast<CAccessibleUI*>(base + i * 8 + 1);
}

} // namespace

TEST(AccessibleObjectMap, FindsReplacesAndRemovesInAnyOrder)
{
    static char controls[8 * 200];
    static char objects[8 * 200];
    std::vector<int> order(200);
    for (int i = 0; i < 200; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));

    CAccessibleObjectMap map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.Find(ControlAt(controls, 0)), nullptr);
    for (int i : order) ASSERT_TRUE(map.Set(ControlAt(controls, i), ObjectAt(objects, i)));
    EXPECT_EQ(map.GetSize(), 200);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(map.Find(ControlAt(controls, i)), ObjectAt(objects, i)) << i;
    // Kept in address order whatever the order of arrival.
    for (int i = 0; i < 200; ++i) EXPECT_EQ(map.ControlAt(i), ControlAt(controls, i));
    EXPECT_EQ(map.ControlAt(200), nullptr);

    // Setting a known control replaces its object, adding nothing.
    ASSERT_TRUE(map.Set(ControlAt(controls, 5), ObjectAt(objects, 9)));
    EXPECT_EQ(map.GetSize(), 200);
    EXPECT_EQ(map.Find(ControlAt(controls, 5)), ObjectAt(objects, 9));

    for (int i = 0; i < 200; i += 2) ASSERT_TRUE(map.Remove(ControlAt(controls, i)));
    EXPECT_FALSE(map.Remove(ControlAt(controls, 0)));
    EXPECT_EQ(map.GetSize(), 100);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(map.Find(ControlAt(controls, i)) != nullptr, i % 2 == 1) << i;
    }
    while (!map.IsEmpty()) ASSERT_TRUE(map.Remove(map.ControlAt(0)));
}

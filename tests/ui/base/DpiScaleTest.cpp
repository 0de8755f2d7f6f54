#include "ui/base/DpiScale.h"

#include <gtest/gtest.h>

using namespace VarnUI;

TEST(DpiScale, Scale_RoundsHalfAwayFromZero_UnchangedAt96)
{
    const struct {
        int value;
        int dpi;
        int expected;
    } cases[] = {
        {454, 144, 681}, {200, 144, 300}, {454, 192, 908}, {27, 144, 41},  {53, 144, 80},
        {3, 144, 5},     {-3, 144, -5},   {25, 120, 31},   {2, 120, 3},    {0, 192, 0},
        {9999, 96, 9999}, {-7, 96, -7},   {11, 72, 8},     {1, 48, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
    const RECT rc = ScaleToDpi(RECT{25, 35, 429, 38}, 144);
    EXPECT_EQ(rc.left, 38);
    EXPECT_EQ(rc.top, 53);
    EXPECT_EQ(rc.right, 644);
    EXPECT_EQ(rc.bottom, 57);
}

TEST(DpiScale, Rescale_GoesThroughTheSkinValue_SoMovingBetweenDisplaysNeverCreeps)
{
    const int dpis[] = {96, 120, 144, 168, 192, 240, 288};
    for (int from : dpis) {
        for (int to : dpis) {
            for (int value = -40; value <= 1000; ++value) {
                const int there = RescaleDpi(ScaleToDpi(value, from), from, to);
                ASSERT_EQ(there, ScaleToDpi(value, to)) << value << " from " << from << " to " << to;
                ASSERT_EQ(RescaleDpi(there, to, from), ScaleToDpi(value, from));
            }
        }
    }
    // A value set in code that no skin value scales to settles after its first move.
    EXPECT_EQ(RescaleDpi(100, 144, 192), 134);
    EXPECT_EQ(RescaleDpi(RescaleDpi(134, 192, 144), 144, 192), 134);
}

TEST(DpiScale, WindowDpi_IsTheTestPrefixs)
{
    // The tests run at 96 DPI; the scaled cases run the real program elsewhere.
    EXPECT_EQ(WindowDpi(nullptr), 96);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VarnDpiProbe";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"VarnDpiProbe", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowDpi(window), 96);
    ::DestroyWindow(window);
}

#include "app/Callback.h"
#include "app/NarrowText.h"
#include "app/TextConversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

TEST(Callback, EmptyUntilSetAndCallsWhatItHolds)
{
    Callback<void(int, const char*)> report;
    EXPECT_FALSE(report);
    std::string log;
    int sum = 0;
    report = [&log, &sum](int percent, const char* text) {
        log += std::to_string(percent) + text;
        sum += percent;
    };
    ASSERT_TRUE(report);
    report(20, "a");
    // A copy holds its own copy of the callable, captures and all.
    const Callback<void(int, const char*)> copy = report;
    copy(40, "b");
    EXPECT_EQ(log, "20a40b");
    EXPECT_EQ(sum, 60);
    report = nullptr;
    EXPECT_FALSE(report);
    EXPECT_TRUE(copy);
}

TEST(Callback, TakesPlainFunctionsAndAnswers)
{
    Callback<int(int)> twice = [](int n) { return 2 * n; };
    EXPECT_EQ(twice(21), 42);
    int (*negate)(int) = [](int n) { return -n; };
    twice = negate;
    EXPECT_EQ(twice(5), -5);
    // Captures up to four pointers fit.
    int a = 1, b = 2, c = 3, d = 4;
    Callback<int()> four = [&a, &b, &c, &d] { return a + b + c + d; };
    a = 10;
    EXPECT_EQ(four(), 19);
}

TEST(NarrowText, OwnsItsCopies)
{
    NarrowText empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ(empty.c_str(), "");
    EXPECT_EQ(NarrowText(nullptr), "");

    NarrowText text("C:\\Varnholt");
    NarrowText copy = text;
    copy.Append("\\bin");
    EXPECT_EQ(text, "C:\\Varnholt");
    EXPECT_EQ(copy, "C:\\Varnholt\\bin");
    EXPECT_EQ(copy.Length(), 15);
    copy = text;
    EXPECT_EQ(copy, text);
    copy = copy;
    EXPECT_EQ(copy, "C:\\Varnholt");

    NarrowText moved = std::move(copy);
    EXPECT_EQ(moved, "C:\\Varnholt");
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_FALSE(moved.Failed());

    // A counted copy stops where it is told, terminator included.
    EXPECT_EQ(NarrowText("abcdef", 3), "abc");
    EXPECT_NE(NarrowText("abc"), "abd");
}

TEST(JoinTexts, JoinsWhatIsThereAndSkipsNulls)
{
    EXPECT_EQ(JoinTexts(L"C:\\a", L"\\", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinTexts(nullptr, L"x", nullptr, L"y"), L"xy");
    EXPECT_EQ(JoinTexts(L"", L""), L"");
    // Past the inline buffer the whole text still arrives.
    const std::wstring longPart(300, L'q');
    const CUIString joined = JoinTexts(L"C:\\", longPart.c_str(), L"\\end");
    EXPECT_EQ(joined.GetLength(), 3 + 300 + 4);
    EXPECT_EQ(std::wstring(joined.GetData()), L"C:\\" + longPart + L"\\end");
}

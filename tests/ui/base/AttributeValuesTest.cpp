#include "ui/base/AttributeValues.h"

#include <gtest/gtest.h>

#include <limits>

using namespace VarnUI;

TEST(AttributeValues, Booleans_ExactOrAnyCase)
{
    const struct {
        const wchar_t* text;
        bool exact;
        bool anyCase;
    } cases[] = {
        {L"true", true, true}, {L"TRUE", false, true}, {L"True", false, true}, {L"true ", false, false},
        {L"1", false, false},  {L"", false, false},     {nullptr, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : L"(null)");
        EXPECT_EQ(AttributeIsTrue(c.text), c.exact);
        EXPECT_EQ(AttributeIsTrueNoCase(c.text), c.anyCase);
    }
}

TEST(AttributeValues, Colours_OneOptionalHashAndBlanksOnlyWhereAsked)
{
    const struct {
        const wchar_t* text;
        DWORD plain;
        DWORD afterBlanks;
    } cases[] = {
        {L"#FF112233", 0xFF112233, 0xFF112233}, {L"FF112233", 0xFF112233, 0xFF112233},
        {L"0xFF112233", 0xFF112233, 0xFF112233}, {L"  #FF112233", 0, 0xFF112233},
        {L"\t#80FFFFFF", 0, 0x80FFFFFF},        {L"##FF112233", 0, 0},
        {L"#FF11zz", 0xFF11, 0xFF11},            {nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : L"(null)");
        EXPECT_EQ(AttributeColor(c.text), c.plain);
        EXPECT_EQ(AttributeColorAfterBlanks(c.text), c.afterBlanks);
    }
    EXPECT_EQ(ArgbToColorRef(0x80112233), RGB(0x11, 0x22, 0x33));
}

TEST(AttributeValues, Numbers_IntegersBytesAndLists)
{
    const wchar_t* end = nullptr;
    EXPECT_EQ(AttributeInt(L" -12px", &end), -12);
    EXPECT_STREQ(end, L"px");
    EXPECT_EQ(AttributeInt(L"abc"), 0);
    EXPECT_EQ(AttributeByte(L"300"), 255);
    EXPECT_EQ(AttributeByte(L"-4"), 0);
    EXPECT_EQ(AttributeByte(L"128"), 128);

    LONG values[4] = {9, 9, 9, 9};
    EXPECT_EQ(AttributeNumbers(L"1, 2;3", values, 4), 3);
    EXPECT_EQ(values[2], 3);
    EXPECT_EQ(values[3], 9) << "past the end of the text the value stays";
    // A separator at the end promises one more number, which is empty.
    EXPECT_EQ(AttributeNumbers(L"7,", values, 4), 2);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(AttributeNumbers(L"", values, 4), 0);
    double fractions[4] = {};
    EXPECT_EQ(AttributeFractions(L"0.5,0.25,1,0", fractions, 4), 4);
    EXPECT_DOUBLE_EQ(fractions[1], 0.25);
}

TEST(AttributeValues, FractionsReadAsTheLibraryReadsThem)
{
    struct Case {
        const wchar_t* text;
        int read;
        double first;
        double second;
    } cases[] = {
        {L"1.5,-2.25", 2, 1.5, -2.25},
        {L" +3, .5", 2, 3.0, 0.5},
        {L"2.,7", 2, 2.0, 7.0},
        {L"1e2,2.5E-1", 2, 100.0, 0.25},
        // An exponent without digits is no exponent: the number ends before it.
        {L"4e,5", 2, 4.0, 0.0},
        {L"-0.125", 1, -0.125, 9.0},
        // No digits, nothing read: the number is 0, and the next one starts one character on,
        // at the comma, which holds no digits either.
        {L"-,6", 2, 0.0, 0.0},
        {L".,8", 2, 0.0, 0.0},
        {L"1e999", 1, std::numeric_limits<double>::infinity(), 9.0},
    };
    for (const Case& c : cases) {
        double values[2] = {9.0, 9.0};
        EXPECT_EQ(AttributeFractions(c.text, values, 2), c.read) << c.text;
        EXPECT_DOUBLE_EQ(values[0], c.first) << c.text;
        EXPECT_DOUBLE_EQ(values[1], c.second) << c.text;
    }
}

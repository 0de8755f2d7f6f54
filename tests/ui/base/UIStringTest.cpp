#include "ui/base/UIString.h"

#include <gtest/gtest.h>

#include <string>

using VarnUI::CUIString;

namespace {

bool IsInline(const CUIString& s)
{
    const auto* data = reinterpret_cast<const char*>(s.GetData());
    const auto* self = reinterpret_cast<const char*>(&s);
    return data >= self && data < self + sizeof(s);
}

std::wstring Text(const CUIString& s)
{
    return s.GetData();
}

} // namespace

TEST(UIString, Storage_SwitchesToHeapAt63AndBack)
{
    CUIString s;
    s.Assign(std::wstring(62, L'x').c_str());
    EXPECT_TRUE(IsInline(s));
    s.Assign(std::wstring(63, L'y').c_str());
    EXPECT_FALSE(IsInline(s));
    EXPECT_EQ(Text(s), std::wstring(63, L'y'));
    s = L"0123456789";
    EXPECT_TRUE(IsInline(s));
    EXPECT_EQ(Text(s), L"0123456789");
}

TEST(UIString, Append_CrossingToHeapKeepsEveryCharacter)
{
    CUIString s(std::wstring(62, L'a').c_str());
    s += L'b';
    EXPECT_FALSE(IsInline(s));
    EXPECT_EQ(Text(s), std::wstring(62, L'a') + L"b");
    s += std::wstring(100, L'c').c_str();
    s.Append(nullptr);
    EXPECT_EQ(Text(s), std::wstring(62, L'a') + L"b" + std::wstring(100, L'c'));
}

TEST(UIString, Append_AfterSetAtShortenedAHeapText_ComesBackInline)
{
    CUIString s(std::wstring(70, L'a').c_str());
    ASSERT_FALSE(IsInline(s));
    s.SetAt(10, L'\0');
    s += L"bc";
    EXPECT_TRUE(IsInline(s));
    EXPECT_EQ(Text(s), std::wstring(10, L'a') + L"bc");
    // The text appended may be the string's own heap text.
    CUIString self(std::wstring(80, L'x').c_str());
    self.SetAt(5, L'\0');
    self.Append(self.GetData());
    EXPECT_TRUE(IsInline(self));
    EXPECT_EQ(Text(self), std::wstring(10, L'x'));
}

TEST(UIString, Assign_CountStopsAtTerminatorAndNullIsEmpty)
{
    CUIString s(L"abcdef", 3);
    EXPECT_EQ(Text(s), L"abc");
    s.Assign(L"xy", 100);
    EXPECT_EQ(Text(s), L"xy");
    EXPECT_TRUE(IsInline(s));
    s.Assign(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(Text(CUIString(L"ab") + static_cast<const wchar_t*>(nullptr)), L"ab");
}

TEST(UIString, OwnTextAsSource_IsReadBeforeStorageChanges)
{
    const std::wstring longText = std::wstring(50, L'p') + std::wstring(50, L'q');
    CUIString s(longText.c_str());
    s.Assign(s.GetData() + 50);  // heap to inline, from the heap block being freed
    EXPECT_EQ(Text(s), std::wstring(50, L'q'));

    s = longText.c_str();
    s.Assign(s.GetData() + 10);  // heap block reused
    EXPECT_EQ(Text(s), longText.substr(10));

    CUIString doubled(std::wstring(40, L'd').c_str());
    doubled += doubled;
    doubled += doubled;
    EXPECT_EQ(Text(doubled), std::wstring(160, L'd'));
}

TEST(UIString, Narrow_ConvertsAndAppends)
{
    CUIString s;
    s = "abc";
    s += "def";
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(Text(s), L"abcdef");
    s = std::string(70, 'n').c_str();
    EXPECT_EQ(Text(s), std::wstring(70, L'n'));
}

TEST(UIString, Substrings_ClampTheirBounds)
{
    const CUIString abc(L"abc");
    struct Case { CUIString result; const wchar_t* expected; };
    const Case cases[] = {
        {abc.Mid(2), L"c"},     {abc.Mid(3), L""},      {abc.Mid(1, 1), L"b"},
        {abc.Mid(1, 50), L"bc"}, {abc.Mid(0, 0), L""},  {abc.Mid(4), L""},
        {abc.Mid(-1), L""},     {abc.Left(10), L"abc"}, {abc.Left(-2), L""},
        {abc.Left(2), L"ab"},   {abc.Right(5), L"abc"}, {abc.Right(1), L"c"},
        {abc.Right(-1), L""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_EQ(Text(cases[i].result), cases[i].expected) << "case " << i;
    }
}

TEST(UIString, Find_RespectsStartBounds)
{
    const CUIString abcb(L"abcb");
    EXPECT_EQ(abcb.Find(L"b", 2), 3);
    EXPECT_EQ(abcb.Find(L"b", 4), -1);   // starts on the terminator
    EXPECT_EQ(abcb.Find(L"b", 5), -1);
    EXPECT_EQ(abcb.Find(L"b", -1), -1);
    EXPECT_EQ(abcb.Find(L'b', 2), 3);
    EXPECT_EQ(abcb.Find(L'b', 4), -1);   // the terminator is no start for a character
    EXPECT_EQ(abcb.ReverseFind(L'b'), 3);
    EXPECT_EQ(abcb.ReverseFind(L'z'), -1);
    EXPECT_EQ(CUIString().Find(L'a'), -1);
    EXPECT_EQ(abcb.Find(static_cast<const wchar_t*>(nullptr)), -1);
}

TEST(UIString, Replace_NeverRescansInsertedText)
{
    struct Case { const wchar_t* text; const wchar_t* from; const wchar_t* to; const wchar_t* expected; int count; };
    const Case cases[] = {
        {L"aaa", L"a", L"aa", L"aaaaaa", 3},
        {L"a.b.c", L".", L"", L"abc", 2},
        {L"a.b.c", L".", nullptr, L"abc", 2},
        {L"abab", L"ab", L"ba", L"baba", 2},
        {L"abc", L"x", L"y", L"abc", 0},
        {L"abc", L"", L"y", L"abc", 0},
        {L"abc", nullptr, L"y", L"abc", 0},
    };
    for (const Case& c : cases) {
        CUIString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(Text(s), c.expected) << c.text;
    }
    CUIString self(L"xyz");
    EXPECT_EQ(self.Replace(self.GetData(), L"0123456789012345678901234567890123456789012345678901234567890123"), 1);
    EXPECT_EQ(self.GetLength(), 64);
}

TEST(UIString, Compare_IsOrdinalAndFoldsOnlyAscii)
{
    const CUIString abc(L"abc");
    EXPECT_LT(abc.Compare(L"abd"), 0);
    EXPECT_GT(abc.Compare(L"ab"), 0);
    EXPECT_EQ(abc.Compare(L"abc"), 0);
    EXPECT_GT(abc.Compare(nullptr), 0);
    EXPECT_TRUE(CUIString(L"B") < CUIString(L"a"));
    EXPECT_EQ(abc.CompareNoCase(L"AbC"), 0);
    EXPECT_LT(CUIString(L"_").CompareNoCase(L"A"), 0);  // letters fold to lower case
    EXPECT_NE(CUIString(L"\u00e4").CompareNoCase(L"\u00c4"), 0);

    CUIString mixed(L"aZ\u00e4-1");
    mixed.MakeUpper();
    EXPECT_EQ(Text(mixed), L"AZ\u00e4-1");
    mixed.MakeLower();
    EXPECT_EQ(Text(mixed), L"az\u00e4-1");
}

TEST(UIString, Format_AnyLength)
{
    CUIString s;
    EXPECT_EQ(s.Format(L"%s-%d-%ld", L"ab", 5, -7L), 7);
    EXPECT_EQ(Text(s), L"ab-5--7");
    const std::wstring longText(300, L'w');
    EXPECT_EQ(s.Format(L"<%s>", longText.c_str()), 302);
    EXPECT_EQ(Text(s), L"<" + longText + L">");
}

TEST(UIString, FormatShort_KeepsResultsPastItsNominalBuffer)
{
    CUIString s;
    EXPECT_EQ(s.FormatShort(L"%d,%s", 12, L"x"), 4);
    EXPECT_EQ(Text(s), L"12,x");
    const std::wstring longText(100, L'k');
    EXPECT_EQ(s.FormatShort(L"%s", longText.c_str()), 100);
    EXPECT_EQ(Text(s), longText);
}

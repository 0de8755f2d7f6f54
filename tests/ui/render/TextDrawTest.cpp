// Plain and formatted text, checked as positions with a fixed-pitch font: formatted text is
// compared with the same glyphs drawn directly at the expected places, and link rectangles,
// measured sizes, alignment offsets, line breaks, ellipsis and paragraph spacing are checked
// in character cells.
#include "RenderTestSupport.h"

#include "ui/render/Renderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VarnUI;
using namespace RenderTest;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class TextTest : public testing::Test {
protected:
    void SetUp() override
    {
        AddTestFont(m_manager);
        m_font = m_manager.GetFontInfo(kTestFont);
        CCanvas probe(4, 4);
        HGDIOBJ old = ::SelectObject(probe.dc(), m_font->font.get());
        ::GetTextMetricsW(probe.dc(), &m_tm);
        SIZE narrow = {0, 0};
        SIZE wide = {0, 0};
        ::GetTextExtentPoint32W(probe.dc(), L"i", 1, &narrow);
        ::GetTextExtentPoint32W(probe.dc(), L"W", 1, &wide);
        ::SelectObject(probe.dc(), old);
        ASSERT_EQ(narrow.cx, wide.cx) << "the test font must have a fixed pitch";
        m_cell = narrow.cx;
        m_line = m_tm.tmHeight + m_tm.tmExternalLeading;
    }

    int Cells(int n) const { return n * m_cell; }

    // Formatted text drawn in black on white; returns the link count.
    int Draw(CCanvas& canvas, const wchar_t* text, RECT rc, UINT style, std::vector<RECT>* links = nullptr,
             std::vector<CUIString>* names = nullptr, int capacity = 0)
    {
        std::vector<RECT> rects(static_cast<std::size_t>(capacity) + 1);
        std::vector<CUIString> texts(static_cast<std::size_t>(capacity) + 1);
        int count = capacity;
        CRenderer::DrawFormattedText(canvas.dc(), &m_manager, rc, text, 0xFF000000, rects.data(), texts.data(), count,
                                     kTestFont, style);
        if (links != nullptr) links->assign(rects.begin(), rects.begin() + count);
        if (names != nullptr) names->assign(texts.begin(), texts.begin() + count);
        return count;
    }

    RECT Measure(const wchar_t* text, RECT rc, UINT style)
    {
        CCanvas canvas(8, 8);
        CRenderer::DrawFormattedText(canvas.dc(), &m_manager, rc, text, 0xFF000000, kTestFont, style | DT_CALCRECT);
        return rc;
    }

    // Draws text straight with the platform, as the reference the renderer must match.
    void Reference(CCanvas& canvas, int x, int y, const wchar_t* text, HFONT font = nullptr,
                   COLORREF color = RGB(0, 0, 0), const RECT* clip = nullptr)
    {
        HDC dc = canvas.dc();
        HGDIOBJ old = ::SelectObject(dc, font != nullptr ? font : m_font->font.get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, color);
        ::ExtTextOutW(dc, x, y, clip != nullptr ? ETO_CLIPPED : 0, clip, text, static_cast<UINT>(wcslen(text)), nullptr);
        ::SelectObject(dc, old);
    }

    HFONT Variant(bool bold, bool underline, bool italic)
    {
        return m_manager.FindFont(m_font->faceName.GetData(), m_font->size, bold, underline, italic);
    }

    void ExpectSame(const CCanvas& actual, const CCanvas& expected)
    {
        int x = 0;
        int y = 0;
        EXPECT_EQ(actual.MaxDifference(expected, &x, &y), 0)
            << "first difference at " << x << "," << y << ": " << Hex(actual.Pixel(x, y)) << " instead of "
            << Hex(expected.Pixel(x, y));
    }

    static void ExpectRect(const RECT& actual, int left, int top, int right, int bottom)
    {
        EXPECT_EQ(actual.left, left);
        EXPECT_EQ(actual.top, top);
        EXPECT_EQ(actual.right, right);
        EXPECT_EQ(actual.bottom, bottom);
    }

    CManagerUI m_manager;
    FontInfoUI* m_font = nullptr;
    TEXTMETRICW m_tm = {};
    int m_cell = 0;
    int m_line = 0;
};

} // namespace

TEST_F(TextTest, PlainTextNeverTreatsAmpersandAsAPrefix)
{
    CCanvas actual(200, 40, kWhite);
    RECT rc = {0, 0, 200, 40};
    const wchar_t text[] = L"a&b &&c";
    CRenderer::DrawText(actual.dc(), &m_manager, rc, text, 0xFF000000, kTestFont, DT_SINGLELINE | DT_MODIFYSTRING |
                                                                                   DT_END_ELLIPSIS);
    EXPECT_STREQ(text, L"a&b &&c");
    CCanvas expected(200, 40, kWhite);
    Reference(expected, 0, 0, L"a&b &&c");
    ExpectSame(actual, expected);

    const SIZE size = CRenderer::MeasureText(actual.dc(), &m_manager, L"abcd", kTestFont);
    EXPECT_EQ(size.cx, Cells(4));
    EXPECT_EQ(size.cy, m_tm.tmHeight);
    const SIZE none = CRenderer::MeasureText(actual.dc(), nullptr, L"abcd", kTestFont);
    EXPECT_EQ(none.cx, 0);
}

TEST_F(TextTest, TagsChangeTheFontAndEscapesStandForBrackets)
{
    CCanvas actual(300, 40, kWhite);
    Draw(actual, L"Hello {b}world{/b} a <{> b {<}{>}", RECT{0, 0, 300, 40}, 0);
    CCanvas expected(300, 40, kWhite);
    Reference(expected, 0, 0, L"Hello ");
    Reference(expected, Cells(6), 0, L"world", Variant(true, false, false));
    Reference(expected, Cells(11), 0, L" a { b <>");
    ExpectSame(actual, expected);
}

TEST_F(TextTest, ItalicRawAndUnknownTags)
{
    CCanvas actual(300, 40, kWhite);
    Draw(actual, L"{i}slanted{/i}{r}{b}<x>{/r}a{q zzz}b", RECT{0, 0, 300, 40}, 0);
    CCanvas expected(300, 40, kWhite);
    Reference(expected, 0, 0, L"slanted", Variant(false, false, true));
    ABC abc = {};
    HGDIOBJ old = ::SelectObject(expected.dc(), Variant(false, false, true));
    ::GetCharABCWidthsW(expected.dc(), L' ', L' ', &abc);
    ::SelectObject(expected.dc(), old);
    Reference(expected, Cells(7) + abc.abcC / 2, 0, L"{b}<x>ab");
    ExpectSame(actual, expected);
}

TEST_F(TextTest, ColourTagIgnoresAlphaAndLanguageTokensAreExpandedFirst)
{
    CManagerUI::AddLanguageString(7, L"{c #00FF0000}red{/c} {x 10}x");
    CCanvas actual(200, 40, kWhite);
    Draw(actual, L"%{7}", RECT{0, 0, 200, 40}, 0);
    CManagerUI::RemoveLanguageString(7);
    CCanvas expected(200, 40, kWhite);
    Reference(expected, 0, 0, L"red", nullptr, RGB(255, 0, 0));
    Reference(expected, Cells(4) + 10, 0, L"x");
    ExpectSame(actual, expected);
}

TEST_F(TextTest, LinksRecordTheirRectanglesAndNames)
{
    CCanvas canvas(400, 40, kWhite);
    std::vector<RECT> links;
    std::vector<CUIString> names;
    EXPECT_EQ(Draw(canvas, L"Go {a first}here{/a} or {a second}there{/a}", RECT{10, 5, 400, 40}, 0, &links, &names, 8),
              2);
    ExpectRect(links[0], 10 + Cells(3), 5, 10 + Cells(7), 5 + m_line);
    ExpectRect(links[1], 10 + Cells(11), 5, 10 + Cells(16), 5 + m_line);
    EXPECT_STREQ(names[0].GetData(), L"first");
    EXPECT_STREQ(names[1].GetData(), L"second");

    // Beyond the capacity nothing is recorded, and the text is still drawn.
    EXPECT_EQ(Draw(canvas, L"{a 1}a{/a}{a 2}b{/a}{a 3}c{/a}", RECT{0, 0, 400, 40}, 0, &links, &names, 2), 2);
    EXPECT_STREQ(names[1].GetData(), L"2");
}

TEST_F(TextTest, LinkWithoutSlotsIsDrawnUnderlinedInTheLinkColour)
{
    CCanvas actual(200, 40, kWhite);
    EXPECT_EQ(Draw(actual, L"{a next}more{/a}", RECT{0, 0, 200, 40}, 0), 0);
    CCanvas expected(200, 40, kWhite);
    const DWORD link = m_manager.GetDefaultLinkFontColor();
    Reference(expected, 0, 0, L"more", Variant(false, true, false), RGB(link >> 16 & 0xFF, link >> 8 & 0xFF, link & 0xFF));
    ExpectSame(actual, expected);
}

TEST_F(TextTest, LinkRunningPastTheLineEndContinuesOnTheNextLine)
{
    CCanvas canvas(200, 100, kWhite);
    std::vector<RECT> links;
    std::vector<CUIString> names;
    EXPECT_EQ(Draw(canvas, L"{a long}aaaa bbbb{/a}", RECT{0, 0, Cells(6), 100}, DT_WORDBREAK, &links, &names, 4), 2);
    ExpectRect(links[0], 0, 0, Cells(5), m_line);
    ExpectRect(links[1], 0, m_line, Cells(4), 2 * m_line);
    EXPECT_STREQ(names[0].GetData(), L"long");
    EXPECT_STREQ(names[1].GetData(), L"long");
}

TEST_F(TextTest, SingleLineBlockAlignment)
{
    CCanvas canvas(200, 60, kWhite);
    std::vector<RECT> links;
    const struct {
        UINT style;
        int left;
        int top;
    } cases[] = {
        {DT_SINGLELINE | DT_CENTER, 20 + 50 - Cells(4) / 2, 0},
        {DT_SINGLELINE | DT_RIGHT, 120 - Cells(4), 0},
        {DT_SINGLELINE | DT_VCENTER, 20, 30 - m_line / 2},
        {DT_SINGLELINE | DT_BOTTOM | DT_CENTER, 20 + 50 - Cells(4) / 2, 60 - m_line},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        ASSERT_EQ(Draw(canvas, L"{a l}abcd{/a}", RECT{20, 0, 120, 60}, c.style, &links, nullptr, 1), 1);
        ExpectRect(links[0], c.left, c.top, c.left + Cells(4), c.top + m_line);
    }
}

TEST_F(TextTest, MultiLineAlignmentOffsetsEachLine)
{
    CCanvas canvas(300, 100, kWhite);
    std::vector<RECT> links;
    const RECT rc = {0, 0, Cells(20), 100};
    ASSERT_EQ(Draw(canvas, L"{a a}ab{/a}\n{a b}abcd{/a}", rc, DT_CENTER, &links, nullptr, 2), 2);
    EXPECT_EQ(links[0].left, Cells(9));
    EXPECT_EQ(links[1].left, Cells(8));
    EXPECT_EQ(links[1].top, m_line);
    ASSERT_EQ(Draw(canvas, L"{a a}ab{/a}\n{a b}abcd{/a}", rc, DT_RIGHT | DT_VCENTER, &links, nullptr, 2), 2);
    EXPECT_EQ(links[0].left, Cells(18));
    EXPECT_EQ(links[1].left, Cells(16));
    EXPECT_EQ(links[0].top, 50 - m_line);
}

TEST_F(TextTest, LineBreaking)
{
    const struct {
        const wchar_t* text;
        int cells;
        UINT style;
        int lines;
        int width;  // in cells
    } cases[] = {
        {L"aaaa bbbb cccc", 10, DT_WORDBREAK, 2, 10},
        {L"aaaa bbbb cccc", 9, DT_WORDBREAK, 2, 9},
        {L"aaaa bbbb cccc", 8, DT_WORDBREAK, 3, 5},
        {L"aaaa bbbb cccc", 9, 0, 2, 9},
        // A word longer than the line is cut where it no longer fits, also after a tag.
        {L"abcdefghijkl", 5, DT_WORDBREAK, 3, 5},
        {L"ab {u}cdefghij{/u}", 6, DT_WORDBREAK, 2, 6},
        {L"one\ntwo{n}three", 20, 0, 3, 5},
        {L"one{n}two", 20, DT_SINGLELINE, 1, 6},
        {L"a-b-c-d", 4, DT_WORDBREAK, 2, 4},
        // A line that fills the width exactly takes the tags and line feed after it.
        {L"{b}abcdef{/b}\nxyz", 6, DT_WORDBREAK, 2, 6},
        {L"abc{b}{/b}\nd", 3, 0, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " in " << c.cells);
        const RECT needed = Measure(c.text, RECT{0, 0, Cells(c.cells), 100}, c.style);
        EXPECT_EQ(needed.bottom, c.lines * m_line);
        EXPECT_EQ(needed.right, Cells(c.width));
    }
}

TEST_F(TextTest, EllipsisEndsTheLineWithThreeDots)
{
    const RECT rc = {0, 0, Cells(6), 40};
    CCanvas actual(200, 40, kWhite);
    Draw(actual, L"abcdefghij", rc, DT_SINGLELINE | DT_END_ELLIPSIS);
    // Six cells fit; the one that did not and two more give way to the dots.
    CCanvas expected(200, 40, kWhite);
    Reference(expected, 0, 0, L"abcd", nullptr, RGB(0, 0, 0), &rc);
    Reference(expected, Cells(4), 0, L"...", nullptr, RGB(0, 0, 0), &rc);
    ExpectSame(actual, expected);
    EXPECT_EQ(Measure(L"abcdefghij", rc, DT_SINGLELINE | DT_END_ELLIPSIS).right, Cells(6));
}

TEST_F(TextTest, RunWhoseFirstCharacterNoLongerFits)
{
    // Half a cell is left after "abc".
    const RECT rc = {0, 0, Cells(3) + m_cell / 2, 40};
    // One character that no longer fits stays on its line.
    EXPECT_EQ(Measure(L"abc{b}d{/b}", rc, 0).bottom, m_line);
    // The ellipsis takes that character too and still shows.
    CCanvas actual(200, 40, kWhite);
    Draw(actual, L"abc{b}de{/b}", rc, DT_SINGLELINE | DT_END_ELLIPSIS);
    CCanvas expected(200, 40, kWhite);
    Reference(expected, 0, 0, L"abc", nullptr, RGB(0, 0, 0), &rc);
    Reference(expected, Cells(3), 0, L"...", Variant(true, false, false), RGB(0, 0, 0), &rc);
    ExpectSame(actual, expected);
}

TEST_F(TextTest, TooNarrowForOneCharacterStillEnds)
{
    // Each line would give up its only character to the ellipsis and start again.
    const RECT needed = Measure(L"abc", RECT{0, 0, 3, 100}, DT_END_ELLIPSIS);
    EXPECT_EQ(needed.bottom, m_line);
    const RECT wrapped = Measure(L"abc", RECT{0, 0, 3, 100}, DT_WORDBREAK);
    EXPECT_EQ(wrapped.bottom, 3 * m_line);
}

TEST_F(TextTest, ParagraphSpacingAddsToEveryLineUntilItCloses)
{
    CCanvas canvas(300, 200, kWhite);
    std::vector<RECT> links;
    ASSERT_EQ(Draw(canvas, L"{p 10}{a 1}one{/a}\n{a 2}two{/a}{/p}{a 3}three{/a}", RECT{0, 0, 300, 200}, 0, &links,
                   nullptr, 3),
              3);
    ExpectRect(links[0], 0, 0, Cells(3), m_line + 10);
    ExpectRect(links[1], 0, m_line + 10, Cells(3), 2 * m_line + 20);
    ExpectRect(links[2], 0, 2 * m_line + 20, Cells(5), 3 * m_line + 20);
    EXPECT_EQ(Measure(L"{p 10}one\ntwo{/p}three", RECT{0, 0, 300, 200}, 0).bottom, 3 * m_line + 20);
    // A paragraph opened inside a line ends that line first, which keeps its own height.
    EXPECT_EQ(Measure(L"one{p 10}two{/p}x", RECT{0, 0, 300, 200}, 0).bottom, 3 * m_line + 10);
    EXPECT_EQ(Measure(L"{y 50}a", RECT{0, 0, 300, 200}, 0).bottom, 50);

    // Text sits at the bottom of a taller line.
    CCanvas actual(100, 60, kWhite);
    Draw(actual, L"{p 10}ab", RECT{0, 0, 100, 60}, 0);
    CCanvas expected(100, 60, kWhite);
    Reference(expected, 0, 10, L"ab");
    ExpectSame(actual, expected);
}

TEST_F(TextTest, InlineImagesDrawTheirPartAligned)
{
    // Three parts of 10 x 30: red, green, blue.
    WriteSkinFile(L"strip.png", Encode(ImageFormat::Png, 30, 30, MakePixels(30, 30, [](int x, int) {
                                           return x < 10 ? 0xFFFF0000u : x < 20 ? 0xFF00FF00u : 0xFF0000FFu;
                                       })));
    CCanvas canvas(200, 60, kWhite);
    Draw(canvas, L"ab{i strip.png 3 1}cd{i missing.png}ef", RECT{0, 0, 200, 60}, 0);
    EXPECT_EQ(canvas.Pixel(Cells(2), 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(canvas.Pixel(Cells(2) + 9, 29) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(canvas.Pixel(Cells(2) + 10, 29) & 0xFFFFFF, 0xFFFFFFu);
    const RECT needed = Measure(L"ab{i strip.png 3 1}cd{i missing.png}ef", RECT{0, 0, 200, 60}, 0);
    EXPECT_EQ(needed.right, Cells(6) + 10);
    EXPECT_EQ(needed.bottom, 30);

    // Text is bottom-aligned by default, top- or centre-aligned under the "v" tag.
    const struct {
        const wchar_t* text;
        int y;
    } cases[] = {
        {L"ab{i strip.png 3}", 30 - m_line},
        {L"{v top}ab{i strip.png 3}{/v}", 0},
        {L"{v center}ab{i strip.png 3}{/v}", (30 - m_line) / 2},
        {L"{v CENTER }ab{i strip.png 3}{/v}", (30 - m_line) / 2},
        // Whole words only: "topmost" is no "top".
        {L"{v topmost}ab{i strip.png 3}{/v}", 30 - m_line},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        CCanvas actual(100, 40, kWhite);
        Draw(actual, c.text, RECT{0, 0, 100, 40}, 0);
        CCanvas expected(100, 40, kWhite);
        Reference(expected, 0, c.y, L"ab");
        expected.FillRect(RECT{Cells(2), 0, Cells(2) + 10, 30}, 0xFFFF0000);
        ExpectSame(actual, expected);
    }
}

TEST_F(TextTest, NestedStylesPopTheirOwnFont)
{
    m_manager.AddFont(2, L"DejaVu Sans Mono", kTestFontSize, true, false, false);
    CCanvas actual(200, 40, kWhite);
    Draw(actual, L"{f 2}{b}a{/b}b{/f}c", RECT{0, 0, 200, 40}, 0);
    CCanvas expected(200, 40, kWhite);
    Reference(expected, 0, 0, L"ab", m_manager.GetFont(2));
    Reference(expected, Cells(2), 0, L"c");
    ExpectSame(actual, expected);
}

// The tokens of formatted text: tags ("<b>" or "{b}", "<c #FF0000>"), closing tags ("</b>"),
// the four escapes ("<{>", "<}>", "{<}", "{>}"), line feeds, blanks and runs of plain text.
// In raw mode only "</r>" (or "{/r}") is special. Tokens point into the caller's text.
#pragma once

namespace VarnUI {

enum class FmtTokenKind { End, LineFeed, Tag, ClosingTag, Escape, RawEnd, Blank, Text };

struct FmtToken {
    FmtTokenKind kind = FmtTokenKind::End;
    // Characters the token spans in the text (for Text: the run's length).
    int length = 0;
    // Tags and closing tags: the lower-case letter.
    wchar_t letter = 0;
    // Tags: the argument, leading blanks skipped, up to (not including) the closing bracket.
    const wchar_t* argument = nullptr;
    int argumentLength = 0;
    // Escapes: the character they stand for.
    wchar_t character = 0;
};

// The token at text (never past its terminator).
FmtToken ReadFmtToken(const wchar_t* text, bool raw);

// Blanks as the markup understands them: every control character and the space.
inline bool IsFmtBlank(wchar_t ch)
{
    return ch > 0 && ch <= L' ';
}

} // namespace VarnUI

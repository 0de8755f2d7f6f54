#include "ui/render/FormattedTextTokens.h"

namespace VarnUI {
namespace {

bool IsOpen(wchar_t ch) { return ch == L'<' || ch == L'{'; }
bool IsClose(wchar_t ch) { return ch == L'>' || ch == L'}'; }
bool IsTagLetter(wchar_t ch) { return ch >= L'a' && ch <= L'z'; }

// Characters up to and including the next closing bracket, or to the end of the text.
int SpanToClose(const wchar_t* text, int from)
{
    int i = from;
    while (text[i] != L'\0' && !IsClose(text[i])) ++i;
    return text[i] != L'\0' ? i + 1 : i;
}

bool IsRawEnd(const wchar_t* text)
{
    return IsOpen(text[0]) && text[1] == L'/' && text[2] == L'r' && IsClose(text[3]);
}

FmtToken TextRun(const wchar_t* text, bool raw)
{
    FmtToken token;
    token.kind = FmtTokenKind::Text;
    // The first character always belongs to the run, even a bracket that starts no tag.
    int i = 1;
    while (text[i] != L'\0' && text[i] != L'\n') {
        if (raw ? IsRawEnd(text + i) : IsOpen(text[i])) break;
        ++i;
    }
    token.length = i;
    return token;
}

} // namespace

FmtToken ReadFmtToken(const wchar_t* text, bool raw)
{
    FmtToken token;
    if (text[0] == L'\0') return token;
    if (text[0] == L'\n') {
        token.kind = FmtTokenKind::LineFeed;
        token.length = 1;
        return token;
    }
    if (text[0] == L' ') {
        token.kind = FmtTokenKind::Blank;
        token.length = 1;
        return token;
    }
    if (raw) {
        if (IsRawEnd(text)) {
            token.kind = FmtTokenKind::RawEnd;
            token.length = 4;
            return token;
        }
        return TextRun(text, true);
    }
    if (!IsOpen(text[0])) return TextRun(text, false);

    if (text[1] == L'/' && IsTagLetter(text[2])) {
        token.kind = FmtTokenKind::ClosingTag;
        token.letter = text[2];
        token.length = SpanToClose(text, 3);
        return token;
    }
    if (IsTagLetter(text[1]) && (IsFmtBlank(text[2]) || IsClose(text[2]))) {
        token.kind = FmtTokenKind::Tag;
        token.letter = text[1];
        int start = 2;
        while (IsFmtBlank(text[start])) ++start;
        int end = start;
        while (text[end] != L'\0' && !IsClose(text[end])) ++end;
        token.argument = text + start;
        token.argumentLength = end - start;
        token.length = text[end] != L'\0' ? end + 1 : end;
        return token;
    }
    const bool angleEscape = text[0] == L'<' && (text[1] == L'{' || text[1] == L'}') && text[2] == L'>';
    const bool braceEscape = text[0] == L'{' && (text[1] == L'<' || text[1] == L'>') && text[2] == L'}';
    if (angleEscape || braceEscape) {
        token.kind = FmtTokenKind::Escape;
        token.character = text[1];
        token.length = 3;
        return token;
    }
    return TextRun(text, false);
}

} // namespace VarnUI

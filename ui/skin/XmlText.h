// Character rules shared by the XML parser and the node's attribute scan, and the bounded
// copy through which the document and its nodes hand out texts. Every scan stops at
// the text's terminator, so none can run past the end of a document.
#pragma once

#include <cwctype>

namespace VarnUI {
namespace XmlText {

// Every character from 1 to 32 counts as white space.
inline bool IsWhite(wchar_t c)
{
    return c > 0 && c <= 32;
}

inline bool IsNameChar(wchar_t c)
{
    return std::iswalnum(c) || c == L'_' || c == L':';
}

// The next-character step moves by one UTF-16 unit: every markup character is plain ASCII,
// so stepping over combining marks as a unit would change nothing but the cost.
template <typename Char>
void SkipWhite(Char*& p)
{
    while (IsWhite(*p)) ++p;
}

template <typename Char>
void SkipName(Char*& p)
{
    while (IsNameChar(*p)) ++p;
}

// Copies at most size - 1 characters of text into buffer and always terminates it, so a
// caller's buffer never holds an unterminated text.
inline void CopyBounded(wchar_t* buffer, int size, const wchar_t* text)
{
    if (!buffer || size <= 0) return;
    int i = 0;
    for (; i < size - 1 && text[i] != L'\0'; ++i) buffer[i] = text[i];
    buffer[i] = L'\0';
}

} // namespace XmlText
} // namespace VarnUI

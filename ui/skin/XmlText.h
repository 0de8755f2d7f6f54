// Character rules shared by the XML parser and the node's attribute scan. Every scan stops at
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

} // namespace XmlText
} // namespace VarnUI

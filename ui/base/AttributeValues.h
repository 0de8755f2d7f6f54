// Readers of the values skin attributes are written in: booleans, decimal integers, ARGB
// colours in hexadecimal, and lists of numbers separated by single characters. Every reader
// takes the text alone and gives the value alone (a null text reads as the empty one), so a
// caller that stores pixel values can scale them where it stores them.
#pragma once

#include <windows.h>

namespace VarnUI {

// True only for the exact text "true".
bool AttributeIsTrue(const wchar_t* text);
// True for "true" in any case (window attributes and the builder's resource elements).
bool AttributeIsTrueNoCase(const wchar_t* text);

// A decimal number as the runtime reads it (leading white space, an optional sign); 0 when
// the text holds none. end, when given, receives where the reading stopped.
int AttributeInt(const wchar_t* text, const wchar_t** end = nullptr);
// A decimal number pinned to 0..255 instead of wrapped.
BYTE AttributeByte(const wchar_t* text);

// Hexadecimal AARRGGBB after one optional leading "#" (an optional "0x" is read too).
DWORD AttributeColor(const wchar_t* text);
// The same after leading blanks (every character up to the space).
DWORD AttributeColorAfterBlanks(const wchar_t* text);

// Up to count decimal numbers, each followed by exactly one separator character of any kind
// (normally a comma); an empty number reads 0, and values past the end of the text stay as
// they were. Returns how many numbers were read.
int AttributeNumbers(const wchar_t* text, LONG* values, int count);
// The same with decimal fractions.
int AttributeFractions(const wchar_t* text, double* values, int count);

// A colour for pens, text and backgrounds: the alpha byte dropped, red and blue swapped.
inline COLORREF ArgbToColorRef(DWORD argb)
{
    return RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF);
}

} // namespace VarnUI

#include "ui/base/AttributeValues.h"

#include "ui/base/UIString.h"

#include <cwchar>

namespace VarnUI {
namespace {

const wchar_t* OrEmpty(const wchar_t* text)
{
    return text != nullptr ? text : L"";
}

// The list rule once for every number type: read one, skip one character, go on. A list
// that ends early stops at the terminator; a separator at the very end promises one more
// (empty, so 0) number.
template <typename T, typename Read>
int ReadList(const wchar_t* text, T* values, int count, Read read)
{
    const wchar_t* cursor = OrEmpty(text);
    if (*cursor == L'\0') return 0;
    int done = 0;
    while (done < count) {
        wchar_t* end = nullptr;
        values[done++] = read(cursor, &end);
        if (*end == L'\0') break;
        cursor = end + 1;
    }
    return done;
}

bool IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

// A decimal fraction read as the C library's reader reads one: blanks skipped, an optional
// sign, digits with an optional point and an optional exponent. Without digits nothing is read
// and `end` is the start. The skin's few fractions need no more, and the library's reader
// brings a whole arbitrary-precision engine into the program.
double ReadFraction(const wchar_t* from, wchar_t** end)
{
    const wchar_t* at = from;
    while (*at == L' ' || (*at >= L'\t' && *at <= L'\r')) ++at;
    const bool negative = *at == L'-';
    if (*at == L'+' || *at == L'-') ++at;
    double value = 0.0;
    bool digits = false;
    for (; IsDigit(*at); ++at, digits = true) value = value * 10.0 + (*at - L'0');
    if (*at == L'.') {
        double scale = 1.0;
        for (++at; IsDigit(*at); ++at, digits = true) {
            scale /= 10.0;
            value += (*at - L'0') * scale;
        }
    }
    if (!digits) {
        *end = const_cast<wchar_t*>(from);
        return 0.0;
    }
    if (*at == L'e' || *at == L'E') {
        const wchar_t* mark = at + 1;
        const bool down = *mark == L'-';
        if (*mark == L'+' || *mark == L'-') ++mark;
        if (IsDigit(*mark)) {
            int exponent = 0;
            // Past a few hundred every double is infinite or zero already.
            for (; IsDigit(*mark); ++mark) exponent = exponent < 1000 ? exponent * 10 + (*mark - L'0') : exponent;
            for (int i = 0; i < exponent; ++i) value = down ? value / 10.0 : value * 10.0;
            at = mark;
        }
    }
    *end = const_cast<wchar_t*>(at);
    return negative ? -value : value;
}

} // namespace

bool AttributeIsTrue(const wchar_t* text)
{
    return std::wcscmp(OrEmpty(text), L"true") == 0;
}

bool AttributeIsTrueNoCase(const wchar_t* text)
{
    return SameTextNoCase(text, L"true");
}

int AttributeInt(const wchar_t* text, const wchar_t** end)
{
    wchar_t* stop = nullptr;
    const long value = std::wcstol(OrEmpty(text), &stop, 10);
    if (end != nullptr) *end = stop;
    return static_cast<int>(value);
}

BYTE AttributeByte(const wchar_t* text)
{
    const long value = std::wcstol(OrEmpty(text), nullptr, 10);
    return static_cast<BYTE>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

DWORD AttributeColor(const wchar_t* text)
{
    text = OrEmpty(text);
    if (*text == L'#') ++text;
    return static_cast<DWORD>(std::wcstoul(text, nullptr, 16));
}

DWORD AttributeColorAfterBlanks(const wchar_t* text)
{
    text = OrEmpty(text);
    while (*text != L'\0' && *text <= L' ') ++text;
    return AttributeColor(text);
}

int AttributeNumbers(const wchar_t* text, LONG* values, int count)
{
    return ReadList(text, values, count, [](const wchar_t* from, wchar_t** end) { return std::wcstol(from, end, 10); });
}

int AttributeFractions(const wchar_t* text, double* values, int count)
{
    return ReadList(text, values, count, ReadFraction);
}

} // namespace VarnUI

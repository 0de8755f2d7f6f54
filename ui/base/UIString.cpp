#include "ui/base/UIString.h"

#include <windows.h>

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace VarnUI {
namespace {

// wvsprintfW writes up to this many characters whatever buffer it is given.
constexpr int kWsprintfLimit = 1024;

// Length of text, looking at no more than maxCount characters (all when maxCount < 0).
int BoundedLength(const wchar_t* text, int maxCount)
{
    int length = 0;
    while ((maxCount < 0 || length < maxCount) && text[length] != L'\0') ++length;
    return length;
}

// A block for length characters and the terminator; null when it cannot be had.
wchar_t* AllocText(int length)
{
    const size_t slots = static_cast<size_t>(length) + 1;
    if (length < 0 || slots > SIZE_MAX / sizeof(wchar_t)) return nullptr;
    return static_cast<wchar_t*>(std::malloc(slots * sizeof(wchar_t)));
}

// The ANSI text converted to a terminated wide text the caller frees; null on failure.
// Every ANSI byte gives at most one code unit, so strlen + 1 units always suffice.
wchar_t* WidenAnsi(const char* text)
{
    const size_t bytes = std::strlen(text) + 1;
    if (bytes > static_cast<size_t>(INT_MAX)) return nullptr;
    auto* wide = static_cast<wchar_t*>(std::calloc(bytes, sizeof(wchar_t)));
    if (wide == nullptr) return nullptr;
    // On failure the zero-filled buffer reads as the empty text.
    ::MultiByteToWideChar(::GetACP(), 0, text, -1, wide, static_cast<int>(bytes));
    return wide;
}

wchar_t FoldAscii(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

const wchar_t* OrEmpty(const wchar_t* text)
{
    return text != nullptr ? text : L"";
}

} // namespace

CUIString::CUIString() : m_text(m_inline)
{
    m_inline[0] = L'\0';
}

CUIString::CUIString(wchar_t ch) : m_text(m_inline)
{
    m_inline[0] = ch;
    m_inline[1] = L'\0';
}

CUIString::CUIString(const wchar_t* text, int count) : m_text(m_inline)
{
    m_inline[0] = L'\0';
    Assign(text, count);
}

CUIString::CUIString(const CUIString& src) : m_text(m_inline)
{
    m_inline[0] = L'\0';
    Assign(src.m_text);
}

CUIString::~CUIString()
{
    FreeHeap();
}

void CUIString::FreeHeap()
{
    if (!IsInline()) std::free(m_text);
    m_text = m_inline;
}

void CUIString::Assign(const wchar_t* text, int count)
{
    text = OrEmpty(text);
    const int length = BoundedLength(text, count);
    if (length <= kMaxInlineLength) {
        // The text may lie in the heap block, so it is copied before the block goes.
        std::memmove(m_inline, text, length * sizeof(wchar_t));
        m_inline[length] = L'\0';
        FreeHeap();
        return;
    }
    if (IsInline() || GetLength() < length) {
        // A fresh block keeps the source readable even when it lies in the old one.
        wchar_t* block = AllocText(length);
        if (block == nullptr) {
            Empty();
            return;
        }
        std::memcpy(block, text, length * sizeof(wchar_t));
        FreeHeap();
        m_text = block;
    } else {
        std::memmove(m_text, text, length * sizeof(wchar_t));
    }
    m_text[length] = L'\0';
}

void CUIString::Append(const wchar_t* text)
{
    if (text == nullptr) return;
    const int oldLength = GetLength();
    const int addLength = static_cast<int>(std::wcslen(text));
    const int newLength = oldLength + addLength;
    if (newLength > kMaxInlineLength) {
        wchar_t* block = AllocText(newLength);
        if (block == nullptr) return;
        std::memcpy(block, m_text, oldLength * sizeof(wchar_t));
        std::memcpy(block + oldLength, text, addLength * sizeof(wchar_t));
        block[newLength] = L'\0';
        FreeHeap();
        m_text = block;
        return;
    }
    if (!IsInline()) {
        // A heap text that SetAt shortened comes back inline, like every short text. The
        // text appended may lie in the block, which goes only after it has been read.
        std::memcpy(m_inline, m_text, oldLength * sizeof(wchar_t));
        std::memcpy(m_inline + oldLength, text, addLength * sizeof(wchar_t));
        m_inline[newLength] = L'\0';
        FreeHeap();
        return;
    }
    std::memmove(m_text + oldLength, text, addLength * sizeof(wchar_t));
    m_text[newLength] = L'\0';
}

void CUIString::Empty()
{
    FreeHeap();
    m_inline[0] = L'\0';
}

int CUIString::GetLength() const
{
    return static_cast<int>(std::wcslen(m_text));
}

bool CUIString::IsEmpty() const
{
    return m_text[0] == L'\0';
}

const wchar_t* CUIString::GetData() const
{
    return m_text;
}

wchar_t CUIString::GetAt(int index) const
{
    return m_text[index];
}

wchar_t CUIString::operator[](int index) const
{
    return m_text[index];
}

void CUIString::SetAt(int index, wchar_t ch)
{
    m_text[index] = ch;
}

const CUIString& CUIString::operator=(const CUIString& src)
{
    if (this != &src) Assign(src.m_text);
    return *this;
}

const CUIString& CUIString::operator=(const wchar_t* text)
{
    Assign(text);
    return *this;
}

const CUIString& CUIString::operator=(const char* text)
{
    if (text == nullptr) {
        Empty();
        return *this;
    }
    wchar_t* wide = WidenAnsi(text);
    Assign(wide);
    std::free(wide);
    return *this;
}

const CUIString& CUIString::operator=(wchar_t ch)
{
    const wchar_t text[2] = {ch, L'\0'};
    Assign(text);
    return *this;
}

const CUIString& CUIString::operator+=(const CUIString& src)
{
    Append(src.m_text);
    return *this;
}

const CUIString& CUIString::operator+=(const wchar_t* text)
{
    Append(text);
    return *this;
}

const CUIString& CUIString::operator+=(const char* text)
{
    if (text == nullptr) return *this;
    wchar_t* wide = WidenAnsi(text);
    Append(wide);
    std::free(wide);
    return *this;
}

const CUIString& CUIString::operator+=(wchar_t ch)
{
    const wchar_t text[2] = {ch, L'\0'};
    Append(text);
    return *this;
}

CUIString CUIString::operator+(const CUIString& src) const
{
    CUIString result(*this);
    result.Append(src.m_text);
    return result;
}

CUIString CUIString::operator+(const wchar_t* text) const
{
    CUIString result(*this);
    result.Append(text);
    return result;
}

int CUIString::Compare(const wchar_t* text) const
{
    return std::wcscmp(m_text, OrEmpty(text));
}

int CUIString::CompareNoCase(const wchar_t* text) const
{
    return CompareTextNoCase(m_text, text);
}

int CompareTextNoCase(const wchar_t* left, const wchar_t* right)
{
    left = OrEmpty(left);
    right = OrEmpty(right);
    for (;; ++left, ++right) {
        const wchar_t a = FoldAscii(*left);
        const wchar_t b = FoldAscii(*right);
        if (a != b) return a < b ? -1 : 1;
        if (a == L'\0') return 0;
    }
}

bool CUIString::operator==(const wchar_t* text) const { return Compare(text) == 0; }
bool CUIString::operator!=(const wchar_t* text) const { return Compare(text) != 0; }
bool CUIString::operator<(const wchar_t* text) const { return Compare(text) < 0; }
bool CUIString::operator<=(const wchar_t* text) const { return Compare(text) <= 0; }
bool CUIString::operator>(const wchar_t* text) const { return Compare(text) > 0; }
bool CUIString::operator>=(const wchar_t* text) const { return Compare(text) >= 0; }
bool CUIString::operator==(const CUIString& other) const { return Compare(other.m_text) == 0; }
bool CUIString::operator!=(const CUIString& other) const { return Compare(other.m_text) != 0; }
bool CUIString::operator<(const CUIString& other) const { return Compare(other.m_text) < 0; }
bool CUIString::operator<=(const CUIString& other) const { return Compare(other.m_text) <= 0; }
bool CUIString::operator>(const CUIString& other) const { return Compare(other.m_text) > 0; }
bool CUIString::operator>=(const CUIString& other) const { return Compare(other.m_text) >= 0; }

void CUIString::MakeUpper()
{
    for (wchar_t* p = m_text; *p != L'\0'; ++p) {
        if (*p >= L'a' && *p <= L'z') *p = static_cast<wchar_t>(*p - L'a' + L'A');
    }
}

void CUIString::MakeLower()
{
    for (wchar_t* p = m_text; *p != L'\0'; ++p) *p = FoldAscii(*p);
}

CUIString CUIString::Left(int length) const
{
    const int total = GetLength();
    if (length < 0) length = 0;
    if (length > total) length = total;
    return CUIString(m_text, length);
}

CUIString CUIString::Mid(int pos, int length) const
{
    const int total = GetLength();
    if (pos < 0 || pos > total) return CUIString();
    if (length < 0 || length > total - pos) length = total - pos;
    if (length <= 0) return CUIString();
    return CUIString(m_text + pos, length);
}

CUIString CUIString::Right(int length) const
{
    const int total = GetLength();
    if (length < 0) length = 0;
    if (length > total) length = total;
    return CUIString(m_text + total - length, length);
}

int CUIString::Find(wchar_t ch, int start) const
{
    if (start != 0 && (start < 0 || start >= GetLength())) return -1;
    const wchar_t* found = std::wcschr(m_text + start, ch);
    return found != nullptr ? static_cast<int>(found - m_text) : -1;
}

int CUIString::Find(const wchar_t* text, int start) const
{
    if (text == nullptr) return -1;
    if (start != 0 && (start < 0 || start > GetLength())) return -1;
    const wchar_t* found = std::wcsstr(m_text + start, text);
    return found != nullptr ? static_cast<int>(found - m_text) : -1;
}

int CUIString::ReverseFind(wchar_t ch) const
{
    const wchar_t* found = std::wcsrchr(m_text, ch);
    return found != nullptr ? static_cast<int>(found - m_text) : -1;
}

int CUIString::Replace(const wchar_t* from, const wchar_t* to)
{
    if (from == nullptr || from[0] == L'\0') return 0;
    // Either text may lie in this string, which changes below.
    const CUIString search(from);
    const CUIString replacement(to);
    const int searchLength = search.GetLength();
    const int replacementLength = replacement.GetLength();
    int count = 0;
    for (int pos = Find(search.m_text); pos >= 0; pos = Find(search.m_text, pos + replacementLength)) {
        *this = Left(pos) + replacement + Mid(pos + searchLength);
        ++count;
    }
    return count;
}

int CUIString::Format(const wchar_t* format, ...)
{
    if (format == nullptr) {
        Empty();
        return 0;
    }
    va_list args;
    va_start(args, format);
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = _vscwprintf(format, measureArgs);
    va_end(measureArgs);
    const size_t slots = static_cast<size_t>(length) + 1;
    wchar_t* buffer = length >= 0 ? static_cast<wchar_t*>(std::calloc(slots, sizeof(wchar_t))) : nullptr;
    if (buffer == nullptr) {
        va_end(args);
        Empty();
        return -1;
    }
    _vsnwprintf_s(buffer, slots, _TRUNCATE, format, args);
    va_end(args);
    Assign(buffer, length);
    std::free(buffer);
    return length;
}

int CUIString::FormatShort(const wchar_t* format, ...)
{
    if (format == nullptr) {
        Empty();
        return 0;
    }
    // Sized for wvsprintfW's own limit, so a result of 64 characters or more cannot
    // write past the buffer; such a result is kept whole.
    wchar_t buffer[kWsprintfLimit + 1] = {};
    va_list args;
    va_start(args, format);
    const int result = ::wvsprintfW(buffer, format, args);
    va_end(args);
    buffer[kWsprintfLimit] = L'\0';
    Assign(buffer);
    return result;
}

} // namespace VarnUI

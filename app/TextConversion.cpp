#include "app/TextConversion.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

namespace {

CUIString ToWide(UINT codePage, DWORD flags, const char* text, int length)
{
    if (text == nullptr || length == 0) return CUIString();
    const int size = ::MultiByteToWideChar(codePage, flags, text, length, nullptr, 0);
    if (size <= 0) return CUIString();
    const std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[static_cast<size_t>(size) + 1]);
    if (!buffer) return CUIString();
    const int written = ::MultiByteToWideChar(codePage, flags, text, length, buffer.get(), size);
    if (written <= 0) return CUIString();
    buffer[written] = L'\0';
    CUIString wide(buffer.get());
    // A copy that could not get its memory comes back empty.
    return wide;
}

// `usedDefault` may be null; it is set when a character had no exact form.
NarrowText ToNarrow(DWORD flags, const wchar_t* text, int length, BOOL* usedDefault)
{
    if (text == nullptr || length == 0) return NarrowText();
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text, length, nullptr, 0, nullptr, usedDefault);
    if (size <= 0) return NarrowText();
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
    if (!buffer) return NarrowText();
    const int written = ::WideCharToMultiByte(CP_ACP, flags, text, length, buffer.get(), size, nullptr, usedDefault);
    if (written <= 0) return NarrowText();
    buffer[written] = '\0';
    // Up to the first terminator, as the whole-text conversions always gave.
    return NarrowText(buffer.get());
}

int WideLength(const wchar_t* text)
{
    return text != nullptr ? static_cast<int>(std::wcslen(text)) : 0;
}

int NarrowLength(const char* text)
{
    return text != nullptr ? static_cast<int>(std::strlen(text)) : 0;
}

} // namespace

NarrowText WideToNarrow(const wchar_t* text)
{
    return ToNarrow(0, text, WideLength(text), nullptr);
}

CUIString NarrowToWide(const char* text)
{
    return ToWide(CP_ACP, 0, text, NarrowLength(text));
}

CUIString ThreadAnsiToWide(const char* text)
{
    return ToWide(CP_THREAD_ACP, 0, text, NarrowLength(text));
}

bool WideToNarrowExact(const wchar_t* text, NarrowText* narrow)
{
    return WideToNarrowExact(text, WideLength(text), narrow);
}

bool WideToNarrowExact(const wchar_t* text, int length, NarrowText* narrow)
{
    *narrow = NarrowText();
    if (length <= 0) return true;
    if (std::wmemchr(text, L'\0', static_cast<size_t>(length)) != nullptr) return false;
    // UTF-8 has no best fit and takes no used-default flag; only unpaired surrogates fail there.
    const bool utf8 = ::GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    NarrowText converted = utf8 ? ToNarrow(WC_ERR_INVALID_CHARS, text, length, nullptr)
                                : ToNarrow(WC_NO_BEST_FIT_CHARS, text, length, &usedDefault);
    if (converted.IsEmpty() || usedDefault) return false;
    *narrow = static_cast<NarrowText&&>(converted);
    return true;
}

bool NarrowToWideExact(const char* text, CUIString* wide, UINT codePage)
{
    return NarrowToWideExact(text, NarrowLength(text), wide, codePage);
}

bool NarrowToWideExact(const char* text, int length, CUIString* wide, UINT codePage)
{
    wide->Empty();
    if (length <= 0) return true;
    if (std::memchr(text, '\0', static_cast<size_t>(length)) != nullptr) return false;
    const CUIString converted = ToWide(codePage, MB_ERR_INVALID_CHARS, text, length);
    if (converted.IsEmpty()) return false;
    *wide = converted;
    // The copy may have failed for want of memory.
    return wide->GetLength() == converted.GetLength();
}

CUIString JoinTexts(const wchar_t* first, const wchar_t* second, const wchar_t* third, const wchar_t* fourth)
{
    const wchar_t* const parts[] = {first, second, third, fourth};
    CUIString joined;
    int expected = 0;
    for (const wchar_t* part : parts) {
        if (part == nullptr) continue;
        joined.Append(part);
        expected += WideLength(part);
    }
    if (joined.GetLength() != expected) return CUIString();
    return joined;
}

#include "app/TextConversion.h"

#include <vector>

namespace {

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text)
{
    const int size = ::MultiByteToWideChar(codePage, flags, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(size));
    if (::MultiByteToWideChar(codePage, flags, text.c_str(), -1, buffer.data(), size) <= 0) return std::wstring();
    return std::wstring(buffer.data());
}

// `usedDefault` may be null; it is set when a character had no exact form.
std::string ToNarrow(DWORD flags, const std::wstring& text, BOOL* usedDefault)
{
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text.c_str(), -1, nullptr, 0, nullptr, usedDefault);
    if (size <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, flags, text.c_str(), -1, buffer.data(), size, nullptr, usedDefault) <= 0) {
        return std::string();
    }
    return std::string(buffer.data());
}

} // namespace

std::string WideToNarrow(const std::wstring& text)
{
    return ToNarrow(0, text, nullptr);
}

std::wstring NarrowToWide(const std::string& text)
{
    return ToWide(CP_ACP, 0, text);
}

std::wstring ThreadAnsiToWide(const std::string& text)
{
    return ToWide(CP_THREAD_ACP, 0, text);
}

bool WideToNarrowExact(const std::wstring& text, std::string* narrow)
{
    narrow->clear();
    if (text.empty()) return true;
    if (text.find(L'\0') != std::wstring::npos) return false;
    // UTF-8 has no best fit and takes no used-default flag; only unpaired surrogates fail there.
    const bool utf8 = ::GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    std::string converted = utf8 ? ToNarrow(WC_ERR_INVALID_CHARS, text, nullptr)
                                 : ToNarrow(WC_NO_BEST_FIT_CHARS, text, &usedDefault);
    if (converted.empty() || usedDefault) return false;
    *narrow = std::move(converted);
    return true;
}

bool NarrowToWideExact(const std::string& text, std::wstring* wide, UINT codePage)
{
    wide->clear();
    if (text.empty()) return true;
    if (text.find('\0') != std::string::npos) return false;
    std::wstring converted = ToWide(codePage, MB_ERR_INVALID_CHARS, text);
    if (converted.empty()) return false;
    *wide = std::move(converted);
    return true;
}

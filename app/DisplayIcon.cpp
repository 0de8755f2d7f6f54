#include "app/DisplayIcon.h"

namespace {

size_t SkipSpaces(const std::wstring& text, size_t at)
{
    while (at < text.size() && text[at] == L' ') ++at;
    return at;
}

// True for an icon index as it follows a path: a comma, an optional minus and digits, with
// spaces around them.
bool IsIconIndex(const std::wstring& text)
{
    if (text.empty() || text[0] != L',') return false;
    size_t at = SkipSpaces(text, 1);
    if (at < text.size() && text[at] == L'-') ++at;
    const size_t digits = at;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') ++at;
    return at > digits && SkipSpaces(text, at) == text.size();
}

} // namespace

std::wstring ExecutableFromDisplayIcon(const std::wstring& value)
{
    std::wstring path;
    if (!value.empty() && value[0] == L'"') {
        const size_t close = value.find(L'"', 1);
        if (close == std::wstring::npos) return std::wstring();
        const std::wstring rest = value.substr(SkipSpaces(value, close + 1));
        if (!rest.empty() && !IsIconIndex(rest)) return std::wstring();
        path = value.substr(1, close - 1);
    } else {
        const size_t comma = value.rfind(L',');
        path = value;
        if (comma != std::wstring::npos && IsIconIndex(value.substr(comma))) {
            path.erase(comma);
            while (!path.empty() && path.back() == L' ') path.pop_back();
        }
    }
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

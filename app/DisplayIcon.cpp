#include "app/DisplayIcon.h"

using VarnUI::CUIString;

namespace {

const wchar_t* SkipSpaces(const wchar_t* at)
{
    while (*at == L' ') ++at;
    return at;
}

// True for an icon index as it follows a path: a comma, an optional minus and digits, with
// spaces around them, up to the end of the text.
bool IsIconIndex(const wchar_t* text)
{
    if (*text != L',') return false;
    const wchar_t* at = SkipSpaces(text + 1);
    if (*at == L'-') ++at;
    const wchar_t* digits = at;
    while (*at >= L'0' && *at <= L'9') ++at;
    return at > digits && *SkipSpaces(at) == L'\0';
}

} // namespace

CUIString ExecutableFromDisplayIcon(const CUIString& value)
{
    CUIString path;
    if (value[0] == L'"') {
        const int close = value.Find(L'"', 1);
        if (close < 0) return CUIString();
        const wchar_t* rest = SkipSpaces(value.GetData() + close + 1);
        if (*rest != L'\0' && !IsIconIndex(rest)) return CUIString();
        path = value.Mid(1, close - 1);
    } else {
        const int comma = value.ReverseFind(L',');
        path = value;
        if (comma >= 0 && IsIconIndex(value.GetData() + comma)) {
            int end = comma;
            while (end > 0 && value[end - 1] == L' ') --end;
            path = value.Left(end);
        }
    }
    const int length = path.GetLength();
    for (int i = 0; i < length; ++i) {
        if (path[i] == L'/') path.SetAt(i, L'\\');
    }
    return path;
}

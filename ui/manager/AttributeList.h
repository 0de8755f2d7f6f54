// The reader of attribute lists written as name="value" pairs, shared by the window
// attributes and the controls. A name is every character up to "=" (blanks included); the
// "=" must be followed by a double quote and the value runs to the next one. After a
// closing quote a single space leads to the next pair; anything else, the end of the text
// or a malformed pair ends the reading (pairs already read stay applied).
#pragma once

#include "ui/base/UIString.h"

#include <windows.h>

namespace VarnUI {

// Calls apply(name, value) for each pair, in order.
template <typename Fn>
void ParseAttributeList(const wchar_t* text, Fn apply)
{
    if (text == nullptr) return;
    const wchar_t* cursor = text;
    while (*cursor != L'\0') {
        const wchar_t* nameStart = cursor;
        while (*cursor != L'\0' && *cursor != L'=') cursor = ::CharNextW(cursor);
        if (*cursor != L'=') return;
        const CUIString name(nameStart, static_cast<int>(cursor - nameStart));
        cursor = ::CharNextW(cursor);
        if (*cursor != L'"') return;
        cursor = ::CharNextW(cursor);
        const wchar_t* valueStart = cursor;
        while (*cursor != L'\0' && *cursor != L'"') cursor = ::CharNextW(cursor);
        if (*cursor != L'"') return;
        const CUIString value(valueStart, static_cast<int>(cursor - valueStart));
        cursor = ::CharNextW(cursor);
        apply(name.GetData(), value.GetData());
        if (*cursor != L' ') return;
        cursor = ::CharNextW(cursor);
    }
}

} // namespace VarnUI

// Readers of the skin's attribute values shared by the text-bearing controls: booleans
// (true only for "true"), decimal integers, hexadecimal ARGB colours with an optional "#",
// and the common rule for storing a new image attribute string.
#pragma once

#include "ui/base/UIString.h"
#include "ui/render/RenderTypes.h"

#include <windows.h>

#include <cwchar>

namespace VarnUI {

inline bool AttributeIsTrue(const wchar_t* value)
{
    return CUIString(value) == L"true";
}

inline int AttributeInt(const wchar_t* value)
{
    return static_cast<int>(std::wcstol(value, nullptr, 10));
}

inline DWORD AttributeColor(const wchar_t* value)
{
    if (*value == L'#') ++value;
    return static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
}

// A new image attribute string: true when the record was cleared and took the text (the
// caller then invalidates); false when it already holds that text and its image.
inline bool ResetImageString(ImageDrawUI& record, const wchar_t* drawString)
{
    if (record.drawString == drawString && record.image != nullptr) return false;
    record.Clear();
    record.drawString = drawString;
    return true;
}

} // namespace VarnUI

#include "ui/render/ImageAttribute.h"

#include "ui/base/AttributeValues.h"
#include "ui/render/Renderer.h"

namespace VarnUI {
namespace {

bool IsBlank(wchar_t ch)
{
    return ch > 0 && ch <= L' ';
}

const wchar_t* SkipBlanks(const wchar_t* cursor)
{
    while (IsBlank(*cursor)) ++cursor;
    return cursor;
}

void ApplyPair(const CUIString& key, const CUIString& value, ImageDrawUI& record, ImageSourceUI& source,
               CUIString& resType, bool& isColor)
{
    const wchar_t* text = value.GetData();
    if (key == L"file") {
        source.name = value;
        source.typeUsed = false;
        isColor = false;
    } else if (key == L"res") {
        source.name = value;
        source.typeUsed = true;
        isColor = false;
    } else if (key == L"restype") {
        resType = value;
    } else if (key == L"color") {
        source.name = value;
        source.typeUsed = true;
        isColor = true;
    } else if (key == L"dest") {
        record.dest = CUIRect(text);
    } else if (key == L"source") {
        record.source = CUIRect(text);
    } else if (key == L"corner" || key == L"scale9") {
        record.corner = CUIRect(text);
    } else if (key == L"mask") {
        source.mask = AttributeColor(text);
    } else if (key == L"fade") {
        // Out-of-range values saturate rather than wrap around.
        record.fade = AttributeByte(text);
    } else if (key == L"hole") {
        record.hole = AttributeIsTrue(text);
    } else if (key == L"xtiled") {
        record.xTiled = AttributeIsTrue(text);
    } else if (key == L"ytiled") {
        record.yTiled = AttributeIsTrue(text);
    } else if (key == L"hsl") {
        source.keepSource = AttributeIsTrue(text);
    }
}

} // namespace

void ParseImageAttribute(const wchar_t* text, ImageDrawUI& record, ImageSourceUI& source)
{
    source = ImageSourceUI();
    if (text == nullptr) return;
    source.name = text;
    CUIString resType;
    bool isColor = false;
    const wchar_t* cursor = text;
    while (*cursor != L'\0') {
        cursor = SkipBlanks(cursor);
        const wchar_t* keyStart = cursor;
        while (*cursor != L'\0' && *cursor != L'=' && !IsBlank(*cursor)) ++cursor;
        const CUIString key(keyStart, static_cast<int>(cursor - keyStart));
        cursor = SkipBlanks(cursor);
        if (*cursor != L'=') break;
        cursor = SkipBlanks(cursor + 1);
        if (*cursor != L'\'') break;
        const wchar_t* valueStart = ++cursor;
        while (*cursor != L'\0' && *cursor != L'\'') ++cursor;
        if (*cursor != L'\'') break;
        const CUIString value(valueStart, static_cast<int>(cursor - valueStart));
        ++cursor;
        if (!value.IsEmpty()) ApplyPair(key, value, record, source, resType, isColor);
        if (!IsBlank(*cursor)) break;
        ++cursor;
    }
    if (isColor) {
        source.type = kColorImageType;
    } else if (source.typeUsed) {
        source.type = resType;
    }
}

} // namespace VarnUI

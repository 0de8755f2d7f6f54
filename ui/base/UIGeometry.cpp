#include "ui/base/UIGeometry.h"

#include <cwchar>

namespace VarnUI {
namespace {

// Reads up to count decimal numbers, each followed by one separator character of any kind,
// into values (which stay 0 where the text runs out). Never reads past the terminator.
void ParseNumbers(const wchar_t* text, LONG* values, int count)
{
    if (text == nullptr) return;
    const wchar_t* cursor = text;
    for (int i = 0; i < count && *cursor != L'\0'; ++i) {
        wchar_t* end = nullptr;
        values[i] = std::wcstol(cursor, &end, 10);
        if (*end == L'\0') return;
        cursor = end + 1;
    }
}

} // namespace

CUIPoint::CUIPoint() : tagPOINT{0, 0} {}

CUIPoint::CUIPoint(const POINT& src) : tagPOINT(src) {}

CUIPoint::CUIPoint(LONG x, LONG y) : tagPOINT{x, y} {}

CUIPoint::CUIPoint(LPARAM lParam)
    : tagPOINT{static_cast<short>(static_cast<WORD>(lParam & 0xFFFF)),
               static_cast<short>(static_cast<WORD>((lParam >> 16) & 0xFFFF))}
{
}

CUIPoint::CUIPoint(const wchar_t* text) : tagPOINT{0, 0}
{
    LONG values[2] = {};
    ParseNumbers(text, values, 2);
    x = values[0];
    y = values[1];
}

CUIString CUIPoint::ToString() const
{
    CUIString text;
    text.Format(L"%ld,%ld", x, y);
    return text;
}

CUISize::CUISize() : tagSIZE{0, 0} {}

CUISize::CUISize(const SIZE& src) : tagSIZE(src) {}

CUISize::CUISize(LONG cx, LONG cy) : tagSIZE{cx, cy} {}

CUISize::CUISize(const RECT& rc) : tagSIZE{rc.right - rc.left, rc.bottom - rc.top} {}

CUISize::CUISize(const wchar_t* text) : tagSIZE{0, 0}
{
    LONG values[2] = {};
    ParseNumbers(text, values, 2);
    cx = values[0];
    cy = values[1];
}

CUIString CUISize::ToString() const
{
    CUIString text;
    text.Format(L"%ld,%ld", cx, cy);
    return text;
}

CUIRect::CUIRect() : tagRECT{0, 0, 0, 0} {}

CUIRect::CUIRect(const RECT& src) : tagRECT(src) {}

CUIRect::CUIRect(LONG left, LONG top, LONG right, LONG bottom) : tagRECT{left, top, right, bottom} {}

CUIRect::CUIRect(const wchar_t* text) : tagRECT{0, 0, 0, 0}
{
    LONG values[4] = {};
    ParseNumbers(text, values, 4);
    left = values[0];
    top = values[1];
    right = values[2];
    bottom = values[3];
}

CUIString CUIRect::ToString() const
{
    CUIString text;
    text.Format(L"%ld,%ld,%ld,%ld", left, top, right, bottom);
    return text;
}

void CUIRect::Empty()
{
    left = top = right = bottom = 0;
}

bool CUIRect::IsNull() const
{
    return left == 0 && top == 0 && right == 0 && bottom == 0;
}

int CUIRect::GetWidth() const
{
    return right - left;
}

int CUIRect::GetHeight() const
{
    return bottom - top;
}

void CUIRect::Join(const RECT& rc)
{
    if (rc.left < left) left = rc.left;
    if (rc.top < top) top = rc.top;
    if (rc.right > right) right = rc.right;
    if (rc.bottom > bottom) bottom = rc.bottom;
}

void CUIRect::Union(const RECT& rc)
{
    const RECT mine = *this;
    ::UnionRect(this, &mine, &rc);
}

void CUIRect::Offset(int dx, int dy)
{
    ::OffsetRect(this, dx, dy);
}

void CUIRect::Inflate(int dx, int dy)
{
    ::InflateRect(this, dx, dy);
}

void CUIRect::Deflate(int dx, int dy)
{
    ::InflateRect(this, -dx, -dy);
}

void CUIRect::Normalize()
{
    if (left > right) {
        const LONG swap = left;
        left = right;
        right = swap;
    }
    if (top > bottom) {
        const LONG swap = top;
        top = bottom;
        bottom = swap;
    }
}

void CUIRect::ResetOffset()
{
    ::OffsetRect(this, -left, -top);
}

} // namespace VarnUI

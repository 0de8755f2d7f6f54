#include "ui/base/UIGeometry.h"

#include "ui/base/AttributeValues.h"

namespace VarnUI {
namespace {

// "a,b" read as two numbers; missing ones are 0.
POINT ReadPair(const wchar_t* text)
{
    LONG values[2] = {};
    AttributeNumbers(text, values, 2);
    return {values[0], values[1]};
}

CUIString FormatPair(LONG a, LONG b)
{
    CUIString text;
    text.Format(L"%ld,%ld", a, b);
    return text;
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

CUIPoint::CUIPoint(const wchar_t* text) : tagPOINT(ReadPair(text)) {}

CUIString CUIPoint::ToString() const
{
    return FormatPair(x, y);
}

CUISize::CUISize() : tagSIZE{0, 0} {}

CUISize::CUISize(const SIZE& src) : tagSIZE(src) {}

CUISize::CUISize(LONG cx, LONG cy) : tagSIZE{cx, cy} {}

CUISize::CUISize(const RECT& rc) : tagSIZE{rc.right - rc.left, rc.bottom - rc.top} {}

CUISize::CUISize(const wchar_t* text) : tagSIZE{0, 0}
{
    const POINT pair = ReadPair(text);
    cx = pair.x;
    cy = pair.y;
}

CUIString CUISize::ToString() const
{
    return FormatPair(cx, cy);
}

CUIRect::CUIRect() : tagRECT{0, 0, 0, 0} {}

CUIRect::CUIRect(const RECT& src) : tagRECT(src) {}

CUIRect::CUIRect(LONG left, LONG top, LONG right, LONG bottom) : tagRECT{left, top, right, bottom} {}

CUIRect::CUIRect(const wchar_t* text) : tagRECT{0, 0, 0, 0}
{
    LONG values[4] = {};
    AttributeNumbers(text, values, 4);
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

// CUIPoint, CUISize and CUIRect: 32-bit geometry values, layout-compatible with the platform's
// POINT, SIZE and RECT so they pass straight to the platform's calls. They read and print
// the comma-separated number lists of the skin ("454,200", "0,0,0,220"). Coordinates are
// whatever the caller's are; the types attach no meaning to them.
#pragma once

#include "ui/base/UIString.h"

#include <windows.h>

namespace VarnUI {

class CUIPoint : public tagPOINT {
public:
    CUIPoint();
    CUIPoint(const POINT& src);
    CUIPoint(LONG x, LONG y);
    // x from the low 16 bits, y from the high 16 bits, both sign-extended (mouse messages).
    explicit CUIPoint(LPARAM lParam);
    // "x,y"; missing numbers are 0.
    explicit CUIPoint(const wchar_t* text);

    CUIString ToString() const;
};

class CUISize : public tagSIZE {
public:
    CUISize();
    CUISize(const SIZE& src);
    CUISize(LONG cx, LONG cy);
    // The rectangle's width and height.
    explicit CUISize(const RECT& rc);
    // "cx,cy"; missing numbers are 0.
    explicit CUISize(const wchar_t* text);

    CUIString ToString() const;
};

class CUIRect : public tagRECT {
public:
    CUIRect();
    CUIRect(const RECT& src);
    CUIRect(LONG left, LONG top, LONG right, LONG bottom);
    // "left,top,right,bottom"; missing numbers are 0.
    explicit CUIRect(const wchar_t* text);

    CUIString ToString() const;

    // All four edges zero.
    void Empty();
    bool IsNull() const;
    int GetWidth() const;
    int GetHeight() const;

    // Bounding box of both rectangles' edges, even when one of them is empty.
    void Join(const RECT& rc);
    // The platform's union: an empty rectangle does not contribute.
    void Union(const RECT& rc);
    void Offset(int dx, int dy);
    void Inflate(int dx, int dy);
    void Deflate(int dx, int dy);
    // Swaps left/right and top/bottom where they are reversed.
    void Normalize();
    // Moves the rectangle so that left and top become 0.
    void ResetOffset();
};

static_assert(sizeof(CUIPoint) == sizeof(POINT), "CUIPoint must pass as a POINT");
static_assert(sizeof(CUISize) == sizeof(SIZE), "CUISize must pass as a SIZE");
static_assert(sizeof(CUIRect) == sizeof(RECT), "CUIRect must pass as a RECT");

} // namespace VarnUI

// CRenderer: the stateless drawing routines shared by every control and the paint manager:
// image loading and colour adjustment, image attribute strings, the nine-grid image blit,
// colours, gradients, lines and frames, clipping, bitmaps, plain and formatted text.
//
// Ownership: LoadImage returns a record the caller owns (the manager's image table); the
// bitmaps returned by CreateARGB32Bitmap and the capture routines belong to the caller.
// Everything else is borrowed for the duration of a call. Coordinates are those of the
// device context passed in (the manager paints in window client coordinates); image source
// rectangles are in image pixels.
#pragma once

#include "ui/base/UIGeometry.h"
#include "ui/base/UIString.h"
#include "ui/render/RenderClip.h"
#include "ui/render/RenderTypes.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;
class CManagerUI;

// The type that makes LoadImage build a one-pixel image from the colour written as the name.
constexpr const wchar_t* kColorImageType = L"*COLOR*";

class CRenderer {
public:
    // Images. A name starting with a digit plus a type is a numeric resource id; without a
    // type the name is a skin file, then a plain path. Null on any failure. The image is made
    // for dpi: at 96 as the file holds it; otherwise from the skin file's variant for the
    // nearest scale at or above ("@1.5x", "@2x" before the extension; failing that the
    // largest one), else from the file itself, and resampled to the size the DPI asks.
    static ImageInfoUI* LoadImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                                  int dpi = kBaseDpi);
    // Decodes encoded image bytes (every format the decoder knows) into a premultiplied image.
    static ImageInfoUI* LoadImageFromMemory(const BYTE* bytes, DWORD size, DWORD mask = 0);
    // Frees the bitmap and the source copy; the record too when deleteRecord is set.
    static void FreeImage(ImageInfoUI* image, bool deleteRecord = true);
    // Keeps a copy of the current pixels as the source of later colour adjustment.
    static bool KeepImageSource(ImageInfoUI* image);
    // hue 0..360 (180 neutral), saturation and lightness 0..200 (100 neutral).
    static void AdjustImageHSL(bool enabled, ImageInfoUI* image, short hue, short saturation, short lightness);
    // One ARGB colour adjusted the way AdjustImageHSL adjusts a pixel; alpha is kept.
    static DWORD AdjustColorHSL(DWORD color, short hue, short saturation, short lightness);

    // Parses the record's draw string on first use, loads the image through the manager and
    // draws it into item (window coordinates). With a null dc it only parses and loads.
    // False means the image is missing.
    static bool DrawImageString(HDC dc, CManagerUI* manager, const RECT& item, const RECT& paint,
                                ImageDrawUI& record);
    // The nine-grid blit of a premultiplied 32-bit bitmap.
    static void DrawImage(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corners, bool hasAlpha, BYTE fade = 255, bool hole = false,
                          bool xTiled = false, bool yTiled = false);
    // The same for a loaded image; opaque parts are copied straight from its pixels.
    static void DrawImage(HDC dc, const ImageInfoUI& image, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corners, BYTE fade = 255, bool hole = false, bool xTiled = false,
                          bool yTiled = false);

    // Colours are ARGB (0xAARRGGBB); pens and text drop the alpha.
    static void DrawColor(HDC dc, const RECT& rc, DWORD color);
    static void DrawGradient(HDC dc, const RECT& rc, DWORD first, DWORD second, bool vertical, int steps);
    // From the rectangle's top-left to its bottom-right.
    static void DrawLine(HDC dc, const RECT& rc, int width, DWORD color, int penStyle = PS_SOLID);
    // Outlines only, drawn inside the rectangle.
    static void DrawRect(HDC dc, const RECT& rc, int width, DWORD color, int penStyle = PS_SOLID);
    static void DrawRoundRect(HDC dc, const RECT& rc, int width, int ellipseWidth, int ellipseHeight,
                              DWORD color, int penStyle = PS_SOLID);

    // A bottom-up 32-bit DIB section; bits (optional) receives its pixels. Null on failure or
    // for sizes that are not positive or do not fit in 32 bits.
    static HBITMAP CreateARGB32Bitmap(HDC dc, int width, int height, BYTE** bits);
    // Paints a control into a new 32-bit bitmap of the rectangle's size (rc in window
    // coordinates); a background with non-zero alpha is drawn over it. The caller owns it.
    static HBITMAP CaptureControlBitmap(CManagerUI* manager, CControlUI* control, const RECT& rc,
                                        DWORD background);
    // The whole client area: the last off-screen frame when possible, else the root painted
    // again up to stopControl.
    static HBITMAP CaptureWindowBitmap(CManagerUI* manager, CControlUI* stopControl = nullptr);

    // Clipping: the record restores the previous clip when it ends or is destroyed.
    static void BeginClip(HDC dc, const RECT& rc, CClipRecord& clip);
    static void BeginRoundClip(HDC dc, const RECT& rc, const RECT& round, int ellipseWidth, int ellipseHeight,
                               CClipRecord& clip);
    static void SuspendClip(CClipRecord& clip) { clip.Suspend(); }
    static void ResumeClip(CClipRecord& clip) { clip.Resume(); }

    // Plain text through the platform's text drawing ("&" is never a prefix mark). With
    // DT_CALCRECT the rectangle receives the measured size.
    static void DrawText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color, int font,
                         UINT style);
    // One line of plain text: width and height; 0 x 0 without text or manager.
    static SIZE MeasureText(HDC dc, CManagerUI* manager, const wchar_t* text, int font);
    // Formatted text. links and linkNames have linkCount slots on entry; linkCount receives
    // the number of link rectangles laid out. With DT_CALCRECT nothing is drawn and rc
    // receives the size the text needs.
    static void DrawFormattedText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  RECT* links, CUIString* linkNames, int& linkCount, int font, UINT style);
    static void DrawFormattedText(HDC dc, CManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  int font, UINT style);
};

} // namespace VarnUI

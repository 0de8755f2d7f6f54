// Records shared by the renderer and the paint manager.
// ImageInfoUI: one loaded image, made for one DPI (a scaled variant of the skin file, or the
// file scaled). It owns its 32-bit top-down DIB section (premultiplied blue, green, red,
// alpha) and, when it keeps its source, a private copy of the pixels as loaded. The
// manager's image tables own the records.
// ImageDrawUI: one parsed image attribute string, owned by the control or manager that
// draws it; it borrows the cached image. Rectangles: dest relative to the control's
// top-left corner, source and corner in the image's pixels; all of them real pixels at the
// record's DPI (the skin's boxes, written for 96 DPI, are scaled when parsed).
#pragma once

#include "ui/base/DpiScale.h"
#include "ui/base/UIGeometry.h"
#include "ui/base/UIString.h"
#include "ui/render/GdiHandles.h"

#include <windows.h>

#include <memory>

namespace VarnUI {

struct ImageInfoUI {
    CGdiBitmap bitmap;
    BYTE* bits = nullptr;                   // the DIB section's pixels, owned by bitmap
    std::unique_ptr<BYTE[]> sourceBits;     // width x height x 4 bytes, only with keepSource
    int width = 0;
    int height = 0;
    int dpi = kBaseDpi;
    bool hasAlpha = false;
    bool keepSource = false;
    CUIString resType;
    DWORD mask = 0;
};

struct ImageDrawUI {
    CUIString drawString;
    CUIString imageName;
    bool loaded = false;                    // parsed once, also when that failed
    ImageInfoUI* image = nullptr;
    int dpi = kBaseDpi;                     // the boxes below are in pixels at this DPI
    CUIRect dest;
    CUIRect source;
    CUIRect corner;
    BYTE fade = 255;
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;

    // Takes a new attribute string: the record is cleared and keeps the text, so the next
    // draw parses it again; a record that already holds that text with its image stays as it
    // is. True when the record changed.
    bool Reset(const wchar_t* text)
    {
        if (drawString == text && image != nullptr) return false;
        Clear();
        drawString = text;
        return true;
    }

    void Clear()
    {
        drawString.Empty();
        imageName.Empty();
        loaded = false;
        image = nullptr;
        dpi = kBaseDpi;
        dest.Empty();
        source.Empty();
        corner.Empty();
        fade = 255;
        hole = false;
        xTiled = false;
        yTiled = false;
    }
};

} // namespace VarnUI

// Display scale: skin values are written in pixels of a 96 DPI display and become the
// window's real pixels where they are stored. Rounding is half away from zero, the rule the
// image generator follows for the skin's scaled image variants, so a box scaled here meets
// the same box drawn into a variant.
#pragma once

#include <windows.h>

namespace VarnUI {

constexpr int kBaseDpi = 96;

// A length in pixels at 96 DPI as pixels at dpi; unchanged at 96.
int ScaleToDpi(int value, int dpi);
RECT ScaleToDpi(const RECT& rc, int dpi);
SIZE ScaleToDpi(const SIZE& size, int dpi);

// A length in pixels at one DPI as pixels at another. It goes through 96 DPI: a value that
// was scaled from the skin comes back exactly (for DPIs of 96 and more), so moving a window
// between displays and back does not creep.
int RescaleDpi(int value, int fromDpi, int toDpi);
RECT RescaleDpi(const RECT& rc, int fromDpi, int toDpi);
SIZE RescaleDpi(const SIZE& size, int fromDpi, int toDpi);

// Brings each of the lengths (ints, rectangles, sizes) from one DPI to another, in place.
template <typename... Lengths>
void RescaleEach(int fromDpi, int toDpi, Lengths&... lengths)
{
    ((lengths = RescaleDpi(lengths, fromDpi, toDpi)), ...);
}

// The window's DPI: GetDpiForWindow where the system has it, else the screen's LOGPIXELSX;
// 96 when neither answers.
int WindowDpi(HWND window);

} // namespace VarnUI

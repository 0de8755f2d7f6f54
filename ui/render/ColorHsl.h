// Hue, saturation and lightness conversions behind the colour adjustment of images and
// controls. Colours here are plain (not premultiplied) 8-bit red, green and blue.
#pragma once

#include <cstdint>

namespace VarnUI {

struct HslColor {
    float hue = 0;         // degrees, 0 up to (not including) 360
    float saturation = 0;  // 0..1
    float lightness = 0;   // 0..1
};

HslColor RgbToHsl(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// A hue outside 0..360 wraps around; saturation and lightness are clamped to 0..1.
void HslToRgb(const HslColor& hsl, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// Shifts the hue by (hue - 180) degrees and scales saturation and lightness by
// saturation / 100 and lightness / 100.
void AdjustRgb(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue, short hue, short saturation,
               short lightness);

} // namespace VarnUI

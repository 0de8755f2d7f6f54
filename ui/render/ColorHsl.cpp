#include "ui/render/ColorHsl.h"

#include <algorithm>
#include <cmath>

namespace VarnUI {
namespace {

float Clamp01(float value)
{
    return std::min(1.0f, std::max(0.0f, value));
}

float HueToChannel(float p, float q, float t)
{
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0f / 6) return p + (q - p) * 6 * t;
    if (t < 0.5f) return q;
    if (t < 2.0f / 3) return p + (q - p) * (2.0f / 3 - t) * 6;
    return p;
}

std::uint8_t ToByte(float value)
{
    return static_cast<std::uint8_t>(std::lround(Clamp01(value) * 255.0f));
}

} // namespace

HslColor RgbToHsl(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const float r = red / 255.0f;
    const float g = green / 255.0f;
    const float b = blue / 255.0f;
    const float high = std::max(r, std::max(g, b));
    const float low = std::min(r, std::min(g, b));
    HslColor hsl;
    hsl.lightness = (high + low) / 2;
    const float range = high - low;
    if (range <= 0) return hsl;

    hsl.saturation = hsl.lightness <= 0.5f ? range / (high + low) : range / (2 - high - low);
    float hue;
    if (high == r) {
        hue = (g - b) / range + (g < b ? 6 : 0);
    } else if (high == g) {
        hue = (b - r) / range + 2;
    } else {
        hue = (r - g) / range + 4;
    }
    hsl.hue = std::fmod(hue * 60.0f, 360.0f);
    return hsl;
}

void HslToRgb(const HslColor& hsl, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue)
{
    const float s = Clamp01(hsl.saturation);
    const float l = Clamp01(hsl.lightness);
    if (s <= 0) {
        red = green = blue = ToByte(l);
        return;
    }
    float hue = std::fmod(hsl.hue, 360.0f);
    if (hue < 0) hue += 360.0f;
    const float h = hue / 360.0f;
    const float q = l < 0.5f ? l * (1 + s) : l + s - l * s;
    const float p = 2 * l - q;
    red = ToByte(HueToChannel(p, q, h + 1.0f / 3));
    green = ToByte(HueToChannel(p, q, h));
    blue = ToByte(HueToChannel(p, q, h - 1.0f / 3));
}

void AdjustRgb(std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue, short hue, short saturation,
               short lightness)
{
    HslColor hsl = RgbToHsl(red, green, blue);
    hsl.hue += static_cast<float>(hue - 180);
    if (hsl.hue <= 0) hsl.hue += 360.0f;
    hsl.saturation = hsl.saturation * saturation / 100.0f;
    hsl.lightness = hsl.lightness * lightness / 100.0f;
    HslToRgb(hsl, red, green, blue);
}

} // namespace VarnUI

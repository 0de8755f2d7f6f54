#include "ui/controls/LabelEffects.h"

#include "ui/base/UIString.h"
#include "ui/controls/GdiPlusFlat.h"
#include "ui/manager/ManagerUI.h"

#include <cmath>

namespace VarnUI {
namespace {

using Graphics = CGdiPlusObject<GpGraphics>;
using Brush = CGdiPlusObject<GpBrush>;

// A linear gradient between two colours over a line anchored at origin; a solid brush where
// the line has no length (the platform refuses a gradient between two equal points).
bool MakeGradientBrush(const GdiPlusApi& api, Brush& brush, const GdiPlusPointF& origin, int angle, int length,
                       DWORD from, DWORD to)
{
    const GdiPlusPointF start = {origin.x + static_cast<float>(angle), origin.y};
    const GdiPlusPointF end = {origin.x, origin.y + static_cast<float>(length)};
    if (angle != 0 || length != 0) {
        if (brush.Create([&](GpBrush** out) { return api.CreateLineBrush(&start, &end, from, to, kWrapModeTile, out); })) {
            return true;
        }
    }
    return brush.Create([&](GpBrush** out) { return api.CreateSolidFill(from, out); });
}

bool MakeFont(const GdiPlusApi& api, CGdiPlusObject<GpFont>& font, HDC dc, CManagerUI* manager, int index)
{
    HFONT handle = manager != nullptr ? manager->GetFont(index) : nullptr;
    LOGFONTW logFont = {};
    if (handle != nullptr && ::GetObjectW(handle, sizeof(logFont), &logFont) == sizeof(logFont)) {
        return font.Create([&](GpFont** out) { return api.CreateFontFromLogfontW(dc, &logFont, out); });
    }
    return font.Create([&](GpFont** out) { return api.CreateFontFromDC(dc, out); });
}

bool MakeFormat(const GdiPlusApi& api, CGdiPlusObject<GpStringFormat>& format, UINT style)
{
    const int flags = (style & DT_SINGLELINE) != 0 ? kStringFormatFlagsNoWrap : 0;
    if (!format.Create([&](GpStringFormat** out) { return api.CreateStringFormat(flags, LANG_NEUTRAL, out); })) {
        return false;
    }
    const int line = (style & DT_VCENTER) != 0  ? kStringAlignmentCenter
                     : (style & DT_BOTTOM) != 0 ? kStringAlignmentFar
                                                : kStringAlignmentNear;
    const int align = (style & DT_CENTER) != 0  ? kStringAlignmentCenter
                      : (style & DT_RIGHT) != 0 ? kStringAlignmentFar
                                                : kStringAlignmentNear;
    api.SetStringFormatLineAlign(format.get(), line);
    api.SetStringFormatAlign(format.get(), align);
    return true;
}

int TextHeight(HDC dc, CManagerUI* manager, int font)
{
    if (manager != nullptr) return manager->GetFontInfo(font)->tm.tmHeight;
    TEXTMETRICW tm = {};
    return ::GetTextMetricsW(dc, &tm) ? tm.tmHeight : 0;
}

GdiPlusRectF Moved(const GdiPlusRectF& rc, float dx, float dy)
{
    return {rc.x + dx, rc.y + dy, rc.width, rc.height};
}

struct TextRun {
    const wchar_t* text;
    int length;
    const GpFont* font;
    const GpStringFormat* format;
};

// The glow: the text drawn into a bitmap smaller by the fuzziness, then stretched back over
// the layout rectangle with bicubic filtering, which blurs it.
void DrawGlow(const GdiPlusApi& api, GpGraphics* target, const TextRun& run, const RECT& rc, const LabelEffectStyle& effect,
              int gradientLength)
{
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return;
    // Below 1 the "reduced" bitmap would grow without bound.
    const float fuzziness = effect.fuzziness > 1.0f ? effect.fuzziness : 1.0f;
    const int smallWidth = static_cast<int>(std::ceil(static_cast<float>(width) / fuzziness));
    const int smallHeight = static_cast<int>(std::ceil(static_cast<float>(height) / fuzziness));

    CGdiPlusObject<GpImage> bitmap(api.DisposeImage);
    if (!bitmap.Create([&](GpImage** out) {
            return api.CreateBitmapFromScan0(smallWidth, smallHeight, 0, kPixelFormat32bppPARGB, nullptr, out);
        })) {
        return;
    }
    Graphics canvas(api.DeleteGraphics);
    if (!canvas.Create([&](GpGraphics** out) { return api.GetImageGraphicsContext(bitmap.get(), out); })) return;
    api.SetTextRenderingHint(canvas.get(), kTextRenderingHintAntiAliasGridFit);
    api.ScaleWorldTransform(canvas.get(), static_cast<float>(smallWidth) / static_cast<float>(width),
                            static_cast<float>(smallHeight) / static_cast<float>(height), kMatrixOrderPrepend);

    Brush brush(api.DeleteBrush);
    const DWORD to = effect.hasShadowColorB ? effect.shadowColorB : effect.shadowColorA;
    if (!MakeGradientBrush(api, brush, {0.0f, 0.0f}, effect.gradientAngle, gradientLength, effect.shadowColorA, to)) {
        return;
    }
    const GdiPlusRectF layout = {0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)};
    api.DrawString(canvas.get(), run.text, run.length, run.font, &layout, run.format, brush.get());
    canvas.reset();

    api.SetInterpolationMode(target, kInterpolationModeHighQualityBicubic);
    api.DrawImageRectI(target, bitmap.get(), rc.left, rc.top, width, height);
}

} // namespace

bool DrawLabelEffectText(HDC dc, CManagerUI* manager, const RECT& rc, const wchar_t* text, int font, UINT style,
                         const LabelEffectStyle& effect)
{
    const GdiPlusApi* api = GetGdiPlusApi();
    if (api == nullptr || dc == nullptr || text == nullptr) return false;
    CUIString expanded(text);
    CManagerUI::ExpandLanguageTokens(expanded);

    Graphics graphics(api->DeleteGraphics);
    if (!graphics.Create([&](GpGraphics** out) { return api->CreateFromHDC(dc, out); })) return false;
    api->SetTextRenderingHint(graphics.get(), kTextRenderingHintAntiAliasGridFit);
    CGdiPlusObject<GpFont> gpFont(api->DeleteFont);
    if (!MakeFont(*api, gpFont, dc, manager, font)) return false;
    CGdiPlusObject<GpStringFormat> format(api->DeleteStringFormat);
    if (!MakeFormat(*api, format, style)) return false;

    const TextRun run = {expanded.GetData(), expanded.GetLength(), gpFont.get(), format.get()};
    const int gradientLength = effect.gradientLength != 0 ? effect.gradientLength : TextHeight(dc, manager, font);
    const GdiPlusPointF origin = {static_cast<float>(rc.left), static_cast<float>(rc.top)};
    const GdiPlusRectF layout = {origin.x, origin.y, static_cast<float>(rc.right - rc.left),
                                 static_cast<float>(rc.bottom - rc.top)};
    auto draw = [&](const GdiPlusRectF& where, const Brush& brush) {
        api->DrawString(graphics.get(), run.text, run.length, run.font, &where, run.format, brush.get());
    };

    if (effect.luminous) DrawGlow(*api, graphics.get(), run, rc, effect, gradientLength);

    if (effect.stroke && effect.strokeColor != 0) {
        Brush stroke(api->DeleteBrush);
        if (MakeGradientBrush(*api, stroke, origin, effect.gradientAngle, gradientLength + 2, effect.strokeColor,
                              effect.strokeColor)) {
            draw(Moved(layout, -1.0f, 0.0f), stroke);
            draw(Moved(layout, 1.0f, 0.0f), stroke);
            draw(Moved(layout, 0.0f, -1.0f), stroke);
            draw(Moved(layout, 0.0f, 1.0f), stroke);
        }
    }

    if (effect.shadow && effect.shadowColorA != 0) {
        Brush shadow(api->DeleteBrush);
        const DWORD to = effect.hasShadowColorB ? effect.shadowColorB : effect.shadowColorA;
        if (MakeGradientBrush(*api, shadow, origin, effect.gradientAngle, gradientLength, effect.shadowColorA, to)) {
            draw(Moved(layout, effect.shadowOffsetX, effect.shadowOffsetY), shadow);
        }
    }

    Brush brush(api->DeleteBrush);
    const DWORD to = effect.hasTextColor2 ? effect.textColor2 : effect.textColor;
    if (MakeGradientBrush(*api, brush, origin, effect.gradientAngle, gradientLength, effect.textColor, to)) {
        draw(layout, brush);
    }
    return true;
}

} // namespace VarnUI

// The label's effect text, drawn with GDI+ over the device context the control paints into:
// an optional glow (the text in the shadow colours, blurred by drawing it small and scaling it
// back up), an optional one-pixel stroke, an optional shadow, then the text itself with a
// linear gradient from (angle, 0) to (0, length). Every GDI+ object is made and released
// within one call.
//
// Coordinates are those of the device context (window client coordinates when the manager
// paints). Gradients are anchored at the layout rectangle's top-left corner, so that a
// gradient as long as the text height runs over the text wherever the label sits.
#pragma once

#include <windows.h>

namespace VarnUI {

class CManagerUI;

struct LabelEffectStyle {
    DWORD textColor = 0;
    DWORD textColor2 = 0;          // used when hasTextColor2
    bool hasTextColor2 = false;
    DWORD shadowColorA = 0xFF000000;
    DWORD shadowColorB = 0;        // used when hasShadowColorB
    bool hasShadowColorB = false;
    DWORD strokeColor = 0;
    float fuzziness = 3.0f;        // the glow is drawn this many times smaller, then scaled up
    int gradientLength = 0;        // 0: the text height
    int gradientAngle = 0;         // x of the gradient's start point
    bool luminous = false;
    bool stroke = false;
    bool shadow = false;
    float shadowOffsetX = 0.0f;
    float shadowOffsetY = 0.0f;
};

// Draws text into rc with the label's font index and style bits. False when GDI+ is not
// available or the drawing surface cannot be made; nothing is drawn then.
bool DrawLabelEffectText(HDC dc, CManagerUI* manager, const RECT& rc, const wchar_t* text, int font, UINT style,
                         const LabelEffectStyle& effect);

} // namespace VarnUI

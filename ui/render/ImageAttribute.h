// The image attribute string of the skin: either a bare image name or pairs key='value'
// ("file", "res", "restype", "color", "dest", "source", "corner", "scale9", "mask", "fade",
// "hole", "xtiled", "ytiled", "hsl"). Parsing fills the drawing fields of an ImageDrawUI
// (dest relative to the control, source and corner in image pixels) and says which image to
// load and how.
#pragma once

#include "ui/base/UIString.h"
#include "ui/render/RenderTypes.h"

#include <windows.h>

namespace VarnUI {

// The image an attribute string names.
struct ImageSourceUI {
    CUIString name;
    // Meaningful only when typeUsed ("res" or "color" was given).
    CUIString type;
    bool typeUsed = false;
    DWORD mask = 0;
    bool keepSource = false;
};

// Parses text into record (only the fields named by the text change) and source. The name
// starts as the whole text, so a bare name needs no key. Reading stops at the first
// malformed pair, keeping what came before it.
void ParseImageAttribute(const wchar_t* text, ImageDrawUI& record, ImageSourceUI& source);

} // namespace VarnUI

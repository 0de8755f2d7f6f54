// Images for a display scale: the area-average resampling that makes a skin image (or one of
// its variants) as large as the window's DPI asks, and the names of the variants.
// Internal to the renderer.
#pragma once

#include "ui/base/UIString.h"
#include "ui/render/RenderTypes.h"

namespace VarnUI {

// A new image of width x height from the whole of source: every target pixel is the average
// of the source area under it, weighted by how much of each source pixel it covers. Colours
// are premultiplied, so transparent pixels do not darken their neighbours, and an edge that
// falls on a whole target pixel stays hard. Null on failure.
ImageInfoUI* ResampleImage(const ImageInfoUI& source, int width, int height);

// The name of the skin file's variant for a scale: suffix ("@2x") before the extension.
CUIString VariantName(const wchar_t* name, const wchar_t* suffix);

} // namespace VarnUI

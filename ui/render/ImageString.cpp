// CRenderer::DrawImageString: an image attribute string parsed once, its image loaded
// through the manager's cache, and drawn into the control's rectangle.
#include "ui/render/Renderer.h"

#include "ui/manager/ManagerUI.h"
#include "ui/render/ImageAttribute.h"

#include <algorithm>

namespace VarnUI {
namespace {

void FollowDpi(ImageDrawUI& record, int dpi)
{
    if (record.dpi == dpi) return;
    RescaleEach(record.dpi, dpi, record.dest, record.source, record.corner);
    record.dpi = dpi;
}

// Parses and loads on the first call; false when the image is missing (also on later calls
// after a failure, until the record is cleared).
bool ResolveImage(CManagerUI* manager, ImageDrawUI& record)
{
    if (record.image != nullptr) return true;
    if (record.loaded) return false;
    record.loaded = true;
    if (record.drawString.IsEmpty()) return false;

    ImageSourceUI source;
    ParseImageAttribute(record.drawString.GetData(), record, source);
    record.dpi = kBaseDpi;
    FollowDpi(record, manager->GetDpi());
    record.imageName = source.name;
    const wchar_t* type = source.typeUsed && !source.type.IsEmpty() ? source.type.GetData() : nullptr;
    ImageInfoUI* image = manager->GetOrLoadImage(source.name.GetData(), type, source.mask, source.keepSource);
    if (image == nullptr) return false;
    record.image = image;
    if (record.source.IsNull()) {
        record.source.right = image->width;
        record.source.bottom = image->height;
    }
    return true;
}

// After the window's DPI changed: the boxes (also those a control set itself, such as a
// progress fill or a five-state cut) and the image are brought to the new DPI.
void FollowWindowDpi(CManagerUI* manager, ImageDrawUI& record)
{
    const int dpi = manager->GetDpi();
    FollowDpi(record, dpi);
    if (record.image->dpi == dpi) return;
    const CUIString type = record.image->resType;
    ImageInfoUI* image = manager->GetOrLoadImage(record.imageName.GetData(), type.IsEmpty() ? nullptr : type.GetData(),
                                                 record.image->mask, record.image->keepSource);
    // Should the image fail to load again, the one made for the old DPI still serves.
    if (image != nullptr) record.image = image;
}

} // namespace

bool CRenderer::DrawImageString(HDC dc, CManagerUI* manager, const RECT& item, const RECT& paint,
                                ImageDrawUI& record)
{
    if (manager == nullptr) return true;
    if (!ResolveImage(manager, record)) return false;
    FollowWindowDpi(manager, record);
    const ImageInfoUI& image = *record.image;
    record.source.right = std::min<LONG>(record.source.right, image.width);
    record.source.bottom = std::min<LONG>(record.source.bottom, image.height);
    if (dc == nullptr) return true;

    RECT dest = item;
    if (!record.dest.IsNull()) {
        dest.left = item.left + record.dest.left;
        dest.top = item.top + record.dest.top;
        dest.right = std::min<LONG>(item.right, item.left + record.dest.right);
        dest.bottom = std::min<LONG>(item.bottom, item.top + record.dest.bottom);
    }
    RECT visible;
    if (::IntersectRect(&visible, &dest, &item) && ::IntersectRect(&visible, &visible, &paint)) {
        DrawImage(dc, image, dest, paint, record.source, record.corner, record.fade, record.hole, record.xTiled,
                  record.yTiled);
    }
    return true;
}

} // namespace VarnUI

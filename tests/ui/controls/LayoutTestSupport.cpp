#include "LayoutTestSupport.h"

#include <cstdio>

namespace VarnTest {

VarnUI::CControlUI* MakeKid(const Kid& kid)
{
    auto* control = new VarnUI::CControlUI;
    control->SetFixedWidth(kid.width);
    control->SetFixedHeight(kid.height);
    control->SetPadding(kid.padding);
    control->SetMinWidth(kid.minWidth);
    control->SetMaxWidth(kid.maxWidth);
    control->SetMinHeight(kid.minHeight);
    control->SetMaxHeight(kid.maxHeight);
    control->SetVisible(!kid.hidden);
    return control;
}

std::string Str(const RECT& rc)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%ld,%ld,%ld,%ld", static_cast<long>(rc.left), static_cast<long>(rc.top),
                  static_cast<long>(rc.right), static_cast<long>(rc.bottom));
    return text;
}

VarnUI::EventUI MakeEvent(int type, POINT pt, WPARAM wParam)
{
    VarnUI::EventUI event;
    event.type = type;
    event.mouse = pt;
    event.wParam = wParam;
    event.timestamp = ::GetTickCount();
    return event;
}

} // namespace VarnTest

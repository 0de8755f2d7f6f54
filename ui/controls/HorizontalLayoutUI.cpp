#include "ui/controls/HorizontalLayoutUI.h"

namespace VarnUI {

CHorizontalLayoutUI::CHorizontalLayoutUI() : CLinearLayoutUI(false) {}

const wchar_t* CHorizontalLayoutUI::GetClassName() const
{
    return L"HorizontalLayout";
}

void* CHorizontalLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"HorizontalLayout") return static_cast<CHorizontalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

} // namespace VarnUI

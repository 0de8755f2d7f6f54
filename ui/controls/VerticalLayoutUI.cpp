#include "ui/controls/VerticalLayoutUI.h"

namespace VarnUI {

CVerticalLayoutUI::CVerticalLayoutUI() : CLinearLayoutUI(true) {}

const wchar_t* CVerticalLayoutUI::GetClassName() const
{
    return L"VerticalLayout";
}

void* CVerticalLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"VerticalLayout") return static_cast<CVerticalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

} // namespace VarnUI

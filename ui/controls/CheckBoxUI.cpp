#include "ui/controls/CheckBoxUI.h"

namespace VarnUI {

CCheckBoxUI::CCheckBoxUI() = default;

CCheckBoxUI::~CCheckBoxUI() = default;

const wchar_t* CCheckBoxUI::GetClassName() const
{
    return L"CheckBox";
}

void* CCheckBoxUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"CheckBox") return this;
    return COptionUI::GetInterface(name);
}

} // namespace VarnUI

#include "ui/controls/ChildLayoutUI.h"

namespace VarnUI {

CChildLayoutUI::CChildLayoutUI() = default;

const wchar_t* CChildLayoutUI::GetClassName() const
{
    return L"ChildLayout";
}

void* CChildLayoutUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ChildLayout") return static_cast<CChildLayoutUI*>(this);
    return CControlUI::GetInterface(name);
}

void CChildLayoutUI::Init()
{
    // Building the file's tree needs the skin builder; until it exists the layout stays empty.
}

void CChildLayoutUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name != nullptr && value != nullptr && CUIString(name) == L"xmlfile") {
        SetChildLayoutXML(value);
        return;
    }
    CContainerUI::SetAttribute(name, value);
}

} // namespace VarnUI

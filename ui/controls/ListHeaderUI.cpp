#include "ui/controls/ListHeaderUI.h"

namespace VarnUI {

const wchar_t* CListHeaderUI::GetClassName() const { return L"ListHeader"; }
void* CListHeaderUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHeader") return this;
    return CHorizontalLayoutUI::GetInterface(name);
}
SIZE CListHeaderUI::MeasureSize(SIZE available) { return CHorizontalLayoutUI::MeasureSize(available); }

const wchar_t* CListHeaderItemUI::GetClassName() const { return L"ListHeaderItem"; }
void* CListHeaderItemUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ListHeaderItem") return this;
    return CControlUI::GetInterface(name);
}
void CListHeaderItemUI::SetAttribute(const wchar_t* name, const wchar_t* value) { CControlUI::SetAttribute(name, value); }
SIZE CListHeaderItemUI::MeasureSize(SIZE available) { return CControlUI::MeasureSize(available); }
void CListHeaderItemUI::PaintStateImage(HDC) {}
void CListHeaderItemUI::PaintText(HDC) {}

} // namespace VarnUI

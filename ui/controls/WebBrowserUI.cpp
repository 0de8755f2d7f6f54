#include "ui/controls/WebBrowserUI.h"

#include "ui/base/AttributeValues.h"

namespace VarnUI {

const wchar_t* CWebBrowserUI::GetClassName() const
{
    return L"WebBrowser";
}

void* CWebBrowserUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"WebBrowser") return this;
    return CActiveXUI::GetInterface(name);
}

void CWebBrowserUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"homepage") {
        SetHomePage(value);
    } else if (key == L"autonavi") {
        SetAutoNavigation(AttributeIsTrue(value));
    } else {
        CActiveXUI::SetAttribute(name, value);
    }
}

} // namespace VarnUI

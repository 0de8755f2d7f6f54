#include "ui/skin/SkinElementTable.h"

#include "ui/base/UIString.h"
#include "ui/controls/ActiveXUI.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/CheckBoxUI.h"
#include "ui/controls/ChildLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/controls/DateTimeUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/HorizontalLayoutUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/controls/RichEditUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/controls/TabLayoutUI.h"
#include "ui/controls/TextUI.h"
#include "ui/controls/TileLayoutUI.h"
#include "ui/controls/TreeViewUI.h"
#include "ui/controls/VerticalLayoutUI.h"
#include "ui/controls/WebBrowserUI.h"

#include <cwchar>

namespace VarnUI {
namespace {

using Factory = CControlUI* (*)();

template <typename T>
CControlUI* Make()
{
    return new T;
}

struct Element {
    const wchar_t* name;
    bool exact;
    Factory create;
};

// Grouped by name length, so that a lookup compares only with the few names of its length.
const Element kLength4[] = {
    {L"VBox", false, Make<CVerticalLayoutUI>},
    {L"HBox", false, Make<CHorizontalLayoutUI>},
    {L"Text", false, Make<CTextUI>},
    {L"Edit", false, Make<CEditUI>},
    {L"List", false, Make<CListUI>},
    {L"Tree", false, Make<CTreeViewUI>},
};
const Element kLength5[] = {
    {L"Label", false, Make<CLabelUI>},
    {L"Combo", false, Make<CComboUI>},
};
const Element kLength6[] = {
    {L"Button", false, Make<CButtonUI>},
    {L"Option", false, Make<COptionUI>},
    {L"Slider", false, Make<CSliderUI>},
};
const Element kLength7[] = {
    {L"Control", false, Make<CControlUI>},
    {L"ActiveX", false, Make<CActiveXUI>},
    {L"GifAnim", true, Make<CGifAnimUI>},
};
const Element kLength8[] = {
    {L"CheckBox", false, Make<CCheckBoxUI>},
    {L"Progress", false, Make<CProgressUI>},
    {L"RichEdit", false, Make<CRichEditUI>},
    {L"ComboBox", false, Make<CComboUI>},
    {L"DateTime", false, Make<CDateTimeUI>},
    {L"TreeView", false, Make<CTreeViewUI>},
};
const Element kLength9[] = {
    {L"Container", false, Make<CContainerUI>},
    {L"TabLayout", false, Make<CTabLayoutUI>},
    {L"ScrollBar", false, Make<CScrollBarUI>},
};
const Element kLength10[] = {
    {L"TileLayout", false, Make<CTileLayoutUI>},
    {L"ListHeader", false, Make<CListHeaderUI>},
    {L"WebBrowser", false, Make<CWebBrowserUI>},
};
const Element kLength11[] = {
    {L"ChildLayout", false, Make<CChildLayoutUI>},
};
const Element kLength14[] = {
    {L"VerticalLayout", false, Make<CVerticalLayoutUI>},
    {L"ListHeaderItem", false, Make<CListHeaderItemUI>},
};
const Element kLength15[] = {
    {L"ListTextElement", false, Make<CListTextElementUI>},
    {L"ListHBoxElement", false, Make<CListHBoxElementUI>},
};
const Element kLength16[] = {
    {L"HorizontalLayout", false, Make<CHorizontalLayoutUI>},
    {L"ListLabelElement", false, Make<CListLabelElementUI>},
};
const Element kLength20[] = {
    {L"ListContainerElement", false, Make<CListContainerElementUI>},
};

struct Group {
    const Element* first;
    size_t count;
};

template <size_t N>
constexpr Group GroupOf(const Element (&elements)[N])
{
    return {elements, N};
}

Group GroupForLength(size_t length)
{
    switch (length) {
    case 4: return GroupOf(kLength4);
    case 5: return GroupOf(kLength5);
    case 6: return GroupOf(kLength6);
    case 7: return GroupOf(kLength7);
    case 8: return GroupOf(kLength8);
    case 9: return GroupOf(kLength9);
    case 10: return GroupOf(kLength10);
    case 11: return GroupOf(kLength11);
    case 14: return GroupOf(kLength14);
    case 15: return GroupOf(kLength15);
    case 16: return GroupOf(kLength16);
    case 20: return GroupOf(kLength20);
    default: return {nullptr, 0};
    }
}

} // namespace

CControlUI* CreateSkinElement(const wchar_t* name)
{
    if (name == nullptr) return nullptr;
    const size_t length = std::wcslen(name);
    const Group group = GroupForLength(length);
    for (size_t i = 0; i < group.count; ++i) {
        const Element& element = group.first[i];
        const bool same = element.exact ? std::wcscmp(name, element.name) == 0 : SameTextNoCase(name, element.name);
        if (same) return element.create();
    }
    return nullptr;
}

} // namespace VarnUI

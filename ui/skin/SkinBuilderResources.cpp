// The builder's registration pass ("Font", "Image", "Default", "MultiLanguage" among the
// root's children) and the root "Window" attributes.
#include "ui/skin/SkinBuilder.h"

#include "ui/base/AttributeValues.h"
#include "ui/base/UIString.h"
#include "ui/manager/ManagerUI.h"

namespace VarnUI {
namespace {

// An attribute that is missing or empty counts as absent.
const wchar_t* OrNull(const wchar_t* value)
{
    return value != nullptr && value[0] != L'\0' ? value : nullptr;
}

// Attribute names compare case-insensitively; a later occurrence overrides an earlier one.
template <typename Visit>
void ForEachAttribute(CXmlNode& node, Visit visit)
{
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) visit(node.GetAttributeName(i), node.GetAttributeValue(i));
}

void RegisterFont(CXmlNode& node, CManagerUI* manager)
{
    int id = -1;
    int size = 12;
    const wchar_t* face = nullptr;
    bool bold = false, underline = false, italic = false, isDefault = false, shared = false;
    ForEachAttribute(node, [&](const wchar_t* name, const wchar_t* value) {
        if (SameTextNoCase(name, L"id")) id = AttributeInt(value);
        else if (SameTextNoCase(name, L"name")) face = value;
        else if (SameTextNoCase(name, L"size")) size = AttributeInt(value);
        else if (SameTextNoCase(name, L"bold")) bold = AttributeIsTrueNoCase(value);
        else if (SameTextNoCase(name, L"underline")) underline = AttributeIsTrueNoCase(value);
        else if (SameTextNoCase(name, L"italic")) italic = AttributeIsTrueNoCase(value);
        else if (SameTextNoCase(name, L"default")) isDefault = AttributeIsTrueNoCase(value);
        else if (SameTextNoCase(name, L"shared")) shared = AttributeIsTrueNoCase(value);
    });
    if (id < 0 || OrNull(face) == nullptr) return;
    manager->AddFont(id, face, size, bold, underline, italic, shared);
    if (isDefault) manager->SetDefaultFont(face, size, bold, underline, italic, shared);
}

void RegisterImage(CXmlNode& node, CManagerUI* manager)
{
    const wchar_t* name = nullptr;
    const wchar_t* type = nullptr;
    DWORD mask = 0;
    bool keepSource = false;
    ForEachAttribute(node, [&](const wchar_t* attribute, const wchar_t* value) {
        if (SameTextNoCase(attribute, L"name")) name = value;
        else if (SameTextNoCase(attribute, L"restype")) type = value;
        else if (SameTextNoCase(attribute, L"mask")) mask = AttributeColor(value);
        else if (SameTextNoCase(attribute, L"shared")) keepSource = AttributeIsTrueNoCase(value);
    });
    // An image's "shared" keeps its source pixels; declared images always stay the window's.
    if (OrNull(name) != nullptr) manager->AddImage(name, OrNull(type), mask, keepSource, false);
}

void RegisterDefault(CXmlNode& node, CManagerUI* manager)
{
    const wchar_t* name = nullptr;
    const wchar_t* list = L"";
    bool shared = false;
    ForEachAttribute(node, [&](const wchar_t* attribute, const wchar_t* value) {
        if (SameTextNoCase(attribute, L"name")) name = value;
        else if (SameTextNoCase(attribute, L"value")) list = value;
        else if (SameTextNoCase(attribute, L"shared")) shared = AttributeIsTrueNoCase(value);
    });
    if (OrNull(name) != nullptr) manager->AddDefaultAttributes(name, list, shared);
}

void RegisterLanguageString(CXmlNode& node)
{
    int id = -1;
    const wchar_t* text = nullptr;
    ForEachAttribute(node, [&](const wchar_t* attribute, const wchar_t* value) {
        if (SameTextNoCase(attribute, L"id")) id = AttributeInt(value);
        else if (SameTextNoCase(attribute, L"value")) text = value;
    });
    if (id >= 0 && OrNull(text) != nullptr) CManagerUI::AddLanguageString(id, text);
}

} // namespace

void CSkinBuilder::RegisterResources(CXmlNode& root, CManagerUI* manager)
{
    for (CXmlNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const wchar_t* name = node.GetName();
        if (SameTextNoCase(name, L"Font")) RegisterFont(node, manager);
        else if (SameTextNoCase(name, L"Image")) RegisterImage(node, manager);
        else if (SameTextNoCase(name, L"Default")) RegisterDefault(node, manager);
        else if (SameTextNoCase(name, L"MultiLanguage")) RegisterLanguageString(node);
    }
}

void CSkinBuilder::ApplyWindowAttributes(CXmlNode& root, CManagerUI* manager)
{
    if (!SameTextNoCase(root.GetName(), L"Window") || manager->GetPaintWindow() == nullptr) return;
    const int count = root.GetAttributeCount();
    for (int i = 0; i < count; ++i) manager->SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
}

} // namespace VarnUI

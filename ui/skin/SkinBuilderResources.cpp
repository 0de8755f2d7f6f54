// The builder's registration pass ("Font", "Image", "Default", "MultiLanguage" among the
// root's children) and the root "Window" attributes.
#include "ui/skin/SkinBuilder.h"

#include "ui/base/UIString.h"
#include "ui/manager/ManagerUI.h"

#include <cwchar>

namespace VarnUI {
namespace {

bool SameNoCase(const wchar_t* text, const wchar_t* word)
{
    return CUIString(text).CompareNoCase(word) == 0;
}

bool IsTrue(const wchar_t* value)
{
    return SameNoCase(value, L"true");
}

int ParseDecimal(const wchar_t* value)
{
    return static_cast<int>(std::wcstol(value, nullptr, 10));
}

DWORD ParseMask(const wchar_t* value)
{
    if (*value == L'#') ++value;
    return static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
}

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
    for (int i = 0; i < count; ++i) {
        const CUIString name(node.GetAttributeName(i));
        visit(name, node.GetAttributeValue(i));
    }
}

void RegisterFont(CXmlNode& node, CManagerUI* manager)
{
    int id = -1;
    int size = 12;
    const wchar_t* face = nullptr;
    bool bold = false, underline = false, italic = false, isDefault = false, shared = false;
    ForEachAttribute(node, [&](const CUIString& name, const wchar_t* value) {
        if (name.CompareNoCase(L"id") == 0) id = ParseDecimal(value);
        else if (name.CompareNoCase(L"name") == 0) face = value;
        else if (name.CompareNoCase(L"size") == 0) size = ParseDecimal(value);
        else if (name.CompareNoCase(L"bold") == 0) bold = IsTrue(value);
        else if (name.CompareNoCase(L"underline") == 0) underline = IsTrue(value);
        else if (name.CompareNoCase(L"italic") == 0) italic = IsTrue(value);
        else if (name.CompareNoCase(L"default") == 0) isDefault = IsTrue(value);
        else if (name.CompareNoCase(L"shared") == 0) shared = IsTrue(value);
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
    ForEachAttribute(node, [&](const CUIString& attribute, const wchar_t* value) {
        if (attribute.CompareNoCase(L"name") == 0) name = value;
        else if (attribute.CompareNoCase(L"restype") == 0) type = value;
        else if (attribute.CompareNoCase(L"mask") == 0) mask = ParseMask(value);
        else if (attribute.CompareNoCase(L"shared") == 0) keepSource = IsTrue(value);
    });
    // An image's "shared" keeps its source pixels; declared images always stay the window's.
    if (OrNull(name) != nullptr) manager->AddImage(name, OrNull(type), mask, keepSource, false);
}

void RegisterDefault(CXmlNode& node, CManagerUI* manager)
{
    const wchar_t* name = nullptr;
    const wchar_t* list = L"";
    bool shared = false;
    ForEachAttribute(node, [&](const CUIString& attribute, const wchar_t* value) {
        if (attribute.CompareNoCase(L"name") == 0) name = value;
        else if (attribute.CompareNoCase(L"value") == 0) list = value;
        else if (attribute.CompareNoCase(L"shared") == 0) shared = IsTrue(value);
    });
    if (OrNull(name) != nullptr) manager->AddDefaultAttributes(name, list, shared);
}

void RegisterLanguageString(CXmlNode& node)
{
    int id = -1;
    const wchar_t* text = nullptr;
    ForEachAttribute(node, [&](const CUIString& attribute, const wchar_t* value) {
        if (attribute.CompareNoCase(L"id") == 0) id = ParseDecimal(value);
        else if (attribute.CompareNoCase(L"value") == 0) text = value;
    });
    if (id >= 0 && OrNull(text) != nullptr) CManagerUI::AddLanguageString(id, text);
}

} // namespace

void CSkinBuilder::RegisterResources(CXmlNode& root, CManagerUI* manager)
{
    for (CXmlNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const CUIString name(node.GetName());
        if (name.CompareNoCase(L"Font") == 0) RegisterFont(node, manager);
        else if (name.CompareNoCase(L"Image") == 0) RegisterImage(node, manager);
        else if (name.CompareNoCase(L"Default") == 0) RegisterDefault(node, manager);
        else if (name.CompareNoCase(L"MultiLanguage") == 0) RegisterLanguageString(node);
    }
}

void CSkinBuilder::ApplyWindowAttributes(CXmlNode& root, CManagerUI* manager)
{
    if (!SameNoCase(root.GetName(), L"Window") || manager->GetPaintWindow() == nullptr) return;
    const int count = root.GetAttributeCount();
    for (int i = 0; i < count; ++i) manager->SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
}

} // namespace VarnUI

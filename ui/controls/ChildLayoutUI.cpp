#include "ui/controls/ChildLayoutUI.h"

#include "ui/skin/SkinBuilder.h"

namespace VarnUI {
namespace {

// The child layouts initialising, innermost first. Adding the built tree initialises the
// child layouts inside it; one that names a file already being built here would build it
// again without end, so it stays empty instead. Controls live on the user interface thread
// only, so one chain serves.
struct BuildingFile {
    const CUIString* name;
    const BuildingFile* outer;
};
const BuildingFile* s_building = nullptr;

bool IsBeingBuilt(const CUIString& name)
{
    for (const BuildingFile* file = s_building; file != nullptr; file = file->outer) {
        if (file->name->CompareNoCase(name.GetData()) == 0) return true;
    }
    return false;
}

} // namespace

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
    if (m_xmlFile.IsEmpty() || IsBeingBuilt(m_xmlFile)) return;
    // Copied: building may run skin code that renames or changes this layout.
    const CUIString file(m_xmlFile);
    const BuildingFile building = {&file, s_building};
    s_building = &building;
    CSkinBuilder builder;
    CControlUI* root = builder.Create(file.GetData(), nullptr, nullptr, m_manager, nullptr);
    // The built tree is the only child, also when the layout is initialised again.
    RemoveAll();
    if (root != nullptr) Add(root);
    s_building = building.outer;
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

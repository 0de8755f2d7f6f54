#include "ui/skin/SkinBuilder.h"

#include "ui/base/AttributeValues.h"
#include "ui/base/UIString.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/manager/ManagerUI.h"
#include "ui/skin/SkinElementTable.h"
#include "ui/skin/SkinFileReader.h"
#include "ui/skin/SkinResources.h"

namespace VarnUI {
namespace {

bool IsResourceElement(const wchar_t* name)
{
    return SameTextNoCase(name, L"Font") || SameTextNoCase(name, L"Image") || SameTextNoCase(name, L"Default") ||
           SameTextNoCase(name, L"MultiLanguage");
}

// The documents being built, innermost first: the one a build started from and each one an
// "Include" brought in. A document that includes itself, directly or through others, would
// otherwise recurse until the stack runs out, and so would a chain of includes without end;
// such an "Include" builds nothing, like any other that fails. Skins are built on the user
// interface thread only, so one chain serves.
class IncludeScope {
public:
    // Include levels below the document a build started from.
    static constexpr int kMaxLevels = 32;

    IncludeScope(const wchar_t* source, const wchar_t* type, bool included)
        : m_source(source), m_type(type), m_included(included), m_outer(s_innermost)
    {
        s_innermost = this;
    }
    ~IncludeScope() { s_innermost = m_outer; }
    IncludeScope(const IncludeScope&) = delete;
    IncludeScope& operator=(const IncludeScope&) = delete;

    // True when that document is already being built, or a further include level would pass
    // the limit. An included document is on the list twice (its "Include" and its build), so
    // only the includes count as levels.
    static bool Refuses(const wchar_t* source, const wchar_t* type)
    {
        int levels = 0;
        for (const IncludeScope* scope = s_innermost; scope != nullptr; scope = scope->m_outer) {
            if (scope->m_included && ++levels >= kMaxLevels) return true;
            if (scope->Names(source, type)) return true;
        }
        return false;
    }

private:
    bool Names(const wchar_t* source, const wchar_t* type) const
    {
        if (IS_INTRESOURCE(source) || IS_INTRESOURCE(m_source)) {
            return source == m_source && SameTextNoCase(type, m_type);
        }
        return SameTextNoCase(source, m_source);
    }

    const wchar_t* m_source;
    const wchar_t* m_type;
    bool m_included;
    const IncludeScope* m_outer;
    static const IncludeScope* s_innermost;
};

const IncludeScope* IncludeScope::s_innermost = nullptr;

} // namespace

CSkinBuilder::CSkinBuilder() = default;

CControlUI* CSkinBuilder::Create(const wchar_t* source, const wchar_t* type, IDialogBuilderCallback* callback,
                                 CManagerUI* manager, CControlUI* parent)
{
    if (!Load(source, type)) return nullptr;
    const IncludeScope building(source, m_resourceType, false);
    return Build(callback, manager, parent);
}

CControlUI* CSkinBuilder::Create(IDialogBuilderCallback* callback, CManagerUI* manager, CControlUI* parent)
{
    return Build(callback, manager, parent);
}

void CSkinBuilder::GetLastErrorMessage(wchar_t* buffer, int size) const
{
    m_document.GetLastErrorMessage(buffer, size);
}

void CSkinBuilder::GetErrorContext(wchar_t* buffer, int size) const
{
    m_document.GetErrorContext(buffer, size);
}

bool CSkinBuilder::Load(const wchar_t* source, const wchar_t* type)
{
    m_resourceType = nullptr;
    if (source == nullptr) return m_document.Load(nullptr);
    if (IS_INTRESOURCE(source)) {
        CSkinFileBytes bytes;
        // A missing resource leaves no document and no message.
        if (type == nullptr || !ReadResourceBytes(CSkinResources::GetResourceModule(), source, type, bytes)) {
            return m_document.Load(nullptr);
        }
        m_resourceType = type;
        return m_document.LoadFromBytes(bytes.GetData(), bytes.GetSize(), XMLENC_UTF8);
    }
    if (source[0] == L'<') return m_document.Load(source);
    return m_document.LoadFromFile(source, XMLENC_UTF8);
}

CControlUI* CSkinBuilder::Build(IDialogBuilderCallback* callback, CManagerUI* manager, CControlUI* parent)
{
    m_callback = callback;
    CXmlNode root = m_document.GetRoot();
    if (!root.IsValid()) return nullptr;
    if (manager != nullptr) {
        RegisterResources(root, manager);
        ApplyWindowAttributes(root, manager);
    }
    return BuildChildren(root, parent, manager);
}

CControlUI* CSkinBuilder::BuildChildren(CXmlNode& element, CControlUI* parent, CManagerUI* manager)
{
    IContainerUI* container = nullptr;
    bool containerLooked = false;
    CControlUI* result = nullptr;
    for (CXmlNode node = element.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const wchar_t* name = node.GetName();
        if (IsResourceElement(name)) continue;
        if (SameTextNoCase(name, L"Include")) {
            if (node.HasAttributes()) BuildInclude(node, parent, manager);
            continue;
        }
        if (SameTextNoCase(name, L"TreeNode")) {
            if (!BuildTreeNode(node, parent, manager)) return nullptr;
            continue;
        }

        CControlUI* control = CreateSkinElement(name);
        if (control == nullptr && m_callback != nullptr) control = m_callback->CreateControl(name);
        if (control == nullptr) continue;
        // Only the first top-level control reaches the caller; a further one would be lost.
        if (parent == nullptr && result != nullptr) {
            control->Destroy();
            continue;
        }
        if (node.HasChildren()) BuildChildren(node, control, manager);

        // A parent that is already attached adopts the control at once (initialising it and
        // registering its name): it must have its attributes by then.
        const bool parentAttached = parent != nullptr && parent->GetManager() != nullptr;
        if (parentAttached) Configure(node, control, manager, name);
        if (parent != nullptr) {
            Placement placed = Placement::Added;
            wchar_t cover[kCoverValueLength + 1] = {};
            if (node.GetAttributeValue(L"cover", cover, kCoverValueLength + 1) && AttributeIsTrue(cover)) {
                parent->SetCover(control);
            } else {
                if (!containerLooked) {
                    container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
                    containerLooked = true;
                }
                placed = AddToParent(control, parent, container);
            }
            if (placed != Placement::Added) control->Destroy();
            if (placed == Placement::NoContainer) return nullptr;
            if (placed == Placement::Refused) continue;
        }
        if (!parentAttached) Configure(node, control, manager, name);
        if (result == nullptr) result = control;
    }
    return result;
}

void CSkinBuilder::BuildInclude(CXmlNode& node, CControlUI* parent, CManagerUI* manager)
{
    wchar_t value[kIncludeValueLength + 1] = {};
    int count = 1;
    if (node.GetAttributeValue(L"count", value, kIncludeValueLength + 1)) {
        count = AttributeInt(value);
    }
    if (!node.GetAttributeValue(L"source", value, kIncludeValueLength + 1) || count <= 0) return;

    const wchar_t* source = value;
    if (m_resourceType != nullptr) {
        source = MAKEINTRESOURCEW(AttributeInt(value));
    }
    if (IncludeScope::Refuses(source, m_resourceType)) return;
    const IncludeScope including(source, m_resourceType, true);

    // One builder for every repetition: the document is parsed once and built count times.
    CSkinBuilder included;
    for (int i = 0; i < count; ++i) {
        CControlUI* built = included.m_document.IsValid()
                                ? included.Create(m_callback, manager, parent)
                                : included.Create(source, m_resourceType, m_callback, manager, parent);
        // Without a parent the included controls have no owner: nobody could reach them.
        if (parent == nullptr && built != nullptr) built->Destroy();
    }
}

void CSkinBuilder::Configure(CXmlNode& node, CControlUI* control, CManagerUI* manager, const wchar_t* defaultsKey)
{
    // Attribute handling reaches the manager's fonts, images and default lists through the
    // control; afterwards the control goes back to where its parent put it.
    CManagerUI* heldManager = control->GetManager();
    CControlUI* heldParent = control->GetParent();
    if (manager != nullptr) {
        control->SetManager(manager, nullptr, false);
        const wchar_t* defaults = manager->GetDefaultAttributes(defaultsKey);
        if (defaults != nullptr) control->ApplyAttributeText(defaults);
    }
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    if (manager != nullptr) control->SetManager(heldManager, heldParent, false);
}

} // namespace VarnUI

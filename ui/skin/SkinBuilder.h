// CSkinBuilder: turns a skin document into a tree of controls for one window's manager.
//
// A builder is a short-lived local: it keeps its document only while it builds. The controls
// it makes belong to the tree they were added to, and the top-level result to the caller;
// fonts, images and default lists it registers stay with the manager (or the shared tables).
// Top-level controls after the first, which nothing could reach, are destroyed at once.
// Builds run on the thread that owns the manager.
#pragma once

#include "ui/skin/XmlDoc.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;
class CManagerUI;
class IContainerUI;

// Lets an application create controls for element names the builder does not know.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control for that element name, or null; the builder's caller owns it from then on.
    virtual CControlUI* CreateControl(const wchar_t* name) = 0;
};

class CSkinBuilder {
public:
    CSkinBuilder();

    // source is a skin file name, an XML text starting with '<', or (with type set) a numeric
    // resource id passed as MAKEINTRESOURCEW. Returns the first top-level control, or null
    // when the document cannot be loaded or holds no control.
    CControlUI* Create(const wchar_t* source, const wchar_t* type = nullptr,
                       IDialogBuilderCallback* callback = nullptr, CManagerUI* manager = nullptr,
                       CControlUI* parent = nullptr);
    // Builds again from the document already loaded.
    CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CManagerUI* manager = nullptr,
                       CControlUI* parent = nullptr);

    CXmlDoc* GetDocument() { return &m_document; }
    void GetLastErrorMessage(wchar_t* buffer, int size) const;
    void GetErrorContext(wchar_t* buffer, int size) const;

private:
    // Longest "source" and "count" values an "Include" keeps, and the longest "cover" value.
    static constexpr int kIncludeValueLength = 499;
    static constexpr int kCoverValueLength = 255;

    bool Load(const wchar_t* source, const wchar_t* type);
    CControlUI* Build(IDialogBuilderCallback* callback, CManagerUI* manager, CControlUI* parent);

    // The registration pass and the root "Window" attributes (SkinBuilderResources.cpp).
    static void RegisterResources(CXmlNode& root, CManagerUI* manager);
    static void ApplyWindowAttributes(CXmlNode& root, CManagerUI* manager);

    // Builds the children of element into parent; the first control built, or null when the
    // level stopped because parent cannot hold them.
    CControlUI* BuildChildren(CXmlNode& element, CControlUI* parent, CManagerUI* manager);
    void BuildInclude(CXmlNode& node, CControlUI* parent, CManagerUI* manager);
    // Tree nodes (SkinBuilderTree.cpp). False when the level must stop: the parent is
    // neither a tree node nor a tree view.
    bool BuildTreeNode(CXmlNode& node, CControlUI* parent, CManagerUI* manager);
    enum class Placement { Added, Refused, NoContainer };
    // A tree node parent takes the control into its row; any other into its container
    // interface (container is the parent's, looked up once per level).
    static Placement AddToParent(CControlUI* control, CControlUI* parent, IContainerUI* container);
    // Default list and own attributes, with the manager lent for the time it takes.
    static void Configure(CXmlNode& node, CControlUI* control, CManagerUI* manager, const wchar_t* defaultsKey);

    CXmlDoc m_document;
    IDialogBuilderCallback* m_callback = nullptr;
    const wchar_t* m_resourceType = nullptr;
};

} // namespace VarnUI

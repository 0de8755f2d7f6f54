// CSkinBuilder: turns a skin document into a tree of controls for one window's manager.
//
// A builder is a short-lived local: it keeps its document only while it builds. The controls
// it makes belong to the tree they were added to, and the top-level result to the caller;
// fonts, images and default lists it registers stay with the manager (or the shared tables).
#pragma once

#include "ui/skin/XmlDoc.h"

#include <windows.h>

namespace VarnUI {

class CControlUI;
class CManagerUI;

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
    CXmlDoc m_document;
    IDialogBuilderCallback* m_callback = nullptr;
    const wchar_t* m_resourceType = nullptr;
};

} // namespace VarnUI

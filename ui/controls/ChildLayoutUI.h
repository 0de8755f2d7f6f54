// CChildLayoutUI: a container whose only child is the control tree built from another skin
// file ("xmlfile"), when the layout is initialised.
//
// Ownership and coordinates as for CContainerUI. It does not offer its child list to the
// skin: children come from the file alone.
#pragma once

#include "ui/controls/ContainerUI.h"

namespace VarnUI {

class CChildLayoutUI : public CContainerUI {
public:
    CChildLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void Init() override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    const CUIString& GetChildLayoutXML() const { return m_xmlFile; }
    void SetChildLayoutXML(const wchar_t* fileName) { m_xmlFile = fileName; }

private:
    CUIString m_xmlFile;
};

} // namespace VarnUI

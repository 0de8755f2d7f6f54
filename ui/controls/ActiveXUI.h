// CActiveXUI: the placeholder for an embedded COM control. It keeps the class id, the module
// name and the delayed-creation switch the skin gives it and paints as a plain control; it
// creates no COM object.
//
// Ownership: as any control. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ControlUI.h"

namespace VarnUI {

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (the braces optional): false for anything else.
bool ParseClassId(const wchar_t* text, CLSID& clsid);

class CActiveXUI : public CControlUI {
public:
    CActiveXUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // False (and the class id unchanged) for a malformed text.
    bool SetClassId(const wchar_t* text);
    const CLSID& GetClassId() const { return m_clsid; }
    bool HasClassId() const { return m_hasClsid; }
    const CUIString& GetModuleName() const { return m_moduleName; }
    void SetModuleName(const wchar_t* name) { m_moduleName = name; }
    bool IsDelayCreate() const { return m_delayCreate; }
    void SetDelayCreate(bool delay) { m_delayCreate = delay; }

private:
    CLSID m_clsid = {};
    bool m_hasClsid = false;
    CUIString m_moduleName;
    bool m_delayCreate = true;
};

} // namespace VarnUI

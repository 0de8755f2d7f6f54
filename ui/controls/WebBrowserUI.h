// CWebBrowserUI: the placeholder for an embedded browser. It keeps the home page and the
// auto-navigation switch; nothing is loaded or shown.
//
// Ownership: as any control. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/ActiveXUI.h"

namespace VarnUI {

class CWebBrowserUI : public CActiveXUI {
public:
    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    const CUIString& GetHomePage() const { return m_homePage; }
    void SetHomePage(const wchar_t* url) { m_homePage = url; }
    bool IsAutoNavigation() const { return m_autoNavigation; }
    void SetAutoNavigation(bool autoNavigation) { m_autoNavigation = autoNavigation; }

private:
    CUIString m_homePage;
    bool m_autoNavigation = false;
};

} // namespace VarnUI

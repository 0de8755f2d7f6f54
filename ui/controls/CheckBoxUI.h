// CCheckBoxUI: an option used as a check box; "checked" is "selected". Without a group it
// toggles on each click, raising "click" and then "selectchanged".
#pragma once

#include "ui/controls/OptionUI.h"

namespace VarnUI {

class CCheckBoxUI : public COptionUI {
public:
    CCheckBoxUI();
    ~CCheckBoxUI() override;

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;

    void SetCheck(bool check, bool notify = true) { Selected(check, notify); }
    bool GetCheck() const { return IsSelected(); }
};

} // namespace VarnUI

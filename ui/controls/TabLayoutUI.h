// CTabLayoutUI: a container that shows exactly one of its children (a page) and hides the
// others. Selecting another page moves the keyboard focus on and notifies "tabselect".
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/ContainerUI.h"

namespace VarnUI {

class CTabLayoutUI : public CContainerUI {
public:
    CTabLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    // IContainerUI overrides: the selection follows the pages as they come and go.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // The selected page's index, or -1 with none.
    int GetCurSel() const { return m_curSel; }
    virtual bool SelectItem(int index, bool notify = true);
    virtual bool SelectItem(CControlUI* control, bool notify = true);

private:
    int m_curSel = -1;
};

} // namespace VarnUI

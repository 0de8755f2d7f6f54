// CTileLayoutUI: a container that puts its children into a grid of equal cells, row by row,
// with as many columns as fit (or a wished number of them).
//
// Ownership and coordinates as for CContainerUI.
#pragma once

#include "ui/controls/ContainerUI.h"

namespace VarnUI {

class CTileLayoutUI : public CContainerUI {
public:
    CTileLayoutUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    SIZE GetItemSize() const { return m_itemSize; }
    void SetItemSize(SIZE size);
    // 0 means as many columns as fit.
    int GetColumns() const { return m_columns; }
    void SetColumns(int columns);
    int GetChildVPadding() const { return m_childVPadding; }
    void SetChildVPadding(int padding);
    // The grid of the last layout.
    int GetColumnsUsed() const { return m_columnsUsed; }
    int GetRowsUsed() const { return m_rowsUsed; }

protected:
    void RescalePixels(int fromDpi, int toDpi) override;

private:
    CUISize m_itemSize = CUISize(80, 80);
    int m_columns = 0;
    int m_columnsUsed = 0;
    int m_rowsUsed = 0;
    int m_childVPadding = 0;
};

} // namespace VarnUI

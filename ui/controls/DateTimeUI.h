// CDateTimeUI: a date field drawn as a label. It keeps a SYSTEMTIME (today's date when made)
// and shows it as "YYYY-MM-DD"; no picker window is opened.
//
// Ownership: as any control. Rectangles are window client coordinates.
#pragma once

#include "ui/controls/LabelUI.h"

namespace VarnUI {

// A day the calendar has (1601 to 30827, the day within its month, leap years counted) at a
// valid time of day.
bool IsCalendarTime(const SYSTEMTIME& time);

class CDateTimeUI : public CLabelUI {
public:
    CDateTimeUI();

    // CControlUI overrides
    const wchar_t* GetClassName() const override;
    void* GetInterface(const wchar_t* name) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

    const SYSTEMTIME& GetTime() const { return m_sysTime; }
    // False (and nothing changes) for a date the calendar does not have.
    bool SetTime(const SYSTEMTIME& time);
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

private:
    void UpdateText();

    SYSTEMTIME m_sysTime = {};
    bool m_readOnly = false;
};

} // namespace VarnUI

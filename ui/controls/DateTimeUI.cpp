#include "ui/controls/DateTimeUI.h"

#include "ui/base/AttributeValues.h"

namespace VarnUI {
namespace {

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

// Checked here rather than by the platform's conversion, which lets 29 February 2023 through
// on some systems.
bool IsCalendarTime(const SYSTEMTIME& time)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12) return false;
    const int days = kDays[time.wMonth - 1] + (time.wMonth == 2 && IsLeapYear(time.wYear) ? 1 : 0);
    if (time.wDay < 1 || time.wDay > days) return false;
    return time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60 && time.wMilliseconds < 1000;
}

CDateTimeUI::CDateTimeUI()
{
    ::GetLocalTime(&m_sysTime);
    UpdateText();
}

const wchar_t* CDateTimeUI::GetClassName() const
{
    return L"DateTime";
}

void* CDateTimeUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"DateTime") return this;
    return CLabelUI::GetInterface(name);
}

void CDateTimeUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    if (CUIString(name) == L"readonly") {
        SetReadOnly(AttributeIsTrue(value));
        return;
    }
    CLabelUI::SetAttribute(name, value);
}

bool CDateTimeUI::SetTime(const SYSTEMTIME& time)
{
    if (!IsCalendarTime(time)) return false;
    m_sysTime = time;
    UpdateText();
    return true;
}

void CDateTimeUI::UpdateText()
{
    CUIString text;
    text.FormatShort(L"%04u-%02u-%02u", static_cast<unsigned>(m_sysTime.wYear),
                     static_cast<unsigned>(m_sysTime.wMonth), static_cast<unsigned>(m_sysTime.wDay));
    SetText(text.GetData());
}

} // namespace VarnUI

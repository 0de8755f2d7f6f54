#include "ui/controls/DateTimeUI.h"

#include "ui/controls/AttributeValues.h"

#include <cwchar>

namespace VarnUI {

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
    // The platform's conversion is the calendar check: it refuses 31 April or 29 February 2023.
    FILETIME unused = {};
    if (!::SystemTimeToFileTime(&time, &unused)) return false;
    m_sysTime = time;
    UpdateText();
    return true;
}

void CDateTimeUI::UpdateText()
{
    wchar_t buffer[16] = {};
    std::swprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), L"%04u-%02u-%02u",
                  static_cast<unsigned>(m_sysTime.wYear), static_cast<unsigned>(m_sysTime.wMonth),
                  static_cast<unsigned>(m_sysTime.wDay));
    SetText(buffer);
}

} // namespace VarnUI

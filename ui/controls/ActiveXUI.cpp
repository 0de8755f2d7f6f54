#include "ui/controls/ActiveXUI.h"

#include "ui/base/AttributeValues.h"

namespace VarnUI {
namespace {

// Reads exactly count hexadecimal digits into value.
bool ReadHex(const wchar_t*& cursor, int count, unsigned long long& value)
{
    value = 0;
    for (int i = 0; i < count; ++i) {
        const wchar_t ch = cursor[i];
        int digit = -1;
        if (ch >= L'0' && ch <= L'9') digit = ch - L'0';
        else if (ch >= L'a' && ch <= L'f') digit = ch - L'a' + 10;
        else if (ch >= L'A' && ch <= L'F') digit = ch - L'A' + 10;
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    cursor += count;
    return true;
}

bool Expect(const wchar_t*& cursor, wchar_t ch)
{
    if (*cursor != ch) return false;
    ++cursor;
    return true;
}

} // namespace

bool ParseClassId(const wchar_t* text, CLSID& clsid)
{
    if (text == nullptr) return false;
    const wchar_t* cursor = text;
    const bool braced = *cursor == L'{';
    if (braced) ++cursor;
    unsigned long long part = 0;
    CLSID result = {};
    if (!ReadHex(cursor, 8, part) || !Expect(cursor, L'-')) return false;
    result.Data1 = static_cast<unsigned long>(part);
    if (!ReadHex(cursor, 4, part) || !Expect(cursor, L'-')) return false;
    result.Data2 = static_cast<unsigned short>(part);
    if (!ReadHex(cursor, 4, part) || !Expect(cursor, L'-')) return false;
    result.Data3 = static_cast<unsigned short>(part);
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(cursor, L'-')) return false;
        if (!ReadHex(cursor, 2, part)) return false;
        result.Data4[i] = static_cast<unsigned char>(part);
    }
    if (braced && !Expect(cursor, L'}')) return false;
    if (*cursor != L'\0') return false;
    clsid = result;
    return true;
}

CActiveXUI::CActiveXUI() = default;

const wchar_t* CActiveXUI::GetClassName() const
{
    return L"ActiveX";
}

void* CActiveXUI::GetInterface(const wchar_t* name)
{
    if (CUIString(name) == L"ActiveX") return this;
    return CControlUI::GetInterface(name);
}

bool CActiveXUI::SetClassId(const wchar_t* text)
{
    CLSID parsed = {};
    if (!ParseClassId(text, parsed)) return false;
    m_clsid = parsed;
    m_hasClsid = true;
    return true;
}

void CActiveXUI::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (name == nullptr || value == nullptr) return;
    const CUIString key(name);
    if (key == L"clsid") {
        SetClassId(value);
    } else if (key == L"modulename") {
        SetModuleName(value);
    } else if (key == L"delaycreate") {
        SetDelayCreate(AttributeIsTrue(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

} // namespace VarnUI

#include "ui/skin/XmlDoc.h"

#include "ui/skin/SkinFileReader.h"
#include "ui/skin/XmlParser.h"
#include "ui/skin/XmlText.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <new>

namespace VarnUI {

using XmlText::CopyBounded;

namespace {

const wchar_t kMissingByteOrderMark[] = L"Missing byte-order mark";
const wchar_t kCannotConvert[] = L"Could not convert text";
const wchar_t kOutOfMemory[] = L"Out of memory";

wchar_t* NewText(size_t length)
{
    wchar_t* text = new (std::nothrow) wchar_t[length + 1];
    if (text) text[length] = L'\0';
    return text;
}

// Converts narrow text; null when it cannot be converted or stored.
wchar_t* ConvertNarrow(UINT codePage, const BYTE* bytes, DWORD count, const wchar_t*& failure)
{
    failure = kOutOfMemory;
    if (count == 0) return NewText(0);
    failure = kCannotConvert;
    if (count > static_cast<DWORD>(INT_MAX)) return nullptr;
    const char* narrow = reinterpret_cast<const char*>(bytes);
    const int length = ::MultiByteToWideChar(codePage, 0, narrow, static_cast<int>(count), nullptr, 0);
    if (length <= 0) return nullptr;
    failure = kOutOfMemory;
    wchar_t* text = NewText(static_cast<size_t>(length));
    if (!text) return nullptr;
    if (::MultiByteToWideChar(codePage, 0, narrow, static_cast<int>(count), text, length) != length) {
        delete[] text;
        failure = kCannotConvert;
        return nullptr;
    }
    return text;
}

// UTF-16 after its byte-order mark; the caller's bytes stay as they are (they may be a
// read-only resource), so big-endian units are swapped while copying.
wchar_t* ConvertUtf16(const BYTE* bytes, DWORD count, const wchar_t*& failure)
{
    failure = kMissingByteOrderMark;
    if (count < 2) return nullptr;
    const bool little = bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool big = bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (!little && !big) return nullptr;
    const size_t units = (count - 2) / 2; // a trailing odd byte is dropped
    failure = kOutOfMemory;
    wchar_t* text = NewText(units);
    if (!text) return nullptr;
    const BYTE* unit = bytes + 2;
    for (size_t i = 0; i < units; ++i, unit += 2) {
        text[i] = little ? static_cast<wchar_t>(unit[0] | (unit[1] << 8))
                         : static_cast<wchar_t>((unit[0] << 8) | unit[1]);
    }
    return text;
}

} // namespace

CXmlDoc::CXmlDoc(const wchar_t* text)
{
    if (text) Load(text);
}

CXmlDoc::~CXmlDoc()
{
    Release();
}

bool CXmlDoc::Load(const wchar_t* text)
{
    Release();
    SetError(L"", L"");
    if (!text) return false;
    const size_t length = std::wcslen(text);
    wchar_t* copy = NewText(length);
    if (!copy) {
        SetError(kOutOfMemory, L"");
        return false;
    }
    std::wmemcpy(copy, text, length);
    return Parse(copy);
}

bool CXmlDoc::LoadFromBytes(const BYTE* bytes, DWORD count, int encoding)
{
    // Releasing here keeps an earlier document's table from mixing with the new one.
    Release();
    SetError(L"", L"");
    if (!bytes) count = 0;
    const wchar_t* failure = nullptr;
    wchar_t* text = nullptr;
    if (encoding == XMLENC_UTF8) {
        if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
            bytes += 3;
            count -= 3;
        }
        text = ConvertNarrow(CP_UTF8, bytes, count, failure);
    } else if (encoding == XMLENC_ANSI) {
        text = ConvertNarrow(CP_ACP, bytes, count, failure);
    } else {
        text = ConvertUtf16(bytes, count, failure);
    }
    if (!text) {
        SetError(failure, L"");
        return false;
    }
    return Parse(text);
}

bool CXmlDoc::LoadFromFile(const wchar_t* name, int encoding)
{
    Release();
    CSkinFileBytes bytes;
    const wchar_t* failure = nullptr;
    if (!ReadSkinFile(name, bytes, &failure)) {
        SetError(failure, L"");
        return false;
    }
    return LoadFromBytes(bytes.GetData(), bytes.GetSize(), encoding);
}

void CXmlDoc::Release()
{
    delete[] m_text;
    m_text = nullptr;
    std::free(m_elements);
    m_elements = nullptr;
    m_elementCount = 0;
    m_elementCapacity = 0;
}

void CXmlDoc::GetLastErrorMessage(wchar_t* buffer, int size) const
{
    CopyBounded(buffer, size, m_errorMessage);
}

void CXmlDoc::GetErrorContext(wchar_t* buffer, int size) const
{
    CopyBounded(buffer, size, m_errorLocation);
}

CXmlNode CXmlDoc::GetRoot()
{
    if (!m_elements || m_elementCount < 2) return CXmlNode();
    return CXmlNode(this, 1);
}

bool CXmlDoc::Parse(wchar_t* text)
{
    m_text = text;
    SetError(L"", L"");
    // Offsets are 32-bit; a text that long could not be addressed. Element 0 is the dummy.
    if (std::wcslen(text) >= ULONG_MAX || (ReserveElement(), m_elementCount != 1)) {
        SetError(kOutOfMemory, L"");
        Release();
        return false;
    }
    CXmlParser parser(*this, text);
    if (parser.Parse()) return true;
    SetError(parser.ErrorMessage(), parser.ErrorPosition());
    Release();
    return false;
}

ULONG CXmlDoc::ReserveElement()
{
    if (m_elementCount == m_elementCapacity) {
        const unsigned long long capacity = m_elementCapacity + m_elementCapacity / 2ull + 500;
        if (capacity > ULONG_MAX || capacity > SIZE_MAX / sizeof(XmlElement)) return 0;
        void* grown = std::realloc(m_elements, static_cast<size_t>(capacity) * sizeof(XmlElement));
        if (!grown) return 0;
        m_elements = static_cast<XmlElement*>(grown);
        m_elementCapacity = static_cast<ULONG>(capacity);
    }
    m_elements[m_elementCount] = XmlElement{};
    return m_elementCount++;
}

void CXmlDoc::SetError(const wchar_t* message, const wchar_t* location)
{
    CopyBounded(m_errorMessage, static_cast<int>(sizeof m_errorMessage / sizeof m_errorMessage[0]), message);
    CopyBounded(m_errorLocation, static_cast<int>(sizeof m_errorLocation / sizeof m_errorLocation[0]), location);
}

} // namespace VarnUI

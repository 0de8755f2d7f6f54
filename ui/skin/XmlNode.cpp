#include "ui/skin/XmlNode.h"

#include "ui/skin/XmlDoc.h"
#include "ui/skin/XmlText.h"

#include <cwchar>

namespace VarnUI {

using namespace XmlText;

namespace {

bool CopyValue(const wchar_t* value, wchar_t* buffer, int size)
{
    if (!value) return false;
    CopyBounded(buffer, size, value);
    return true;
}

} // namespace

bool CXmlNode::HasElement() const
{
    return m_owner && m_owner->m_elements && m_index > 0 && m_index < m_owner->m_elementCount;
}

CXmlNode CXmlNode::Related(ULONG index) const
{
    return index != 0 ? CXmlNode(m_owner, index) : CXmlNode();
}

const wchar_t* CXmlNode::GetName() const
{
    if (!HasElement()) return nullptr;
    return m_owner->m_text + m_owner->m_elements[m_index].nameOffset;
}

const wchar_t* CXmlNode::GetValue() const
{
    if (!HasElement()) return nullptr;
    return m_owner->m_text + m_owner->m_elements[m_index].dataOffset;
}

CXmlNode CXmlNode::GetParent() const
{
    return HasElement() ? Related(m_owner->m_elements[m_index].parent) : CXmlNode();
}

CXmlNode CXmlNode::GetChild() const
{
    return HasElement() ? Related(m_owner->m_elements[m_index].firstChild) : CXmlNode();
}

CXmlNode CXmlNode::GetChild(const wchar_t* name) const
{
    if (!HasElement() || !name) return CXmlNode();
    const XmlElement* elements = m_owner->m_elements;
    for (ULONG child = elements[m_index].firstChild; child != 0; child = elements[child].nextSibling) {
        if (std::wcscmp(m_owner->m_text + elements[child].nameOffset, name) == 0) return CXmlNode(m_owner, child);
    }
    return CXmlNode();
}

CXmlNode CXmlNode::GetSibling() const
{
    return HasElement() ? Related(m_owner->m_elements[m_index].nextSibling) : CXmlNode();
}

bool CXmlNode::HasChildren() const
{
    return HasElement() && m_owner->m_elements[m_index].firstChild != 0;
}

bool CXmlNode::HasSiblings() const
{
    return HasElement() && m_owner->m_elements[m_index].nextSibling != 0;
}

bool CXmlNode::HasAttributes()
{
    return GetAttributeCount() > 0;
}

int CXmlNode::GetAttributeCount()
{
    if (!HasElement()) return 0;
    if (m_attributeCount == 0) ParseAttributes();
    return static_cast<int>(m_attributeCount);
}

const wchar_t* CXmlNode::GetAttributeName(int index)
{
    if (index < 0 || index >= GetAttributeCount()) return HasElement() ? L"" : nullptr;
    return m_owner->m_text + m_attributes[index].nameOffset;
}

const wchar_t* CXmlNode::GetAttributeValue(int index)
{
    if (index < 0 || index >= GetAttributeCount()) return HasElement() ? L"" : nullptr;
    return m_owner->m_text + m_attributes[index].valueOffset;
}

const wchar_t* CXmlNode::GetAttributeValue(const wchar_t* name)
{
    const int index = FindAttribute(name);
    if (index < 0) return HasElement() ? L"" : nullptr;
    return m_owner->m_text + m_attributes[index].valueOffset;
}

bool CXmlNode::GetAttributeValue(int index, wchar_t* buffer, int size)
{
    if (index < 0 || index >= GetAttributeCount()) return false;
    return CopyValue(m_owner->m_text + m_attributes[index].valueOffset, buffer, size);
}

bool CXmlNode::GetAttributeValue(const wchar_t* name, wchar_t* buffer, int size)
{
    const int index = FindAttribute(name);
    if (index < 0) return false;
    return CopyValue(m_owner->m_text + m_attributes[index].valueOffset, buffer, size);
}

bool CXmlNode::HasAttribute(const wchar_t* name)
{
    return FindAttribute(name) >= 0;
}

int CXmlNode::FindAttribute(const wchar_t* name)
{
    if (!name) return -1;
    const int count = GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        if (std::wcscmp(m_owner->m_text + m_attributes[i].nameOffset, name) == 0) return i;
    }
    return -1;
}

void CXmlNode::ParseAttributes()
{
    // The parse left the start tag as: name, terminator, then for each attribute its name,
    // a terminator, blanks, a quote and the terminated value. The tag's own end ('>' or the
    // terminator that replaced "/>") or the element's data offset closes the list.
    m_attributeCount = 0;
    const wchar_t* text = m_owner->m_text;
    const XmlElement& element = m_owner->m_elements[m_index];
    const wchar_t* const limit = text + element.dataOffset;
    const wchar_t* p = text + element.nameOffset;
    while (m_attributeCount < static_cast<ULONG>(kMaxAttributes)) {
        p += std::wcslen(p) + 1;
        if (p >= limit) return;
        SkipWhite(p);
        if (p >= limit || *p == L'>' || *p == L'/') return;
        const wchar_t* name = p;
        p += std::wcslen(p) + 1;
        if (p >= limit) return;
        SkipWhite(p);
        if (p >= limit || *p != L'"') return;
        ++p;
        m_attributes[m_attributeCount].nameOffset = static_cast<ULONG>(name - text);
        m_attributes[m_attributeCount].valueOffset = static_cast<ULONG>(p - text);
        ++m_attributeCount;
    }
}

} // namespace VarnUI

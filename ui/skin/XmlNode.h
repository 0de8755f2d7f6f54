// CXmlNode: a value handle to one element of a CXmlDoc. It does not own the document and
// stays usable while the document keeps the text it was taken from. Attribute positions are
// found on the first attribute query and kept in the node itself (at most 64).
#pragma once

#include <windows.h>

namespace VarnUI {

class CXmlDoc;

class CXmlNode {
public:
    static constexpr int kMaxAttributes = 64;

    CXmlNode() = default;

    bool IsValid() const { return m_owner != nullptr; }

    const wchar_t* GetName() const;
    // The text between the start tag and the first child or the end tag.
    const wchar_t* GetValue() const;

    CXmlNode GetParent() const;
    CXmlNode GetChild() const;
    // The first child with exactly this name.
    CXmlNode GetChild(const wchar_t* name) const;
    CXmlNode GetSibling() const;
    bool HasChildren() const;
    bool HasSiblings() const;

    bool HasAttributes();
    int GetAttributeCount();
    // Empty texts for an index out of range or a name not present (names compare exactly).
    const wchar_t* GetAttributeName(int index);
    const wchar_t* GetAttributeValue(int index);
    const wchar_t* GetAttributeValue(const wchar_t* name);
    // Copy at most size - 1 characters and terminate; false when there is no such attribute.
    bool GetAttributeValue(int index, wchar_t* buffer, int size);
    bool GetAttributeValue(const wchar_t* name, wchar_t* buffer, int size);
    bool HasAttribute(const wchar_t* name);

private:
    friend class CXmlDoc;

    struct Attribute {
        ULONG nameOffset;
        ULONG valueOffset;
    };

    CXmlNode(CXmlDoc* owner, ULONG index) : m_index(index), m_owner(owner) {}

    // False for an invalid node or one whose document no longer holds its element.
    bool HasElement() const;
    CXmlNode Related(ULONG index) const;
    void ParseAttributes();
    int FindAttribute(const wchar_t* name);

    ULONG m_index = 0;
    ULONG m_attributeCount = 0;
    Attribute m_attributes[kMaxAttributes] = {};
    CXmlDoc* m_owner = nullptr;
};

} // namespace VarnUI

// CXmlDoc: one parsed skin document. It owns a single terminated wide copy of the text, which
// the parser rewrites in place (terminators after names and values, entities decoded), and a
// flat table of elements that refer to each other by index. Names and values handed out by
// CXmlNode point into that text and stay valid until the document is loaded again or
// released.
//
// The XML subset: elements, double-quoted attributes, text content, the entities amp, lt, gt,
// quot and apos, comments and processing instructions; no DTD, CDATA or namespaces.
#pragma once

#include "ui/skin/XmlNode.h"

#include <windows.h>

namespace VarnUI {

enum XmlEncoding {
    XMLENC_UTF8 = 0,    // an optional EF BB BF mark
    XMLENC_UNICODE = 1, // UTF-16 with a byte-order mark; every value but 0 and 2 means this
    XMLENC_ANSI = 2,    // the ANSI code page
};

// One element; index 0 is a dummy, index 1 the first top-level element. Offsets count
// characters into the document text; an index of 0 means none (or the top level for parent).
struct XmlElement {
    ULONG nameOffset;
    ULONG firstChild;
    ULONG nextSibling;
    ULONG parent;
    ULONG dataOffset;
};

class CXmlDoc {
public:
    // A non-null text is loaded at once.
    explicit CXmlDoc(const wchar_t* text = nullptr);
    ~CXmlDoc();
    CXmlDoc(const CXmlDoc&) = delete;
    CXmlDoc& operator=(const CXmlDoc&) = delete;

    bool Load(const wchar_t* text);
    // Converts the bytes to a text of its own (the bytes are neither kept nor changed) and
    // parses it. Whatever was loaded before is released first.
    bool LoadFromBytes(const BYTE* bytes, DWORD count, int encoding = XMLENC_UTF8);
    // Reads the skin file through ReadSkinFile; a failed read leaves its message.
    bool LoadFromFile(const wchar_t* name, int encoding = XMLENC_UTF8);
    void Release();
    bool IsValid() const { return m_elements != nullptr; }

    // Copy at most size - 1 characters and always terminate (when size > 0).
    void GetLastErrorMessage(wchar_t* buffer, int size) const;
    void GetErrorContext(wchar_t* buffer, int size) const;

    // The first top-level element, or an invalid node.
    CXmlNode GetRoot();

private:
    friend class CXmlNode;
    friend class CXmlParser;

    // Takes over an allocated text and parses it.
    bool Parse(wchar_t* text);
    // Index of a new, zeroed element; 0 when the table cannot grow.
    ULONG ReserveElement();
    void SetError(const wchar_t* message, const wchar_t* location);

    wchar_t* m_text = nullptr;
    XmlElement* m_elements = nullptr;
    ULONG m_elementCount = 0;
    ULONG m_elementCapacity = 0;
    wchar_t m_errorMessage[100] = {};
    wchar_t m_errorLocation[50] = {};
};

} // namespace VarnUI

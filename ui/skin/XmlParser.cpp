#include "ui/skin/XmlParser.h"

#include "ui/skin/XmlDoc.h"
#include "ui/skin/XmlText.h"

#include <cwchar>

namespace VarnUI {

using namespace XmlText;

namespace {

const wchar_t kExpectedStartTag[] = L"Expected start tag";
const wchar_t kElementName[] = L"Error parsing element name";
const wchar_t kStartTagClosing[] = L"Expected start-tag closing";
const wchar_t kEndTagStart[] = L"Expected end-tag start";
const wchar_t kUnmatchedClosingTag[] = L"Unmatched closing tag";
const wchar_t kAttributes[] = L"Error while parsing attributes";
const wchar_t kAttributeValue[] = L"Expected attribute value";
const wchar_t kAttributeString[] = L"Error while parsing attribute string";
const wchar_t kOutOfMemory[] = L"Out of memory";

struct Entity {
    const wchar_t* name; // with its ';'
    size_t length;
    wchar_t value;
};

const Entity kEntities[] = {
    {L"amp;", 4, L'&'}, {L"lt;", 3, L'<'}, {L"gt;", 3, L'>'}, {L"quot;", 5, L'"'}, {L"apos;", 5, L'\''},
};

// Comments and declarations end at "->", processing instructions at "?>".
void SkipMarkup(wchar_t*& p)
{
    const wchar_t last = *p == L'!' ? L'-' : L'?';
    while (*p != L'\0' && !(p[0] == last && p[1] == L'>')) ++p;
    if (*p != L'\0') p += 2;
}

// Decodes a text value in place up to stop (or the end), leaving p on the stop character.
// Returns the end of the decoded text. Decoding only shrinks, so the write position never
// passes the read position; the gap between them is terminated and blanked so that later
// scans see a well-formed text.
wchar_t* DecodeText(wchar_t*& p, wchar_t stop)
{
    wchar_t* write = p;
    while (*p != L'\0' && *p != stop) {
        if (*p != L'&') {
            *write++ = *p++;
            continue;
        }
        ++p;
        wchar_t decoded = L'&';
        for (const Entity& entity : kEntities) {
            // wcsncmp stops at the first difference, so it never reads past the terminator.
            if (std::wcsncmp(p, entity.name, entity.length) == 0) {
                decoded = entity.value;
                p += entity.length;
                break;
            }
        }
        *write++ = decoded;
    }
    if (write < p) {
        *write = L'\0';
        for (wchar_t* gap = write + 1; gap < p; ++gap) *gap = L' ';
    }
    return write;
}

} // namespace

bool CXmlParser::Parse()
{
    // The open elements form a chain through their parent links: parent is the element whose
    // children are being read, previous the last sibling read under it.
    ULONG parent = 0;
    ULONG previous = 0;
    wchar_t* p = m_text;
    for (;;) {
        SkipWhite(p);
        const bool atEnd = *p == L'\0';
        // Only the top-level list and the root's children may end with the text.
        if ((atEnd && parent > 1) || (!atEnd && *p != L'<')) return Fail(kExpectedStartTag, p);
        if (atEnd || p[1] == L'/') {
            if (parent == 0) return true;
            if (!CloseElement(parent, p)) return false;
            previous = parent;
            parent = m_doc.m_elements[parent].parent;
            continue;
        }
        *p++ = L'\0';
        SkipWhite(p);
        if (*p == L'!' || *p == L'?') {
            SkipMarkup(p);
            continue;
        }
        ULONG index = 0;
        if (!StartElement(parent, previous, p, index)) return false;
        if (index == 0) continue; // an empty-element tag, complete already
        if (*p == L'\0') {
            if (parent > 1) return Fail(kEndTagStart, p);
            TerminateName(index);
            continue;
        }
        if (*p != L'<') return Fail(kEndTagStart, p);
        if (p[1] != L'/') {
            parent = index;
            previous = 0;
            continue;
        }
        if (!CloseElement(index, p)) return false;
    }
}

// Reads a start tag from its name on, and the text value after it. index receives the
// element when it stays open for children or an end tag, 0 for an empty-element tag.
bool CXmlParser::StartElement(ULONG parent, ULONG& previous, wchar_t*& p, ULONG& index)
{
    const ULONG added = m_doc.ReserveElement();
    if (added == 0) return Fail(kOutOfMemory, p);
    XmlElement* elements = m_doc.m_elements;
    elements[added].nameOffset = static_cast<ULONG>(p - m_text);
    elements[added].parent = parent;
    if (previous != 0) {
        elements[previous].nextSibling = added;
    } else if (parent != 0) {
        elements[parent].firstChild = added;
    }
    previous = added;

    SkipName(p);
    if (*p == L'\0') return Fail(kElementName, p);
    if (!ParseAttributes(p)) return false;
    SkipWhite(p);
    if (p[0] == L'/' && p[1] == L'>') {
        elements[added].dataOffset = static_cast<ULONG>(p - m_text);
        *p = L'\0';
        p += 2;
        TerminateName(added);
        index = 0;
        return true;
    }
    if (*p != L'>') return Fail(kStartTagClosing, p);
    ++p;
    elements[added].dataOffset = static_cast<ULONG>(p - m_text);
    DecodeText(p, L'<');
    index = added;
    return true;
}

bool CXmlParser::ParseAttributes(wchar_t*& p)
{
    // A '/' right after the name belongs to "/>"; ending the name there would lose it.
    if (*p == L'>' || *p == L'/') return true;
    *p++ = L'\0';
    for (;;) {
        SkipWhite(p);
        if (*p == L'\0' || *p == L'/' || *p == L'>') return true;
        wchar_t* nameEnd = p;
        SkipName(nameEnd);
        p = nameEnd;
        SkipWhite(p);
        if (*p != L'=') return Fail(kAttributes, p);
        *p++ = L' ';
        *nameEnd = L'\0';
        SkipWhite(p);
        if (*p != L'"') return Fail(kAttributeValue, p);
        ++p;
        wchar_t* valueEnd = DecodeText(p, L'"');
        if (*p == L'\0') return Fail(kAttributeString, p);
        *valueEnd = L'\0';
        if (valueEnd != p) *p = L' ';
        ++p;
    }
}

// Reads the element's end tag when one follows, then ends its name. At the end of the text
// no end tag is required (the caller allows that only near the top).
bool CXmlParser::CloseElement(ULONG index, wchar_t*& p)
{
    if (p[0] == L'<' && p[1] == L'/') {
        *p = L'\0';
        p += 2;
        SkipWhite(p);
        const wchar_t* name = m_text + m_doc.m_elements[index].nameOffset;
        const wchar_t* nameEnd = name;
        SkipName(nameEnd);
        const size_t length = static_cast<size_t>(nameEnd - name);
        if (std::wcsncmp(p, name, length) != 0) return Fail(kUnmatchedClosingTag, p);
        p += length;
        SkipWhite(p);
        if (*p != L'>') return Fail(kUnmatchedClosingTag, p);
        ++p;
    }
    TerminateName(index);
    return true;
}

// Done last: until the element is complete, the character after its name may still be the
// '>' or '/' that the start tag's checks read.
void CXmlParser::TerminateName(ULONG index)
{
    wchar_t* end = m_text + m_doc.m_elements[index].nameOffset;
    SkipName(end);
    *end = L'\0';
}

bool CXmlParser::Fail(const wchar_t* message, const wchar_t* at)
{
    m_error = message;
    m_errorAt = at;
    return false;
}

} // namespace VarnUI

// CXmlParser: the in-place parse of one document text into the element table of a CXmlDoc.
// It borrows both and lives only for the parse. Nesting is followed through the elements'
// parent links instead of recursion, so no document, however deep, can exhaust the stack.
#pragma once

#include <windows.h>

namespace VarnUI {

class CXmlDoc;

class CXmlParser {
public:
    CXmlParser(CXmlDoc& doc, wchar_t* text) : m_doc(doc), m_text(text) {}

    bool Parse();

    // After a failed parse: the message and where in the text the parse stood.
    const wchar_t* ErrorMessage() const { return m_error; }
    const wchar_t* ErrorPosition() const { return m_errorAt; }

private:
    bool StartElement(ULONG parent, ULONG& previous, wchar_t*& p, ULONG& index);
    bool ParseAttributes(wchar_t*& p);
    bool CloseElement(ULONG index, wchar_t*& p);
    void TerminateName(ULONG index);
    bool Fail(const wchar_t* message, const wchar_t* at);

    CXmlDoc& m_doc;
    wchar_t* m_text;
    const wchar_t* m_error = nullptr;
    const wchar_t* m_errorAt = nullptr;
};

} // namespace VarnUI

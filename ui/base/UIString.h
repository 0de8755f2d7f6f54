// CUIString: the framework's wide-character (UTF-16) string value. Lengths and indices count
// code units. Texts of up to 62 characters live in the inline buffer; longer ones live in a
// heap block the string owns. Copies are deep. The text is always terminated.
#pragma once

namespace VarnUI {

class CUIString {
public:
    // Size of the inline buffer, in characters.
    static constexpr int kInlineSize = 64;
    // Longest text kept inline; from kInlineSize - 1 characters on the text goes to the heap.
    static constexpr int kMaxInlineLength = kInlineSize - 2;

    CUIString();
    explicit CUIString(wchar_t ch);
    // A null text is the empty text; a count below zero means up to the terminator.
    CUIString(const wchar_t* text, int count = -1);
    CUIString(const CUIString& src);
    ~CUIString();

    // Copies at most count characters (all when count < 0), stopping early at a terminator.
    void Assign(const wchar_t* text, int count = -1);
    // A null text leaves the string unchanged.
    void Append(const wchar_t* text);
    void Empty();

    int GetLength() const;
    bool IsEmpty() const;
    const wchar_t* GetData() const;

    // Unchecked: the caller keeps the index within the text.
    wchar_t GetAt(int index) const;
    wchar_t operator[](int index) const;
    void SetAt(int index, wchar_t ch);

    const CUIString& operator=(const CUIString& src);
    const CUIString& operator=(const wchar_t* text);
    // Converts from the ANSI code page; null empties the string.
    const CUIString& operator=(const char* text);
    const CUIString& operator=(wchar_t ch);

    const CUIString& operator+=(const CUIString& src);
    const CUIString& operator+=(const wchar_t* text);
    const CUIString& operator+=(const char* text);
    const CUIString& operator+=(wchar_t ch);

    CUIString operator+(const CUIString& src) const;
    CUIString operator+(const wchar_t* text) const;

    // Ordinal comparisons; a null text compares as the empty text.
    int Compare(const wchar_t* text) const;
    // Folds only the ASCII letters.
    int CompareNoCase(const wchar_t* text) const;

    bool operator==(const wchar_t* text) const;
    bool operator!=(const wchar_t* text) const;
    bool operator<(const wchar_t* text) const;
    bool operator<=(const wchar_t* text) const;
    bool operator>(const wchar_t* text) const;
    bool operator>=(const wchar_t* text) const;
    bool operator==(const CUIString& other) const;
    bool operator!=(const CUIString& other) const;
    bool operator<(const CUIString& other) const;
    bool operator<=(const CUIString& other) const;
    bool operator>(const CUIString& other) const;
    bool operator>=(const CUIString& other) const;

    // Only the ASCII letters change.
    void MakeUpper();
    void MakeLower();

    CUIString Left(int length) const;
    // length < 0 means to the end; a pos outside [0, GetLength()] gives the empty string.
    CUIString Mid(int pos, int length = -1) const;
    CUIString Right(int length) const;

    // Index of the first occurrence at or after start, else -1 (also for a start out of range).
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* text, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    // Replaces every occurrence of from by to, never searching inserted text again.
    // Returns the number of replacements; an empty or null from replaces nothing.
    int Replace(const wchar_t* from, const wchar_t* to);

    // printf-style formatting of any length; returns the number of characters produced,
    // or -1 (and an empty string) when the format cannot be applied.
    int Format(const wchar_t* format, ...);
    // Formats with the platform's wvsprintfW; meant for short results (below 64 characters).
    // Returns wvsprintfW's result.
    int FormatShort(const wchar_t* format, ...);

private:
    bool IsInline() const { return m_text == m_inline; }
    void FreeHeap();

    wchar_t* m_text;
    wchar_t m_inline[kInlineSize];
};

// Ordinal comparison of two terminated texts in which only the ASCII letters fold; a null
// text compares as the empty text.
int CompareTextNoCase(const wchar_t* left, const wchar_t* right);

inline bool SameTextNoCase(const wchar_t* left, const wchar_t* right)
{
    return CompareTextNoCase(left, right) == 0;
}

} // namespace VarnUI

// NarrowText: an owned, terminated byte string in the ANSI code page, for the few places where
// a path must pass through narrow text. Copies are deep. When memory for a copy cannot be had
// the text is empty (never a cut-off part of a path), and Failed() tells it apart.
#pragma once

class NarrowText {
public:
    NarrowText() = default;
    // Null is the empty text.
    explicit NarrowText(const char* text);
    NarrowText(const char* text, int length);
    NarrowText(const NarrowText& other);
    NarrowText(NarrowText&& other) noexcept;
    NarrowText& operator=(const NarrowText& other);
    NarrowText& operator=(NarrowText&& other) noexcept;
    ~NarrowText();

    const char* c_str() const { return m_text != nullptr ? m_text : ""; }
    int Length() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    // True when the last assignment or addition could not get its memory.
    bool Failed() const { return m_failed; }

    void Assign(const char* text, int length);
    // `text` must not lie in this string.
    void Append(const char* text);

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }
    bool operator==(const NarrowText& other) const { return *this == other.c_str(); }
    bool operator!=(const NarrowText& other) const { return !(*this == other.c_str()); }

private:
    void Reset();

    char* m_text = nullptr;
    int m_length = 0;
    bool m_failed = false;
};

#include "app/NarrowText.h"

#include <climits>
#include <cstdlib>
#include <cstring>

NarrowText::NarrowText(const char* text)
{
    if (text != nullptr) Assign(text, static_cast<int>(std::strlen(text)));
}

NarrowText::NarrowText(const char* text, int length)
{
    Assign(text, length);
}

NarrowText::NarrowText(const NarrowText& other)
{
    Assign(other.m_text, other.m_length);
}

NarrowText::NarrowText(NarrowText&& other) noexcept
    : m_text(other.m_text), m_length(other.m_length), m_failed(other.m_failed)
{
    other.m_text = nullptr;
    other.m_length = 0;
}

NarrowText& NarrowText::operator=(const NarrowText& other)
{
    if (this != &other) Assign(other.m_text, other.m_length);
    return *this;
}

NarrowText& NarrowText::operator=(NarrowText&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_text = other.m_text;
        m_length = other.m_length;
        m_failed = other.m_failed;
        other.m_text = nullptr;
        other.m_length = 0;
    }
    return *this;
}

NarrowText::~NarrowText()
{
    Reset();
}

void NarrowText::Reset()
{
    std::free(m_text);
    m_text = nullptr;
    m_length = 0;
}

void NarrowText::Assign(const char* text, int length)
{
    m_failed = false;
    if (text == nullptr || length <= 0) {
        Reset();
        return;
    }
    // A fresh block first: the text may lie in the old one.
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
    if (block == nullptr) {
        Reset();
        m_failed = true;
        return;
    }
    std::memcpy(block, text, static_cast<size_t>(length));
    block[length] = '\0';
    Reset();
    m_text = block;
    m_length = length;
}

void NarrowText::Append(const char* text)
{
    if (text == nullptr || m_failed) return;
    const size_t added = std::strlen(text);
    if (added == 0) return;
    if (added > static_cast<size_t>(INT_MAX - 1 - m_length)) {
        Reset();
        m_failed = true;
        return;
    }
    const int length = m_length + static_cast<int>(added);
    char* block = static_cast<char*>(std::realloc(m_text, static_cast<size_t>(length) + 1));
    if (block == nullptr) {
        Reset();
        m_failed = true;
        return;
    }
    std::memcpy(block + m_length, text, added + 1);
    m_text = block;
    m_length = length;
}

bool NarrowText::operator==(const char* text) const
{
    return std::strcmp(c_str(), text != nullptr ? text : "") == 0;
}

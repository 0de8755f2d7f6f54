// Move-only owners of the window layer's user objects: an icon loaded (not shared) from a
// resource, destroyed with DestroyIcon exactly once.
#pragma once

#include <windows.h>

namespace VarnUI {

class COwnedIcon {
public:
    COwnedIcon() = default;
    explicit COwnedIcon(HICON icon) : m_icon(icon) {}
    COwnedIcon(const COwnedIcon&) = delete;
    COwnedIcon& operator=(const COwnedIcon&) = delete;
    COwnedIcon(COwnedIcon&& other) noexcept : m_icon(other.release()) {}
    COwnedIcon& operator=(COwnedIcon&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~COwnedIcon() { reset(); }

    HICON get() const { return m_icon; }
    explicit operator bool() const { return m_icon != nullptr; }
    HICON release()
    {
        HICON icon = m_icon;
        m_icon = nullptr;
        return icon;
    }
    void reset(HICON icon = nullptr)
    {
        if (m_icon != nullptr && m_icon != icon) ::DestroyIcon(m_icon);
        m_icon = icon;
    }

private:
    HICON m_icon = nullptr;
};

} // namespace VarnUI

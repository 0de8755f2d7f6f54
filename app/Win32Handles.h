// Move-only owners of the kernel and registry handles the application opens.
// Borrowed handles stay raw; these types always close what they hold.
#pragma once

#include <windows.h>

// A kernel handle (file, process, snapshot). Both null and INVALID_HANDLE_VALUE mean "none",
// since the calls that fill it disagree on which one reports failure.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release()
    {
        HANDLE handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(HANDLE handle = nullptr)
    {
        if (*this) ::CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle = nullptr;
};

// A find handle from FindFirstFileW, closed with FindClose.
class UniqueFindHandle {
public:
    UniqueFindHandle() = default;
    explicit UniqueFindHandle(HANDLE handle) : m_handle(handle) {}
    ~UniqueFindHandle() { reset(); }
    UniqueFindHandle(const UniqueFindHandle&) = delete;
    UniqueFindHandle& operator=(const UniqueFindHandle&) = delete;
    UniqueFindHandle(UniqueFindHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueFindHandle& operator=(UniqueFindHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release()
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE)
    {
        if (*this) ::FindClose(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// An opened registry key, closed with RegCloseKey.
class UniqueRegKey {
public:
    UniqueRegKey() = default;
    ~UniqueRegKey() { reset(); }
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;
    UniqueRegKey(UniqueRegKey&& other) noexcept : m_key(other.release()) {}
    UniqueRegKey& operator=(UniqueRegKey&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    HKEY get() const { return m_key; }
    // For the out-parameter of RegOpenKeyExW; whatever was held is closed first.
    HKEY* put()
    {
        reset();
        return &m_key;
    }
    explicit operator bool() const { return m_key != nullptr; }
    HKEY release()
    {
        HKEY key = m_key;
        m_key = nullptr;
        return key;
    }
    void reset(HKEY key = nullptr)
    {
        if (m_key != nullptr) ::RegCloseKey(m_key);
        m_key = key;
    }

private:
    HKEY m_key = nullptr;
};

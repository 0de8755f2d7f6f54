// Move-only owners of GDI handles, and a scope that selects an object into a device context
// and puts the previous one back. Each owner frees its handle exactly once; borrowed handles
// stay raw and are never held in these types.
#pragma once

#include "ui/base/HandleOwner.h"

#include <windows.h>

namespace VarnUI {

// Owns one GDI object (bitmap, font, pen, brush, region) and deletes it with DeleteObject.
struct GdiObjectTraits {
    static bool IsNone(HGDIOBJ object) { return object == nullptr; }
    static void Free(HGDIOBJ object) { ::DeleteObject(object); }
};

template <typename Handle>
using CGdiObject = CHandleOwner<Handle, GdiObjectTraits>;

using CGdiBitmap = CGdiObject<HBITMAP>;
using CGdiFont = CGdiObject<HFONT>;
using CGdiPen = CGdiObject<HPEN>;
using CGdiBrush = CGdiObject<HBRUSH>;
using CGdiRegion = CGdiObject<HRGN>;

// Owns a memory device context (CreateCompatibleDC) and deletes it with DeleteDC.
struct MemoryDCTraits {
    static bool IsNone(HDC dc) { return dc == nullptr; }
    static void Free(HDC dc) { ::DeleteDC(dc); }
};

using CMemoryDC = CHandleOwner<HDC, MemoryDCTraits>;

// Owns a window's device context (GetDC/GetWindowDC) and gives it back with ReleaseDC.
class CWindowDC {
public:
    CWindowDC() = default;
    CWindowDC(HWND window, HDC dc) : m_window(window), m_dc(dc) {}
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    CWindowDC(CWindowDC&& other) noexcept : m_window(other.m_window), m_dc(other.release()) {}
    CWindowDC& operator=(CWindowDC&& other) noexcept
    {
        if (this != &other) {
            HWND window = other.m_window;
            reset(window, other.release());
        }
        return *this;
    }
    ~CWindowDC() { reset(); }

    HDC get() const { return m_dc; }
    HWND window() const { return m_window; }
    explicit operator bool() const { return m_dc != nullptr; }
    HDC release()
    {
        HDC dc = m_dc;
        m_dc = nullptr;
        return dc;
    }
    void reset(HWND window = nullptr, HDC dc = nullptr)
    {
        if (m_dc != nullptr && m_dc != dc) {
            ::ReleaseDC(m_window, m_dc);
        }
        m_window = window;
        m_dc = dc;
    }

private:
    HWND m_window = nullptr;
    HDC m_dc = nullptr;
};

// Selects an object into a device context for the lifetime of the scope and selects the
// previous object back at its end. The object itself is borrowed: the scope never deletes
// it, so an owner must outlive the scope (declare the owner first).
class CSelectScope {
public:
    CSelectScope(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr)
    {
        if (m_previous == HGDI_ERROR) {
            m_previous = nullptr;
        }
    }
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;
    CSelectScope(CSelectScope&& other) noexcept : m_dc(other.m_dc), m_previous(other.release()) {}
    CSelectScope& operator=(CSelectScope&&) = delete;
    ~CSelectScope() { reset(); }

    // The object that was selected before, or null when the selection failed.
    HGDIOBJ get() const { return m_previous; }
    explicit operator bool() const { return m_previous != nullptr; }
    // Keeps the new selection in place at the end of the scope.
    HGDIOBJ release()
    {
        HGDIOBJ previous = m_previous;
        m_previous = nullptr;
        return previous;
    }
    // Puts the previous object back now.
    void reset()
    {
        if (m_previous != nullptr) {
            ::SelectObject(m_dc, m_previous);
            m_previous = nullptr;
        }
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace VarnUI

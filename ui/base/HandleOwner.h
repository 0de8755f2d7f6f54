// CHandleOwner: the move-only owner of one platform handle, which it frees exactly once; copies
// are deleted, since two owners would free twice. The layers name their handle kinds after it
// (ui/render/GdiHandles.h, ui/skin/FileHandle.h, ui/window/WindowHandles.h); Traits says what
// "no handle" is and how one is freed:
//   static bool IsNone(Handle handle);
//   static void Free(Handle handle);
#pragma once

namespace VarnUI {

template <typename Handle, typename Traits>
class CHandleOwner {
public:
    CHandleOwner() = default;
    explicit CHandleOwner(Handle handle) : m_handle(handle) {}
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : m_handle(other.release()) {}
    CHandleOwner& operator=(CHandleOwner&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~CHandleOwner() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return !Traits::IsNone(m_handle); }
    Handle release()
    {
        Handle handle = m_handle;
        m_handle = Handle();
        return handle;
    }
    void reset(Handle handle = Handle())
    {
        if (!Traits::IsNone(m_handle) && m_handle != handle) Traits::Free(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Handle();
};

} // namespace VarnUI

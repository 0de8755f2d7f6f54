#include "ui/skin/ZipSource.h"

#include <cstring>
#include <utility>

namespace VarnUI {

bool CZipSource::AttachFile(CFileHandle file)
{
    LARGE_INTEGER size = {};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
    m_file = std::move(file);
    m_memory = nullptr;
    m_length = static_cast<ULONGLONG>(size.QuadPart);
    return true;
}

void CZipSource::AttachMemory(const BYTE* data, DWORD size)
{
    m_file.reset();
    m_memory = data;
    m_length = data ? size : 0;
}

bool CZipSource::Read(ULONGLONG offset, void* destination, DWORD count) const
{
    // Both terms stay far below 2^64, so the sum cannot wrap.
    if (offset > m_length || count > m_length - offset) return false;
    if (count == 0) return true;
    if (m_memory) {
        std::memcpy(destination, m_memory + offset, count);
        return true;
    }
    return ReadFileAt(offset, static_cast<BYTE*>(destination), count);
}

bool CZipSource::ReadFileAt(ULONGLONG offset, BYTE* destination, DWORD count) const
{
    // Positioned reads keep no file pointer of our own; a duplicated handle shares the
    // caller's, so a seek-then-read pair could be disturbed between the two calls.
    while (count > 0) {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (!::ReadFile(m_file.get(), destination, count, &got, &at)) {
            // A handle opened for overlapped I/O answers with "pending" first.
            if (::GetLastError() != ERROR_IO_PENDING) return false;
            if (!::GetOverlappedResult(m_file.get(), &at, &got, TRUE)) return false;
        }
        if (got == 0 || got > count) return false;
        destination += got;
        offset += got;
        count -= got;
    }
    return true;
}

} // namespace VarnUI

// CZipSource: the bytes of one zip archive, either a file it owns the handle of or a memory
// block it only borrows (the block must outlive the source). Reads are positioned and never
// reach past the archive's length.
#pragma once

#include "ui/skin/FileHandle.h"

#include <windows.h>

namespace VarnUI {

class CZipSource {
public:
    CZipSource() = default;
    CZipSource(const CZipSource&) = delete;
    CZipSource& operator=(const CZipSource&) = delete;

    // Takes the file over; false when its size cannot be learned.
    bool AttachFile(CFileHandle file);
    void AttachMemory(const BYTE* data, DWORD size);

    ULONGLONG Length() const { return m_length; }

    // Copies count bytes starting at offset. False, with the destination in an unknown state,
    // when the range does not lie inside the archive or the file cannot deliver it.
    bool Read(ULONGLONG offset, void* destination, DWORD count) const;

private:
    bool ReadFileAt(ULONGLONG offset, BYTE* destination, DWORD count) const;

    CFileHandle m_file;
    const BYTE* m_memory = nullptr;
    ULONGLONG m_length = 0;
};

} // namespace VarnUI

// CZipEntryReader: the data of one open archive entry, delivered in pieces. It borrows the
// archive's source and owns its inflate state and input buffer. The entry's directory record
// is trusted for nothing: its local header is checked against it, and the bytes delivered are
// checked against its size and CRC-32 when the entry completes.
#pragma once

#include "ui/skin/ZipSource.h"

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <memory>

namespace VarnUI {

// What the central directory says about one entry.
struct ZipEntryRecord {
    uint32_t recordOffset; // of the directory record, within the directory
    uint16_t versionMadeBy;
    uint16_t flags;
    uint16_t method;
    uint16_t dosTime;
    uint16_t dosDate;
    uint16_t nameLength;
    uint16_t extraLength;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t uncompressedSize;
    uint32_t externalAttributes;
    uint32_t localOffset;
};

class CZipEntryReader {
public:
    CZipEntryReader() = default;
    ~CZipEntryReader() { Close(); }
    CZipEntryReader(const CZipEntryReader&) = delete;
    CZipEntryReader& operator=(const CZipEntryReader&) = delete;

    // False when the entry cannot be read (unknown method, encryption, local header that
    // disagrees with the record, data outside the archive, no memory).
    bool Open(const CZipSource& source, const ZipEntryRecord& record);
    void Close();

    // Delivers up to length bytes; false when the data is corrupt. written counts the bytes
    // delivered, also on failure.
    bool Read(BYTE* buffer, DWORD length, DWORD& written);

    // All bytes delivered and verified.
    bool IsComplete() const { return m_complete; }

private:
    bool OpenLocalHeader(const ZipEntryRecord& record);
    bool ReadStored(BYTE* buffer, DWORD length, DWORD& written);
    bool ReadDeflated(BYTE* buffer, DWORD length, DWORD& written);
    bool RefillInput();
    bool FinishStream();
    bool Verify() const;

    const CZipSource* m_source = nullptr;
    ZipEntryRecord m_record = {};
    ULONGLONG m_inputOffset = 0; // next compressed byte in the archive
    DWORD m_inputLeft = 0;       // compressed bytes not yet read from the archive
    DWORD m_produced = 0;
    uLong m_crc = 0;
    bool m_streamEnded = false;
    bool m_complete = false;
    bool m_inflating = false;
    z_stream m_stream = {};
    std::unique_ptr<BYTE[]> m_input;
};

} // namespace VarnUI

#include "ui/skin/ZipEntryReader.h"

#include "ui/skin/ZipFormat.h"

#include <algorithm>
#include <new>

namespace VarnUI {

using namespace ZipFormat;

namespace {

constexpr DWORD kInputChunk = 16384;

} // namespace

bool CZipEntryReader::Open(const CZipSource& source, const ZipEntryRecord& record)
{
    Close();
    m_source = &source;
    m_record = record;
    m_crc = crc32(0L, Z_NULL, 0);
    bool opened = (record.flags & kFlagEncrypted) == 0 && OpenLocalHeader(record);
    if (opened && record.method == kMethodStored) {
        opened = record.compressedSize == record.uncompressedSize;
    } else if (opened && record.method == kMethodDeflate) {
        if (!m_input) m_input.reset(new (std::nothrow) BYTE[kInputChunk]);
        m_stream = z_stream{};
        // Negative window bits: raw deflate data, no zlib header or trailer.
        opened = m_input && inflateInit2(&m_stream, -MAX_WBITS) == Z_OK;
        m_inflating = opened;
    } else {
        opened = false;
    }
    if (!opened) Close();
    return opened;
}

bool CZipEntryReader::OpenLocalHeader(const ZipEntryRecord& record)
{
    BYTE header[kLocalSize];
    if (!m_source->Read(record.localOffset, header, sizeof header)) return false;
    if (ReadLe32(header) != kLocalSignature) return false;
    if (ReadLe16(header + kLocalMethod) != record.method) return false;
    if (ReadLe16(header + kLocalNameLength) != record.nameLength) return false;
    // With a data descriptor the local header may hold zeros (or Zip64 markers) instead.
    if ((record.flags & kFlagDataDescriptor) == 0 &&
        (ReadLe32(header + kLocalCrc) != record.crc ||
         ReadLe32(header + kLocalCompressedSize) != record.compressedSize ||
         ReadLe32(header + kLocalUncompressedSize) != record.uncompressedSize)) {
        return false;
    }
    const ULONGLONG dataStart = static_cast<ULONGLONG>(record.localOffset) + kLocalSize +
                                ReadLe16(header + kLocalNameLength) +
                                ReadLe16(header + kLocalExtraLength);
    const ULONGLONG length = m_source->Length();
    if (dataStart > length || record.compressedSize > length - dataStart) return false;
    m_inputOffset = dataStart;
    m_inputLeft = record.compressedSize;
    return true;
}

void CZipEntryReader::Close()
{
    if (m_inflating) inflateEnd(&m_stream);
    m_inflating = false;
    m_stream = z_stream{};
    m_source = nullptr;
    m_inputOffset = 0;
    m_inputLeft = 0;
    m_produced = 0;
    m_streamEnded = false;
    m_complete = false;
}

bool CZipEntryReader::Read(BYTE* buffer, DWORD length, DWORD& written)
{
    written = 0;
    if (!m_source) return false;
    const bool read = m_record.method == kMethodStored ? ReadStored(buffer, length, written)
                                                       : ReadDeflated(buffer, length, written);
    if (!read) return false;
    if (m_produced == m_record.uncompressedSize && !m_complete) {
        if (!Verify()) return false;
        m_complete = true;
    }
    return true;
}

bool CZipEntryReader::ReadStored(BYTE* buffer, DWORD length, DWORD& written)
{
    const DWORD count = std::min(length, m_record.uncompressedSize - m_produced);
    if (count == 0) return true;
    if (!m_source->Read(m_inputOffset, buffer, count)) return false;
    m_inputOffset += count;
    m_crc = crc32(m_crc, buffer, count);
    m_produced += count;
    written = count;
    return true;
}

bool CZipEntryReader::ReadDeflated(BYTE* buffer, DWORD length, DWORD& written)
{
    // Output is capped at the declared size, so a stream that would run longer cannot write
    // past a buffer sized from the directory record.
    while (!m_streamEnded && written < length) {
        const DWORD room = std::min(length - written, m_record.uncompressedSize - m_produced);
        if (room == 0) break;
        if (m_stream.avail_in == 0 && !RefillInput()) return false;
        m_stream.next_out = buffer + written;
        m_stream.avail_out = room;
        const int status = inflate(&m_stream, Z_NO_FLUSH);
        const DWORD got = room - m_stream.avail_out;
        m_crc = crc32(m_crc, buffer + written, got);
        written += got;
        m_produced += got;
        if (status == Z_STREAM_END) {
            m_streamEnded = true;
        } else if (status != Z_OK) {
            // Z_BUF_ERROR here means the compressed data ran out before the stream's end.
            return false;
        }
    }
    if (m_streamEnded) return m_produced == m_record.uncompressedSize;
    if (m_produced == m_record.uncompressedSize) return FinishStream();
    return true;
}

bool CZipEntryReader::FinishStream()
{
    // The declared size is reached; the stream must now end without producing another byte.
    // zlib still steps through end-of-block codes when given no room for output.
    BYTE spare = 0;
    for (;;) {
        if (m_stream.avail_in == 0 && !RefillInput()) return false;
        m_stream.next_out = &spare;
        m_stream.avail_out = 0;
        const int status = inflate(&m_stream, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            m_streamEnded = true;
            return true;
        }
        // Z_BUF_ERROR: more output is pending (the entry is longer than declared) or the
        // input ran out; Z_OK always consumed input, so the loop ends.
        if (status != Z_OK) return false;
    }
}

bool CZipEntryReader::RefillInput()
{
    if (m_inputLeft == 0) return true;
    const DWORD count = std::min(kInputChunk, m_inputLeft);
    if (!m_source->Read(m_inputOffset, m_input.get(), count)) return false;
    m_inputOffset += count;
    m_inputLeft -= count;
    m_stream.next_in = m_input.get();
    m_stream.avail_in = count;
    return true;
}

bool CZipEntryReader::Verify() const
{
    return m_produced == m_record.uncompressedSize && m_crc == m_record.crc;
}

} // namespace VarnUI

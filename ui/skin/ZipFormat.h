// Layout of the zip records the reader understands, and the bounds-checked little-endian
// access used to read them. Nothing here owns memory: a cursor borrows the bytes it walks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace VarnUI {
namespace ZipFormat {

// End-of-central-directory record.
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr size_t kEndSize = 22;
constexpr size_t kEndDiskNumber = 4;
constexpr size_t kEndDirectoryDisk = 6;
constexpr size_t kEndEntriesOnDisk = 8;
constexpr size_t kEndEntriesTotal = 10;
constexpr size_t kEndDirectorySize = 12;
constexpr size_t kEndDirectoryOffset = 16;
// The record may be followed by a comment of up to 65,535 bytes; the search covers that much.
constexpr size_t kEndSearchSpan = 65535;

// Central-directory record.
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr size_t kCentralSize = 46;
constexpr size_t kCentralVersionMadeBy = 4;
constexpr size_t kCentralFlags = 8;
constexpr size_t kCentralMethod = 10;
constexpr size_t kCentralTime = 12;
constexpr size_t kCentralDate = 14;
constexpr size_t kCentralCrc = 16;
constexpr size_t kCentralCompressedSize = 20;
constexpr size_t kCentralUncompressedSize = 24;
constexpr size_t kCentralNameLength = 28;
constexpr size_t kCentralExtraLength = 30;
constexpr size_t kCentralCommentLength = 32;
constexpr size_t kCentralExternalAttributes = 38;
constexpr size_t kCentralLocalOffset = 42;

// Local header in front of each entry's data.
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kLocalSize = 30;
constexpr size_t kLocalMethod = 8;
constexpr size_t kLocalCrc = 14;
constexpr size_t kLocalCompressedSize = 18;
constexpr size_t kLocalUncompressedSize = 22;
constexpr size_t kLocalNameLength = 26;
constexpr size_t kLocalExtraLength = 28;

// Extra field blocks: a 16-bit id and a 16-bit size before each block's data.
constexpr size_t kExtraHeaderSize = 4;
constexpr uint16_t kExtraUnixTimes = 0x5455; // "UT"

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflate = 8;
constexpr unsigned kHostUnix = 3;

inline uint16_t ReadLe16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLe32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Walks a byte range front to back. Every step first checks the bytes remaining, so a length
// read from the data can never carry a read past the range.
class CByteCursor {
public:
    CByteCursor(const unsigned char* data, size_t size) : m_data(data), m_remaining(size) {}

    size_t Remaining() const { return m_remaining; }

    // Hands out the next count bytes and moves past them; false (and no move) when fewer remain.
    bool Take(size_t count, const unsigned char*& start)
    {
        if (count > m_remaining) return false;
        start = m_data;
        m_data += count;
        m_remaining -= count;
        return true;
    }

    bool ReadLe16(uint16_t& value)
    {
        const unsigned char* p = nullptr;
        if (!Take(2, p)) return false;
        value = ZipFormat::ReadLe16(p);
        return true;
    }

    bool ReadLe32(uint32_t& value)
    {
        const unsigned char* p = nullptr;
        if (!Take(4, p)) return false;
        value = ZipFormat::ReadLe32(p);
        return true;
    }

private:
    const unsigned char* m_data;
    size_t m_remaining;
};

} // namespace ZipFormat
} // namespace VarnUI

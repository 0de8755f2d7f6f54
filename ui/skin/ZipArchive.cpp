#include "ui/skin/ZipArchive.h"

#include "ui/skin/ZipFormat.h"

#include <algorithm>
#include <new>
#include <utility>

namespace VarnUI {

using namespace ZipFormat;

namespace {

// Longest name ZipFind looks up, in characters.
constexpr size_t kMaxFindName = 255;

char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

FILETIME FromUnixTime(uint32_t seconds)
{
    // The field is a signed 32-bit count of seconds since 1970.
    const LONGLONG ticks = static_cast<LONGLONG>(static_cast<int32_t>(seconds)) * 10000000LL +
                           116444736000000000LL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(ticks));
    time.dwHighDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(ticks) >> 32);
    return time;
}

} // namespace

DWORD CZipArchive::OpenFile(CFileHandle file)
{
    if (!m_source.AttachFile(std::move(file))) return kZipReadError;
    return ReadDirectory();
}

DWORD CZipArchive::OpenMemory(const BYTE* data, DWORD length)
{
    if (!data || length == 0) return kZipBadArguments;
    m_source.AttachMemory(data, length);
    return ReadDirectory();
}

DWORD CZipArchive::ReadDirectory()
{
    ULONGLONG endPosition = 0;
    if (!FindEndRecord(endPosition)) return kZipCorrupt;
    BYTE end[kEndSize];
    if (!m_source.Read(endPosition, end, sizeof end)) return kZipReadError;
    const uint16_t entries = ReadLe16(end + kEndEntriesTotal);
    if (ReadLe16(end + kEndDiskNumber) != 0 || ReadLe16(end + kEndDirectoryDisk) != 0 ||
        ReadLe16(end + kEndEntriesOnDisk) != entries) {
        return kZipCorrupt;
    }
    const uint32_t size = ReadLe32(end + kEndDirectorySize);
    const uint32_t offset = ReadLe32(end + kEndDirectoryOffset);
    if (static_cast<ULONGLONG>(offset) + size > endPosition) return kZipCorrupt;
    if (size > 0) {
        m_directory.reset(new (std::nothrow) BYTE[size]);
        if (!m_directory) return kZipNoMemory;
        if (!m_source.Read(offset, m_directory.get(), size)) return kZipReadError;
    }
    m_directorySize = size;
    if (entries == 0) return kZipOk;
    m_entries.reset(new (std::nothrow) ZipEntryRecord[entries]);
    if (!m_entries) return kZipNoMemory;
    return ParseEntries(entries) ? kZipOk : kZipCorrupt;
}

bool CZipArchive::FindEndRecord(ULONGLONG& position) const
{
    const ULONGLONG length = m_source.Length();
    if (length < kEndSize) return false;
    const DWORD span = static_cast<DWORD>(std::min<ULONGLONG>(length, kEndSearchSpan));
    const ULONGLONG base = length - span;
    std::unique_ptr<BYTE[]> tail(new (std::nothrow) BYTE[span]);
    if (!tail || !m_source.Read(base, tail.get(), span)) return false;
    // The occurrence nearest the end wins; it must leave room for the whole record, and
    // offset 0 would leave no room for any entry.
    for (DWORD at = span - static_cast<DWORD>(kEndSize) + 1; at-- > 0;) {
        if (ReadLe32(tail.get() + at) == kEndSignature) {
            position = base + at;
            return position > 0;
        }
    }
    return false;
}

bool CZipArchive::ParseEntries(DWORD count)
{
    CByteCursor cursor(m_directory.get(), m_directorySize);
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* record = nullptr;
        if (!cursor.Take(kCentralSize, record) || ReadLe32(record) != kCentralSignature) return false;
        ZipEntryRecord& entry = m_entries[i];
        entry.recordOffset = static_cast<uint32_t>(record - m_directory.get());
        entry.versionMadeBy = ReadLe16(record + kCentralVersionMadeBy);
        entry.flags = ReadLe16(record + kCentralFlags);
        entry.method = ReadLe16(record + kCentralMethod);
        entry.dosTime = ReadLe16(record + kCentralTime);
        entry.dosDate = ReadLe16(record + kCentralDate);
        entry.crc = ReadLe32(record + kCentralCrc);
        entry.compressedSize = ReadLe32(record + kCentralCompressedSize);
        entry.uncompressedSize = ReadLe32(record + kCentralUncompressedSize);
        entry.nameLength = ReadLe16(record + kCentralNameLength);
        entry.extraLength = ReadLe16(record + kCentralExtraLength);
        entry.externalAttributes = ReadLe32(record + kCentralExternalAttributes);
        entry.localOffset = ReadLe32(record + kCentralLocalOffset);
        const size_t variable = static_cast<size_t>(entry.nameLength) + entry.extraLength +
                                ReadLe16(record + kCentralCommentLength);
        const BYTE* skipped = nullptr;
        if (!cursor.Take(variable, skipped)) return false;
    }
    m_entryCount = static_cast<int>(count);
    return true;
}

const BYTE* CZipArchive::EntryName(const ZipEntryRecord& entry) const
{
    return m_directory.get() + entry.recordOffset + kCentralSize;
}

DWORD CZipArchive::Find(const wchar_t* name, bool ignoreCase, int& index)
{
    index = -1;
    size_t length = 0;
    while (length <= kMaxFindName && name[length] != L'\0') ++length;
    if (length > kMaxFindName) return kZipNotFound;
    char wanted[kZipMaxName];
    int wantedLength = 0;
    if (length > 0) {
        wantedLength = ::WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(length), wanted,
                                             kZipMaxName - 1, nullptr, nullptr);
        if (wantedLength <= 0) return kZipNotFound;
    }
    std::replace(wanted, wanted + wantedLength, '\\', '/');
    for (int i = 0; i < m_entryCount; ++i) {
        const ZipEntryRecord& entry = m_entries[i];
        if (entry.nameLength != wantedLength) continue;
        const char* stored = reinterpret_cast<const char*>(EntryName(entry));
        const bool same = ignoreCase
            ? std::equal(wanted, wanted + wantedLength, stored,
                         [](char a, char b) { return FoldAscii(a) == FoldAscii(b); })
            : std::equal(wanted, wanted + wantedLength, stored);
        if (same) {
            index = i;
            // A later extraction must start at the first byte, even for the entry that was
            // just read to its end; continuing it would deliver nothing and report success.
            EndExtraction();
            return kZipOk;
        }
    }
    return kZipNotFound;
}

void CZipArchive::Describe(int index, ZipEntryInfo& info) const
{
    const ZipEntryRecord& entry = m_entries[index];
    info.index = index;
    const int nameBytes = std::min<int>(entry.nameLength, kZipMaxName - 1);
    int nameLength = 0;
    if (nameBytes > 0) {
        nameLength = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(EntryName(entry)),
                                           nameBytes, info.name, kZipMaxName - 1);
    }
    info.name[std::max(nameLength, 0)] = L'\0';

    DWORD attributes = entry.externalAttributes &
        (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
         FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    const DWORD unixMode = entry.externalAttributes >> 16;
    if ((entry.versionMadeBy >> 8) == kHostUnix && unixMode != 0) {
        if ((unixMode & 0170000) == 0040000) attributes |= FILE_ATTRIBUTE_DIRECTORY;
        if ((unixMode & 0200) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (entry.nameLength > 0 && EntryName(entry)[entry.nameLength - 1] == '/') {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    info.attributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    ReadTimes(entry, info);
    info.compressedSize = entry.compressedSize;
    info.uncompressedSize = entry.uncompressedSize;
}

void CZipArchive::ReadTimes(const ZipEntryRecord& entry, ZipEntryInfo& info) const
{
    FILETIME local = {};
    FILETIME stamp = {};
    if (::DosDateTimeToFileTime(entry.dosDate, entry.dosTime, &local)) {
        ::LocalFileTimeToFileTime(&local, &stamp);
    }
    info.accessTime = info.creationTime = info.modifyTime = stamp;

    CByteCursor extra(EntryName(entry) + entry.nameLength, entry.extraLength);
    uint16_t id = 0;
    uint16_t size = 0;
    while (extra.ReadLe16(id) && extra.ReadLe16(size)) {
        const BYTE* data = nullptr;
        if (!extra.Take(size, data)) return;
        if (id != kExtraUnixTimes || size == 0) continue;
        // A flags byte, then the times it announces; the directory copy usually carries
        // only the modification time even when the flags announce more.
        CByteCursor times(data + 1, size - 1u);
        uint32_t seconds = 0;
        if ((data[0] & 1) && times.ReadLe32(seconds)) {
            info.modifyTime = info.accessTime = info.creationTime = FromUnixTime(seconds);
        }
        if ((data[0] & 2) && times.ReadLe32(seconds)) info.accessTime = FromUnixTime(seconds);
        if ((data[0] & 4) && times.ReadLe32(seconds)) info.creationTime = FromUnixTime(seconds);
        return;
    }
}

DWORD CZipArchive::Extract(int index, BYTE* buffer, DWORD length, DWORD& written)
{
    written = 0;
    if (index < 0 || index >= m_entryCount || (!buffer && length > 0)) return kZipBadArguments;
    if (index != m_current) {
        EndExtraction();
        if (!m_reader.Open(m_source, m_entries[index])) return kZipInflateError;
        m_current = index;
    }
    if (!m_reader.Read(buffer, length, written)) {
        EndExtraction();
        return kZipInflateError;
    }
    if (written > 0) return kZipMoreData;
    if (m_reader.IsComplete()) {
        EndExtraction();
        return kZipOk;
    }
    return kZipMoreData;
}

void CZipArchive::EndExtraction()
{
    m_reader.Close();
    m_current = -1;
}

} // namespace VarnUI

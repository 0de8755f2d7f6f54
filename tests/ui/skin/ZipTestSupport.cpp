#include "ZipTestSupport.h"

#include <zlib.h>

#include <cstring>

namespace SkinTest {

namespace {

void Append16(Bytes& out, uint16_t value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void Append32(Bytes& out, uint32_t value)
{
    Append16(out, static_cast<uint16_t>(value));
    Append16(out, static_cast<uint16_t>(value >> 16));
}

Bytes RawDeflate(const Bytes& data)
{
    z_stream stream = {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

std::wstring FixtureDir()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, length);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + L"ui_skin_fixtures\\";
}

std::wstring FixturePath(const std::wstring& relative)
{
    return FixtureDir() + relative;
}

std::wstring ScratchDir()
{
    std::wstring dir = FixtureDir();
    dir.resize(dir.size() - 1);
    dir += L"_scratch\\";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool ReadWholeFile(const std::wstring& path, Bytes& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) != 0;
    bytes.assign(static_cast<size_t>(size.QuadPart), 0);
    DWORD got = 0;
    if (ok && !bytes.empty()) {
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
    }
    ::CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::wstring& path, const void* data, size_t size)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = size == 0 || (::WriteFile(file, data, static_cast<DWORD>(size), &put, nullptr) && put == size);
    ::CloseHandle(file);
    return ok;
}

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

void HandArchive::Put16(size_t at, uint16_t value)
{
    bytes.at(at) = static_cast<unsigned char>(value);
    bytes.at(at + 1) = static_cast<unsigned char>(value >> 8);
}

void HandArchive::Put32(size_t at, uint32_t value)
{
    Put16(at, static_cast<uint16_t>(value));
    Put16(at + 2, static_cast<uint16_t>(value >> 16));
}

HandArchive BuildArchive(const std::vector<HandEntry>& entries)
{
    HandArchive archive;
    Bytes& out = archive.bytes;
    struct Written {
        uint32_t crc, packedSize, size;
        uint16_t method;
    };
    std::vector<Written> written;
    for (const HandEntry& entry : entries) {
        const Bytes packed = entry.deflate ? RawDeflate(entry.data) : entry.data;
        const uint32_t crc = crc32(0L, entry.data.data(), static_cast<uInt>(entry.data.size()));
        const uint16_t method = entry.deflate ? 8 : 0;
        archive.localOffsets.push_back(out.size());
        Append32(out, 0x04034b50);
        Append16(out, 20);
        Append16(out, 0);
        Append16(out, method);
        Append32(out, 0x5a210000); // 2025-01-01 00:00
        Append32(out, crc);
        Append32(out, static_cast<uint32_t>(packed.size()));
        Append32(out, static_cast<uint32_t>(entry.data.size()));
        Append16(out, static_cast<uint16_t>(entry.name.size()));
        Append16(out, 0);
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.insert(out.end(), packed.begin(), packed.end());
        written.push_back({crc, static_cast<uint32_t>(packed.size()), static_cast<uint32_t>(entry.data.size()), method});
    }
    const size_t directoryStart = out.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        archive.centralOffsets.push_back(out.size());
        Append32(out, 0x02014b50);
        Append16(out, 20);
        Append16(out, 20);
        Append16(out, 0);
        Append16(out, written[i].method);
        Append32(out, 0x5a210000);
        Append32(out, written[i].crc);
        Append32(out, written[i].packedSize);
        Append32(out, written[i].size);
        Append16(out, static_cast<uint16_t>(entries[i].name.size()));
        Append16(out, 0);
        Append16(out, 0);
        Append16(out, 0);
        Append16(out, 0);
        Append32(out, 0);
        Append32(out, static_cast<uint32_t>(archive.localOffsets[i]));
        out.insert(out.end(), entries[i].name.begin(), entries[i].name.end());
    }
    archive.endOffset = out.size();
    Append32(out, 0x06054b50);
    Append16(out, 0);
    Append16(out, 0);
    Append16(out, static_cast<uint16_t>(entries.size()));
    Append16(out, static_cast<uint16_t>(entries.size()));
    Append32(out, static_cast<uint32_t>(archive.endOffset - directoryStart));
    Append32(out, static_cast<uint32_t>(directoryStart));
    Append16(out, 0);
    return archive;
}

} // namespace SkinTest

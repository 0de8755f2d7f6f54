// Reading a 4 MB deflated entry with ReadSkinFile from an archive in memory against the floor
// the design imposes: zlib's raw inflate into a ready buffer plus the CRC-32 of the output.
#include "bench/BenchTimer.h"
#include "ui/skin/SkinFileReader.h"
#include "ui/skin/SkinResources.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void PutLe16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutLe32(std::vector<unsigned char>& out, unsigned long value)
{
    PutLe16(out, static_cast<unsigned>(value & 0xFFFF));
    PutLe16(out, static_cast<unsigned>((value >> 16) & 0xFFFF));
}

// Skin-like content: repetitive but not trivially so, as images and XML are.
std::vector<unsigned char> MakeContent(size_t size)
{
    std::vector<unsigned char> content(size);
    unsigned long state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245UL + 12345UL;
        content[i] = static_cast<unsigned char>((i % 97 < 60) ? ("<Button name=\"btn\" />"[i % 21]) : (state >> 16));
    }
    return content;
}

std::vector<unsigned char> RawDeflate(const std::vector<unsigned char>& data)
{
    z_stream stream = {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> out(deflateBound(&stream, static_cast<uLong>(data.size())));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::vector<unsigned char> MakeArchive(const std::string& name, const std::vector<unsigned char>& content,
                                       const std::vector<unsigned char>& packed)
{
    const unsigned long crc = crc32(0L, content.data(), static_cast<uInt>(content.size()));
    std::vector<unsigned char> zip;
    PutLe32(zip, 0x04034b50);
    PutLe16(zip, 20);
    PutLe16(zip, 0);
    PutLe16(zip, 8);
    PutLe32(zip, 0);
    PutLe32(zip, crc);
    PutLe32(zip, static_cast<unsigned long>(packed.size()));
    PutLe32(zip, static_cast<unsigned long>(content.size()));
    PutLe16(zip, static_cast<unsigned>(name.size()));
    PutLe16(zip, 0);
    zip.insert(zip.end(), name.begin(), name.end());
    zip.insert(zip.end(), packed.begin(), packed.end());
    const unsigned long directory = static_cast<unsigned long>(zip.size());
    PutLe32(zip, 0x02014b50);
    PutLe16(zip, 20);
    PutLe16(zip, 20);
    PutLe16(zip, 0);
    PutLe16(zip, 8);
    PutLe32(zip, 0);
    PutLe32(zip, crc);
    PutLe32(zip, static_cast<unsigned long>(packed.size()));
    PutLe32(zip, static_cast<unsigned long>(content.size()));
    PutLe16(zip, static_cast<unsigned>(name.size()));
    PutLe16(zip, 0);
    PutLe16(zip, 0);
    PutLe16(zip, 0);
    PutLe16(zip, 0);
    PutLe32(zip, 0);
    PutLe32(zip, 0);
    zip.insert(zip.end(), name.begin(), name.end());
    const unsigned long directorySize = static_cast<unsigned long>(zip.size()) - directory;
    PutLe32(zip, 0x06054b50);
    PutLe16(zip, 0);
    PutLe16(zip, 0);
    PutLe16(zip, 1);
    PutLe16(zip, 1);
    PutLe32(zip, directorySize);
    PutLe32(zip, directory);
    PutLe16(zip, 0);
    return zip;
}

} // namespace

int main()
{
    const std::vector<unsigned char> content = MakeContent(4 * 1024 * 1024);
    const std::vector<unsigned char> packed = RawDeflate(content);
    const std::vector<unsigned char> archive = MakeArchive("images/big.bin", content, packed);
    VarnUI::CSkinResources::SetResourceZipMemory(archive.data(), static_cast<DWORD>(archive.size()));

    bool same = true;
    const double read = bench::MedianSeconds(9, [&] {
        VarnUI::CSkinFileBytes bytes;
        same = same && VarnUI::ReadSkinFile(L"images\\big.bin", bytes) && bytes.GetSize() == content.size() &&
               std::memcmp(bytes.GetData(), content.data(), content.size()) == 0;
    });
    // The floor: one raw inflate and one CRC-32 of the output. The read above is checked
    // against the content inside its timing, so the floor is too.
    auto inflateInto = [&](std::vector<unsigned char>& output) {
        z_stream stream = {};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = const_cast<Bytef*>(packed.data());
        stream.avail_in = static_cast<uInt>(packed.size());
        stream.next_out = output.data();
        stream.avail_out = static_cast<uInt>(output.size());
        inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        volatile unsigned long crc = crc32(0L, output.data(), static_cast<uInt>(output.size()));
        (void)crc;
        same = same && std::memcmp(output.data(), content.data(), content.size()) == 0;
    };
    std::vector<unsigned char> output(content.size());
    const double floor = bench::MedianSeconds(9, [&] { inflateInto(output); });
    // The same floor into a block allocated for each read, as a reader that hands out its
    // result must: the first touch of fresh pages is part of any such read.
    const double freshFloor = bench::MedianSeconds(9, [&] {
        std::vector<unsigned char> fresh(content.size());
        inflateInto(fresh);
    });
    if (!same) {
        std::printf("the entry did not read back intact\n");
        return 1;
    }
    std::printf("entry: 4.00 MB, deflated to %.2f MB, median of 9 runs\n", packed.size() / (1024.0 * 1024.0));
    std::printf("ReadSkinFile:               %8.2f ms\n", read * 1000.0);
    std::printf("raw inflate + CRC-32 floor: %8.2f ms\n", floor * 1000.0);
    std::printf("ratio read/floor:           %8.2f (target <= 1.1)\n", read / floor);
    std::printf("floor into a fresh block:   %8.2f ms\n", freshFloor * 1000.0);
    std::printf("ratio read/fresh floor:     %8.2f\n", read / freshFloor);
    return 0;
}

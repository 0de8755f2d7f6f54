#include "ui/skin/ZipReader.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace VarnUI;
using SkinTest::Bytes;
using SkinTest::HandArchive;

namespace {

// Byte offsets inside the records, as a test sees the format.
constexpr size_t kLocMethod = 8, kLocCrc = 14, kLocPacked = 18, kLocSize = 22, kLocName = 26;
constexpr size_t kCenFlags = 8, kCenMethod = 10, kCenCrc = 16, kCenPacked = 20, kCenSize = 24,
                 kCenName = 28, kCenLocal = 42;
constexpr size_t kEndDisk = 4, kEndOnDisk = 8, kEndTotal = 10, kEndDirSize = 12, kEndDirOffset = 16;

const char* const kContentFiles[] = {"install.xml", "sub/a.txt", "sub/deep/numbers.txt",
                                     "sub/deep/noise.bin", "empty.txt"};

Bytes Content(const std::string& name)
{
    std::wstring path = SkinTest::FixturePath(L"content\\");
    for (char c : name) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    Bytes bytes;
    EXPECT_TRUE(SkinTest::ReadWholeFile(path, bytes)) << name;
    return bytes;
}

// Extracts the entry in one call into a buffer of its declared size, with a guard area
// behind it that must stay untouched whatever the archive says.
DWORD ExtractAll(CZipArchive* archive, int index, DWORD size, Bytes& out)
{
    constexpr unsigned char kGuard = 0xA5;
    Bytes buffer(size + 64, kGuard);
    DWORD written = 0;
    DWORD result = ZipExtract(archive, index, buffer.data(), size, kZipToMemory, &written);
    for (size_t i = size; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard) ADD_FAILURE() << "write past the buffer at " << i;
    }
    EXPECT_LE(written, size);
    out.assign(buffer.begin(), buffer.begin() + written);
    return result;
}

// The name in upper case with backslashes, as a caller may write it.
std::wstring Upper(const std::string& name)
{
    std::wstring wide;
    for (char c : name) wide += c == '/' ? L'\\' : static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return wide;
}

HandArchive SmallArchive(bool deflate)
{
    std::string text;
    for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "\n";
    return SkinTest::BuildArchive({{"a.txt", SkinTest::ToBytes("first"), false},
                                   {"dir/b.txt", SkinTest::ToBytes(text), deflate}});
}

CZipArchive* OpenBytes(const Bytes& bytes)
{
    return ZipOpen(bytes.data(), static_cast<DWORD>(bytes.size()), kZipFromMemory);
}

} // namespace

// ---- Archives made by real tools, opened in each of the three modes -------------------------

struct ToolCase {
    const wchar_t* archive;
    DWORD mode;
};

class ZipToolArchives : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ZipToolArchives, EveryFile_FoundByAnyCaseAndSeparator_ExtractsExactly)
{
    const std::wstring path = SkinTest::FixturePath(GetParam().archive);
    Bytes bytes;
    ASSERT_TRUE(SkinTest::ReadWholeFile(path, bytes));
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const void* source = GetParam().mode == kZipFromHandle ? static_cast<const void*>(file)
                       : GetParam().mode == kZipFromFileName ? static_cast<const void*>(path.c_str())
                                                             : static_cast<const void*>(bytes.data());
    CZipArchivePtr archive(ZipOpen(source, static_cast<DWORD>(bytes.size()), GetParam().mode));
    ASSERT_NE(archive, nullptr) << ZipGetLastResult();
    for (const char* name : kContentFiles) {
        const Bytes expected = Content(name);
        int index = -1;
        ZipEntryInfo info = {};
        ASSERT_EQ(ZipFind(archive.get(), Upper(name).c_str(), true, &index, &info), kZipOk) << name;
        EXPECT_EQ(info.uncompressedSize, expected.size()) << name;
        EXPECT_STREQ(info.name, std::wstring(name, name + std::strlen(name)).c_str());
        Bytes out;
        EXPECT_EQ(ExtractAll(archive.get(), index, info.uncompressedSize, out), expected.empty() ? kZipOk : kZipMoreData);
        EXPECT_EQ(out, expected) << name;
        // Complete: the next call delivers nothing and ends the entry.
        unsigned char spare = 0;
        EXPECT_EQ(ZipExtract(archive.get(), index, &spare, 1, kZipToMemory), kZipOk) << name;
    }
    EXPECT_EQ(ZipFind(archive.get(), L"INSTALL.XML", false, nullptr, nullptr), kZipNotFound);

    // Pieces smaller than an input chunk reassemble the entry.
    int index = -1;
    ASSERT_EQ(ZipFind(archive.get(), L"sub/deep/noise.bin", false, &index, nullptr), kZipOk);
    Bytes joined;
    unsigned char piece[999];
    DWORD written = 0;
    while (ZipExtract(archive.get(), index, piece, sizeof piece, kZipToMemory, &written) == kZipMoreData) {
        joined.insert(joined.end(), piece, piece + written);
        ASSERT_LE(joined.size(), 40000u);
    }
    EXPECT_EQ(joined, Content("sub/deep/noise.bin"));
    archive.reset();
    if (file != INVALID_HANDLE_VALUE) {
        // The archive worked on a duplicate: the caller's handle is still open.
        EXPECT_NE(::GetFileType(file), static_cast<DWORD>(FILE_TYPE_UNKNOWN));
        ::CloseHandle(file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RealTools, ZipToolArchives,
    ::testing::Values(ToolCase{L"infozip_deflate.zip", kZipFromFileName}, ToolCase{L"infozip_deflate.zip", kZipFromHandle},
                      ToolCase{L"infozip_stored.zip", kZipFromMemory}, ToolCase{L"infozip_noextra.zip", kZipFromMemory},
                      ToolCase{L"infozip_descriptor.zip", kZipFromHandle}, ToolCase{L"infozip_stream.zip", kZipFromMemory},
                      ToolCase{L"cmake.zip", kZipFromFileName}, ToolCase{L"python_deflate.zip", kZipFromMemory},
                      ToolCase{L"python_stored.zip", kZipFromHandle}));

TEST(ZipReader, StreamedStandardInput_IsEntryNamedDash)
{
    CZipArchivePtr archive(ZipOpen(SkinTest::FixturePath(L"infozip_stdin.zip").c_str(), 0, kZipFromFileName));
    ASSERT_NE(archive, nullptr);
    int index = -1;
    ZipEntryInfo info = {};
    ASSERT_EQ(ZipFind(archive.get(), L"-", true, &index, &info), kZipOk);
    Bytes out;
    EXPECT_EQ(ExtractAll(archive.get(), index, info.uncompressedSize, out), kZipMoreData);
    EXPECT_EQ(out, Content("sub/deep/numbers.txt"));
}

TEST(ZipReader, EntryInfo_TimesAndFolderAttributes)
{
    FILETIME written = {};
    HANDLE file = ::CreateFileW(SkinTest::FixturePath(L"content\\sub\\a.txt").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(::GetFileTime(file, nullptr, nullptr, &written));
    ::CloseHandle(file);
    const LONGLONG expected = (static_cast<LONGLONG>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    // "UT" carries whole seconds, the DOS time two-second steps.
    for (const wchar_t* name : {L"infozip_deflate.zip", L"infozip_noextra.zip"}) {
        CZipArchivePtr archive(ZipOpen(SkinTest::FixturePath(name).c_str(), 0, kZipFromFileName));
        ZipEntryInfo info = {};
        ASSERT_EQ(ZipFind(archive.get(), L"sub/a.txt", false, nullptr, &info), kZipOk);
        const LONGLONG modified = (static_cast<LONGLONG>(info.modifyTime.dwHighDateTime) << 32) | info.modifyTime.dwLowDateTime;
        EXPECT_LE(std::llabs(modified - expected), 20000000LL) << name;
        EXPECT_EQ(info.attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
        ASSERT_EQ(ZipFind(archive.get(), L"sub/deep/", false, nullptr, &info), kZipOk);
        EXPECT_NE(info.attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << name;
    }
}

// ---- Lookups and the extraction position -----------------------------------------------------

TEST(ZipReader, Find_NameOf256Characters_NeverFound)
{
    const std::string longName(255, 'n');
    const std::string tooLong(256, 'n');
    HandArchive hand = SkinTest::BuildArchive({{longName, SkinTest::ToBytes("x"), false},
                                               {tooLong, SkinTest::ToBytes("y"), false}});
    CZipArchivePtr archive(OpenBytes(hand.bytes));
    ASSERT_NE(archive, nullptr);
    int index = -1;
    EXPECT_EQ(ZipFind(archive.get(), std::wstring(255, L'N').c_str(), true, &index, nullptr), kZipOk);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(ZipFind(archive.get(), std::wstring(256, L'n').c_str(), false, &index, nullptr), kZipNotFound);
    EXPECT_EQ(index, -1);
}

TEST(ZipReader, Find_FailureKeepsThePosition_SuccessStartsTheEntryAgain)
{
    HandArchive hand = SmallArchive(true);
    CZipArchivePtr archive(OpenBytes(hand.bytes));
    ASSERT_NE(archive, nullptr);
    char first[10] = {};
    char next[10] = {};
    ASSERT_EQ(ZipExtract(archive.get(), 1, first, sizeof first, kZipToMemory), kZipMoreData);
    EXPECT_EQ(ZipFind(archive.get(), L"missing.txt", true, nullptr, nullptr), kZipNotFound);
    ASSERT_EQ(ZipExtract(archive.get(), 1, next, sizeof next, kZipToMemory), kZipMoreData);
    EXPECT_EQ(std::string(first, 10) + std::string(next, 10), "line 0\nline 1\nline 2");

    // Read to the end, found again: the next extraction delivers the whole entry once more.
    for (int round = 0; round < 2; ++round) {
        int index = -1;
        ZipEntryInfo info = {};
        ASSERT_EQ(ZipFind(archive.get(), L"DIR\\B.TXT", true, &index, &info), kZipOk);
        Bytes out;
        EXPECT_EQ(ExtractAll(archive.get(), index, info.uncompressedSize, out), kZipMoreData);
        EXPECT_EQ(out.size(), info.uncompressedSize) << "round " << round;
    }
}

// ---- Arguments, modes and the result texts --------------------------------------------------

TEST(ZipReader, BadSourcesAndArguments)
{
    EXPECT_EQ(ZipOpen("x", 1, 4), nullptr);
    EXPECT_EQ(ZipGetLastResult(), kZipBadArguments);
    EXPECT_EQ(ZipOpen(L"Z:\\no\\such\\archive.zip", 0, kZipFromFileName), nullptr);
    EXPECT_EQ(ZipGetLastResult(), kZipCannotOpen);
    EXPECT_EQ(ZipOpen(nullptr, 0, kZipFromHandle), nullptr);
    EXPECT_EQ(ZipGetLastResult(), kZipCannotDuplicate);
    // The process pseudo-handle duplicates fine but is no file.
    EXPECT_EQ(ZipOpen(::GetCurrentProcess(), 0, kZipFromHandle), nullptr);
    EXPECT_EQ(ZipGetLastResult(), kZipReadError);
    EXPECT_EQ(ZipOpen(nullptr, 100, kZipFromMemory), nullptr);
    EXPECT_EQ(ZipGetLastResult(), kZipBadArguments);

    HandArchive hand = SmallArchive(false);
    CZipArchivePtr archive(OpenBytes(hand.bytes));
    char buffer[8];
    EXPECT_EQ(ZipExtract(archive.get(), 2, buffer, sizeof buffer, kZipToMemory), kZipBadArguments);
    EXPECT_EQ(ZipExtract(archive.get(), 0, buffer, sizeof buffer, 1), kZipBadArguments);
}

TEST(ZipReader, FormatMessage_CopiesTruncatedAndTerminated)
{
    const struct {
        DWORD code;
        const wchar_t* text;
    } table[] = {
        {0, L"Success"}, {0x100, L"Culdn't duplicate handle"}, {0x600, L"Still more data to unzip"},
        {0x700, L"Zipfile is corrupt or not a zipfile"}, {0x5000000, L"Zip-bug: an internal error during flation"},
        {0x900, L"unknown zip result code"},
    };
    for (const auto& row : table) {
        wchar_t buffer[80];
        EXPECT_EQ(ZipFormatMessage(row.code, buffer, 80), std::wcslen(row.text));
        EXPECT_STREQ(buffer, row.text);
    }
    wchar_t small[6] = {L'x', L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(ZipFormatMessage(0x600, small, 5), 24u);
    EXPECT_STREQ(small, L"Stil");
    EXPECT_EQ(small[5], L'x');
}

// ---- Broken archives made by hand -----------------------------------------------------------

struct OpenBreak {
    const char* what;
    void (*breakIt)(HandArchive&);
};

TEST(ZipReader, BrokenDirectory_OpenFailsAsCorrupt)
{
    const OpenBreak table[] = {
        {"truncated end record", [](HandArchive& a) { a.bytes.resize(a.bytes.size() - 5); }},
        {"directory size past the end", [](HandArchive& a) { a.Put32(a.endOffset + kEndDirSize, 0x7fffffff); }},
        {"directory offset past the end", [](HandArchive& a) { a.Put32(a.endOffset + kEndDirOffset, 0xfffffff0); }},
        {"absurd entry count", [](HandArchive& a) { a.Put16(a.endOffset + kEndOnDisk, 0xffff); a.Put16(a.endOffset + kEndTotal, 0xffff); }},
        {"entry counts disagree", [](HandArchive& a) { a.Put16(a.endOffset + kEndOnDisk, 1); }},
        {"second disk", [](HandArchive& a) { a.Put16(a.endOffset + kEndDisk, 1); }},
        {"name length runs off the directory", [](HandArchive& a) { a.Put16(a.centralOffsets[1] + kCenName, 0xffff); }},
        {"directory record signature", [](HandArchive& a) { a.bytes[a.centralOffsets[1]] = 'X'; }},
        {"no end record", [](HandArchive& a) { a.bytes[a.endOffset + 2] = 0; }},
        {"end record at offset 0", [](HandArchive& a) {
             a.bytes.erase(a.bytes.begin(), a.bytes.begin() + static_cast<std::ptrdiff_t>(a.endOffset));
             a.Put16(kEndOnDisk, 0); a.Put16(kEndTotal, 0); a.Put32(kEndDirSize, 0); a.Put32(kEndDirOffset, 0); }},
        {"too short for a record", [](HandArchive& a) { a.bytes.assign(a.bytes.end() - 21, a.bytes.end()); }},
    };
    for (const OpenBreak& row : table) {
        HandArchive hand = SmallArchive(true);
        row.breakIt(hand);
        EXPECT_EQ(OpenBytes(hand.bytes), nullptr) << row.what;
        EXPECT_EQ(ZipGetLastResult(), kZipCorrupt) << row.what;
    }
}

TEST(ZipReader, BrokenEntry_ExtractFailsWithoutWritingPastTheBuffer)
{
    // Each row breaks entry 1 (deflated unless said otherwise) after the archive is built.
    const OpenBreak table[] = {
        {"local header past the end", [](HandArchive& a) { a.Put32(a.centralOffsets[1] + kCenLocal, 0x7ffffff0); }},
        {"local signature", [](HandArchive& a) { a.bytes[a.localOffsets[1] + 3] = 9; }},
        {"local name length differs", [](HandArchive& a) { a.Put16(a.localOffsets[1] + kLocName, 3); }},
        {"local method differs", [](HandArchive& a) { a.Put16(a.localOffsets[1] + kLocMethod, 0); }},
        {"local CRC differs", [](HandArchive& a) { a.Put32(a.localOffsets[1] + kLocCrc, 1); }},
        {"compressed size past the end", [](HandArchive& a) {
             a.Put32(a.localOffsets[1] + kLocPacked, 0x10000000); a.Put32(a.centralOffsets[1] + kCenPacked, 0x10000000); }},
        {"compressed size cut short", [](HandArchive& a) {
             a.Put32(a.localOffsets[1] + kLocPacked, 40); a.Put32(a.centralOffsets[1] + kCenPacked, 40); }},
        {"size larger than the stream", [](HandArchive& a) {
             a.Put32(a.localOffsets[1] + kLocSize, 5000); a.Put32(a.centralOffsets[1] + kCenSize, 5000); }},
        {"size smaller than the stream", [](HandArchive& a) {
             a.Put32(a.localOffsets[1] + kLocSize, 100); a.Put32(a.centralOffsets[1] + kCenSize, 100); }},
        {"CRC wrong in both headers", [](HandArchive& a) {
             a.Put32(a.localOffsets[1] + kLocCrc, 7); a.Put32(a.centralOffsets[1] + kCenCrc, 7); }},
        {"corrupt deflate stream", [](HandArchive& a) {
             for (size_t i = 0; i < 16; ++i) a.bytes[a.localOffsets[1] + 30 + 9 + i] = 0xff; }},
        {"unknown method", [](HandArchive& a) {
             a.Put16(a.localOffsets[1] + kLocMethod, 12); a.Put16(a.centralOffsets[1] + kCenMethod, 12); }},
        {"encrypted", [](HandArchive& a) { a.Put16(a.centralOffsets[1] + kCenFlags, 1); }},
        {"stored with two sizes", [](HandArchive& a) {
             a.Put16(a.localOffsets[1] + kLocMethod, 0); a.Put16(a.centralOffsets[1] + kCenMethod, 0); }},
        {"huge declared size, descriptor flag", [](HandArchive& a) {
             a.Put16(a.centralOffsets[1] + kCenFlags, 8); a.Put32(a.centralOffsets[1] + kCenSize, 0xffffffff); }},
    };
    for (const OpenBreak& row : table) {
        HandArchive hand = SmallArchive(true);
        row.breakIt(hand);
        CZipArchivePtr archive(OpenBytes(hand.bytes));
        ASSERT_NE(archive, nullptr) << row.what;
        ZipEntryInfo info = {};
        int index = -1;
        ASSERT_EQ(ZipFind(archive.get(), L"dir/b.txt", false, &index, &info), kZipOk) << row.what;
        Bytes out;
        const DWORD size = info.uncompressedSize < 100000 ? info.uncompressedSize : 100000;
        EXPECT_EQ(ExtractAll(archive.get(), index, size, out), kZipInflateError) << row.what;
        // The sound entry next to it still reads.
        EXPECT_EQ(ExtractAll(archive.get(), 0, 5, out), kZipMoreData) << row.what;
        EXPECT_EQ(std::string(out.begin(), out.end()), "first") << row.what;
    }
}

TEST(ZipReader, RandomDamage_NeverReadsOrWritesOutOfBounds)
{
    const HandArchive pristine = SmallArchive(true);
    std::mt19937 random(157);
    for (int round = 0; round < 3000; ++round) {
        // Copied into an exact-size block, so that a read past the archive could fault.
        Bytes damaged = pristine.bytes;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<unsigned char>(random());
        if (round % 5 == 0) damaged.resize(random() % damaged.size());
        CZipArchivePtr archive(damaged.empty() ? nullptr : OpenBytes(damaged));
        if (!archive) continue;
        for (int index = 0; index < 2; ++index) {
            Bytes out;
            ExtractAll(archive.get(), index, 4000, out);
        }
        ZipFind(archive.get(), L"dir/b.txt", true, nullptr, nullptr);
    }
}

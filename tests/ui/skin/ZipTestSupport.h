// Helpers shared by the skin tests: where the archives made by real tools lie, reading loose
// files, and archives built by hand (with the offsets needed to break them on purpose).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace SkinTest {

using Bytes = std::vector<unsigned char>;

// The folder next to the test executable that the build fills with archives and content/.
std::wstring FixtureDir();
std::wstring FixturePath(const std::wstring& relative);
// A folder for files a test writes itself, next to the executable; created on demand.
std::wstring ScratchDir();

bool ReadWholeFile(const std::wstring& path, Bytes& bytes);
bool WriteWholeFile(const std::wstring& path, const void* data, size_t size);
Bytes ToBytes(const std::string& text);

struct HandEntry {
    std::string name;
    Bytes data;
    bool deflate;
};

// A well-formed archive and where its records start, for tests that break it afterwards.
struct HandArchive {
    Bytes bytes;
    std::vector<size_t> localOffsets;
    std::vector<size_t> centralOffsets;
    size_t endOffset;

    void Put16(size_t at, uint16_t value);
    void Put32(size_t at, uint32_t value);
};

HandArchive BuildArchive(const std::vector<HandEntry>& entries);

} // namespace SkinTest

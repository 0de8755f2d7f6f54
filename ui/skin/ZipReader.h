// The zip reader's operations: open an archive (from a file handle, a file name or a memory
// block), find an entry by name, extract an entry into memory, close. Archives hold stored
// or deflated entries; there is no decryption and no writing.
//
// ZipOpen hands out an archive the caller owns and ends with ZipClose (or CZipArchivePtr).
// Every operation returns or records a result code; the code of the last operation is kept
// process-wide (ZipGetLastResult) and is not meaningful across threads.
#pragma once

#include <windows.h>

#include <memory>

namespace VarnUI {

class CZipArchive;

// Result codes. Only some of them can come out of this reader; the rest keep their numbers
// and texts for callers that pass codes along.
constexpr DWORD kZipOk = 0;
constexpr DWORD kZipCannotDuplicate = 0x100;
constexpr DWORD kZipCannotOpen = 0x200;
constexpr DWORD kZipNoMemory = 0x300;
constexpr DWORD kZipWriteError = 0x400;
constexpr DWORD kZipNotFound = 0x500;
constexpr DWORD kZipMoreData = 0x600;
constexpr DWORD kZipCorrupt = 0x700;
constexpr DWORD kZipReadError = 0x800;
constexpr DWORD kZipBadArguments = 0x10000;
constexpr DWORD kZipNotMemoryArchive = 0x20000;
constexpr DWORD kZipMemoryTooSmall = 0x30000;
constexpr DWORD kZipPreviousError = 0x40000;
constexpr DWORD kZipAlreadyEnded = 0x50000;
constexpr DWORD kZipWrongSize = 0x60000;
constexpr DWORD kZipPartlyUnzipped = 0x70000;
constexpr DWORD kZipMixedModes = 0x80000;
constexpr DWORD kZipNotInitialised = 0x1000000;
constexpr DWORD kZipCannotSeek = 0x2000000;
constexpr DWORD kZipCannotChange = 0x4000000;
constexpr DWORD kZipInflateError = 0x5000000;

// Sources of ZipOpen.
constexpr DWORD kZipFromHandle = 1;   // an open file handle, duplicated; the caller keeps its own
constexpr DWORD kZipFromFileName = 2; // a terminated wide file name, opened with read sharing
constexpr DWORD kZipFromMemory = 3;   // a block of length bytes, not copied: it must outlive the archive

// Destination of ZipExtract.
constexpr DWORD kZipToMemory = 3;

constexpr int kZipMaxName = 260;

struct ZipEntryInfo {
    int index;
    wchar_t name[kZipMaxName]; // the stored name in the ANSI code page, cut to 259 characters
    DWORD attributes;          // FILE_ATTRIBUTE_* bits
    FILETIME accessTime;
    FILETIME creationTime;
    FILETIME modifyTime;
    DWORD compressedSize;
    DWORD uncompressedSize;
};

// Null on failure; the reason is the last result.
CZipArchive* ZipOpen(const void* source, DWORD length, DWORD mode);

// Looks the name up (either separator, at most 255 characters). On success stores the entry's
// index and description and makes the entry's next extraction start at its first byte; on
// failure the index is -1 and an entry being extracted stays where it was.
DWORD ZipFind(CZipArchive* archive, const wchar_t* name, bool ignoreCase, int* index, ZipEntryInfo* info);

// Delivers up to length more bytes of the entry. kZipMoreData when bytes were delivered (even
// if that completed the entry); kZipOk when the entry was already complete, which also ends
// it. An entry whose data turns out corrupt, truncated, of another size or checksum than its
// directory record says, or that cannot be opened gives kZipInflateError. written, when
// given, receives the number of bytes delivered.
DWORD ZipExtract(CZipArchive* archive, int index, void* buffer, DWORD length, DWORD mode,
                 DWORD* written = nullptr);

DWORD ZipClose(CZipArchive* archive);

DWORD ZipGetLastResult();

// Copies the code's text into buffer (size characters, cut to fit and always terminated when
// size > 0) and returns the text's full length.
unsigned ZipFormatMessage(DWORD code, wchar_t* buffer, unsigned size);

struct ZipArchiveCloser {
    void operator()(CZipArchive* archive) const { ZipClose(archive); }
};
using CZipArchivePtr = std::unique_ptr<CZipArchive, ZipArchiveCloser>;

} // namespace VarnUI

// CZipArchive: one opened zip archive. It owns its source (file handle or borrowed memory
// block, see CZipSource), a copy of the central directory, the table of entries parsed from
// it, and the reader of the one entry being extracted. Every record of the directory is
// bounds-checked when the archive opens, so lookups by index need no further checks.
#pragma once

#include "ui/skin/ZipEntryReader.h"
#include "ui/skin/ZipReader.h"
#include "ui/skin/ZipSource.h"

#include <windows.h>

#include <memory>

namespace VarnUI {

class CZipArchive {
public:
    CZipArchive() = default;
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Opens over the given source; a result code.
    DWORD OpenFile(CFileHandle file);
    DWORD OpenMemory(const BYTE* data, DWORD length);

    int EntryCount() const { return m_entryCount; }

    // kZipOk with the index of the first entry whose name matches, else kZipNotFound.
    DWORD Find(const wchar_t* name, bool ignoreCase, int& index);
    void Describe(int index, ZipEntryInfo& info) const;
    DWORD Extract(int index, BYTE* buffer, DWORD length, DWORD& written);

private:
    DWORD ReadDirectory();
    bool FindEndRecord(ULONGLONG& position) const;
    bool ParseEntries(DWORD count);
    const BYTE* EntryName(const ZipEntryRecord& entry) const;
    void ReadTimes(const ZipEntryRecord& entry, ZipEntryInfo& info) const;
    void EndExtraction();

    CZipSource m_source;
    std::unique_ptr<BYTE[]> m_directory;
    DWORD m_directorySize = 0;
    std::unique_ptr<ZipEntryRecord[]> m_entries;
    int m_entryCount = 0;
    CZipEntryReader m_reader;
    int m_current = -1; // entry the reader holds open, -1 for none
};

} // namespace VarnUI

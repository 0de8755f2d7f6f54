#include "ui/skin/ZipReader.h"

#include "ui/skin/ZipArchive.h"

#include <cwchar>
#include <new>
#include <utility>

namespace VarnUI {

namespace {

// Process-wide by design; only the UI thread reads archives.
DWORD g_lastResult = kZipOk;

DWORD Remember(DWORD result)
{
    g_lastResult = result;
    return result;
}

struct ZipMessage {
    DWORD code;
    const wchar_t* text;
};

const ZipMessage kMessages[] = {
    {kZipOk, L"Success"},
    {kZipCannotDuplicate, L"Culdn't duplicate handle"},
    {kZipCannotOpen, L"Couldn't create/open file"},
    {kZipNoMemory, L"Failed to allocate memory"},
    {kZipWriteError, L"Error writing to file"},
    {kZipNotFound, L"File not found in the zipfile"},
    {kZipMoreData, L"Still more data to unzip"},
    {kZipCorrupt, L"Zipfile is corrupt or not a zipfile"},
    {kZipReadError, L"Error reading file"},
    {kZipBadArguments, L"Caller: faulty arguments"},
    {kZipNotMemoryArchive, L"Caller: can only get memory of a memory zipfile"},
    {kZipMemoryTooSmall, L"Caller: not enough space allocated for memory zipfile"},
    {kZipPreviousError, L"Caller: there was a previous error"},
    {kZipAlreadyEnded, L"Caller: additions to the zip have already been ended"},
    {kZipWrongSize, L"Zip-bug: the anticipated size turned out wrong"},
    {kZipPartlyUnzipped, L"Caller: the file had already been partially unzipped"},
    {kZipMixedModes, L"Caller: mixing creation and opening of zip"},
    {kZipNotInitialised, L"Zip-bug: internal initialisation not completed"},
    {kZipCannotSeek, L"Zip-bug: trying to seek the unseekable"},
    {kZipCannotChange, L"Zip-bug: tried to change mind, but not allowed"},
    {kZipInflateError, L"Zip-bug: an internal error during flation"},
};

const wchar_t* MessageText(DWORD code)
{
    for (const ZipMessage& message : kMessages) {
        if (message.code == code) return message.text;
    }
    return L"unknown zip result code";
}

CFileHandle DuplicateFile(HANDLE file)
{
    HANDLE copy = nullptr;
    const HANDLE self = ::GetCurrentProcess();
    if (!::DuplicateHandle(self, file, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return CFileHandle();
    return CFileHandle(copy);
}

DWORD OpenArchive(CZipArchive& archive, const void* source, DWORD length, DWORD mode)
{
    switch (mode) {
    case kZipFromHandle: {
        CFileHandle file = DuplicateFile(const_cast<void*>(source));
        if (!file) return kZipCannotDuplicate;
        return archive.OpenFile(std::move(file));
    }
    case kZipFromFileName: {
        if (!source) return kZipBadArguments;
        CFileHandle file(::CreateFileW(static_cast<const wchar_t*>(source), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return kZipCannotOpen;
        return archive.OpenFile(std::move(file));
    }
    case kZipFromMemory:
        return archive.OpenMemory(static_cast<const BYTE*>(source), length);
    default:
        return kZipBadArguments;
    }
}

} // namespace

CZipArchive* ZipOpen(const void* source, DWORD length, DWORD mode)
{
    // Not a CZipArchivePtr: closing a failed archive must not overwrite the failure's code.
    std::unique_ptr<CZipArchive> archive(new (std::nothrow) CZipArchive);
    if (!archive) {
        Remember(kZipNoMemory);
        return nullptr;
    }
    if (Remember(OpenArchive(*archive, source, length, mode)) != kZipOk) return nullptr;
    return archive.release();
}

DWORD ZipFind(CZipArchive* archive, const wchar_t* name, bool ignoreCase, int* index, ZipEntryInfo* info)
{
    if (index) *index = -1;
    if (!archive || !name) return Remember(kZipBadArguments);
    int found = -1;
    const DWORD result = archive->Find(name, ignoreCase, found);
    if (result == kZipOk) {
        if (index) *index = found;
        if (info) archive->Describe(found, *info);
    }
    return Remember(result);
}

DWORD ZipExtract(CZipArchive* archive, int index, void* buffer, DWORD length, DWORD mode, DWORD* written)
{
    DWORD delivered = 0;
    DWORD result = kZipBadArguments;
    if (archive && mode == kZipToMemory) {
        result = archive->Extract(index, static_cast<BYTE*>(buffer), length, delivered);
    }
    if (written) *written = delivered;
    return Remember(result);
}

DWORD ZipClose(CZipArchive* archive)
{
    if (!archive) return Remember(kZipBadArguments);
    delete archive;
    return Remember(kZipOk);
}

DWORD ZipGetLastResult()
{
    return g_lastResult;
}

unsigned ZipFormatMessage(DWORD code, wchar_t* buffer, unsigned size)
{
    const wchar_t* text = MessageText(code);
    const unsigned length = static_cast<unsigned>(std::wcslen(text));
    if (buffer && size > 0) {
        const unsigned copied = length < size ? length : size - 1;
        std::wmemcpy(buffer, text, copied);
        buffer[copied] = L'\0';
    }
    return length;
}

} // namespace VarnUI

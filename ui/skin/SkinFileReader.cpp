#include "ui/skin/SkinFileReader.h"

#include "ui/skin/FileHandle.h"
#include "ui/skin/SkinResources.h"

#include <cstring>
#include <new>

namespace VarnUI {

namespace {

// The reading step's own texts, which a failed load shows; the parser's are its own, in
// XmlParser.cpp, only alike in form.
const wchar_t kErrorOpeningFile[] = L"Error opening file";
const wchar_t kFileIsEmpty[] = L"File is empty";
const wchar_t kFileTooLarge[] = L"File too large";
const wchar_t kCouldNotRead[] = L"Could not read file";
const wchar_t kErrorOpeningZip[] = L"Error opening zip file";
const wchar_t kZipEntryMissing[] = L"Could not find ziped file";
const wchar_t kCouldNotUnzip[] = L"Could not unzip file";

const wchar_t kColourType[] = L"*COLOR*";

// Reads a whole file of 1 to limit bytes; null on success, else the failure's text.
const wchar_t* ReadLooseFile(const wchar_t* path, DWORD limit, CSkinFileBytes& bytes)
{
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return kErrorOpeningFile;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.get(), &size)) return kCouldNotRead;
    if (size.QuadPart == 0) return kFileIsEmpty;
    if (size.QuadPart < 0 || static_cast<ULONGLONG>(size.QuadPart) > limit) return kFileTooLarge;
    const DWORD total = static_cast<DWORD>(size.QuadPart);
    if (!bytes.Allocate(total)) return kCouldNotRead;
    DWORD done = 0;
    while (done < total) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.GetBuffer() + done, total - done, &got, nullptr) || got == 0) break;
        done += got;
    }
    if (done != total) {
        bytes.Reset();
        return kCouldNotRead;
    }
    return nullptr;
}

const wchar_t* ReadArchiveEntry(CZipArchive* archive, const wchar_t* name, DWORD limit, CSkinFileBytes& bytes)
{
    int index = -1;
    ZipEntryInfo info = {};
    if (ZipFind(archive, name, true, &index, &info) != kZipOk) return kZipEntryMissing;
    if (info.uncompressedSize == 0) return kFileIsEmpty;
    if (info.uncompressedSize > limit) return kFileTooLarge;
    if (!bytes.Allocate(info.uncompressedSize)) return kCouldNotUnzip;
    DWORD written = 0;
    const DWORD result = ZipExtract(archive, index, bytes.GetBuffer(), info.uncompressedSize, kZipToMemory, &written);
    // Anything short of the whole entry would hand out bytes that were never written.
    if ((result != kZipOk && result != kZipMoreData) || written != info.uncompressedSize) {
        bytes.Reset();
        return kCouldNotUnzip;
    }
    return nullptr;
}

// The folder or archive route of the settings; null on success, else the failure's text.
const wchar_t* ReadFromSkinSource(const wchar_t* name, DWORD limit, CSkinFileBytes& bytes)
{
    bytes.Reset();
    // Numeric resource ids are no names; they only travel through the resource routes.
    if (!name || IS_INTRESOURCE(name)) name = L"";
    const CUIString& zipName = CSkinResources::GetResourceZip();
    if (zipName.IsEmpty()) {
        const CUIString path = CSkinResources::GetResourcePath() + name;
        return ReadLooseFile(path.GetData(), limit, bytes);
    }
    CZipArchivePtr ownArchive;
    CZipArchive* archive = CSkinResources::GetResourceZipHandle();
    if (!CSkinResources::IsCachedResourceZip()) {
        const CUIString path = CSkinResources::GetResourcePath() + zipName;
        ownArchive.reset(ZipOpen(path.GetData(), 0, kZipFromFileName));
        archive = ownArchive.get();
    }
    if (!archive) return kErrorOpeningZip;
    return ReadArchiveEntry(archive, name, limit, bytes);
}

} // namespace

bool CSkinFileBytes::Allocate(DWORD size)
{
    Reset();
    m_data.reset(new (std::nothrow) BYTE[size == 0 ? 1 : size]);
    if (!m_data) return false;
    m_size = size;
    return true;
}

void CSkinFileBytes::Reset()
{
    m_data.reset();
    m_size = 0;
}

bool ReadSkinFile(const wchar_t* name, CSkinFileBytes& bytes, const wchar_t** message)
{
    const wchar_t* failure = ReadFromSkinSource(name, kMaxSkinFileSize, bytes);
    if (message) *message = failure;
    return failure == nullptr;
}

bool ReadSkinImageFile(const wchar_t* name, const wchar_t* type, CSkinFileBytes& bytes)
{
    bytes.Reset();
    if (!name) return false;
    const bool hasType = type && (IS_INTRESOURCE(type) || *type != L'\0');
    if (hasType && !IS_INTRESOURCE(type) && std::wcscmp(type, kColourType) == 0) return false;
    const bool read = hasType ? ReadResourceBytes(CSkinResources::GetResourceModule(), name, type, bytes)
                              : ReadFromSkinSource(name, MAXDWORD, bytes) == nullptr;
    if (read) return true;
    if (IS_INTRESOURCE(name)) return false;
    return ReadLooseFile(name, MAXDWORD, bytes) == nullptr;
}

bool LockResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type, const BYTE*& data, DWORD& size)
{
    data = nullptr;
    size = 0;
    const HRSRC found = ::FindResourceW(module, name, type);
    if (!found) return false;
    const HGLOBAL loaded = ::LoadResource(module, found);
    const DWORD length = ::SizeofResource(module, found);
    const void* locked = loaded ? ::LockResource(loaded) : nullptr;
    // Resources of a loaded module need no release; they live as long as the module.
    if (!locked || length == 0) return false;
    data = static_cast<const BYTE*>(locked);
    size = length;
    return true;
}

bool ReadResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type, CSkinFileBytes& bytes)
{
    bytes.Reset();
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!LockResourceBytes(module, name, type, data, size) || !bytes.Allocate(size)) return false;
    std::memcpy(bytes.GetBuffer(), data, size);
    return true;
}

} // namespace VarnUI

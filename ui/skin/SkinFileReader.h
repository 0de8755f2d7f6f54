// ReadSkinFile: the one way skin files are read as bytes by name, from the source the
// resource settings select (CSkinResources): loose files, an archive file or an archive in
// memory. The bytes read belong to the CSkinFileBytes the caller passes in.
#pragma once

#include <windows.h>

#include <memory>

namespace VarnUI {

// An owned block of file bytes and its length.
class CSkinFileBytes {
public:
    const BYTE* GetData() const { return m_data.get(); }
    DWORD GetSize() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }

    // Replaces the content by size uninitialised bytes; false (and empty) when the memory
    // cannot be had.
    bool Allocate(DWORD size);
    BYTE* GetBuffer() { return m_data.get(); }
    void Reset();

private:
    std::unique_ptr<BYTE[]> m_data;
    DWORD m_size = 0;
};

// Largest skin file ReadSkinFile accepts.
constexpr DWORD kMaxSkinFileSize = 4u * 1024 * 1024;

// Reads a skin file (names may hold sub-folders with either separator). On failure returns
// false and, when message is given, stores one of the fixed texts: "Error opening file",
// "File is empty", "File too large", "Could not read file", "Error opening zip file",
// "Could not find ziped file", "Could not unzip file".
bool ReadSkinFile(const wchar_t* name, CSkinFileBytes& bytes, const wchar_t** message = nullptr);

// The image loader's reading: with a resource type (not "*COLOR*"), the resource of that type
// and name (or numeric id) in the resource module; without, the skin file by name, of any
// size. When that fails, the name is tried as a plain file path. Empty files fail.
bool ReadSkinImageFile(const wchar_t* name, const wchar_t* type, CSkinFileBytes& bytes);

// The bytes of the resource of that name (or numeric id) and type where the module holds
// them (they live as long as the module); an empty or missing resource fails.
bool LockResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type, const BYTE*& data, DWORD& size);

// Copies the resource of that name (or numeric id) and type out of a module; an empty or
// missing resource fails.
bool ReadResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type, CSkinFileBytes& bytes);

} // namespace VarnUI

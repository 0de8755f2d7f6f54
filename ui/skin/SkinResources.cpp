#include "ui/skin/SkinResources.h"

#include "ui/skin/SkinFileReader.h"

#include <cstring>
#include <memory>
#include <new>

namespace VarnUI {

namespace {

const wchar_t kMemoryZipName[] = L"membuffer";

struct Settings {
    HINSTANCE instance = nullptr;
    CUIString path;
    CUIString zipName;
    bool cached = true;
    CZipArchivePtr archive;
    std::unique_ptr<BYTE[]> resourceCopy;
};

// Built before the entry point runs; no static object's constructor reads it.
Settings g_settings;

Settings& State()
{
    return g_settings;
}

} // namespace

void CSkinResources::SetInstance(HINSTANCE instance)
{
    State().instance = instance;
}

HINSTANCE CSkinResources::GetInstance()
{
    return State().instance;
}

CUIString CSkinResources::GetInstancePath()
{
    if (!State().instance) return CUIString();
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(State().instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH + 1) return CUIString();
    path[length] = L'\0';
    wchar_t* slash = std::wcsrchr(path, L'\\');
    if (slash) slash[1] = L'\0';
    return CUIString(path);
}

HINSTANCE CSkinResources::GetResourceModule()
{
    return State().instance;
}

void CSkinResources::SetResourcePath(const wchar_t* path)
{
    CUIString& stored = State().path;
    stored = path;
    const int length = stored.GetLength();
    if (length > 0 && stored[length - 1] != L'\\' && stored[length - 1] != L'/') stored += L'\\';
}

const CUIString& CSkinResources::GetResourcePath()
{
    return State().path;
}

void CSkinResources::SetResourceZip(const wchar_t* name, bool cached)
{
    Settings& s = State();
    const CUIString wanted(name);
    if (s.zipName == wanted && s.cached == cached) return;
    if (s.cached) s.archive.reset();
    s.zipName = wanted;
    s.cached = cached;
    // An empty name selects loose files: there is no archive to open.
    if (cached && !wanted.IsEmpty()) {
        const CUIString file = s.path + wanted;
        s.archive.reset(ZipOpen(file.GetData(), 0, kZipFromFileName));
    }
}

void CSkinResources::SetResourceZipMemory(const void* bytes, DWORD length)
{
    Settings& s = State();
    if (s.zipName == kMemoryZipName) return;
    // Selecting nothing would lock out the real archive for good.
    if (!bytes || length == 0) return;
    if (s.cached) s.archive.reset();
    s.zipName = kMemoryZipName;
    if (s.cached) s.archive.reset(ZipOpen(bytes, length, kZipFromMemory));
}

const CUIString& CSkinResources::GetResourceZip()
{
    return State().zipName;
}

bool CSkinResources::IsCachedResourceZip()
{
    return State().cached;
}

CZipArchive* CSkinResources::GetResourceZipHandle()
{
    return State().archive.get();
}

bool CSkinResources::SelectZipResource(UINT id, const wchar_t* type)
{
    return SelectZipResource(MAKEINTRESOURCEW(id), type);
}

bool CSkinResources::SelectZipResource(const wchar_t* name, const wchar_t* type)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!LockResourceBytes(GetResourceModule(), name, type, data, size)) return false;
    Settings& s = State();
    // An archive in memory is never replaced, so a second copy would only be wasted.
    if (s.zipName == kMemoryZipName) return true;
    std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[size]);
    if (!copy) return false;
    std::memcpy(copy.get(), data, size);
    SetResourceZipMemory(copy.get(), size);
    // The previous copy, if any, belonged to an archive that selecting another one closed.
    s.resourceCopy = std::move(copy);
    return true;
}

} // namespace VarnUI

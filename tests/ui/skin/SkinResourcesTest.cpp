#include "ui/skin/SkinFileReader.h"
#include "ui/skin/SkinResources.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace VarnUI;
using SkinTest::Bytes;

namespace {

constexpr UINT kArchiveId = 157;

Bytes ContentFile(const std::wstring& relative)
{
    Bytes bytes;
    EXPECT_TRUE(SkinTest::ReadWholeFile(SkinTest::FixturePath(L"content\\" + relative), bytes));
    return bytes;
}

Bytes AsVector(const CSkinFileBytes& bytes)
{
    return Bytes(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

// The message of a failed read, or "ok".
std::wstring ReadOutcome(const wchar_t* name, Bytes* out = nullptr)
{
    CSkinFileBytes bytes;
    const wchar_t* message = L"not set";
    const bool ok = ReadSkinFile(name, bytes, &message);
    if (out) *out = AsVector(bytes);
    if (ok != (message == nullptr)) return L"result and message disagree";
    return ok ? L"ok" : message;
}

// True when nothing in this process holds the file open.
bool NoOneHolds(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

bool LockedResource(const void*& data, DWORD& size)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(kArchiveId), L"ZIPRES");
    const HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    data = loaded ? ::LockResource(loaded) : nullptr;
    size = found ? ::SizeofResource(self, found) : 0;
    return data && size > 0;
}

class SkinSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinResources::SetInstance(::GetModuleHandleW(nullptr));
        CSkinResources::SetResourceZip(L"", true);
        CSkinResources::SetResourcePath(L"");
    }
    void TearDown() override { CSkinResources::SetResourceZip(L"", true); }
};

// A zip file in the scratch folder with entries at and over the size limit and a broken one.
std::wstring MakeLimitsArchive()
{
    SkinTest::HandArchive hand = SkinTest::BuildArchive({
        {"exact.bin", Bytes(kMaxSkinFileSize, 'x'), true},
        {"over.bin", Bytes(kMaxSkinFileSize + 1, 'x'), true},
        {"bad.txt", SkinTest::ToBytes("some text"), false},
        {"hollow.txt", Bytes(), false},
    });
    hand.Put32(hand.centralOffsets[2] + 16, 1);
    hand.Put32(hand.localOffsets[2] + 14, 1);
    const std::wstring dir = SkinTest::ScratchDir();
    EXPECT_TRUE(SkinTest::WriteWholeFile(dir + L"limits.zip", hand.bytes.data(), hand.bytes.size()));
    return dir;
}

} // namespace

TEST_F(SkinSource, Settings_ResourcePathGetsOneSeparator)
{
    const struct {
        const wchar_t* given;
        const wchar_t* stored;
    } table[] = {
        {L"C:\\skin", L"C:\\skin\\"}, {L"C:\\skin\\", L"C:\\skin\\"}, {L"C:/skin/", L"C:/skin/"},
        {L"", L""}, {nullptr, L""}, {L"skin", L"skin\\"},
    };
    for (const auto& row : table) {
        CSkinResources::SetResourcePath(row.given);
        EXPECT_STREQ(CSkinResources::GetResourcePath().GetData(), row.stored);
    }
}

TEST_F(SkinSource, Settings_InstancePathAndResourceModule)
{
    wchar_t exe[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring folder(exe);
    folder.resize(folder.rfind(L'\\') + 1);
    EXPECT_STREQ(CSkinResources::GetInstancePath().GetData(), folder.c_str());
    EXPECT_EQ(CSkinResources::GetResourceModule(), ::GetModuleHandleW(nullptr));
    CSkinResources::SetInstance(nullptr);
    EXPECT_TRUE(CSkinResources::GetInstancePath().IsEmpty());
    EXPECT_EQ(CSkinResources::GetResourceModule(), nullptr);
}

TEST_F(SkinSource, Folder_ReadsLooseFilesWithEitherSeparator_OrSaysWhy)
{
    CSkinResources::SetResourcePath(SkinTest::FixturePath(L"content").c_str());
    const struct {
        const wchar_t* name;
        const wchar_t* onDisk;
    } table[] = {
        {L"install.xml", L"install.xml"}, {L"sub/deep/numbers.txt", L"sub\\deep\\numbers.txt"},
        {L"sub\\a.txt", L"sub\\a.txt"}, {L"SUB\\DEEP\\NOISE.BIN", L"sub\\deep\\noise.bin"},
    };
    for (const auto& row : table) {
        Bytes out;
        EXPECT_EQ(ReadOutcome(row.name, &out), L"ok") << row.name;
        EXPECT_EQ(out, ContentFile(row.onDisk)) << row.name;
    }
    EXPECT_EQ(ReadOutcome(L"empty.txt"), L"File is empty");
    EXPECT_EQ(ReadOutcome(L"missing.txt"), L"Error opening file");
    EXPECT_EQ(ReadOutcome(L"sub"), L"Error opening file");
}

TEST_F(SkinSource, Folder_FourMebibytesIsTheLimit)
{
    const std::wstring dir = SkinTest::ScratchDir();
    const Bytes exact(kMaxSkinFileSize, 'a');
    ASSERT_TRUE(SkinTest::WriteWholeFile(dir + L"exact.bin", exact.data(), exact.size()));
    ASSERT_TRUE(SkinTest::WriteWholeFile(dir + L"over.bin", exact.data(), exact.size()));
    HANDLE over = ::CreateFileW((dir + L"over.bin").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD put = 0;
    ASSERT_TRUE(::WriteFile(over, "a", 1, &put, nullptr));
    ::CloseHandle(over);
    CSkinResources::SetResourcePath(dir.c_str());
    Bytes out;
    EXPECT_EQ(ReadOutcome(L"exact.bin", &out), L"ok");
    EXPECT_EQ(out, exact);
    EXPECT_EQ(ReadOutcome(L"over.bin"), L"File too large");
}

TEST_F(SkinSource, ZipFile_CachedArchiveIsKeptAndClosedOnChange)
{
    CSkinResources::SetResourcePath(SkinTest::FixtureDir().c_str());
    CSkinResources::SetResourceZip(L"infozip_deflate.zip", true);
    CZipArchive* first = CSkinResources::GetResourceZipHandle();
    ASSERT_NE(first, nullptr);
    CSkinResources::SetResourceZip(L"infozip_deflate.zip", true);
    EXPECT_EQ(CSkinResources::GetResourceZipHandle(), first);
    EXPECT_FALSE(NoOneHolds(SkinTest::FixturePath(L"infozip_deflate.zip")));

    CSkinResources::SetResourceZip(L"cmake.zip", true);
    EXPECT_NE(CSkinResources::GetResourceZipHandle(), nullptr);
    EXPECT_TRUE(NoOneHolds(SkinTest::FixturePath(L"infozip_deflate.zip")));
    EXPECT_STREQ(CSkinResources::GetResourceZip().GetData(), L"cmake.zip");
}

TEST_F(SkinSource, ZipFile_ReadsEntriesCachedOrNot)
{
    CSkinResources::SetResourcePath(SkinTest::FixtureDir().c_str());
    for (bool cached : {true, false}) {
        CSkinResources::SetResourceZip(L"infozip_stream.zip", cached);
        EXPECT_EQ(CSkinResources::IsCachedResourceZip(), cached);
        EXPECT_EQ(CSkinResources::GetResourceZipHandle() != nullptr, cached);
        Bytes out;
        // Read twice: a kept-open archive must start the entry again.
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(ReadOutcome(L"INSTALL.XML", &out), L"ok");
            EXPECT_EQ(out, ContentFile(L"install.xml")) << cached << round;
        }
        EXPECT_EQ(ReadOutcome(L"sub\\deep\\noise.bin", &out), L"ok");
        EXPECT_EQ(out, ContentFile(L"sub\\deep\\noise.bin"));
        EXPECT_EQ(ReadOutcome(L"empty.txt"), L"File is empty");
        EXPECT_EQ(ReadOutcome(L"missing.xml"), L"Could not find ziped file");
        // The resource path never prefixes names inside the archive.
        EXPECT_EQ(ReadOutcome((SkinTest::FixtureDir() + L"install.xml").c_str()), L"Could not find ziped file");
        EXPECT_EQ(NoOneHolds(SkinTest::FixturePath(L"infozip_stream.zip")), !cached);
    }
}

TEST_F(SkinSource, ZipFile_MissingArchive)
{
    CSkinResources::SetResourcePath(SkinTest::FixtureDir().c_str());
    for (bool cached : {true, false}) {
        CSkinResources::SetResourceZip(L"no-such.zip", cached);
        EXPECT_EQ(CSkinResources::GetResourceZipHandle(), nullptr);
        EXPECT_EQ(ReadOutcome(L"install.xml"), L"Error opening zip file");
    }
}

TEST_F(SkinSource, ZipFile_EntrySizesAndDamage)
{
    CSkinResources::SetResourcePath(MakeLimitsArchive().c_str());
    CSkinResources::SetResourceZip(L"limits.zip", true);
    Bytes out;
    EXPECT_EQ(ReadOutcome(L"exact.bin", &out), L"ok");
    EXPECT_EQ(out.size(), kMaxSkinFileSize);
    EXPECT_EQ(ReadOutcome(L"over.bin"), L"File too large");
    EXPECT_EQ(ReadOutcome(L"bad.txt"), L"Could not unzip file");
    EXPECT_EQ(ReadOutcome(L"hollow.txt"), L"File is empty");
}

TEST_F(SkinSource, Memory_ArchiveFromTheResourceSection)
{
    const void* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(LockedResource(data, size));
    CSkinResources::SetResourceZipMemory(data, size);
    EXPECT_STREQ(CSkinResources::GetResourceZip().GetData(), L"membuffer");
    ASSERT_NE(CSkinResources::GetResourceZipHandle(), nullptr);
    Bytes out;
    for (const wchar_t* name : {L"install.xml", L"INSTALL.XML"}) {
        EXPECT_EQ(ReadOutcome(name, &out), L"ok") << name;
        EXPECT_EQ(out, ContentFile(L"install.xml")) << name;
    }
    EXPECT_EQ(ReadOutcome(L"sub\\deep\\Numbers.txt", &out), L"ok");
    EXPECT_EQ(out, ContentFile(L"sub\\deep\\numbers.txt"));

    // A second archive in memory does not replace the first.
    const SkinTest::HandArchive other = SkinTest::BuildArchive({{"other.txt", SkinTest::ToBytes("x"), false}});
    CSkinResources::SetResourceZipMemory(other.bytes.data(), static_cast<DWORD>(other.bytes.size()));
    EXPECT_EQ(ReadOutcome(L"install.xml"), L"ok");
    EXPECT_EQ(ReadOutcome(L"other.txt"), L"Could not find ziped file");
}

TEST_F(SkinSource, Memory_SelectZipResourceCopiesTheResource)
{
    EXPECT_FALSE(CSkinResources::SelectZipResource(kArchiveId + 1));
    EXPECT_TRUE(CSkinResources::GetResourceZip().IsEmpty());
    ASSERT_TRUE(CSkinResources::SelectZipResource(kArchiveId));
    EXPECT_STREQ(CSkinResources::GetResourceZip().GetData(), L"membuffer");
    Bytes out;
    EXPECT_EQ(ReadOutcome(L"sub/a.txt", &out), L"ok");
    EXPECT_EQ(out, ContentFile(L"sub\\a.txt"));
}

TEST_F(SkinSource, Memory_WithoutCachingNothingIsOpened)
{
    CSkinResources::SetResourceZip(L"", false);
    const void* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(LockedResource(data, size));
    CSkinResources::SetResourceZipMemory(data, size);
    EXPECT_EQ(CSkinResources::GetResourceZipHandle(), nullptr);
    EXPECT_EQ(ReadOutcome(L"install.xml"), L"Error opening zip file");
}

TEST_F(SkinSource, Memory_NullBlockSelectsNothing)
{
    CSkinResources::SetResourceZipMemory(nullptr, 100);
    EXPECT_TRUE(CSkinResources::GetResourceZip().IsEmpty());
}

TEST_F(SkinSource, ImageReading_ResourceArchiveAndPlainPath)
{
    CSkinFileBytes bytes;
    Bytes zipFile;
    ASSERT_TRUE(SkinTest::ReadWholeFile(SkinTest::FixturePath(L"infozip_deflate.zip"), zipFile));
    ASSERT_TRUE(ReadSkinImageFile(MAKEINTRESOURCEW(kArchiveId), L"ZIPRES", bytes));
    EXPECT_EQ(AsVector(bytes), zipFile);
    EXPECT_FALSE(ReadSkinImageFile(MAKEINTRESOURCEW(kArchiveId + 1), L"ZIPRES", bytes));
    EXPECT_FALSE(ReadSkinImageFile(L"#FF00FF00", L"*COLOR*", bytes));

    const std::wstring plain = SkinTest::FixturePath(L"content\\sub\\a.txt");
    // A missing resource falls back to the name as a path.
    EXPECT_TRUE(ReadSkinImageFile(plain.c_str(), L"PNG", bytes));
    EXPECT_EQ(AsVector(bytes), ContentFile(L"sub\\a.txt"));

    CSkinResources::SetResourcePath(MakeLimitsArchive().c_str());
    CSkinResources::SetResourceZip(L"limits.zip", true);
    EXPECT_TRUE(ReadSkinImageFile(L"over.bin", nullptr, bytes)); // no size limit here
    EXPECT_EQ(bytes.GetSize(), kMaxSkinFileSize + 1);
    EXPECT_FALSE(ReadSkinImageFile(L"hollow.txt", nullptr, bytes));
    EXPECT_FALSE(ReadSkinImageFile(L"bad.txt", nullptr, bytes));
    EXPECT_TRUE(ReadSkinImageFile(plain.c_str(), nullptr, bytes));
    EXPECT_FALSE(ReadSkinImageFile(SkinTest::FixturePath(L"content\\empty.txt").c_str(), nullptr, bytes));
}

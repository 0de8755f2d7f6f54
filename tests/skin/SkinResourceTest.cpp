// A program linked with varn_skin_resource carries the skin archive as ZIPRES 157.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

namespace {

struct Bytes {
  const unsigned char* data = nullptr;
  size_t size = 0;
};

Bytes SkinResource() {
  Bytes b;
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(157), L"ZIPRES");
  if (!found) return b;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (!loaded) return b;
  b.data = static_cast<const unsigned char*>(LockResource(loaded));
  b.size = SizeofResource(nullptr, found);
  return b;
}

uint16_t U16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const unsigned char* p) { return uint32_t(U16(p)) | uint32_t(U16(p + 2)) << 16; }

// Offset of the end-of-central-directory record, or 0 when there is none.
size_t EndRecord(const Bytes& b) {
  if (b.size < 22) return 0;
  for (size_t at = b.size - 22;; --at) {
    if (std::memcmp(b.data + at, "PK\x05\x06", 4) == 0) return at;
    if (at == 0 || b.size - at > 22 + 0xFFFF) return 0;
  }
}

}  // namespace

TEST(SkinResource, IsPresent) {
  Bytes b = SkinResource();
  ASSERT_NE(b.data, nullptr);
  ASSERT_GT(b.size, 22u);
  EXPECT_EQ(std::memcmp(b.data, "PK\x03\x04", 4), 0);
}

TEST(SkinResource, ListsTheSkinFilesAtTheTopLevel) {
  Bytes b = SkinResource();
  ASSERT_NE(b.data, nullptr);
  size_t end = EndRecord(b);
  ASSERT_NE(end, 0u);
  const unsigned char* rec = b.data + end;
  const unsigned entries = U16(rec + 10);
  const size_t dirSize = U32(rec + 12), dirAt = U32(rec + 16);
  ASSERT_LE(dirAt + dirSize, end);

  std::set<std::string> names;
  size_t at = dirAt;
  for (unsigned i = 0; i < entries; ++i) {
    ASSERT_LE(at + 46, dirAt + dirSize);
    const unsigned char* e = b.data + at;
    ASSERT_EQ(std::memcmp(e, "PK\x01\x02", 4), 0);
    const unsigned method = U16(e + 10);
    EXPECT_TRUE(method == 0 || method == 8) << method;
    const size_t nameLen = U16(e + 28), extraLen = U16(e + 30), commentLen = U16(e + 32);
    ASSERT_LE(at + 46 + nameLen, dirAt + dirSize);
    const std::string name(reinterpret_cast<const char*>(e + 46), nameLen);
    EXPECT_EQ(name.find_first_of("/\\"), std::string::npos) << name;
    const size_t local = U32(e + 42);
    ASSERT_LT(local + 4, dirAt);
    EXPECT_EQ(std::memcmp(b.data + local, "PK\x03\x04", 4), 0) << name;
    names.insert(name);
    at += 46 + nameLen + extraLen + commentLen;
  }
  // The skin's own files, and beside every image its variants for 150 and 200 per cent.
  size_t originals = 0;
  for (const std::string& name : names) {
    if (name.find('@') != std::string::npos) continue;
    ++originals;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".png") != 0) continue;
    const std::string stem = name.substr(0, name.size() - 4);
    EXPECT_EQ(names.count(stem + "@1.5x.png"), 1u) << name;
    EXPECT_EQ(names.count(stem + "@2x.png"), 1u) << name;
  }
  EXPECT_EQ(originals, 27u);
  for (const char* want : {"install.xml", "default.xml", "uninstallpage.xml",
                           "uninstallingpage.xml", "uninstallfinishpage.xml", "bgtop.png",
                           "uninstall.png", "cancel.png", "min1.png", "close1.png",
                           "uninst_process_bottom.png", "uninst_process_top.png"}) {
    EXPECT_EQ(names.count(want), 1u) << want;
  }
}

// Member headers: what the writer produces reads back field for field, the reader's checks
// catch damaged headers, and the first header of a self-extracting program is found.
#include <gtest/gtest.h>

#include "lzh/archive.h"
#include "lzh/crc16.h"
#include "lzh/header.h"

namespace {

lzh::Entry SampleEntry() {
  lzh::Entry e;
  e.method = "-lh5-";
  e.name = "スクリーン.SCR";
  e.folders = {"表示", "sub"};
  e.packedSize = 1234;
  e.originalSize = 5678;
  e.crc = 0xBEEF;
  e.attribute = 0x21;
  e.hasFileTimes = true;
  e.creationTime = lzh::UnixToFileTime(1000000000);
  e.writeTime = lzh::UnixToFileTime(1300000000);
  e.accessTime = lzh::UnixToFileTime(1300000100);
  return e;
}

lzh::Status Read(const std::vector<uint8_t>& bytes, lzh::Entry* e) {
  lzh::MemoryInput in(bytes);
  lzh::HeaderRead what;
  return lzh::ReadHeader(in, 0, e, &what);
}

TEST(LzhLevel2Header, ReadsBackWhatWasWritten) {
  const lzh::Entry w = SampleEntry();
  std::vector<uint8_t> h = lzh::BuildLevel2Header(w);
  lzh::Entry r;
  ASSERT_EQ(Read(h, &r), lzh::Status::kOk);
  EXPECT_EQ(r.level, 2);
  EXPECT_EQ(r.method, w.method);
  EXPECT_EQ(r.name, w.name);
  EXPECT_EQ(r.folders, w.folders);
  EXPECT_EQ(r.Path(), "表示\\sub\\スクリーン.SCR");
  EXPECT_EQ(r.packedSize, w.packedSize);
  EXPECT_EQ(r.originalSize, w.originalSize);
  EXPECT_EQ(r.crc, w.crc);
  EXPECT_EQ(r.attribute, w.attribute);
  EXPECT_EQ(r.writeTime, w.writeTime);
  EXPECT_EQ(r.creationTime, w.creationTime);
  EXPECT_EQ(r.headerSize, h.size());
  EXPECT_EQ(r.dataOffset, h.size());
}

TEST(LzhLevel2Header, CarriesSizesAbove4GiB) {
  lzh::Entry w = SampleEntry();
  w.originalSize = 0x123456789ull;
  w.packedSize = 0x100000001ull;
  lzh::Entry r;
  ASSERT_EQ(Read(lzh::BuildLevel2Header(w), &r), lzh::Status::kOk);
  EXPECT_EQ(r.originalSize, w.originalSize);
  EXPECT_EQ(r.packedSize, w.packedSize);
}

TEST(LzhLevel2Header, NeverHasASizeThatReadsAsTheEndMarker) {
  // Name lengths that walk the header size across a multiple of 256.
  for (size_t n = 150; n < 450; ++n) {
    lzh::Entry w = SampleEntry();
    w.folders.clear();
    w.name = std::string(n, 'x');
    std::vector<uint8_t> h = lzh::BuildLevel2Header(w);
    ASSERT_NE(h[0], 0) << "name length " << n;
    lzh::Entry r;
    ASSERT_EQ(Read(h, &r), lzh::Status::kOk) << "name length " << n;
    EXPECT_EQ(r.name.size(), n);
    EXPECT_EQ(r.dataOffset, h.size());
  }
}

TEST(LzhLevel2Header, DamageIsDetected) {
  const std::vector<uint8_t> good = lzh::BuildLevel2Header(SampleEntry());
  lzh::Entry r;
  // Any changed byte of the name breaks the header CRC.
  std::vector<uint8_t> bad = good;
  bad[40] ^= 0x01;
  EXPECT_EQ(Read(bad, &r), lzh::Status::kHeaderCrc);
  // Cut short anywhere: broken, never read past the end.
  for (size_t cut = 22; cut < good.size(); ++cut) {
    std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_EQ(Read(part, &r), lzh::Status::kHeaderBroken) << "cut at " << cut;
  }
  // An extended header claiming a size smaller than its own fields.
  bad = good;
  bad[24] = 2;
  bad[25] = 0;
  EXPECT_EQ(Read(bad, &r), lzh::Status::kHeaderBroken);
}

// A level-0 or level-1 header built by hand.
std::vector<uint8_t> OldHeader(int level, const std::string& name, uint32_t packed, uint32_t original) {
  std::vector<uint8_t> h = {0, 0, '-', 'l', 'h', '0', '-'};
  for (uint32_t v : {packed, original, 0x3C2A6000u})
    for (int i = 0; i < 4; ++i) h.push_back(static_cast<uint8_t>(v >> (8 * i)));
  h.push_back(level == 0 ? 0x21 : 0x20);
  h.push_back(static_cast<uint8_t>(level));
  h.push_back(static_cast<uint8_t>(name.size()));
  h.insert(h.end(), name.begin(), name.end());
  h.push_back(0x34);
  h.push_back(0x12);  // CRC
  if (level == 1) {
    h.push_back('M');
    h.push_back(0);
    h.push_back(0);  // no extended headers
  }
  h[0] = static_cast<uint8_t>(h.size() - 2);
  unsigned sum = 0;
  for (size_t i = 2; i < h.size(); ++i) sum += h[i];
  h[1] = static_cast<uint8_t>(sum);
  return h;
}

struct OldCase {
  int level;
  std::string stored;
  std::vector<std::string> folders;
  std::string name;
  bool absolute;
};

class LzhOldHeaders : public testing::TestWithParam<OldCase> {};

TEST_P(LzhOldHeaders, SplitFoldersAndKeepShiftJisIntact) {
  const OldCase& c = GetParam();
  lzh::Entry r;
  ASSERT_EQ(Read(OldHeader(c.level, c.stored, 0, 0), &r), lzh::Status::kOk);
  EXPECT_EQ(r.level, c.level);
  EXPECT_EQ(r.folders, c.folders);
  EXPECT_EQ(r.name, c.name);
  EXPECT_EQ(r.absolute, c.absolute);
  EXPECT_EQ(r.crc, 0x1234);
  if (c.level == 0) {
    EXPECT_EQ(r.attribute, 0x21);
  }
}

INSTANTIATE_TEST_SUITE_P(LzhNames, LzhOldHeaders,
    testing::Values(OldCase{0, "A.TXT", {}, "A.TXT", false}, OldCase{1, "DIR\\A.TXT", {"DIR"}, "A.TXT", false},
                    OldCase{0, "dir/sub/a.txt", {"dir", "sub"}, "a.txt", false},
                    // "表" ends in 0x5C, the code of "\": it must not split the name.
                    OldCase{1, "表\\表.TXT", {"表"}, "表.TXT", false},
                    OldCase{0, "\\ROOT\\A.TXT", {"ROOT"}, "A.TXT", true},
                    OldCase{1, "C:\\A.TXT", {}, "A.TXT", true}));

TEST(LzhOldHeaders, ChecksumMismatchIsAHeaderError) {
  std::vector<uint8_t> h = OldHeader(0, "A.TXT", 0, 0);
  h[1] ^= 0xFF;
  lzh::Entry r;
  EXPECT_EQ(Read(h, &r), lzh::Status::kHeaderCrc);
}

TEST(LzhOldHeaders, Level1SizeCountsTheExtendedHeaders) {
  // Extended headers larger than the packed size they are part of: broken.
  std::vector<uint8_t> h = OldHeader(1, "A.TXT", 4, 4);
  h[h.size() - 2] = 8;  // one extended header of 8 bytes follows
  unsigned sum = 0;
  for (size_t i = 2; i < h.size(); ++i) sum += h[i];
  h[1] = static_cast<uint8_t>(sum);
  std::vector<uint8_t> ext = {0x40, 0x20, 0x00, 0, 0, 0, 0, 0};
  h.insert(h.end(), ext.begin(), ext.end());
  lzh::Entry r;
  EXPECT_EQ(Read(h, &r), lzh::Status::kHeaderBroken);
}

TEST(LzhLevel3Header, ReadsFourByteSizes) {
  std::vector<uint8_t> h = {4, 0, '-', 'l', 'h', '0', '-', 3, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0x40, 0x20, 3, 0x34, 0x12,
                            'U'};
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) h.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const std::string name = "three.txt";
  put32(32 + 5 + static_cast<uint32_t>(name.size()));  // total header size
  put32(5 + static_cast<uint32_t>(name.size()));       // first extended header: the name
  h.push_back(0x01);
  h.insert(h.end(), name.begin(), name.end());
  put32(0);
  h.insert(h.end(), {'a', 'b', 'c'});
  lzh::Entry r;
  ASSERT_EQ(Read(h, &r), lzh::Status::kOk);
  EXPECT_EQ(r.level, 3);
  EXPECT_EQ(r.name, name);
  EXPECT_EQ(r.packedSize, 3u);
  EXPECT_EQ(r.dataOffset, h.size() - 3);
  EXPECT_EQ(r.crc, 0x1234);
}

TEST(LzhSelfExtracting, TheFirstHeaderAfterTheProgramIsFound) {
  lzh::Entry w = SampleEntry();
  w.method = "-lh0-";
  w.packedSize = w.originalSize = 0;
  std::vector<uint8_t> archive = lzh::BuildLevel2Header(w);
  archive.push_back(0);
  // A program body that even contains a method-like string before the archive.
  std::vector<uint8_t> sfx = {'M', 'Z'};
  std::string junk = "  -lh5- in the program's own text ";
  sfx.insert(sfx.end(), junk.begin(), junk.end());
  sfx.resize(5000, 0x90);
  size_t start = sfx.size();
  sfx.insert(sfx.end(), archive.begin(), archive.end());
  lzh::MemoryInput in(sfx);
  lzh::ArchiveReader reader(in);
  ASSERT_EQ(reader.Open(), lzh::Status::kOk);
  EXPECT_EQ(reader.FirstHeaderOffset(), start);
  std::vector<lzh::Entry> entries;
  ASSERT_EQ(lzh::ReadEntries(in, &entries), lzh::Status::kOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, w.name);

  std::vector<uint8_t> program(sfx.begin(), sfx.begin() + static_cast<std::ptrdiff_t>(start));
  lzh::MemoryInput plain(program);
  EXPECT_EQ(lzh::ReadEntries(plain, &entries), lzh::Status::kNotArchive);
}

struct TimeCase {
  int64_t unix;
  uint32_t dos;
};

class LzhDosTimes : public testing::TestWithParam<TimeCase> {};

TEST_P(LzhDosTimes, ConvertBothWays) {
  EXPECT_EQ(lzh::UnixToDos(GetParam().unix), GetParam().dos);
  EXPECT_EQ(lzh::DosToUnix(GetParam().dos), GetParam().unix);
}

INSTANTIATE_TEST_SUITE_P(LzhDates, LzhDosTimes,
                         testing::Values(TimeCase{315532800, 0x00210000},     // 1980-01-01 00:00:00
                                         TimeCase{951782398, 0x285CBF7D},     // 2000-02-28 23:59:58
                                         TimeCase{1709210096, 0x585D645C}));  // 2024-02-29 12:34:56

}  // namespace

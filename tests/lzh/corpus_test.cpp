// Conformance against archives written by other archivers: every listed archive lists with
// the right number of members and extracts to the manifest's CRC-32 and length; the hostile
// ones fail without writing outside the destination.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lzh/archive.h"
#include "lzh/commands.h"
#include "lzh/decoder.h"
#include "lzh/std_files.h"
#include "lzh_test_util.h"

namespace {

struct Row {
  std::string group;  // first letter(s) of the group column: "A" … "H", "B2"
  std::string path;
  int entries = 0;
  bool hasExpected = false;
  uint32_t crc = 0;
  uint64_t length = 0;
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.path; }

std::string CorpusDir() { return QV_LZH_CORPUS; }

// Where the manifest's member count differs from what is really stored: this archive's first
// header declares a size two bytes short, and the manifest counted only that header. The
// archive holds two folder entries and hello.txt.
int ExpectedEntries(const Row& r) { return r.path == "lha_osk_201/h2_subdir.lzh" ? 3 : r.entries; }

std::vector<Row> LoadManifest() {
  std::vector<Row> rows;
  std::ifstream f(CorpusDir() + "/MANIFEST.tsv");
  std::string line;
  std::getline(f, line);  // column names
  while (std::getline(f, line)) {
    std::vector<std::string> cols;
    std::stringstream ss(line);
    std::string col;
    while (std::getline(ss, col, '\t')) cols.push_back(col);
    if (cols.size() < 9) continue;
    Row r;
    r.group = cols[0].substr(0, cols[0].find(' '));
    r.path = cols[1];
    r.entries = std::stoi(cols[7]);
    if (cols[8] != "- -") {
      r.hasExpected = true;
      std::stringstream e(cols[8]);
      std::string crc;
      e >> crc >> r.length;
      r.crc = static_cast<uint32_t>(std::stoul(crc, nullptr, 16));
    }
    rows.push_back(r);
  }
  return rows;
}

class LzhCorpusTest : public testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(CorpusDir() + "/MANIFEST.tsv"))
      GTEST_SKIP() << "LZH corpus not found at " << CorpusDir() << " (it lies beside the checkout in CI)";
  }
};

TEST_P(LzhCorpusTest, ListsAndExtractsAsExpected) {
  const Row& row = GetParam();
  auto in = lzh::StdFileInput::Open(CorpusDir() + "/" + row.path);
  ASSERT_TRUE(in);
  std::vector<lzh::Entry> entries;
  lzh::Status listed = lzh::ReadEntries(*in, &entries);

  if (row.group == "H") {
    // Hostile archives: the extract command must fail (or, for absolute paths whose prefix is
    // dropped, produce exactly the expected data) and write nothing outside the destination.
    lzhtest::TempDir root("hostile");
    lzh::StdFileStore store;
    lzh::Archiver archiver(store);
    for (const char* cmd : {"e", "x"}) {
      std::string out;
      std::string line = std::string(cmd) + " \"" + CorpusDir() + "/" + row.path + "\" \"" + (root / "dest") + "/\"";
      lzh::Status s = archiver.Run(line, &out);
      for (const auto& item : std::filesystem::recursive_directory_iterator(root.Path())) {
        std::string rel = std::filesystem::relative(item.path(), root.Path()).string();
        EXPECT_EQ(rel.rfind("dest", 0), 0u) << cmd << " wrote outside the destination: " << rel;
      }
      if (row.hasExpected && row.length > 0) {
        EXPECT_EQ(s, lzh::Status::kOk) << cmd << "\n" << out;
      } else {
        EXPECT_NE(s, lzh::Status::kOk) << cmd << " reported success\n" << out;
      }
      std::filesystem::remove_all(root / "dest");
    }
    return;
  }

  ASSERT_EQ(listed, lzh::Status::kOk) << lzh::StatusText(listed);
  ASSERT_EQ(static_cast<int>(entries.size()), ExpectedEntries(row));
  if (row.group == "B2") {
    // Methods the codec does not decode: listed, refused cleanly.
    for (const auto& e : entries) {
      lzh::NullSink sink;
      EXPECT_EQ(lzh::DecodeMember(*in, e, sink), lzh::Status::kUnknownMethod) << e.method;
    }
    return;
  }
  lzhtest::Crc32Sink crc;
  bool allOk = true;
  for (const auto& e : entries) {
    lzh::Status s = lzh::DecodeMember(*in, e, crc);
    if (!lzh::Ok(s)) allOk = false;
    if (row.hasExpected) {
      EXPECT_EQ(s, lzh::Status::kOk) << e.Path() << ": " << lzh::StatusText(s);
    }
  }
  if (row.hasExpected) {
    EXPECT_EQ(crc.length, row.length);
    char got[16], want[16];
    std::snprintf(got, sizeof got, "%08x", crc.Value());
    std::snprintf(want, sizeof want, "%08x", row.crc);
    EXPECT_STREQ(got, want);
  } else {
    // No agreed result for these: the members must still decode or fail cleanly.
    SUCCEED() << (allOk ? "decoded" : "some members refused");
  }
}

std::string RowName(const testing::TestParamInfo<Row>& info) {
  std::string n = info.param.group + "_" + info.param.path;
  for (char& c : n)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(LzhManifest, LzhCorpusTest, testing::ValuesIn(LoadManifest()), RowName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LzhCorpusTest);

TEST(LzhCorpusPresence, CorpusIsAvailable) {
  if (!std::filesystem::exists(CorpusDir() + "/MANIFEST.tsv"))
    GTEST_SKIP() << "LZH corpus not found at " << CorpusDir() << "; conformance tests skipped";
  EXPECT_GT(LoadManifest().size(), 50u);
}

}  // namespace

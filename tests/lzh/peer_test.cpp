// Interchange with two other LZH archivers installed on the build machine: archives they
// write (all header levels, methods 5, 6 and 7) decode here, and archives written here
// extract identically with them. Skipped where the programs are missing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "lzh/archive.h"
#include "lzh/decoder.h"
#include "lzh/std_files.h"
#include "lzh_test_util.h"

namespace {

using lzhtest::DataKind;
using lzhtest::MakeData;
using lzhtest::ReadBytes;
using lzhtest::WriteBytes;

bool Have(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

int Shell(const std::string& folder, const std::string& command) {
  return std::system(("cd '" + folder + "' && " + command + " >/dev/null 2>&1").c_str());
}

// Random data repeated after `period` bytes: a match just inside or just outside a window.
std::vector<uint8_t> Periodic(size_t period, size_t size) {
  std::vector<uint8_t> v = MakeData(DataKind::kRandom, period, static_cast<uint32_t>(period));
  v.resize(size);
  for (size_t i = period; i < size; ++i) v[i] = v[i - period];
  return v;
}

// The data set: sizes around the format's edges, incompressible data and repeats at each
// window's edge.
std::vector<std::pair<std::string, std::vector<uint8_t>>> DataSet() {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
      {"size0.bin", {}},
      {"size1.bin", MakeData(DataKind::kText, 1)},
      {"size8191.txt", MakeData(DataKind::kText, 8191)},
      {"size8192.txt", MakeData(DataKind::kText, 8192)},
      {"size8193.txt", MakeData(DataKind::kText, 8193)},
      {"size65537.bin", MakeData(DataKind::kMixed, 65537)},
      {"random.bin", MakeData(DataKind::kRandom, 70000)},
  };
  for (size_t window : {8192u, 32768u, 65536u}) {
    files.push_back({"in" + std::to_string(window) + ".bin", Periodic(window - 1, window * 2 + 5000)});
    files.push_back({"out" + std::to_string(window) + ".bin", Periodic(window + 1, window * 2 + 5000)});
  }
  return files;
}

class LzhPeers : public testing::Test {
 protected:
  void SetUp() override {
    files_ = DataSet();
    std::filesystem::create_directories(dir_.Path() / "in");
    for (const auto& [name, bytes] : files_) WriteBytes(dir_ / ("in/" + name), bytes);
  }
  std::string Names() const {
    std::string s;
    for (const auto& f : files_) s += " " + f.first;
    return s;
  }

  lzhtest::TempDir dir_{"peer"};
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files_;
};

TEST_F(LzhPeers, ArchivesOfTheOtherArchiverDecode) {
  if (!Have("jlha")) GTEST_SKIP() << "jlha is not installed (Debian package jlha-utils)";
  for (int level : {0, 1, 2}) {
    for (int method : {5, 6, 7}) {
      SCOPED_TRACE("level " + std::to_string(level) + " method " + std::to_string(method));
      const std::string arc = "j" + std::to_string(level) + std::to_string(method) + ".lzh";
      ASSERT_EQ(Shell(dir_ / "in", "jlha a" + std::to_string(level) + "o" + std::to_string(method) + "q ../" + arc +
                                       Names()),
                0);
      auto in = lzh::StdFileInput::Open(dir_ / arc);
      ASSERT_TRUE(in);
      std::vector<lzh::Entry> entries;
      ASSERT_EQ(lzh::ReadEntries(*in, &entries), lzh::Status::kOk);
      ASSERT_EQ(entries.size(), files_.size());
      bool sawMethod = false;
      for (size_t i = 0; i < entries.size(); ++i) {
        const lzh::Entry& e = entries[i];
        EXPECT_EQ(e.level, level);
        EXPECT_EQ(e.name, files_[i].first);
        sawMethod = sawMethod || e.method == "-lh" + std::to_string(method) + "-";
        lzh::VectorSink sink;
        ASSERT_EQ(lzh::DecodeMember(*in, e, sink), lzh::Status::kOk) << e.name << " " << e.method;
        EXPECT_TRUE(sink.bytes == files_[i].second) << e.name;
      }
      EXPECT_TRUE(sawMethod);
    }
  }
}

TEST_F(LzhPeers, OurArchivesExtractIdenticallyWithBoth) {
  std::vector<lzh::NewMember> members;
  for (const auto& [name, bytes] : files_) {
    lzh::NewMember m;
    m.meta.name = name;
    m.data = bytes.data();
    m.size = bytes.size();
    members.push_back(m);
  }
  lzh::VectorSink archive;
  ASSERT_EQ(lzh::WriteArchive(nullptr, members, nullptr, archive), lzh::Status::kOk);
  WriteBytes(dir_ / "ours.lzh", archive.bytes);
  int checked = 0;
  for (const char* peer : {"lha", "jlha"}) {
    if (!Have(peer)) continue;
    SCOPED_TRACE(peer);
    const std::string out = std::string("out-") + peer;
    std::filesystem::create_directories(dir_.Path() / out);
    EXPECT_EQ(Shell(dir_.Path().string(), std::string(peer) + " t ours.lzh"), 0) << "test command failed";
    ASSERT_EQ(Shell(dir_.Path().string(), std::string(peer) + " xqw=" + out + " ours.lzh"), 0);
    for (const auto& [name, bytes] : files_) EXPECT_TRUE(ReadBytes(dir_ / (out + "/" + name)) == bytes) << name;
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "neither lha (Debian package lhasa) nor jlha is installed";
}

}  // namespace

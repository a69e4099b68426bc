// The archiver commands over real files: add, list and extract, replacing members, refusing
// what would damage data or leave the destination folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <stdexcept>

#include "lzh/archive.h"
#include "lzh/commands.h"
#include "lzh/std_files.h"
#ifdef _WIN32
#include "lzh/win32/win32_file_store.h"
#endif
#include "lzh_test_util.h"
#include "support/sjis_text.h"

namespace {

using lzhtest::DataKind;
using lzhtest::MakeData;
using lzhtest::ReadBytes;
using lzhtest::WriteBytes;

std::string Q(const std::string& s) { return "\"" + s + "\""; }

#ifdef _WIN32
using Store = lzh::win32::Win32FileStore;  // Shift-JIS paths through the W APIs
#else
using Store = lzh::StdFileStore;
#endif

class LzhCommands : public testing::Test {
 protected:
  lzh::Status Run(const std::string& line, std::string* out = nullptr) {
    std::string ignored;
    return archiver_.Run(line, out ? out : &ignored);
  }
  std::vector<lzh::Entry> Entries(const std::string& archive) {
    auto in = store_.OpenRead(archive);
    std::vector<lzh::Entry> e;
    if (in) {
      EXPECT_EQ(lzh::ReadEntries(*in, &e), lzh::Status::kOk);
    }
    return e;
  }
  // Every file below the temporary root, relative to it, with "/" separators.
  std::vector<std::string> Files() {
    std::vector<std::string> out;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir_.Path()))
      if (item.is_regular_file()) out.push_back(std::filesystem::relative(item.path(), dir_.Path()).generic_string());
    std::sort(out.begin(), out.end());
    return out;
  }

  lzhtest::TempDir dir_{"cmd"};
  Store store_;
  lzh::Archiver archiver_{store_};
};

TEST_F(LzhCommands, AddListAndExtractRoundTrip) {
  const std::string text = dir_ / "readme.txt", saver = dir_ / "表示.SCR", arc = dir_ / "ABC.lzh";
  const auto textData = MakeData(DataKind::kText, 50000), saverData = MakeData(DataKind::kMixed, 70000);
  WriteBytes(text, textData);
  WriteBytes(saver, saverData);
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(text) + " "), lzh::Status::kOk);
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(saver) + " "), lzh::Status::kOk);

  std::string listing;
  ASSERT_EQ(Run(" l -x1 " + Q(arc) + " ", &listing), lzh::Status::kOk);
  EXPECT_NE(listing.find("readme.txt"), std::string::npos) << listing;
  EXPECT_NE(listing.find("表示.SCR"), std::string::npos) << testsupport::Utf8(listing);
  EXPECT_NE(listing.find("-lh5-"), std::string::npos);
  EXPECT_NE(listing.find("2 file(s)"), std::string::npos);

  const std::string dest = dir_ / "ABC.lzh.d";
  ASSERT_EQ(Run(" e -ma1 " + Q(arc) + " " + Q(dest + "/") + " " + Q("*.*") + " "), lzh::Status::kOk);
  EXPECT_TRUE(ReadBytes(dest + "/readme.txt") == textData);
  EXPECT_TRUE(ReadBytes(dest + "/表示.SCR") == saverData);
  struct stat a, b;
  ASSERT_EQ(stat(text.c_str(), &a), 0);
  ASSERT_EQ(stat((dest + "/readme.txt").c_str(), &b), 0);
  EXPECT_EQ(a.st_mtime, b.st_mtime) << "the member keeps its file time";
}

TEST_F(LzhCommands, AddingTheSameNameReplacesTheMemberAndKeepsTheOthers) {
  const std::string arc = dir_ / "x.lzh";
  WriteBytes(dir_ / "a.txt", MakeData(DataKind::kText, 1000, 1));
  WriteBytes(dir_ / "b.txt", MakeData(DataKind::kText, 2000, 2));
  WriteBytes(arc + ".$$$", {'u'});  // the user's, whatever the new archive is written to
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(dir_ / "a.txt") + " "), lzh::Status::kOk);
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(dir_ / "b.txt") + " "), lzh::Status::kOk);
  const std::vector<uint8_t> before = ReadBytes(arc);
  const auto bBefore = Entries(arc)[1];

  std::filesystem::create_directories(dir_.Path() / "new");
  const auto fresh = MakeData(DataKind::kText, 3000, 3);
  WriteBytes(dir_ / "new/A.TXT", fresh);
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(dir_ / "new/A.TXT") + " "), lzh::Status::kOk);
  auto after = Entries(arc);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0].name, "b.txt");
  EXPECT_EQ(after[1].name, "A.TXT");
  // The kept member is copied byte for byte.
  const std::vector<uint8_t> now = ReadBytes(arc);
  auto slice = [](const std::vector<uint8_t>& v, uint64_t from, uint64_t n) {
    return std::vector<uint8_t>(v.begin() + static_cast<std::ptrdiff_t>(from),
                                v.begin() + static_cast<std::ptrdiff_t>(from + n));
  };
  EXPECT_TRUE(slice(now, after[0].headerOffset, after[0].headerSize + after[0].packedSize) ==
              slice(before, bBefore.headerOffset, bBefore.headerSize + bBefore.packedSize));
  ASSERT_EQ(Run(" e " + Q(arc) + " " + Q(dir_ / "out/") + " "), lzh::Status::kOk);
  EXPECT_TRUE(ReadBytes(dir_ / "out/A.TXT") == fresh);
  EXPECT_TRUE(ReadBytes(arc + ".$$$") == std::vector<uint8_t>{'u'});
}

TEST_F(LzhCommands, FailuresLeaveFilesAsTheyWere) {
  const std::string notArchive = dir_ / "notes.lzh";
  const std::vector<uint8_t> notes = MakeData(DataKind::kText, 500);
  WriteBytes(notArchive, notes);
  WriteBytes(dir_ / "f.txt", MakeData(DataKind::kText, 100));
  EXPECT_EQ(Run(" a -a1 " + Q(notArchive) + " " + Q(dir_ / "f.txt") + " "), lzh::Status::kNotArchive);
  EXPECT_TRUE(ReadBytes(notArchive) == notes);

  EXPECT_EQ(Run(" a -a1 " + Q(dir_ / "new.lzh") + " " + Q(dir_ / "missing.txt") + " "), lzh::Status::kNoSuchFile);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "new.lzh"));
  EXPECT_EQ(Run(" e " + Q(dir_ / "missing.lzh") + " " + Q(dir_ / "d/") + " "), lzh::Status::kArchiveOpen);
  EXPECT_EQ(Run(" l -x1 " + Q(notArchive) + " "), lzh::Status::kNotArchive);
  EXPECT_EQ(Files(), (std::vector<std::string>{"f.txt", "notes.lzh"}));
}

TEST_F(LzhCommands, ADamagedMemberLeavesNoFileBehind) {
  const std::string arc = dir_ / "x.lzh";
  WriteBytes(dir_ / "good.txt", MakeData(DataKind::kText, 4000, 1));
  WriteBytes(dir_ / "bad.txt", MakeData(DataKind::kText, 4000, 2));
  ASSERT_EQ(Run(" a " + Q(arc) + " " + Q(dir_ / "good.txt") + " " + Q(dir_ / "bad.txt")), lzh::Status::kOk);
  auto entries = Entries(arc);
  std::vector<uint8_t> bytes = ReadBytes(arc);
  bytes[static_cast<size_t>(entries[1].dataOffset + entries[1].packedSize / 2)] ^= 0x10;
  WriteBytes(arc, bytes);
  lzh::Status s = Run(" e -ma1 " + Q(arc) + " " + Q(dir_ / "out/") + " " + Q("*.*"));
  EXPECT_TRUE(s == lzh::Status::kFileCrc || s == lzh::Status::kBrokenData) << lzh::StatusText(s);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out/good.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/bad.txt"));
}

TEST_F(LzhCommands, PatternsSelectMembers) {
  const std::string arc = dir_ / "x.lzh";
  WriteBytes(dir_ / "one.SCR", MakeData(DataKind::kText, 100, 1));
  WriteBytes(dir_ / "two.txt", MakeData(DataKind::kText, 100, 2));
  ASSERT_EQ(Run(" a " + Q(arc) + " " + Q(dir_ / "one.SCR") + " " + Q(dir_ / "two.txt")), lzh::Status::kOk);
  ASSERT_EQ(Run(" e " + Q(arc) + " " + Q(dir_ / "out/") + " " + Q("*.scr")), lzh::Status::kOk);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out/one.SCR"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/two.txt"));
}

// The command entry writes into the caller's buffer: whole lines and the NUL, never past `size`.
TEST_F(LzhCommands, TheReportStaysInsideTheCallersBuffer) {
  const std::string arc = dir_ / "A.LZH";
  WriteBytes(dir_ / "a.txt", MakeData(DataKind::kText, 100));
  ASSERT_EQ(Run(" a " + Q(arc) + " " + Q(dir_ / "a.txt")), lzh::Status::kOk);
  const std::string line = " l " + Q(arc);
  std::string full;
  ASSERT_EQ(Run(line, &full), lzh::Status::kOk);
  const size_t first = full.find('\n') + 1, last = full.rfind('\n', full.size() - 2) + 1;
  const struct {
    size_t size;
    std::string shown;
  } cases[] = {{1, ""}, {2, ""}, {first, ""}, {first + 1, full.substr(0, first)},
               {full.size(), full.substr(0, last)}, {full.size() + 1, full}};
  for (const auto& c : cases) {
    std::vector<char> buffer(c.size + 16, '#');
    EXPECT_EQ(lzh::RunCommand(store_, line.c_str(), buffer.data(), c.size), lzh::Status::kOk);
    EXPECT_EQ(std::string(buffer.data()), c.shown) << c.size;
    EXPECT_EQ(std::string(buffer.begin() + static_cast<std::ptrdiff_t>(c.size), buffer.end()), std::string(16, '#'))
        << "written past a buffer of " << c.size;
  }
  char untouched = '#';
  EXPECT_EQ(lzh::RunCommand(store_, line.c_str(), &untouched, 0), lzh::Status::kOk);
  EXPECT_EQ(untouched, '#');
  EXPECT_EQ(lzh::RunCommand(store_, line.c_str(), nullptr, 100), lzh::Status::kOk);
  EXPECT_EQ(lzh::RunCommand(store_, nullptr, &untouched, 1), lzh::Status::kCommand);
  EXPECT_EQ(untouched, '\0');
}

// What the store throws says what the caller is told; nothing leaves the library.
TEST_F(LzhCommands, AnExceptionBecomesTheStatusItMeans) {
  struct Throwing : lzh::FileStore {
    std::function<void()> fail;
    std::unique_ptr<lzh::InputFile> OpenRead(const std::string&) override {
      fail();
      return nullptr;
    }
    std::unique_ptr<lzh::OutputFile> Create(const std::string&) override { return nullptr; }
    std::unique_ptr<lzh::OutputFile> CreateNew(const std::string&) override { return nullptr; }
    bool ReadInfo(const std::string&, lzh::FileInfo*) override { return false; }
    bool Exists(const std::string&) override { return false; }
    bool IsFolder(const std::string&) override { return false; }
    bool MakeFolders(const std::string&) override { return false; }
    bool Remove(const std::string&) override { return false; }
    bool Replace(const std::string&, const std::string&) override { return false; }
    void ApplyMetadata(const std::string&, const lzh::Entry&) override {}
  };
  const struct {
    std::function<void()> fail;
    lzh::Status status;
  } cases[] = {{[] { throw std::bad_alloc(); }, lzh::Status::kNoMemory},
               {[] { throw std::out_of_range("index"); }, lzh::Status::kUnexpected},
               {[] { throw 7; }, lzh::Status::kUnexpected}};
  for (const auto& c : cases) {
    Throwing store;
    store.fail = c.fail;
    EXPECT_EQ(lzh::RunCommand(store, " l \"x.lzh\"", nullptr, 0), c.status);
  }
}

struct HostileCase {
  const char* what;
  std::vector<std::string> folders;
  std::string name;
  const char* extracted;      // what "e" creates below the destination, or "" when refused
  const char* withFolders;    // what "x" creates
};

class LzhHostile : public LzhCommands, public testing::WithParamInterface<HostileCase> {};

TEST_P(LzhHostile, NothingLeavesTheDestination) {
  const HostileCase& c = GetParam();
  const std::vector<uint8_t> payload = MakeData(DataKind::kText, 64);
  lzh::NewMember m;
  m.meta.folders = c.folders;
  m.meta.name = c.name;
  m.data = payload.data();
  m.size = payload.size();
  const std::string arc = dir_ / "h.lzh";
  {
    auto out = store_.Create(arc);
    ASSERT_EQ(lzh::WriteArchive(nullptr, {m}, nullptr, *out), lzh::Status::kOk);
    ASSERT_TRUE(out->Close());
  }
  for (const char* cmd : {"e", "x"}) {
    std::filesystem::remove_all(dir_.Path() / "dest");
    lzh::Status s = Run(std::string(" ") + cmd + " -ma1 " + Q(arc) + " " + Q(dir_ / "dest/") + " ");
    const std::string expected = std::string(cmd) == "e" ? c.extracted : c.withFolders;
    std::vector<std::string> want = {"h.lzh"};
    if (!expected.empty()) want.push_back("dest/" + expected);
    std::sort(want.begin(), want.end());
    EXPECT_EQ(Files(), want) << cmd;
    EXPECT_EQ(lzh::Ok(s), !expected.empty()) << cmd << ": " << lzh::StatusText(s);
  }
}

INSTANTIATE_TEST_SUITE_P(LzhNames, LzhHostile,
    testing::Values(HostileCase{"parent", {".."}, "evil.txt", "", ""},
                    HostileCase{"deep_parent", {"a", "..", ".."}, "evil.txt", "", ""},
                    HostileCase{"link", {}, "link|/etc/passwd", "", ""},
                    HostileCase{"control", {}, "bad\x1b]2;x\x07", "", ""},
                    HostileCase{"absolute", {"", "etc"}, "abs.txt", "abs.txt", "etc/abs.txt"},
                    HostileCase{"drive", {}, "C:\\x.txt", "x.txt", "x.txt"},
                    HostileCase{"unc", {}, "\\\\server\\share\\u.txt", "u.txt", "server/share/u.txt"},
                    HostileCase{"plain", {"sub"}, "ok.txt", "ok.txt", "sub/ok.txt"},
                    HostileCase{"device", {"sub"}, "CON", "", ""},
                    HostileCase{"device_folder", {"ab", "CONIN$"}, "x.txt", "x.txt", ""},
                    // Not Shift-JIS; a second spelling of 0xFA5C's character, which would land on its file.
                    HostileCase{"not_shift_jis", {}, "\x85\x40.txt", "", ""},
                    HostileCase{"second_spelling", {}, "\xED\x40.txt", "", ""}),
    [](const testing::TestParamInfo<HostileCase>& i) { return std::string(i.param.what); });

}  // namespace

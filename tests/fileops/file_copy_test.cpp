#include "fileops/file_copy.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace fileops {
namespace {

using platform::fake::FsOp;

constexpr char kFrom[] = "C:\\A\\STAR.SCR";
constexpr char kTo[] = "C:\\B\\STAR.SCR";

struct FileCopyTest : testing::Test {
  FileCopyTest() {
    p.fs.AddFile(kFrom, "new saver");
    p.fs.AddFile(kTo, "old saver");
    p.fs.SetLastWriteTime(kFrom, platform::FileTime{133000000000000000ull});
  }
  platform::fake::FakePlatform p;
};

// Whatever goes wrong, the old destination stays as it was and no temporary file is left.
TEST_F(FileCopyTest, AFailedCopyKeepsTheOldDestination) {
  struct Case {
    const char* what;
    std::function<void(platform::fake::FakeFileSystem&)> arrange;
  };
  const Case cases[] = {
      {"source gone", [](auto& fs) { fs.Delete(kFrom); }},
      {"source unreadable", [](auto& fs) { fs.FailNext(FsOp::kRead, kFrom, 23); }},
      {"disk full", [](auto& fs) { fs.FailNext(FsOp::kWrite, "", platform::code::kDiskFull); }},
      {"destination locked", [](auto& fs) { fs.Lock(kTo); }},
  };
  for (const Case& c : cases) {
    platform::fake::FakePlatform fresh;
    fresh.fs.AddFile(kFrom, "new saver");
    fresh.fs.AddFile(kTo, "old saver");
    c.arrange(fresh.fs);
    EXPECT_EQ(CopyFile(fresh.fs, kFrom, kTo), kCopyFailed) << c.what;
    fresh.fs.Unlock(kTo);
    EXPECT_EQ(fresh.fs.ReadFile(kTo), "old saver") << c.what;
    EXPECT_EQ(fresh.fs.Find("C:\\B\\*.*", platform::attr::kAnyFile).size(), 1u) << c.what;
  }
}

// Files that have the names the copy gives its temporary file are the user's, and stay as they are.
TEST_F(FileCopyTest, TheTemporaryFileNeverTakesAUsersFile) {
  for (const char* taken : {".~qv", ".~qv1"}) p.fs.AddFile(kTo + std::string(taken), taken);
  EXPECT_EQ(CopyFile(p.fs, kFrom, kTo), "");
  EXPECT_EQ(p.fs.ReadFile(kTo), "new saver");
  for (const char* taken : {".~qv", ".~qv1"}) EXPECT_EQ(p.fs.ReadFile(kTo + std::string(taken)), taken);
  EXPECT_EQ(p.fs.Find("C:\\B\\*.*", platform::attr::kAnyFile).size(), 3u);
}

// A file of exactly one buffer: one full read, then an empty one ends the copy.
TEST_F(FileCopyTest, CopiesAllBytesWithTheSourceDate) {
  const std::string full(655300, 'x');
  p.fs.AddFile("C:\\A\\BIG.SCR", full);
  EXPECT_EQ(CopyFile(p.fs, "C:\\A\\BIG.SCR", "C:\\B\\BIG.SCR"), "");
  EXPECT_EQ(p.fs.ReadFile("C:\\B\\BIG.SCR"), full);
  EXPECT_EQ(CopyFile(p.fs, kFrom, kTo), "");
  EXPECT_EQ(p.fs.ReadFile(kTo), "new saver");
  EXPECT_EQ(p.fs.LastWriteTime(kTo), p.fs.LastWriteTime(kFrom));
}

}  // namespace
}  // namespace fileops

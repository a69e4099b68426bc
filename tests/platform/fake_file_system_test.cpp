// What only the fake file system offers (drives of every type, injected failures, locks, the
// change log, a settable clock and time zone), and the shared helpers' behaviour on failures,
// which only injected failures can reach.
#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "support/sjis_text.h"

namespace {

using platform::OsError;
using platform::fake::FakeFileSystem;
using platform::fake::FsOp;
namespace attr = platform::attr;

TEST(FakeFileSystem, DrivesOfEveryKindAnswerLikeWindows) {
  FakeFileSystem fs;
  fs.AddDrive('a', platform::drive::kRemovable);
  fs.SetDriveReady('A', false);
  fs.AddDrive('N', platform::drive::kRemote, "", {1000, 10}, "\\\\server\\share");
  fs.AddDrive('R', platform::drive::kCdRom, "DISC");

  EXPECT_EQ(fs.DriveType("A:\\"), platform::drive::kRemovable);
  EXPECT_EQ(fs.VolumeLabel("A:\\"), std::nullopt);
  EXPECT_EQ(fs.Space("a:\\"), std::nullopt);
  EXPECT_EQ(fs.CreateFolder("A:\\X").error, OsError::kNotReady);
  EXPECT_EQ(fs.SetCurrentFolder("A:\\").error, OsError::kNotReady);
  EXPECT_TRUE(fs.Find("A:\\*.*", attr::kAnyFile).empty());

  EXPECT_EQ(fs.NetworkName("N:"), "\\\\server\\share");
  EXPECT_EQ(fs.NetworkName("C:"), std::nullopt);
  EXPECT_EQ(fs.Space("N:\\")->freeBytes, 10u);
  EXPECT_EQ(fs.VolumeLabel("r:\\"), "DISC");
  fs.SetDriveReady('A', true);
  EXPECT_EQ(fs.VolumeLabel("A:\\"), "");
}

TEST(FakeFileSystem, EachDriveKeepsItsOwnCurrentFolder) {
  FakeFileSystem fs;
  fs.AddFolder("C:\\WINDOWS\\SYSTEM");
  fs.AddFolder("D:\\GAMES");
  ASSERT_TRUE(fs.SetCurrentFolder("D:\\GAMES"));
  ASSERT_TRUE(fs.SetCurrentFolder("c:\\windows\\"));
  EXPECT_EQ(fs.CurrentFolder(), "c:\\windows");
  EXPECT_EQ(fs.FullPath("D:"), "D:\\GAMES\\");
  EXPECT_EQ(fs.FullPath("D:x.txt"), "D:\\GAMES\\x.txt");
  EXPECT_EQ(fs.FullPath("E:"), "E:\\");
  EXPECT_EQ(fs.FullPath("system\\..\\..\\..\\a"), "c:\\a");
  EXPECT_EQ(fs.RemoveFolder("C:\\WINDOWS").error, OsError::kDirectoryNotEmpty);
  ASSERT_TRUE(fs.SetCurrentFolder("C:\\WINDOWS\\SYSTEM"));
  EXPECT_EQ(fs.RemoveFolder("C:\\WINDOWS\\SYSTEM").error, OsError::kSharingViolation);  // in use as current folder
}

TEST(FakeFileSystem, ShortNamesAreThoseTheVolumeGave) {
  FakeFileSystem fs;
  fs.AddFile("C:\\Program Files\\Long Saver Name.scr");
  fs.SetShortName("C:\\Program Files", "PROGRA~1");
  EXPECT_EQ(fs.ShortPath("C:\\Program Files\\Long Saver Name.scr"), "C:\\PROGRA~1\\Long Saver Name.scr");
  fs.SetShortName("C:\\program files\\long saver name.scr", "LONGSA~1.SCR");
  EXPECT_EQ(fs.ShortPath("C:\\Program Files\\Long Saver Name.scr"), "C:\\PROGRA~1\\LONGSA~1.SCR");
}

TEST(FakeFileSystem, LocalTimeFollowsTheZoneOffset) {
  FakeFileSystem fs;
  // 2024-02-29 23:30:15 UTC, a Thursday.
  const platform::FileTime leapDay{133537230150000000ull};
  EXPECT_EQ(fs.ToLocal(leapDay), (platform::LocalTime{2024, 2, 29, 23, 30, 15, 4}));
  fs.SetUtcOffsetMinutes(9 * 60);
  EXPECT_EQ(fs.ToLocal(leapDay), (platform::LocalTime{2024, 3, 1, 8, 30, 15, 5}));
  EXPECT_EQ(fs.ToLocal(platform::FileTime{0}), (platform::LocalTime{1601, 1, 1, 9, 0, 0, 1}));
}

TEST(FakeFileSystem, WritesAreStampedWithTheClockAndLogged) {
  FakeFileSystem fs;
  const platform::FileTime later{fs.Now().ticks + 3600ull * 10000000};
  fs.SetNow(later);
  ASSERT_TRUE(fs.WriteFile("C:\\A.LIS", "x"));
  ASSERT_TRUE(fs.Rename("C:\\A.LIS", "C:\\B.LIS"));
  ASSERT_TRUE(fs.Delete("C:\\b.lis"));
  EXPECT_EQ(fs.Changes(), (std::vector<std::string>{"Create C:\\A.LIS", "Write C:\\A.LIS",
                                                    "Rename C:\\A.LIS -> C:\\B.LIS", "Delete C:\\b.lis"}));
  ASSERT_TRUE(fs.WriteFile("C:\\C.LIS", ""));
  EXPECT_EQ(fs.LastWriteTime("C:\\C.LIS"), later);
}

TEST(FakeFileSystem, LockedFilesCannotBeOpenedOrDeleted) {
  FakeFileSystem fs;
  fs.AddFile("C:\\SAVER.SCR", "MZ");
  fs.Lock("C:\\SAVER.SCR");
  EXPECT_EQ(fs.ReadFile("C:\\SAVER.SCR"), std::nullopt);
  EXPECT_EQ(fs.Delete("C:\\SAVER.SCR").error, OsError::kSharingViolation);
  EXPECT_EQ(fs.Copy("C:\\SAVER.SCR", "C:\\COPY.SCR").error, OsError::kSharingViolation);
  EXPECT_FALSE(fs.FileExists("C:\\COPY.SCR"));
  EXPECT_TRUE(fs.SetLastWriteTime("C:\\SAVER.SCR", platform::FileTime{1}));  // needs no data access
  fs.Unlock("C:\\SAVER.SCR");
  EXPECT_EQ(fs.OpenHandles("C:\\SAVER.SCR"), 0);
  EXPECT_TRUE(fs.Delete("C:\\SAVER.SCR"));
}

TEST(FakeFileSystem, CopyFailingMidwayLeavesNoPartialTarget) {
  FakeFileSystem fs;
  fs.AddFile("C:\\SRC.DAT", std::string(300000, 's'));
  fs.FailNext(FsOp::kWrite, "C:\\DST.DAT", platform::code::kDiskFull);
  platform::OsResult r = fs.Copy("C:\\SRC.DAT", "C:\\DST.DAT");
  EXPECT_EQ(r.error, OsError::kDiskFull);
  EXPECT_FALSE(fs.FileExists("C:\\DST.DAT"));
  EXPECT_EQ(fs.OpenHandles("C:\\SRC.DAT"), 0);

  fs.FailNext(FsOp::kRead, "C:\\SRC.DAT", platform::code::kNotReady);
  EXPECT_FALSE(fs.Copy("C:\\SRC.DAT", "C:\\DST.DAT"));
  EXPECT_FALSE(fs.FileExists("C:\\DST.DAT"));
  EXPECT_TRUE(fs.Copy("C:\\SRC.DAT", "C:\\DST.DAT"));
}

TEST(FakeFileSystem, CopyThatCannotCreateTheTargetLeavesTheOldOne) {
  FakeFileSystem fs;
  fs.AddFile("C:\\SRC.DAT", "new");
  fs.AddFile("C:\\DST.DAT", "old", attr::kReadOnly);
  EXPECT_EQ(fs.Copy("C:\\SRC.DAT", "C:\\DST.DAT").error, OsError::kAccessDenied);
  EXPECT_EQ(fs.ReadFile("C:\\DST.DAT"), "old");
}

TEST(FakeFileSystem, ReplacingWriteKeepsTheOldFileWhenTheRenameFails) {
  FakeFileSystem fs;
  fs.AddFile("C:\\QVLA32M0.LIS", "old\r\n");
  fs.FailNext(FsOp::kReplace, "", platform::code::kAccessDenied);
  EXPECT_FALSE(fs.WriteFileReplacing("C:\\QVLA32M0.LIS", "new\r\n"));
  EXPECT_EQ(fs.ReadFile("C:\\QVLA32M0.LIS"), "old\r\n");
  EXPECT_EQ(fs.Find("C:\\*", attr::kAnyFile).size(), 1u);  // no temporary file left

  fs.FailNext(FsOp::kWrite, "", platform::code::kDiskFull);
  EXPECT_EQ(fs.WriteFileReplacing("C:\\QVLA32M0.LIS", "new\r\n").error, OsError::kDiskFull);
  EXPECT_EQ(fs.ReadFile("C:\\QVLA32M0.LIS"), "old\r\n");
  EXPECT_EQ(fs.Find("C:\\*", attr::kAnyFile).size(), 1u);
}

TEST(FakeFileSystem, InjectedFailuresHitOnlyTheirOperationAndPath) {
  FakeFileSystem fs;
  fs.AddFolder("C:\\A");
  fs.AddFolder("C:\\B");
  fs.FailNext(FsOp::kSetCurrentFolder, "c:\\b", platform::code::kAccessDenied);
  EXPECT_TRUE(fs.SetCurrentFolder("C:\\A"));
  EXPECT_EQ(fs.SetCurrentFolder("C:\\B").error, OsError::kAccessDenied);
  EXPECT_TRUE(fs.SetCurrentFolder("C:\\B"));  // once only
}

TEST(FakeFileSystem, FindTreatsDoubleByteCharactersAsOneCharacter) {
  FakeFileSystem fs;
  fs.AddFile("C:\\D\\表.TXT");
  fs.AddFile("C:\\D\\AB.TXT");
  std::vector<platform::FindEntry> one = fs.Find("C:\\D\\?.TXT", 0);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].name, "表.TXT");
  EXPECT_EQ(fs.Find("C:\\D\\??.txt", 0).size(), 1u);
  EXPECT_EQ(fs.Find("C:\\D\\表*", 0).size(), 1u);
  // "AB" has no dot: "AB.*" still matches it, as on Windows.
  fs.AddFile("C:\\D\\AB");
  EXPECT_EQ(fs.Find("C:\\D\\ab.*", 0).size(), 2u);
}

}  // namespace

#include "browse/shell_paths.h"

#include <gtest/gtest.h>

#include "browse/filters.h"
#include "text/text_path.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace browse {

using namespace text;
namespace {

using testsupport::Utf8;

// A machine whose shell shows some folders under other names than the file system's.
class ShellPathsTest : public testing::Test {
 protected:
  ShellPathsTest() : paths(p.fs, p.shell, p.collation, p.desktop.WindowsFolder()) {
    p.fs.AddFolder("C:\\Users\\Docs\\一覧表");
    p.fs.AddFolder("C:\\Users\\Docs\\Games");
    p.fs.AddFolder("C:\\Users\\Music");
    p.shell.SetDisplayName("C:\\Users\\Docs", "ドキュメント");
    p.shell.SetDisplayName("C:\\Users\\Docs\\Games", "ゲーム");
  }
  platform::fake::FakePlatform p;
  ShellPaths paths;
};

TEST_F(ShellPathsTest, RepairMapsShellNamesBackToTheFileSystem) {
  struct Case {
    std::string in;
    bool ok;
    std::string out;
  } cases[] = {
      {"C:\\Users\\Docs\\一覧表\\", true, "C:\\Users\\Docs\\一覧表"},  // all exists: trailing "\" goes
      {"C:\\Users\\ドキュメント\\一覧表", true, "C:\\Users\\Docs\\一覧表"},
      {"c:\\users\\ドキュメント\\ゲーム", true, "C:\\Users\\Docs\\Games"},
      {"C:\\Users\\ドキュメント\\なし", false, "C:\\Users\\ドキュメント\\なし"},
      {"C:\\", true, "C:\\"},
      {"Users\\Docs", false, "Users\\Docs"},                              // not on a drive
  };
  for (const Case& c : cases) {
    std::string path = c.in;
    EXPECT_EQ(paths.RepairPath(path), c.ok) << Utf8(c.in);
    // Folders typed in another case may keep that case; the names must map all the same.
    EXPECT_TRUE(SameText(path, c.out)) << Utf8(c.in) << " gave " << Utf8(path);
  }
}

TEST_F(ShellPathsTest, RepairOfAFilePathRepairsItsFolderOnly) {
  std::string path = "C:\\Users\\ドキュメント\\ゲーム\\星.scr";
  paths.RepairFilePath(path);
  EXPECT_EQ(path, "C:\\Users\\Docs\\Games\\星.scr") << Utf8(path);
  std::string existing = "C:\\Users\\Music\\a.scr";
  paths.RepairFilePath(existing);
  EXPECT_EQ(existing, "C:\\Users\\Music\\a.scr");
}

TEST_F(ShellPathsTest, DisplayPathIsTheReverseOfRepair) {
  EXPECT_EQ(paths.DisplayPath("C:\\Users\\Docs\\Games"), "C:\\Users\\ドキュメント\\ゲーム");
  EXPECT_EQ(paths.DisplayPath("C:\\USERS\\DOCS\\一覧表"), "C:\\Users\\ドキュメント\\一覧表");
  EXPECT_EQ(paths.DisplayPath("C:\\Users\\ドキュメント\\ゲーム"), "C:\\Users\\ドキュメント\\ゲーム");
  EXPECT_EQ(paths.DisplayPath("C:\\"), "C:\\");
  // Paths that resolve to nothing are shown as they are.
  EXPECT_EQ(paths.DisplayPath("C:\\Users\\Gone\\X"), "C:\\Users\\Gone\\X");
  std::string round = paths.DisplayPath("C:\\Users\\Docs\\Games");
  ASSERT_TRUE(paths.RepairPath(round));
  EXPECT_EQ(round, "C:\\Users\\Docs\\Games");
}

TEST_F(ShellPathsTest, NearestExistingFolder) {
  EXPECT_EQ(paths.NearestExistingFolder("C:\\Users\\Docs\\Old\\Older\\x.scr"), "C:\\Users\\Docs");
  EXPECT_EQ(paths.NearestExistingFolder("C:\\Users\\ドキュメント\\ゲーム\\x.scr"), "C:\\Users\\Docs\\Games");
  EXPECT_EQ(paths.NearestExistingFolder("Q:\\Gone\\Away"), "C:\\");   // a drive that has gone
  EXPECT_EQ(paths.WindowsFolder(), "C:\\WINDOWS\\");
}

TEST_F(ShellPathsTest, ListsAreSortedAndPairsStayRowForRow) {
  p.fs.AddFolder("C:\\Pool\\beta");
  p.fs.AddFolder("C:\\Pool\\Alpha");
  p.fs.AddFolder("C:\\Pool\\gamma", platform::attr::kHidden);
  p.fs.AddFolder("C:\\Pool\\twin1");
  p.fs.AddFolder("C:\\Pool\\twin2");
  p.shell.SetDisplayName("C:\\Pool\\twin1", "Same");
  p.shell.SetDisplayName("C:\\Pool\\twin2", "Same");
  using V = std::vector<std::string>;
  EXPECT_EQ(paths.SubFolders("C:\\Pool", false), (V{"Alpha", "beta", "Same", "Same"}));
  EXPECT_EQ(paths.SubFolders("C:\\Pool", true), (V{"Alpha", "beta", "gamma", "Same", "Same"}));
  NamePairs pairs = paths.Pairs("C:\\Pool");
  ASSERT_EQ(pairs.names.size(), pairs.parsingNames.size());
  for (size_t i = 0; i < pairs.names.size(); ++i) {
    // Each parsing name belongs to the shell name in its row.
    std::string folder, leaf;
    SplitFileName(pairs.parsingNames[i], folder, leaf);
    if (pairs.names[i] == "Same") {
      EXPECT_TRUE(leaf == "twin1" || leaf == "twin2") << leaf;
    } else {
      EXPECT_EQ(leaf, pairs.names[i]);
    }
  }
}

TEST_F(ShellPathsTest, AWalkListsFoldersWithoutFoldersInsideThemWithoutTheShell) {
  p.fs.AddFile("C:\\Users\\Music\\song.scr", "MZ");
  p.fs.AddFolder("C:\\Pool\\secret", platform::attr::kHidden);
  const ShellPaths::Walk walk(paths);
  const int before = p.shell.Listings();
  EXPECT_TRUE(paths.SubFolders("C:\\Users\\Music", true).empty());
  EXPECT_EQ(p.shell.Listings(), before);
  // A hidden folder inside still takes the shell, which leaves it out or not.
  EXPECT_TRUE(paths.SubFolders("C:\\Pool", false).empty());
  EXPECT_EQ(paths.SubFolders("C:\\Pool", true), std::vector<std::string>{"secret"});
  EXPECT_EQ(p.shell.Listings(), before + 2);
}

// The file list of a walk's folder reads what the walk read when it listed the folder's
// subfolders, and must find what the disk would find: through long and 8.3 names, with the
// attribute filter, and from the disk for pieces it cannot answer.
TEST_F(ShellPathsTest, TheFileListOfAWalksFolderFindsWhatTheDiskWould) {
  using platform::attr::kArchive, platform::attr::kHidden, platform::attr::kSystem;
  for (const char* name : {"A.SCR", "b.scr", "x.sr", "y.srx", "pic.jpg", "noext", ".scr", "a.b.scr"}) {
    p.fs.AddFile(std::string("C:\\Pool\\") + name, "MZ", kArchive);
  }
  p.fs.AddFile("C:\\Pool\\hid.scr", "MZ", kHidden | kArchive);
  p.fs.AddFile("C:\\Pool\\sys.scr", "MZ", kSystem);
  p.fs.AddFile("C:\\Pool\\long.scrx", "MZ", kArchive);
  p.fs.SetShortName("C:\\Pool\\long.scrx", "LONG~1.SCR");
  p.fs.AddFolder("C:\\Pool\\dir.scr");
  for (const char* pattern : {"*.SCR;", "*.scr;*.jpg;", "*;", "*.*;", "*.SR?;*.scr;", "A*.SCR;", "*.scrx;"}) {
    for (int mask : {0x20, 0x20 | 0x02, 0x27}) {
      for (bool normal : {false, true}) {
        const ShellPaths::Walk walk(paths);  // each walk reads each folder once
        paths.SubFolders("C:\\Users\\Music", true);
        EXPECT_EQ(paths.TakeWalkReading("C:\\Pool"), nullptr);  // read for another folder
        paths.SubFolders("C:\\Pool", true);
        const auto whole = paths.TakeWalkReading("C:\\Pool\\");
        ASSERT_NE(whole, nullptr);
        EXPECT_EQ(paths.TakeWalkReading("C:\\Pool"), nullptr);  // handed out once
        EXPECT_EQ(NamesOf(OrderFileEntries(p.collation,
                                           FindFileEntries(p.fs, "C:\\Pool", pattern, mask, normal, whole.get()))),
                  NamesOf(SelectFileEntries(p.fs, p.collation, "C:\\Pool", pattern, mask, normal)))
            << pattern << " " << mask << " " << normal;
      }
    }
  }
}

TEST_F(ShellPathsTest, ShellFailuresReachTheCaller) {
  p.shell.FailNext(0x80004005);
  try {
    paths.SubFolders("C:\\Users", false);
    FAIL() << "no error";
  } catch (const ShellError& e) {
    EXPECT_EQ(e.error(), 0x80004005u);
  }
  p.shell.FailNext(0x80004005);
  std::string path = "C:\\Users\\ドキュメント";
  EXPECT_THROW(paths.RepairPath(path), ShellError);
  // The recovery search never fails: it falls back to the prefixes as they are.
  p.shell.FailNext(0x80004005);
  EXPECT_EQ(paths.NearestExistingFolder("C:\\Users\\ドキュメント\\x"), "C:\\Users");
}

TEST(BufferProbe, FallsBackToTheSmallBufferThenReportsFailure) {
  int pumps = 0;
  auto pump = [&] { ++pumps; };
  EXPECT_EQ(ProbeBufferSize(pump).size, 655300u);
  EXPECT_EQ(pumps, 1);
  BufferProbe small = ProbeBufferSize(pump, [](size_t n) { return n <= 32700; });
  EXPECT_EQ(small.size, 32700u);
  EXPECT_TRUE(small.error.empty());
  BufferProbe none = ProbeBufferSize(pump, [](size_t) { return false; });
  EXPECT_EQ(none.size, 0u);
  EXPECT_EQ(none.error, "バッファの取得に失敗しました・・・32700");
  EXPECT_EQ(pumps, 1 + 2 + 2);
}

}  // namespace
}  // namespace browse

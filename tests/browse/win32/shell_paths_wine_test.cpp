// The path routines against the real file system and desktop shell (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "platform/win32/win32_platform.h"
#include "support/sjis_text.h"

namespace browse {

using namespace text;
namespace {

using testsupport::Utf8;

class RealShellPaths : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = AddYen(temp) + "qv_shell_" + std::to_string(GetCurrentProcessId());
    deep = root + "\\一覧表\\ソフト";
    ASSERT_TRUE(os.fs.CreateFolder(root).ok());
    ASSERT_TRUE(os.fs.CreateFolder(root + "\\一覧表").ok());
    ASSERT_TRUE(os.fs.CreateFolder(deep).ok());
  }
  void TearDown() override {
    os.fs.RemoveFolder(deep);
    os.fs.RemoveFolder(root + "\\一覧表");
    os.fs.RemoveFolder(root);
  }
  platform::win32::Win32Platform os;
  ShellPaths paths{os.fs, os.shell, os.collation, os.desktop.WindowsFolder()};
  std::string root, deep;
};

TEST_F(RealShellPaths, FolderNamesEndingInATrailByteBackslash) {
  EXPECT_TRUE(os.fs.DirectoryExists(root + "\\一覧表"));
  EXPECT_EQ(AddYen(root + "\\一覧表"), root + "\\一覧表\\");
  EXPECT_EQ(CutYen(root + "\\一覧表"), root + "\\一覧表");
  std::vector<std::string> names = paths.SubFolders(root, false);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], "一覧表") << Utf8(names[0]);
}

// Windows 7 and later enumerate a zip file among the folders; it is no folder here.
TEST_F(RealShellPaths, ZipFilesAreNoSubfolders) {
  const std::string zip = root + "\\一覧表\\savers.zip";
  // An empty archive: just the end-of-central-directory record.
  std::string empty("PK\x05\x06", 4);
  empty.append(18, '\0');
  ASSERT_TRUE(os.fs.WriteFile(zip, empty).ok());
  std::vector<std::string> names = paths.SubFolders(root + "\\一覧表", true);
  os.fs.Delete(zip);
  EXPECT_EQ(names, std::vector<std::string>{"ソフト"});
}

TEST_F(RealShellPaths, RepairAndDisplayPathRoundTrip) {
  std::string path = deep + "\\";
  ASSERT_TRUE(paths.RepairPath(path)) << Utf8(path);
  EXPECT_EQ(path, deep) << Utf8(path);
  std::string shown = paths.DisplayPath(deep);
  std::string back = shown;
  ASSERT_TRUE(paths.RepairPath(back)) << Utf8(shown);
  EXPECT_TRUE(SameText(back, deep)) << Utf8(shown) << " -> " << Utf8(back);
  // The folders we made are shown under their own names.
  EXPECT_EQ(shown.substr(shown.size() - std::string("一覧表\\ソフト").size()), "一覧表\\ソフト") << Utf8(shown);
}

TEST_F(RealShellPaths, PairsCarryFullParsingPaths) {
  NamePairs pairs = paths.Pairs(root + "\\一覧表");
  ASSERT_EQ(pairs.names.size(), 1u);
  EXPECT_EQ(pairs.names[0], "ソフト");
  EXPECT_TRUE(SameText(pairs.parsingNames[0], deep)) << Utf8(pairs.parsingNames[0]);
}

TEST_F(RealShellPaths, NearestExistingFolderAndWindowsFolder) {
  EXPECT_TRUE(SameText(paths.NearestExistingFolder(deep + "\\gone\\deeper\\x.scr"), deep));
  EXPECT_TRUE(SameText(paths.WindowsFolder(), "C:\\windows\\")) << Utf8(paths.WindowsFolder());
  EXPECT_EQ(paths.NearestExistingFolder("Q:\\Gone\\Away\\x"), paths.WindowsDriveRoot());
  EXPECT_TRUE(SameText(paths.WindowsDriveRoot(), "C:\\"));
}

TEST_F(RealShellPaths, UnreadableFolderIsAShellError) {
  EXPECT_THROW(paths.SubFolders(root + "\\not here", false), ShellError);
}

}  // namespace
}  // namespace browse

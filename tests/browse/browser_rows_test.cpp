#include "browse/browser_rows.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fake/fake_collation.h"
#include "platform/fake/fake_file_system.h"
#include "support/sjis_text.h"

namespace browse {
namespace {

using testsupport::Utf8;
using V = std::vector<std::string>;

TEST(DriveRowsTest, OnlyReadableDriveTypesAreListedInLetterOrder) {
  platform::fake::FakeFileSystem fs;  // C: fixed
  fs.AddDrive('A', platform::drive::kRemovable);
  fs.AddDrive('E', platform::drive::kCdRom);
  fs.AddDrive('N', platform::drive::kRemote, "", {}, "\\\\server\\share");
  fs.AddDrive('R', platform::drive::kRamDisk);
  fs.AddDrive('U', platform::drive::kUnknown);
  fs.AddDrive('X', platform::drive::kNoRootDir);
  V texts, lower;
  for (const DriveItem& d : ListDrives(fs, false)) texts.push_back(d.text);
  for (const DriveItem& d : ListDrives(fs, true)) lower.push_back(d.text);
  EXPECT_EQ(texts, (V{"A:", "C:", "E:", "N:", "R:"}));
  EXPECT_EQ(lower, (V{"a:", "c:", "e:", "n:", "r:"}));
  EXPECT_EQ(ListDrives(fs, false)[3].type, platform::drive::kRemote);
}

TEST(DriveRowsTest, LabelsBySizeAndTypeWithCriticalErrorsKeptAway) {
  platform::fake::FakeFileSystem fs;
  fs.AddDrive('A', platform::drive::kRemovable, "FLOPPY");
  fs.SetDriveReady('A', false);
  fs.AddDrive('D', platform::drive::kFixed, "データ", {8ull << 40, 5ull << 32});
  fs.AddDrive('M', platform::drive::kRemote, "LBL", {100ull << 30, 50ull << 30}, "\\\\srv\\pub");
  fs.AddDrive('N', platform::drive::kRemote, "NOSHARE");
  fs.AddDrive('U', platform::drive::kUnknown, "X");
  struct Case {
    char letter;
    std::string label;
    int64_t size, free;
  } cases[] = {
      {'A', "[]", -1, -1},                                   // no medium: unreadable, never a box
      {'d', "[データ]", int64_t{8} << 40, int64_t{5} << 32},  // beyond 32 bits, lower-case letter
      {'M', "\\\\srv\\pub", 100ll << 30, 50ll << 30},      // network name without brackets
      {'N', "[NOSHARE]", 100ll << 30, 50ll << 30},         // not mapped: volume label instead
      {'U', "", 100ll << 30, 50ll << 30},
      {'Q', "", -1, -1},                                    // no such drive
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DriveLabel(fs, c.letter), c.label) << c.letter << " " << Utf8(DriveLabel(fs, c.letter));
    EXPECT_EQ(DriveSize(fs, c.letter), c.size) << c.letter;
    EXPECT_EQ(DriveFree(fs, c.letter), c.free) << c.letter;
    EXPECT_EQ(fs.ErrorMode(), 0u) << "previous error mode restored after " << c.letter;
  }
}

TEST(FolderRowsTest, ComponentsThenSubfoldersOneLevelDeeper) {
  FolderRows r = BuildFolderRows("C:\\WINDOWS\\SYSTEM", {"A", "ドライバ"});
  ASSERT_EQ(r.rows.size(), 5u);
  EXPECT_EQ(r.current, 2);
  const FolderRow expected[] = {{"C:\\", 0, true}, {"WINDOWS", 1, true}, {"SYSTEM", 2, true}, {"A", 3, false},
                                {"ドライバ", 3, false}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(r.rows[i].text, expected[i].text) << i;
    EXPECT_EQ(r.rows[i].level, expected[i].level) << i;
    EXPECT_EQ(r.rows[i].open, expected[i].open) << i;
  }
  FolderRows root = BuildFolderRows("C:\\", {"X"});
  EXPECT_EQ(root.current, 0);
  EXPECT_EQ(root.rows[1].level, 1);
}

TEST(FolderRowsTest, AClickOpensTheRowsFolder) {
  const FolderRows r = BuildFolderRows("C:\\ゲーム\\表", {"SUB", "ソ"});
  struct Case {
    int clicked;
    std::string path;
  } cases[] = {
      {0, "C:\\"},                   // the root row opens the drive root
      {1, "C:\\ゲーム\\"},
      {2, "C:\\ゲーム\\表\\"},        // the current row itself
      {3, "C:\\ゲーム\\表\\SUB\\"},   // a subfolder: current folder + its name
      {4, "C:\\ゲーム\\表\\ソ\\"},    // "ソ" ends in the byte of "\": not taken for a separator
      {5, ""},
      {-1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ClickedFolder(r.rows, r.current, c.clicked), c.path) << c.clicked;
}

TEST(SaverOrderTest, SaversByDescriptionThenOtherFilesByName) {
  const std::map<std::string, std::string> descriptions = {
      {"A.SCR", "星空"}, {"b.scr", "Aquarium"}, {"C.SCR", "星空"}, {"D.SCR", ""}, {"E.TXT", "never asked"}};
  V asked;
  platform::fake::FakeCollation collation;
  std::vector<platform::FindEntry> entries;
  for (const char* name : {"A.SCR", "b.scr", "C.SCR", "D.SCR", "E.TXT", "F.SCRX"}) entries.push_back({name});
  SaverOrder order = OrderBySaverName(entries, collation, [&](const platform::FindEntry& e) {
    asked.push_back(e.name);
    auto it = descriptions.find(e.name);
    return it == descriptions.end() ? std::string() : it->second;
  });
  // Both savers sharing a description stay, in name order; a saver without description and the
  // other files follow in name order.
  EXPECT_EQ(order.files, (V{"b.scr", "A.SCR", "C.SCR", "D.SCR", "E.TXT", "F.SCRX"}));
  EXPECT_EQ(order.twin, (V{"Aquarium", "星空", "星空", "D.SCR", "E.TXT", "F.SCRX"}));
  EXPECT_EQ(asked, (V{"A.SCR", "b.scr", "C.SCR", "D.SCR"}));
}

TEST(RowLayoutTest, PicturesAndTextPlacesAtEachDensity) {
  const gui::Rect row{0, 40, 150, 20};
  struct Case {
    int ppi;
    gui::Point drivePicture, driveText, folderPicture, folderText;
  };
  // The offsets are design pixels; the picture widths come already scaled.
  for (const Case& c : {Case{96, {1, 45}, {21, 40}, {14, 40}, {33, 40}}, Case{144, {2, 48}, {24, 40}, {21, 40}, {40, 40}}}) {
    SCOPED_TRACE(c.ppi);
    const gui::Dpi dpi{c.ppi};
    const RowLayout drive = DriveRowLayout(row, 16, dpi);
    EXPECT_EQ(drive.picture, c.drivePicture);
    EXPECT_EQ(drive.text, c.driveText);
    const RowLayout folder = FolderRowLayout(row, 3, 19, true, dpi);
    EXPECT_EQ(folder.picture, c.folderPicture);
    EXPECT_EQ(folder.text, c.folderText);
    EXPECT_TRUE(folder.bold);
    EXPECT_FALSE(FolderRowLayout(row, 0, 19, false, dpi).bold);
  }
}

}  // namespace
}  // namespace browse

#include "store/memory_lists.h"

#include <gtest/gtest.h>

#include "gui/combo_box.h"
#include "gui/form.h"
#include "gui/gui_testing.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace store {
namespace {

using V = std::vector<std::string>;

struct MemoryListsTest : testing::Test {
  MemoryListsTest() {
    lists.FixFolders(false, 0, "C:\\WINDOWS", "C:\\QUOVEL32");
    form.Show();
  }
  V File(const std::string& path) { return LoadList(p.fs, path).value_or(V{"<missing>"}); }
  void Put(const std::string& path, const V& entries) { ASSERT_TRUE(SaveList(p.fs, path, entries).ok()); }
  std::string Caption(int n) { return c.Items().at(static_cast<size_t>(n)); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  gui::Form form{h.app, "TQUOVEL32KAPUL"};
  gui::ListBox list2{form, "ListBox2"};
  gui::ListBox list8{form, "ListBox8"};
  gui::ComboBox c{form, "ComboBox1"};
  gui::Panel panel4{form, "Panel4"};
  MemoryLists lists{h.app, p.fs, {list2, list8, c, panel4}};
};

TEST_F(MemoryListsTest, FirstStartCreatesEmptyNumberedLists) {
  lists.Load(0, false);
  EXPECT_EQ(lists.Current(), 0);
  EXPECT_EQ(list2.Count(), 0);
  EXPECT_EQ(c.ItemIndex(), 0);
  EXPECT_EQ(Caption(10), "HIS: 0ｺ");
  EXPECT_EQ(Caption(3), "M3 : 0ｺ");
  EXPECT_FALSE(p.fs.FileExists("C:\\WINDOWS\\QVLA32M5.LIS"));
  lists.RefreshCaptions();
  for (int n = 0; n <= 9; ++n) {
    EXPECT_EQ(p.fs.FileSize("C:\\WINDOWS\\QVLA32M" + std::to_string(n) + ".LIS"), 0u) << n;
    EXPECT_EQ(Caption(n), ListCaption(n, 0));
  }
  EXPECT_FALSE(panel4.Visible());
}

TEST_F(MemoryListsTest, RefreshCountsFilesOnceAndKeepsUnreadableOnes) {
  Put("C:\\WINDOWS\\QVLA32M4.LIS", {"C:\\A.SCR", "C:\\B.SCR"});
  p.fs.AddFile("C:\\WINDOWS\\QVLA32M7.LIS", "C:\\X.SCR\r\n");
  p.fs.Lock("C:\\WINDOWS\\QVLA32M7.LIS");
  lists.Load(0, false);
  lists.RefreshCaptions();
  EXPECT_EQ(Caption(4), "M4 : 2ｺ");
  EXPECT_EQ(Caption(7), "M7 : 0ｺ");
  p.fs.Unlock("C:\\WINDOWS\\QVLA32M7.LIS");
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32M7.LIS"), (V{"C:\\X.SCR"}));   // not overwritten
  Put("C:\\WINDOWS\\QVLA32M4.LIS", {});
  lists.RefreshCaptions();                                          // once per run
  EXPECT_EQ(Caption(4), "M4 : 2ｺ");
}

// A file locked while it was read shows empty; once the lock is gone, neither a switch nor a
// save may put that empty list in place of the user's entries. Other files are still written.
TEST_F(MemoryListsTest, AListThatCouldNotBeReadIsNeverOverwritten) {
  Put("C:\\WINDOWS\\QVLA32M3.LIS", {"C:\\KEEP.SCR"});
  Put("C:\\QUOVEL32\\QVLE32MH.LIS", {"C:\\H.SCR"});
  for (const char* f : {"C:\\WINDOWS\\QVLA32M3.LIS", "C:\\QUOVEL32\\QVLE32MH.LIS"}) p.fs.Lock(f);
  lists.Load(3, false);
  EXPECT_EQ(list2.Count(), 0);
  for (const char* f : {"C:\\WINDOWS\\QVLA32M3.LIS", "C:\\QUOVEL32\\QVLE32MH.LIS"}) p.fs.Unlock(f);
  c.UserSelect(1);
  lists.SwitchToChosen(false);
  list2.AddItem("C:\\NEW.SCR");
  EXPECT_TRUE(lists.SaveAll(SaveTarget::kOwn));
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32M3.LIS"), (V{"C:\\KEEP.SCR"}));
  EXPECT_EQ(File("C:\\QUOVEL32\\QVLE32MH.LIS"), (V{"C:\\H.SCR"}));
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32M1.LIS"), (V{"C:\\NEW.SCR"}));
  // Read again (the user switches back), the list is the file's and is written as usual.
  c.UserSelect(3);
  lists.SwitchToChosen(false);
  EXPECT_EQ(list2.Items(), (V{"C:\\KEEP.SCR"}));
  list2.AddItem("C:\\MORE.SCR");
  lists.SaveAll(SaveTarget::kOwn);
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32M3.LIS"), (V{"C:\\KEEP.SCR", "C:\\MORE.SCR"}));
}

TEST_F(MemoryListsTest, SwitchingPutsTheOldListAwayAndShowsTheNewOne) {
  Put("C:\\WINDOWS\\QVLA32M0.LIS", {"C:\\A.SCR"});
  Put("C:\\WINDOWS\\QVLA32M3.LIS", {"C:\\B.SCR", "C:\\C.SCR"});
  p.fs.AddFile("C:\\QUOVEL32\\QVLE32MH.LIS", "C:\\H1.SCR\r\nC:\\H2.SCR");   // no final line end
  lists.Load(0, false);
  list2.AddItem("C:\\NEW.SCR");
  list2.SetTag(0);
  c.UserSelect(3);
  lists.SwitchToChosen(false);
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32M0.LIS"), (V{"C:\\A.SCR", "C:\\NEW.SCR"}));
  EXPECT_EQ(list2.Items(), (V{"C:\\B.SCR", "C:\\C.SCR"}));
  EXPECT_EQ(list2.Tag(), -1);
  EXPECT_EQ(Caption(3), "M3 : 2ｺ");
  EXPECT_EQ(c.ItemIndex(), 3);

  // To HIS and away again: the history store takes the list box, nothing is written.
  c.UserSelect(10);
  lists.SwitchToChosen(false);
  EXPECT_EQ(list2.Items(), (V{"C:\\H1.SCR", "C:\\H2.SCR"}));
  list2.DeleteItem(0);
  c.UserSelect(1);
  lists.SwitchToChosen(false);
  EXPECT_EQ(lists.History(), (V{"C:\\H2.SCR"}));
  EXPECT_EQ(File("C:\\QUOVEL32\\QVLE32MH.LIS"), (V{"C:\\H1.SCR", "C:\\H2.SCR"}));
  lists.SaveAll(SaveTarget::kOwn);
  EXPECT_EQ(p.fs.ReadFile("C:\\QUOVEL32\\QVLE32MH.LIS"), "C:\\H2.SCR\r\n");

  // EXT is written when left.
  c.UserSelect(11);
  lists.SwitchToChosen(false);
  list2.AddItem("C:\\GAME.EXE");
  c.UserSelect(1);
  lists.SwitchToChosen(false);
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32MX.LIS"), (V{"C:\\GAME.EXE"}));
}

TEST_F(MemoryListsTest, HistoryCurrentAtStartAndSavedWhileCurrent) {
  Put("C:\\QUOVEL32\\QVLE32MH.LIS", {"C:\\H.SCR"});
  lists.Load(10, false);
  EXPECT_EQ(list2.Items(), (V{"C:\\H.SCR"}));
  EXPECT_TRUE(lists.History().empty());
  list2.AddItem("C:\\H2.SCR");
  lists.SaveAll(SaveTarget::kOwn);
  EXPECT_EQ(File("C:\\QUOVEL32\\QVLE32MH.LIS"), (V{"C:\\H.SCR", "C:\\H2.SCR"}));
  lists.Load(42, false);                       // a number the program never stores: M0
  EXPECT_EQ(lists.Current(), 0);
}

TEST_F(MemoryListsTest, HandOverWithOwnListsWritesOnlyTheSharedFiles) {
  lists.FixFolders(false, 2, "C:\\WINDOWS\\", "C:\\QUOVEL32\\");
  Put("C:\\QUOVEL32\\QVLE32M2.LIS", {"C:\\MINE.SCR"});
  lists.Load(2, false);
  lists.RememberDriveFolder("d:\\Savers");
  lists.SaveAll(SaveTarget::kHandOver);
  EXPECT_EQ(File("C:\\WINDOWS\\QVLA32MH.LIS"), V{});
  EXPECT_EQ(File("C:\\WINDOWS\\QUOVEL32CD.LIS"), (V{"d:\\Savers"}));
  EXPECT_FALSE(p.fs.FileExists("C:\\WINDOWS\\QVLA32M2.LIS"));
  EXPECT_FALSE(p.fs.FileExists("C:\\WINDOWS\\QVLA32MX.LIS"));
  EXPECT_EQ(File("C:\\QUOVEL32\\QVLE32M2.LIS"), (V{"C:\\MINE.SCR"}));
  EXPECT_TRUE(p.fs.FileExists("C:\\QUOVEL32\\QVLE32MX.LIS"));
}

TEST_F(MemoryListsTest, ScreenSaverCopyKeepsEverythingInTheWindowsFolder) {
  lists.FixFolders(true, 2, "C:\\WINDOWS", "C:\\QUOVEL32");
  EXPECT_EQ(lists.ListFile(4), "C:\\WINDOWS\\QVLA32M4.LIS");
  EXPECT_EQ(lists.ListFile(11), "C:\\WINDOWS\\QVLA32MX.LIS");
  EXPECT_EQ(lists.HistoryFile(SaveTarget::kOwn), "C:\\WINDOWS\\QVLA32MH.LIS");
  EXPECT_EQ(lists.DriveFolderFile(SaveTarget::kOwn), "C:\\QUOVEL32\\QUOVEL32CD.LIS");
}

TEST_F(MemoryListsTest, DriveFoldersKeepOneLinePerDrive) {
  lists.RememberDriveFolder("C:\\A");
  lists.RememberDriveFolder("D:\\B");
  lists.RememberDriveFolder("c:\\C");
  EXPECT_EQ(lists.DriveFolders(), (V{"D:\\B", "c:\\C"}));
}

TEST_F(MemoryListsTest, TwinShowsDescriptionsRowForRow) {
  p.fs.AddFile("C:\\S\\stars.scr", std::string("MZ..SCRNSAVE : 星空の旅\0", 25));
  p.fs.AddFile("C:\\S\\plain.scr", "MZ");
  list2.SetItems({"C:\\S\\stars.scr", "C:\\S\\plain.scr", "C:\\S\\read.me"});
  list2.SetTag(1);
  lists.TwinName = [this](const std::string& path) { return DisplayName(p.fs, p.text, path); };
  lists.RebuildTwin(list2, list8);
  EXPECT_EQ(list8.Items(), (V{"星空の旅", "Plain", "read.me"}));
  EXPECT_EQ(list8.ItemIndex(), 1);
}

}  // namespace
}  // namespace store

#include "browse/registration.h"

#include <gtest/gtest.h>

#include "browse/file_browser.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace browse {
namespace {

using testsupport::Utf8;
using V = std::vector<std::string>;

// A tree under C:\R with a "NetHood" folder; the browser shows C:\R with the SCR filter.
struct RegistrationTest : testing::Test {
  RegistrationTest() {
    for (const char* f : {"C:\\R\\z.scr", "C:\\R\\A.SCR", "C:\\R\\notes.txt", "C:\\R\\B\\b1.scr", "C:\\R\\B\\Deep\\d.scr",
                          "C:\\R\\NetHood\\n.scr", "C:\\R\\C\\c.scr", "C:\\R\\C\\NetHood\\m.scr", "C:\\Other\\o.scr"}) {
      p.fs.AddFile(f, "MZ");
    }
    form.SSN.SetChecked(false);
    form.CB5.SetChecked(true);
    form.K6.SetChecked(true);
    form.Show();
    form.Button7.Show();
    hooks.StopRequested = [this] {
      running.push_back(reg->Running());
      return ++folders == stopAt;
    };
    hooks.ClearStopRequest = [this] { ++cleared; };
    // The file list's entry comes along, so the twin needs no second look at the file.
    hooks.TwinName = [](const std::string& path, const platform::FindEntry* entry) {
      return entry != nullptr && entry->size == 2 ? "name of " + path : "unlisted " + path;
    };
    hooks.MemoryCaption = [this](size_t n) { captions.push_back(n); };
    hooks.ShowMemoryInfo = [this] { ++infos; };
    reg = std::make_unique<Registration>(h.app, form, os, box, browser, paths, hooks);
    reg->AttachEvents();
    browser.SetFilter("*.SCR;", 0x27);
    browser.StartUp(false, 0, "C:\\R");
  }
  V Memory() const { return form.ListBox2.Items(); }
  // The lists the search draws only now and then are drawn again once it ends, however it ends.
  void ExpectListsDrawn() const {
    for (const gui::ListBox* list : {&form.ListBox1, &form.ListBox4, &form.ListBox7, &form.ListBox2, &form.ListBox8}) {
      EXPECT_FALSE(list->Updating()) << list->Name();
    }
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  FileBrowser browser{h.app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", BrowserHooks{}};
  RegistrationHooks hooks;
  std::unique_ptr<Registration> reg;
  int folders = 0, stopAt = -1, cleared = 0, infos = 0;
  std::vector<bool> running;
  std::vector<size_t> captions;
};

TEST_F(RegistrationTest, FilesComeBeforeSubfoldersAndNetHoodIsSkipped) {
  form.ListBox2.SetItems({"C:\\old.scr"});
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_EQ(Memory(), (V{"C:\\old.scr", "C:\\R\\A.SCR", "C:\\R\\z.scr", "C:\\R\\B\\b1.scr", "C:\\R\\B\\Deep\\d.scr",
                         "C:\\R\\C\\c.scr"}));
  // The last entry is the only selected and current row.
  EXPECT_EQ(form.ListBox2.ItemIndex(), 5);
  EXPECT_EQ(form.ListBox2.SelCount(), 1);
  EXPECT_EQ(captions, (std::vector<size_t>{3, 4, 5, 6}));  // after every folder
  EXPECT_EQ(running, (std::vector<bool>{true, true, true, true}));
  EXPECT_FALSE(reg->Running());
  // The window is back as it was: the start folder, its files, the buttons.
  EXPECT_EQ(browser.CurrentFolder(), "C:\\R");
  EXPECT_EQ(form.ListBox4.Items(), (V{"A.SCR", "z.scr"}));
  EXPECT_TRUE(form.Button7.Visible());
  EXPECT_TRUE(form.Button1.Visible());
  EXPECT_TRUE(form.Button11.Visible());
  EXPECT_FALSE(form.Button12.Visible());
  EXPECT_FALSE(form.Panel3.Visible());
  EXPECT_EQ(form.Panel3.Caption(), "C:ﾄﾞﾗｲﾌﾞ検索中");
  EXPECT_EQ(cleared, 2);
  EXPECT_EQ(infos, 1);
  ExpectListsDrawn();
  // Each folder went to the shell once although the search names it several times.
  const int before = p.shell.Listings();
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_LE(p.shell.Listings() - before, 10) << p.shell.Listings() - before;
}

TEST_F(RegistrationTest, TwinRowsFollowWhileNamesAreShown) {
  form.SSN.SetChecked(true);
  browser.FillFileList("C:\\R\\");
  ASSERT_EQ(reg->Search("C:\\R\\B"), Registration::End::kDone);
  EXPECT_EQ(Memory(), (V{"C:\\R\\B\\b1.scr", "C:\\R\\B\\Deep\\d.scr"}));
  EXPECT_EQ(form.ListBox8.Items(), (V{"name of C:\\R\\B\\b1.scr", "name of C:\\R\\B\\Deep\\d.scr"}));
  EXPECT_EQ(form.ListBox8.ItemIndex(), 1);
}

TEST_F(RegistrationTest, AFullListStopsTheSearch) {
  form.ListBox2.SetItems(V(32699, "x"));
  h.backend.ExpectModal("TMKBox", "バッファーが、いっぱいです。\n検索を強制終了しました。").Answer(1);
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_EQ(form.ListBox2.Count(), 32700);
  EXPECT_EQ(form.ListBox2.Item(32699), "C:\\R\\A.SCR");
  ExpectListsDrawn();
  // Already full: nothing more goes in.
  EXPECT_EQ(reg->Search("C:\\R"), Registration::End::kFull);
  EXPECT_EQ(form.ListBox2.Count(), 32700);
}

TEST_F(RegistrationTest, TheStopButtonEndsAfterTheCurrentFolder) {
  stopAt = 2;  // a stop request from elsewhere
  h.backend.ExpectModal("TMKBox", "中断ボタンが押されました。\n検索を強制終了します。").Answer(1);
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_EQ(Memory(), (V{"C:\\R\\A.SCR", "C:\\R\\z.scr", "C:\\R\\B\\b1.scr"}));
  EXPECT_EQ(cleared, 2);
  ExpectListsDrawn();
}

TEST_F(RegistrationTest, AStopClickedWhileTheFirstFolderIsListedEndsTheSearchAfterIt) {
  h.backend.Post([this] { reg->RequestStop(); });  // reaches the search with the messages it runs
  EXPECT_EQ(reg->Search("C:\\R"), Registration::End::kStopped);
  EXPECT_EQ(Memory(), (V{"C:\\R\\A.SCR", "C:\\R\\z.scr"}));
}

TEST_F(RegistrationTest, TheStopButtonCountsOncePerFolderAndAStaleRequestIsCleared) {
  reg->RequestStop();
  EXPECT_EQ(reg->Search("C:\\R"), Registration::End::kStopped);
  EXPECT_EQ(Memory(), (V{"C:\\R\\A.SCR", "C:\\R\\z.scr"}));
  // Pressed before the button: cleared when the search starts, so the whole tree is searched.
  form.ListBox2.ClearItems();
  reg->RequestStop();
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_EQ(Memory().size(), 5u);
}

TEST_F(RegistrationTest, FoldersThatCannotBeOpenedAreSkippedWithTheirSubtree) {
  p.fs.FailNext(platform::fake::FsOp::kSetCurrentFolder, "C:\\R\\B", 5);
  EXPECT_EQ(reg->Search("C:\\R\\"), Registration::End::kDone);
  EXPECT_EQ(Memory(), (V{"C:\\R\\A.SCR", "C:\\R\\z.scr", "C:\\R\\C\\c.scr"}));
}

TEST_F(RegistrationTest, ShellNamedFoldersRegisterTheirRealPaths) {
  p.shell.SetDisplayName("C:\\R\\C", "シー");
  EXPECT_EQ(reg->Search("C:\\R"), Registration::End::kDone);
  EXPECT_EQ(Memory().back(), "C:\\R\\C\\c.scr") << Utf8(Memory().back());
}

TEST_F(RegistrationTest, AnEmptyPatternAddsNothing) {
  browser.SetFilter("", 0x27);
  EXPECT_EQ(reg->Search("C:\\R"), Registration::End::kDone);
  EXPECT_TRUE(Memory().empty());
  EXPECT_EQ(folders, 4);  // every folder was still visited
}

TEST_F(RegistrationTest, TheTreeViewIsRestored) {
  browser.Button1Click();  // tree view
  ASSERT_EQ(browser.DirNo(), 1);
  ASSERT_TRUE(form.Button7.UserClick());
  EXPECT_FALSE(form.ListBox1.Visible());
  EXPECT_EQ(browser.CurrentFolder(), "C:\\R");
  EXPECT_EQ(Memory().size(), 5u);
}

}  // namespace
}  // namespace browse

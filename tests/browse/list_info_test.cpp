#include "browse/list_info.h"

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

// The manager window with the file list on C:\SS, a memory list and the trash, each with its
// twin of display names.
struct ListInfoTest : testing::Test {
  ListInfoTest() {
    p.fs.AddFile("C:\\SS\\A.SCR", "MZ");
    p.fs.AddFile("C:\\SS\\B.SCR", "MZ12");
    p.fs.AddFile("D:\\MORE\\C.SCR", "MZ123", platform::attr::kReadOnly);
    form.SSN.SetChecked(true);
    form.CB5.SetChecked(true);
    form.Show();
    for (gui::Control* c : std::initializer_list<gui::Control*>{&form.ListBox2, &form.ListBox8, &form.PanelGomi,
                                                                &form.ListBox6, &form.ListBox9}) {
      c->Show();
    }
    browser.StartUp(false, 0, "C:\\SS");
    form.ListBox2.SetItems({"C:\\SS\\A.SCR", "D:\\MORE\\C.SCR", "D:\\MORE\\GONE.SCR"});
    form.ListBox8.SetItems({"あ", "し", "ご"});
    form.ListBox6.SetItems({"C:\\SS\\B.SCR"});
    form.ListBox9.SetItems({"び"});
    ListInfoHooks hooks;
    hooks.SetPlayList = [this](gui::ListBox& l) { playList = &l; };
    hooks.Playing = [this] { return playing; };
    hooks.FileTimer = [this](const std::string& path) {
      timerAsked.push_back(path);
      return path == "D:\\MORE\\C.SCR" ? 30 : 0;
    };
    hooks.Interval = [this] { return interval; };
    info = std::make_unique<ListInfo>(form, browser, hooks);
    info->AttachEvents();
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  FileBrowser browser{h.app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", BrowserHooks{}};
  std::unique_ptr<ListInfo> info;
  gui::ListBox* playList = nullptr;
  bool playing = false;
  int interval = 10;
  V timerAsked;
};

TEST_F(ListInfoTest, ATwinRowShowsTheFileOfItsMainListAndBecomesCurrentInBoth) {
  ASSERT_TRUE(form.ListBox8.UserSelect(1));
  EXPECT_EQ(playList, &form.ListBox8);
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_EQ(form.ListBox8.Tag(), 1);
  EXPECT_EQ(form.Label2.Caption(), "C.SCR");
  EXPECT_EQ(form.Label3.Caption(), "5");
  EXPECT_EQ(form.Label4.Caption().substr(form.Label4.Caption().size() - 4), "r   ") << Utf8(form.Label4.Caption());
  EXPECT_EQ(form.Label10.Caption(), "30");
  EXPECT_EQ(form.Label9.Caption(), "10");
  // The trash twin likewise; without display names the twin's tag stays.
  form.SSN.SetChecked(false);
  form.ListBox9.SetTag(-1);
  ASSERT_TRUE(form.ListBox6.UserSelect(0));
  EXPECT_EQ(form.ListBox6.Tag(), 0);
  EXPECT_EQ(form.ListBox9.Tag(), -1);
  EXPECT_EQ(form.Label2.Caption(), "B.SCR");
  EXPECT_EQ(form.Label10.Caption(), "0");
}

TEST_F(ListInfoTest, FileListRowsAreNamedInTheListedFolder) {
  ASSERT_EQ(form.ListBox4.Items(), (V{"A.SCR", "B.SCR"}));
  ASSERT_TRUE(form.ListBox7.UserSelect(1));
  EXPECT_EQ(playList, &form.ListBox7);
  EXPECT_EQ(form.ListBox4.Tag(), 1);
  EXPECT_EQ(form.Label2.Caption(), "B.SCR");
  EXPECT_EQ(form.Label3.Caption(), "4");
  EXPECT_EQ(timerAsked, V{"C:\\SS\\B.SCR"});
}

TEST_F(ListInfoTest, TimersAreLookedUpUnderTheRealFolderOfAShellName) {
  p.fs.AddFile("C:\\Docs\\X.SCR", "MZ");
  p.shell.SetDisplayName("C:\\Docs", "ドキュメント");
  form.ListBox2.SetItems({"C:\\ドキュメント\\X.SCR"});
  form.ListBox8.SetItems({"x"});
  ASSERT_TRUE(form.ListBox2.UserSelect(0));
  EXPECT_EQ(timerAsked, V{"C:\\Docs\\X.SCR"}) << Utf8(timerAsked.empty() ? "" : timerAsked[0]);
  EXPECT_EQ(form.Label3.Caption(), "2");
}

TEST_F(ListInfoTest, WhilePlayingOrWithIntervalOffTheTimerLabelsSayWhatTheRunShows) {
  form.Label9.SetCaption("7");
  form.Label10.SetCaption("3");
  playing = true;
  ASSERT_TRUE(form.ListBox2.UserSelect(1));
  EXPECT_EQ(form.Label9.Caption(), "7");
  EXPECT_EQ(form.Label10.Caption(), "3");
  EXPECT_EQ(form.Label2.Caption(), "C.SCR");
  EXPECT_TRUE(timerAsked.empty());
  playing = false;
  interval = 0;
  ASSERT_TRUE(form.ListBox2.UserSelect(0));
  EXPECT_EQ(form.Label9.Caption(), "OFF");
  EXPECT_EQ(form.Label10.Caption(), "0");
}

TEST_F(ListInfoTest, ASuppressedClickOnlyMovesTheCurrentRowOnce) {
  ASSERT_TRUE(form.ListBox2.UserSelect(0));
  ASSERT_EQ(form.Label2.Caption(), "A.SCR");
  info->SetClickSuppress(true);
  ASSERT_TRUE(form.ListBox2.UserSelect(1));
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_EQ(form.Label2.Caption(), "A.SCR");
  EXPECT_FALSE(info->ClickSuppress());
  ASSERT_TRUE(form.ListBox2.UserSelect(1));
  EXPECT_EQ(form.Label2.Caption(), "C.SCR");
}

TEST_F(ListInfoTest, AMissingFileOrARowlessTwinLeavesThePlaceholders) {
  ASSERT_TRUE(form.ListBox2.UserSelect(1));
  ASSERT_TRUE(form.ListBox2.UserSelect(2));
  EXPECT_EQ(form.Label2.Caption(), "GONE.SCR");
  EXPECT_EQ(form.Label3.Caption(), "----------");
  EXPECT_EQ(form.Label4.Caption(), " yy/mm/dd day hh:mm:ss ----");
  // A twin with a row its main list lacks names no file.
  form.ListBox8.AddItem("extra");
  ASSERT_TRUE(form.ListBox2.UserSelect(1));
  ASSERT_TRUE(form.ListBox8.UserSelect(3));
  EXPECT_EQ(form.ListBox2.Tag(), 3);
  EXPECT_EQ(form.Label2.Caption(), "C.SCR");
  EXPECT_EQ(form.Label3.Caption(), "----------");
}

}  // namespace
}  // namespace browse

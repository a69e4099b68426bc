// The manager as the program wires it, driven as a user drives it: the browser, the lists and the
// play engine must agree on which folder and which row the user is looking at.
#include <gtest/gtest.h>

#include "app/program.h"
#include "forms/dir2set_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/installed.h"
#include "store/list_file.h"
#include "store/settings_key.h"
#include "support/sjis_text.h"
#include "support/manager_start.h"

namespace app {
namespace {

using V = std::vector<std::string>;

struct ProgramWiringTest : testing::Test {
  ProgramWiringTest() {
    testsupport::Installed(p);
    Set("CPATH", "C:\\FIRST");
    Set("MEMORY", "1,-1,0,1,0,1,0");           // memory mode off, SSN off
    Set("SAISEIM", "0,0,0,0,-1,-1,-1,-1,1,1");  // 連続 without endless
    p.fs.AddFile("C:\\FIRST\\X.SCR", "MZ");
    for (const char* name : {"A.SCR", "B.SCR", "C.SCR"}) p.fs.AddFile(std::string("C:\\SECOND\\") + name, "MZ");
    p.processes.SetDefaultBehaviour({.endsOnInput = true});
  }
  void Set(const std::string& name, const std::string& text, const std::string& key = store::ExeKey()) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, key, name, text);
  }
  std::string Stored(const std::string& name) {
    return p.registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), name).value_or("<missing>");
  }
  forms::TQUOVEL32KAPUL& Start() { return testsupport::StartManager(h, p, program); }
  static int Row(const gui::ListBox& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Item(i) == text) return i;
    }
    ADD_FAILURE() << "no row " << text;
    return -1;
  }
  static gui::TreeNode* Node(gui::TreeNode& from, const std::string& text) {
    if (from.Text() == text) return &from;
    for (int i = 0; i < from.Count(); ++i) {
      if (gui::TreeNode* n = Node(*from.Child(i), text)) return n;
    }
    return nullptr;
  }
  // Plays until the run ends; the started programs in order.
  V PlayAll(forms::TQUOVEL32KAPUL& m) {
    m.Button2.UserClick();
    for (int t = 0; t < 600 && (t == 0 || program->Engine()->Playing()); ++t) h.backend.Advance(1000);
    V started;
    for (const auto& r : p.processes.Started()) started.push_back(r.program);
    return started;
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::unique_ptr<Program> program;
};

// The user leaves the saved folder through the folder list; 再 生 plays the folder shown.
TEST_F(ProgramWiringTest, TheFileListPlaysTheFolderTheUserOpened) {
  forms::TQUOVEL32KAPUL& m = Start();
  ASSERT_EQ(m.ListBox4.Items(), V{"X.SCR"});
  m.ListBox1.UserSelect(0);  // "C:\"
  m.ListBox1.UserSelect(Row(m.ListBox1, "SECOND"));
  ASSERT_EQ(m.ListBox4.Items(), (V{"A.SCR", "B.SCR", "C.SCR"}));
  EXPECT_EQ(PlayAll(m), (V{"C:\\SECOND\\A.SCR", "C:\\SECOND\\B.SCR", "C:\\SECOND\\C.SCR"}));
  // A right click on the list opens the file menu.
  h.backend.ExpectPopup("PopupMenu2", "");
  m.ListBox4.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
  m.ListBox4.UserMouseUp(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_TRUE(h.backend.VerifyExpectations());
}

// The preview window as the settings left it shows at its place after the start-up; its saver
// lets go of the file when the file menu opens; closed by the user, it is off for the next start.
TEST_F(ProgramWiringTest, ThePreviewFollowsItsSettingsAndTheFileMenu) {
  Set("PREVIEW", "1");
  Set("PREVIEWFP", "30,40");
  forms::TQUOVEL32KAPUL& m = Start();
  forms::TQUOVEL32PREVIEW& preview = *program->LivePreviewWindow();
  ASSERT_TRUE(preview.Visible());
  EXPECT_EQ(std::pair(preview.Left(), preview.Top()), std::pair(30, 40));
  h.backend.Advance(500);
  ASSERT_EQ(p.processes.Started().size(), 1u);  // X.SCR, the current row
  h.backend.ExpectPopup("PopupMenu2", "");
  m.ListBox4.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_TRUE(p.processes.Started()[0].endedByForce);
  m.ListBox4.UserMouseUp(gui::MouseButton::Right, 0, 5, 5);
  preview.Close();
  m.Close();
  EXPECT_EQ(Stored("PREVIEW"), "0");
  EXPECT_EQ(Stored("PREVIEWFP"), "30,40");
}

// "C" shows the tree in place of the folder list and back; a folder picked in the tree plays.
// A tree rebuilt while a pick waits for its messages opens the rebuilt tree's folder.
TEST_F(ProgramWiringTest, TheTreeShowsAndAPickedFolderPlays) {
  forms::TQUOVEL32KAPUL& m = Start();
  m.Button1.UserClick();
  EXPECT_TRUE(m.TreeView1.Visible());
  EXPECT_FALSE(m.ListBox1.Visible());
  gui::TreeNode* second = Node(*m.TreeView1.Root(0), "SECOND");
  ASSERT_NE(second, nullptr);
  h.backend.Post([&] { program->Browser()->OpenFolderTree("C:\\FIRST"); });
  m.TreeView1.UserSelect(*second);
  EXPECT_EQ(m.ListBox4.Items(), V{"X.SCR"});
  m.TreeView1.UserSelect(*Node(*m.TreeView1.Root(0), "SECOND"));
  ASSERT_EQ(m.ListBox4.Count(), 3);
  EXPECT_EQ(PlayAll(m).front(), "C:\\SECOND\\A.SCR");
  m.Button1.UserClick();
  EXPECT_FALSE(m.TreeView1.Visible());
  EXPECT_TRUE(m.ListBox1.Visible());
  m.Close();
  EXPECT_EQ(Stored("DirNo"), "0");
  EXPECT_EQ(Stored("CPATH"), "C:\\SECOND");
}

// A list entry names its folder the way the shell shows it: the run, the title and the history
// all see the real file.
TEST_F(ProgramWiringTest, AnEntryNamedByTheShellPlaysTheRealFile) {
  Set("MEMORY", "0,-1,0,1,0,1,0");  // memory mode
  Set("FILEHIS", "5");
  p.shell.SetDisplayName("C:\\SECOND", "二番目");
  ASSERT_TRUE(store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS", {"C:\\二番目\\B.SCR"}).ok());
  forms::TQUOVEL32KAPUL& m = Start();
  EXPECT_EQ(PlayAll(m), V{"C:\\SECOND\\B.SCR"});
  EXPECT_EQ(program->Lists()->History(), V{"C:\\SECOND\\B.SCR"});
}

// A bulk registration ends on its last row as a click would: a run starts there and INDEX keeps
// it. With names shown, a refill leaves no current row in either file list.
TEST_F(ProgramWiringTest, BulkRegistrationLeavesTheLastRowCurrent) {
  Set("MEMORY", "0,-1,0,1,0,1,1");  // memory mode, SSN on
  Set("CPATH", "C:\\SECOND");
  forms::TQUOVEL32KAPUL& m = Start();
  m.ListBox7.UserSelect(1);
  m.ListBox1.UserSelect(0);
  EXPECT_EQ(m.ListBox4.Tag(), -1);
  EXPECT_EQ(m.ListBox7.Tag(), -1);
  m.ListBox1.UserSelect(Row(m.ListBox1, "SECOND"));
  m.Button7.UserClick();
  ASSERT_EQ(m.ListBox2.Count(), 3);
  EXPECT_EQ(program->Settings()->PlayListBox(), &m.ListBox8);
  EXPECT_EQ(m.ListBox2.Tag(), 2);
  EXPECT_EQ(m.ListBox8.Tag(), 2);
  EXPECT_EQ(PlayAll(m).front(), "C:\\SECOND\\C.SCR");
  m.Close();
  EXPECT_EQ(Stored("INDEX").substr(0, 2), "2,");
}

// K6 takes effect at once; names switched on show the shown folder's savers in name order even
// after a launch or a viewer moved the process elsewhere.
TEST_F(ProgramWiringTest, HiddenFoldersAndNamesFollowTheirMenuItemsAtOnce) {
  p.fs.AddFolder("C:\\FIRST\\SECRET", platform::attr::kHidden);
  p.fs.AddFile("C:\\FIRST\\Y.SCR", std::string("MZ SCRNSAVE : Aurora\0", 22));
  p.fs.AddFile("C:\\FIRST\\Z.SCR", std::string("MZ SCRNSAVE : Aquarium\0", 24));
  forms::TQUOVEL32KAPUL& m = Start();
  EXPECT_GE(Row(m.ListBox1, "SECRET"), 0);
  m.K6.UserClick();
  EXPECT_EQ(std::count(m.ListBox1.Items().begin(), m.ListBox1.Items().end(), "SECRET"), 0);
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\WINDOWS").ok());
  m.SSN.UserClick();
  EXPECT_TRUE(m.ListBox7.Visible());
  EXPECT_EQ(m.ListBox7.Items(), (V{"Aquarium", "Aurora", "X.SCR"}));
  EXPECT_EQ(m.ListBox4.Items(), (V{"Z.SCR", "Y.SCR", "X.SCR"}));
}

// The drive folder store is read before the saved folder opens, so the folder opened at start-up
// is remembered beside the other drives' folders.
TEST_F(ProgramWiringTest, StartUpRemembersItsFolderInTheStoredDriveFolders) {
  p.fs.AddDrive('D', platform::drive::kFixed);
  ASSERT_TRUE(store::SaveList(p.fs, "C:\\QUOVEL32\\QUOVEL32CD.LIS", {"D:\\"}).ok());
  forms::TQUOVEL32KAPUL& m = Start();
  m.Close();
  EXPECT_EQ(store::LoadList(p.fs, "C:\\QUOVEL32\\QUOVEL32CD.LIS"), (V{"D:\\", "C:\\FIRST"}));
}

// Without a working folder the folder-setting dialog comes first, nothing starts and the opening
// banner goes; with one, a start "in the tray" hides the window behind the tray icon and plays.
TEST_F(ProgramWiringTest, TheWorkingFolderComesFirstThenAutomaticAndTrayStarts) {
  Set("SAISEIM", "0,0,1,1,-1,-1,-1,-1,1,1");  // Start1 and Start2
  Set("TMPQVLA", "", store::ScrKey());
  h.backend.ExpectModal("TDIR2SETForm").Do([&](gui::Form& f) {
    auto& d = static_cast<forms::TDIR2SETForm&>(f);
    EXPECT_EQ(d.Edit1.Text(), "C:\\KAPULT32\\TmPQVLA");
    EXPECT_EQ(d.Caption(), "作業用フォルダーの設定変更");
    h.backend.ExpectModal("TMKBox", "C:\\KAPULT32\\TmPQVLA\\\nフォルダーを作成します").Answer(gui::kMrYes);
    h.backend.ExpectModal("TMKBox", "フォルダーを登録しました").Answer(gui::kMrOk);
    d.Button4.UserClick();
  });
  {
    forms::TQUOVEL32KAPUL& m = Start();
    EXPECT_TRUE(p.fs.DirectoryExists("C:\\KAPULT32\\TmPQVLA"));
    EXPECT_EQ(program->Settings()->WorkingFolder(), "C:\\KAPULT32\\TmPQVLA\\");
    EXPECT_FALSE(program->Engine()->Playing());
    EXPECT_FALSE(h.app.Minimized());
    EXPECT_FALSE(m.PanelOPEN.Visible());
    EXPECT_FALSE(m.TaskTray1.Registered());
    m.Close();
  }
  guitest::HeadlessApp other;
  Program second(other.app, p.Services(), DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
  ASSERT_TRUE(second.Start([](const std::string&) {}));
  second.Manager()->Show();
  other.backend.Advance(1000);
  EXPECT_TRUE(second.Engine()->Playing());
  EXPECT_TRUE(second.Manager()->TaskTray1.Registered());
  EXPECT_FALSE(second.Manager()->Visible());
  EXPECT_FALSE(second.Manager()->PanelOPEN.Visible());
}

// The folder history keeps the last folders shown, newest first; a pick in its panel opens the
// folder without reordering, 閉じる puts it on top; a lowered size cuts one row per recording.
TEST_F(ProgramWiringTest, FolderHistoryKeepsTheLastFoldersNewestFirst) {
  Set("FOLDERHIS", "3");
  for (const char* f : {"C:\\A", "C:\\B"}) p.fs.AddFolder(f);
  forms::TQUOVEL32KAPUL& m = Start();
  EXPECT_EQ(m.FOLDERHIS.Caption(), "フォルダーヒストリーの設定　3個 (&H)");
  auto open = [&](const std::string& name) {
    m.ListBox1.UserSelect(0);
    if (name != "C:\\") m.ListBox1.UserSelect(Row(m.ListBox1, name));
  };
  open("A");
  open("C:\\");
  open("B");
  EXPECT_EQ(m.ListBoxKaKo.Items(), (V{"C:\\B", "C:\\", "C:\\A"}));
  m.Label19.UserClick();
  EXPECT_TRUE(m.PanelKaKo.Visible());
  EXPECT_EQ(m.LabelKaKo.Caption(), "3ｺ");
  m.ListBoxKaKo.UserSelect(2);
  EXPECT_EQ(program->Browser()->FileListFolder(), "C:\\A");
  EXPECT_EQ(m.ListBoxKaKo.Items(), (V{"C:\\B", "C:\\", "C:\\A"}));
  m.ButtonRESET.UserClick();  // back to the folder shown when the panel opened
  EXPECT_EQ(program->Browser()->FileListFolder(), "C:\\B");
  m.ListBoxKaKo.UserSelect(2);
  m.ButtonKaKoOK.UserClick();
  EXPECT_FALSE(m.PanelKaKo.Visible());
  EXPECT_EQ(m.ListBoxKaKo.Items(), (V{"C:\\A", "C:\\B", "C:\\"}));
  program->Settings()->Values().folderHis = 1;
  open("FIRST");  // by way of C:\, which was in the list: one row less, then as long as before
  EXPECT_EQ(m.ListBoxKaKo.Items(), (V{"C:\\FIRST", "C:\\"}));
  h.backend.ExpectModal("TTMSETBox", "ﾌｫﾙﾀﾞｰﾋｽﾄﾘｰ登録個数：").Answer(gui::kMrCancel);
  h.backend.ExpectModal("TMKBox", "中止しました。").Answer(gui::kMrOk);
  m.FOLDERHIS.UserClick();
  EXPECT_EQ(m.FOLDERHIS.Caption(), "フォルダーヒストリーの設定　3個 (&H)");   // cancelled: unchanged
}

}  // namespace
}  // namespace app

// Really copy, move and delete, run as a user runs them: a right click on a list opens the file
// menu, its item runs the command on the selected rows.
#include "fileops/file_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <tuple>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "forms/snbox_form.h"
#include "support/file_menu_test.h"
#include "support/installed.h"
#include "store/list_file.h"
#include "store/settings_key.h"
#include "support/sjis_text.h"
#include "support/manager_start.h"

namespace fileops {
namespace {

using V = std::vector<std::string>;
constexpr int kYes = 6, kNo = 7, kStop = 3;

struct FileCommandsTest : testing::Test {
  FileCommandsTest() {
    testsupport::Installed(p);
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "CPATH", "C:\\SRC");
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "MEMORY", "1,-1,0,1,0,1,0");
    for (const char* name : {"A.SCR", "B.SCR", "C.SCR"}) p.fs.AddFile(std::string("C:\\SRC\\") + name, name);
    p.fs.AddFile("C:\\DST\\B.SCR", "old B");
  }
  forms::TQUOVEL32KAPUL& Start() { return testsupport::StartManager(h, p, program); }
  // Every row of `list` selected, then the file menu's `item` picked on it.
  void Run(gui::ListBox& list, const char* item) {
    for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, true);
    h.backend.ExpectPopup("PopupMenu2", item);
    list.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
    EXPECT_TRUE(h.backend.VerifyExpectations());
  }
  void Box(const char* text, int answer) { h.backend.ExpectModal("TMKBox", text).Answer(answer); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::unique_ptr<app::Program> program;
};

// Copy into a folder chosen in the save dialog: an existing file only after a Yes; copying into
// the folder the files are in does nothing; a cancelled choice only says so.
TEST_F(FileCommandsTest, CopyAsksBeforeOverwritingAndRemembersTheFolder) {
  forms::TQUOVEL32KAPUL& m = Start();
  h.backend.ExpectSaveDialog("C:\\DST\\このフォルダーに、コピーする");
  Box("旧：5 24/01/01 月 00:00:00 \n新：5", kNo);
  Box("2個のファイルをコピーしました。", 1);
  Run(m.ListBox4, "PCOPY");
  const gui::headless::SaveDialogRecord& asked = h.backend.SaveDialogHistory().back();
  EXPECT_EQ(asked.title, "コピー先、フォルダーの選択");
  EXPECT_EQ(asked.fileName, "このフォルダーに、コピーする");
  EXPECT_EQ(asked.initialDir, "C:\\QUOVEL32");
  EXPECT_EQ(p.fs.ReadFile("C:\\DST\\A.SCR"), "A.SCR");
  EXPECT_EQ(p.fs.ReadFile("C:\\DST\\B.SCR"), "old B");
  EXPECT_EQ(program->Settings()->Values().copyPath, "C:\\DST");
  h.backend.ExpectSaveDialog("C:\\SRC\\このフォルダーに、コピーする");
  Box("0個のファイルをコピーしました。", 1);
  Run(m.ListBox4, "PCOPY");
  h.backend.ExpectSaveDialog(std::nullopt);
  Box("移動先、フォルダー選択を、\n中止しました・・・", 1);
  Run(m.ListBox4, "PIDO");
  EXPECT_EQ(m.ListBox4.Count(), 3);
  m.Close();
  EXPECT_EQ(p.registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "COPYPath"), "C:\\SRC");
}

// Moving every row of the memory list with names shown: each row is visited once although rows
// go, the twin loses the same rows, the files are in their new folder.
TEST_F(FileCommandsTest, MovingAllRowsOfTheMemoryListEmptiesBothLists) {
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "MEMORY", "0,-1,0,1,0,1,1");
  ASSERT_TRUE(store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS", {"C:\\SRC\\A.SCR", "C:\\SRC\\C.SCR"}).ok());
  forms::TQUOVEL32KAPUL& m = Start();
  ASSERT_EQ(m.ListBox8.Count(), 2);
  h.backend.ExpectSaveDialog("C:\\DST\\このフォルダーに、移動する");
  Box("2個のファイルを移動しました。", 1);
  Run(m.ListBox8, "PIDO");
  EXPECT_EQ(m.ListBox2.Count() + m.ListBox8.Count(), 0);
  EXPECT_EQ(m.ComboBox1.Items().at(0), "M0 : 0ｺ");
  EXPECT_FALSE(p.fs.FileExists("C:\\SRC\\A.SCR"));
  EXPECT_EQ(p.fs.ReadFile("C:\\DST\\C.SCR"), "C.SCR");
  EXPECT_EQ(program->Settings()->Values().idoPath, "C:\\DST");
}

// A file moved or copied onto itself under another spelling of its folder (an 8.3 name, another
// drive letter) is skipped as in its own folder: the move must not delete the only copy.
TEST_F(FileCommandsTest, AFileMovedOntoItselfStaysWhole) {
  p.fs.AddFile("C:\\Long Folder\\A.SCR", "saver");
  p.fs.SetShortName("C:\\Long Folder", "LONGFO~1");
  p.fs.AddAlias('Y', "C:\\Long Folder");
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "MEMORY", "0,-1,0,1,0,1,0");
  ASSERT_TRUE(store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS", {"C:\\Long Folder\\A.SCR"}).ok());
  forms::TQUOVEL32KAPUL& m = Start();
  for (const auto& [item, folder, word] : std::vector<std::tuple<const char*, std::string, std::string>>{
           {"PIDO", "C:\\LONGFO~1\\", "移動"}, {"PIDO", "Y:\\", "移動"}, {"PCOPY", "y:\\", "コピー"}}) {
    h.backend.ExpectSaveDialog(folder + "このフォルダーに、" + word + "する");
    Box(("0個のファイルを" + word + "しました。").c_str(), 1);
    Run(m.ListBox2, item);
    EXPECT_EQ(p.fs.ReadFile("C:\\Long Folder\\A.SCR"), "saver") << folder;
    EXPECT_EQ(m.ListBox2.Count(), 1) << folder;
  }
}

// A move gives up its source only for a complete copy: one cut short keeps the source and its row.
TEST_F(FileCommandsTest, AMoveWhoseCopyComesOutShortKeepsItsSource) {
  forms::TQUOVEL32KAPUL& m = Start();
  p.fs.FailNext(platform::fake::FsOp::kReadEnd, "C:\\SRC\\A.SCR", 0);
  h.backend.ExpectSaveDialog("C:\\NEW\\このフォルダーに、移動する");
  p.fs.AddFolder("C:\\NEW");
  Box("C:\\SRC\\A.SCR\nこのファイルの移動に、失敗しました・・・", 1);
  Box("2個のファイルを移動しました。", 1);
  Run(m.ListBox4, "PIDO");
  EXPECT_EQ(p.fs.ReadFile("C:\\SRC\\A.SCR"), "A.SCR");
  EXPECT_EQ(m.ListBox4.Items(), V{"A.SCR"});
}

// Delete: a missing file is reported and the user may go on; 中断 pressed meanwhile ends the
// loop after that row, with both messages; 中 断 at a notice ends it at once.
TEST_F(FileCommandsTest, DeleteReportsMissingFilesAndStops) {
  forms::TQUOVEL32KAPUL& m = Start();
  ASSERT_TRUE(p.fs.Delete("C:\\SRC\\B.SCR").ok());
  Box("選択されているﾌｧｲﾙを削除してもよろしいですか？？？", kYes);
  h.backend.ExpectModal("TMKBox", "C:\\SRC\\B.SCR\nこのファイルは、存在しません・・・").Do([&](gui::Form& f) {
    h.backend.Post([&] { m.Button5.UserClick(); });  // the user's next click, once the notice is gone
    f.Close();
  });
  Box("中断ボタンが押されました。\n削除を強制終了します。", 1);
  Box("1個のファイルを削除しました。", 1);
  Run(m.ListBox4, "PKILL");
  EXPECT_EQ(m.ListBox4.Items(), (V{"B.SCR", "C.SCR"}));
  EXPECT_EQ(m.Label1.Caption(), "2ｺ");
  EXPECT_FALSE(p.fs.FileExists("C:\\SRC\\A.SCR"));
  EXPECT_TRUE(p.fs.FileExists("C:\\SRC\\C.SCR"));
  Box("選択されているﾌｧｲﾙを削除してもよろしいですか？？？", kYes);
  Box("このファイルは、存在しません・・・", kStop);
  Box("0個のファイルを削除しました。", 1);
  Run(m.ListBox4, "PKILL");
  EXPECT_TRUE(p.fs.FileExists("C:\\SRC\\C.SCR"));
  EXPECT_EQ(p.desktop.Beeps().back(), platform::beep::kExclamation);
  Box("選択されているﾌｧｲﾙを削除してもよろしいですか？？？", kNo);
  Box("削除を中止しました・・・", 1);
  Run(m.ListBox4, "PKILL");
}

}  // namespace
}  // namespace fileops

// Memory running out on one row of any file command: that row gets the command's per-row error,
// the next row is done, and the program goes on.
struct OutOfMemory {
  const char* item;
  platform::fake::FsOp op;
  std::vector<std::pair<std::string, int>> boxes;  // after the command's own question, if any
  std::function<bool(platform::fake::FakePlatform&)> secondDone;
};

void PrintTo(const OutOfMemory& c, std::ostream* os) { *os << c.item; }

struct RowExceptionTest : testsupport::FileMenuTest, testing::WithParamInterface<OutOfMemory> {};

TEST_P(RowExceptionTest, EndsOnlyItsRow) {
  const OutOfMemory& c = GetParam();
  p.fs.AddFile("C:\\W\\A.HTM", "a");
  p.fs.AddFile("C:\\W\\B.HTM", "b");
  p.fs.AddFolder("C:\\DST");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\W\\A.HTM", "C:\\W\\B.HTM"});
  p.fs.RunOutOfMemoryNext(c.op, "C:\\W\\A.HTM");
  const std::string item = c.item;
  if (item == "PCOPY") h.backend.ExpectSaveDialog("C:\\DST\\このフォルダーに、コピーする");
  if (item == "PASHUKU") {
    p.fs.AddFile("C:\\QUOVEL32\\UnLha32.DLL", "MZ library");
    h.backend.ExpectModal("TSNBox").Do([](gui::Form& f) { static_cast<forms::TSNBox&>(f).Button1.UserClick(); });
  }
  for (const auto& [text, answer] : c.boxes) Box(text, answer);
  Run(m, {"C:\\W\\A.HTM", "C:\\W\\B.HTM"}, c.item);
  EXPECT_EQ(p.fs.ReadFile("C:\\W\\A.HTM"), "a");
  EXPECT_TRUE(c.secondDone(p));
}

// Only memory running out is a row's failure: a fault nobody foresaw does not pass for a failed
// delete, it goes on to the last resort.
TEST_F(RowExceptionTest, AnUnforeseenFaultIsNoRowsFailure) {
  p.fs.AddFile("C:\\W\\A.HTM", "a");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\W\\A.HTM"});
  p.fs.ThrowNext(platform::fake::FsOp::kDelete, "C:\\W\\A.HTM", std::make_exception_ptr(std::logic_error("fault")));
  Box("削除してもよろしいですか", 6);
  EXPECT_THROW(Run(m, {"C:\\W\\A.HTM"}, "PKILL"), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(
    FileCommands, RowExceptionTest,
    testing::Values(
        OutOfMemory{"PCOPY", platform::fake::FsOp::kOpen,
                    {{"C:\\W\\A.HTM\nこのファイルのコピーに、失敗しました・・・", 1}, {"1個のファイルをコピーしました。", 1}},
                    [](auto& p) { return p.fs.FileExists("C:\\DST\\B.HTM"); }},
        OutOfMemory{"PKILL", platform::fake::FsOp::kDelete,
                    {{"削除してもよろしいですか", 6}, {"C:\\W\\A.HTM\nこのファイルは、削除出来ませんでした・・・", 1},
                     {"1個のファイルを削除しました。", 1}},
                    [](auto& p) { return !p.fs.FileExists("C:\\W\\B.HTM"); }},
        OutOfMemory{"PHTML", platform::fake::FsOp::kOpen,
                    {{"C:\\W\\A.HTM\nHTMLﾃｷｽﾄ整形表示ｴﾗｰ：HTMLﾃｷｽﾄ整形表示表示に失敗しました・・・", 1}},
                    [](auto& p) { return p.fs.ReadFile("C:\\QVWORK\\HTM$$$$$.TXT").value_or("").ends_with("\r\nb\r\n"); }},
        OutOfMemory{"PASHUKU", platform::fake::FsOp::kOpen,
                    {{"C:\\W\\A.HTM\nﾌｧｲﾙの圧縮に失敗しました", 1}, {"1個のファイルを圧縮しました。", 1}},
                    [](auto& p) {
                      return p.library.ArchiveEntries("C:\\QVWORK\\$$$$圧縮\\ABC.lzh").size() == 1 &&
                             store::LoadList(p.fs, "C:\\QVWORK\\ErR$$$$$.TXT").value().at(3) ==
                                 "LZHﾌｧｲﾙ 圧縮ｴﾗｰ：　C:\\W\\A.HTM";
                    }}),
    [](const testing::TestParamInfo<OutOfMemory>& info) { return std::string(info.param.item); });

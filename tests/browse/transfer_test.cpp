#include "browse/transfer.h"

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

// The manager window in memory mode with the trash shown; the file list shows C:\SS.
struct TransferTest : testing::Test {
  TransferTest() {
    for (const char* name : {"A.SCR", "B.SCR", "C.SCR", "D.SCR", "E.SCR"}) p.fs.AddFile(std::string("C:\\SS\\") + name, "MZ");
    form.SSN.SetChecked(false);
    form.CB5.SetChecked(true);
    form.Show();
    for (gui::Control* c : std::initializer_list<gui::Control*>{&form.ListBox2, &form.PanelGomi, &form.ListBox6,
                                                                &form.Image1}) {
      c->Show();
    }
    hooks.MemoryCaption = [this](size_t n) { captions.push_back(n); };
    hooks.TrashClearsOnReceive = [this] { return clearTrash; };
    hooks.TrashPicture = [this](bool full) { trashFull = full; };
    transfers = std::make_unique<Transfers>(h.app, form, box, browser, hooks);
    transfers->AttachEvents();
    browser.StartUp(false, 0, "C:\\SS");
  }
  void Memory(const V& rows) {
    form.ListBox2.SetItems(rows);
    form.ListBox8.SetItems(rows.empty() ? V{} : V(rows.size(), "twin"));
  }
  void Trash(const V& rows) {
    form.ListBox6.SetItems(rows);
    form.ListBox9.SetItems(V(rows.size(), "t"));
  }
  // The user drops `source` on row `row` of a list (or the middle of the control) and picks `item`.
  bool DropOn(gui::Control& target, gui::Control& source, int row, const std::string& item) {
    // Without a row: below the last row of a list, the middle of anything else.
    int x = target.Width() / 2, y = dynamic_cast<gui::ListBox*>(&target) ? target.Height() - 1 : target.Height() / 2;
    if (auto* list = dynamic_cast<gui::ListBox*>(&target); list != nullptr && row >= 0) {
      const gui::Rect r = list->ItemRect(row);
      x = r.left + 1;
      y = r.top + 1;
    }
    if (!item.empty()) h.backend.ExpectPopup("PopupMenu1", item);
    return target.UserDrop(source, x, y);
  }
  void SelectRows(gui::ListBox& list, std::initializer_list<int> rows) {
    for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, false);
    for (int r : rows) list.SetSelected(r, true);
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  FileBrowser browser{h.app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", BrowserHooks{}};
  TransferHooks hooks;
  std::unique_ptr<Transfers> transfers;
  std::vector<size_t> captions;
  bool clearTrash = false;
  bool trashFull = false;
};

TEST_F(TransferTest, FourFileRowsDroppedOnRowTwoGoInThereInOrder) {
  Memory({"m0", "m1", "m2", "m3"});
  SelectRows(form.ListBox4, {0, 2, 3, 4});
  ASSERT_TRUE(DropOn(form.ListBox2, form.ListBox4, 2, "P1"));
  EXPECT_EQ(form.ListBox2.Items(),
            (V{"m0", "m1", "C:\\SS\\A.SCR", "C:\\SS\\C.SCR", "C:\\SS\\D.SCR", "C:\\SS\\E.SCR", "m2", "m3"}));
  EXPECT_EQ(form.ListBox2.Tag(), 6);  // the next drop goes in after them
  EXPECT_EQ(form.ListBox4.Count(), 5);  // files are copied, never taken out of the folder
  EXPECT_EQ(captions, std::vector<size_t>{8});
  EXPECT_FALSE(transfers->MenuPending());
  EXPECT_EQ(h.app.GetScreen().Cursor(), gui::Cursor::Default);
  // Beyond the last row the rows are appended.
  SelectRows(form.ListBox4, {1});
  ASSERT_TRUE(DropOn(form.ListBox2, form.ListBox4, -1, "P3"));  // all files
  EXPECT_EQ(form.ListBox2.Count(), 13);
  EXPECT_EQ(form.ListBox2.Item(12), "C:\\SS\\E.SCR");
}

TEST_F(TransferTest, DropMenuOffersOnlyWhatTheSourceAllows) {
  Memory({"m0"});
  Trash({"t0"});
  struct Case {
    gui::Control* target;
    gui::Control* source;
    bool p0, p1, p2, p3;
  } cases[] = {
      {&form.ListBox2, &form.ListBox4, false, true, false, true},
      {&form.ListBox2, &form.Image1, false, false, true, true},
      {&form.ListBox2, &form.ListBox6, true, true, true, true},
      {&form.Image1, &form.ListBox2, true, true, true, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(DropOn(*c.target, *c.source, -1, "P4")) << c.source->Name();
    EXPECT_EQ(form.P0.Enabled(), c.p0) << c.source->Name();
    EXPECT_EQ(form.P1.Enabled(), c.p1) << c.source->Name();
    EXPECT_EQ(form.P2.Enabled(), c.p2) << c.source->Name();
    EXPECT_EQ(form.P3.Enabled(), c.p3) << c.source->Name();
  }
  EXPECT_EQ(form.ListBox2.Items(), V{"m0"});  // "中止" changes nothing
}

TEST_F(TransferTest, DragOverAcceptsOnlyListsWithRowsAndNeverTheListItself) {
  struct Case {
    V memory, trash, files;
    gui::Control* target;
    gui::Control* source;
    bool accept;
  } cases[] = {
      {{"m"}, {"t"}, {"f"}, &form.ListBox2, &form.ListBox2, false},
      {{"m"}, {"t"}, {"f"}, &form.ListBox2, &form.ListBox8, true},
      {{"m"}, {"t"}, {}, &form.ListBox2, &form.ListBox4, false},
      {{"m"}, {"t"}, {"f"}, &form.ListBox2, &form.ListBox7, true},
      {{"m"}, {}, {"f"}, &form.ListBox2, &form.Image1, false},
      {{"m"}, {}, {"f"}, &form.ListBox2, &form.ListBox6, false},
      {{"m"}, {"t"}, {"f"}, &form.ListBox2, &form.Image1, true},
      {{"m"}, {"t"}, {"f"}, &form.Image1, &form.Image1, false},
      {{"m"}, {"t"}, {"f"}, &form.Image1, &form.ListBox4, false},
      {{}, {"t"}, {"f"}, &form.Image1, &form.ListBox2, false},
      {{"m"}, {}, {"f"}, &form.Image1, &form.ListBox8, true},
      {{"m"}, {}, {"f"}, &form.Image1, &form.ListBox6, true},
  };
  for (const Case& c : cases) {
    Memory(c.memory);
    Trash(c.trash);
    form.ListBox4.SetItems(c.files);
    EXPECT_EQ(c.target->UserDragOver(*c.source, 1, 1), c.accept) << c.target->Name() << " <- " << c.source->Name();
  }
}

TEST_F(TransferTest, DraggingOverTheMemoryListMarksTheInsertRow) {
  form.SSN.SetChecked(true);
  Memory({"m0", "m1", "m2"});
  const gui::Rect r = form.ListBox2.ItemRect(1);
  ASSERT_TRUE(form.ListBox2.UserDragOver(form.ListBox4, r.left + 1, r.top + 1));
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_EQ(form.ListBox8.Tag(), 1);
  EXPECT_EQ(form.ListBox2.SelCount(), 1);
  EXPECT_TRUE(form.ListBox2.Selected(1));
  EXPECT_TRUE(form.ListBox8.Selected(1));
  ASSERT_TRUE(form.ListBox2.UserDragOver(form.ListBox4, 1, form.ListBox2.Height() - 1));
  EXPECT_EQ(form.ListBox2.Tag(), -1);
  EXPECT_EQ(form.ListBox2.SelCount(), 0);
}

TEST_F(TransferTest, TheTrashIconMovesTheWholeTrashIntoTheMemoryList) {
  form.SSN.SetChecked(true);
  Memory({"m0"});
  Trash({"t0", "t1", "t2"});
  form.ListBox2.SetTag(-1);
  ASSERT_TRUE(DropOn(form.ListBox2, form.Image1, -1, "P2"));
  EXPECT_EQ(form.ListBox2.Items(), (V{"m0", "t0", "t1", "t2"}));
  EXPECT_EQ(form.ListBox8.Items(), (V{"twin", "t", "t", "t"}));  // the twin keeps row for row
  EXPECT_EQ(form.ListBox6.Count(), 0);
  EXPECT_EQ(form.ListBox9.Count(), 0);
  EXPECT_EQ(form.ListBox6.Tag(), -1);
  EXPECT_EQ(form.Label7.Caption(), "0ｺ");
  EXPECT_EQ(form.LabelGomiKosu2.Caption(), "0ｺ");
  EXPECT_FALSE(trashFull);
}

TEST_F(TransferTest, MovingSelectedRowsIntoTheTrashLeavesTheFirstGapCurrent) {
  form.SSN.SetChecked(true);
  Memory({"m0", "m1", "m2", "m3", "m4"});
  Trash({"old"});
  SelectRows(form.ListBox2, {1, 3, 4});
  clearTrash = true;  // the trash is emptied before it receives
  ASSERT_TRUE(DropOn(form.Image1, form.ListBox2, -1, "P0"));
  EXPECT_EQ(form.ListBox6.Items(), (V{"m1", "m3", "m4"}));
  EXPECT_EQ(form.ListBox9.Items(), (V{"twin", "twin", "twin"}));
  EXPECT_EQ(form.ListBox2.Items(), (V{"m0", "m2"}));
  EXPECT_EQ(form.ListBox8.Count(), 2);
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_TRUE(form.ListBox2.Selected(1));
  EXPECT_EQ(form.Label7.Caption(), "3ｺ");
  EXPECT_TRUE(trashFull);
  // The last rows moved: the tag falls off the end.
  SelectRows(form.ListBox2, {1});
  form.ListBox2.SetTag(1);
  clearTrash = false;
  ASSERT_TRUE(DropOn(form.Image1, form.ListBox2, -1, "P0"));
  EXPECT_EQ(form.ListBox2.Items(), V{"m0"});
  EXPECT_EQ(form.ListBox2.Tag(), -1);
  EXPECT_EQ(form.ListBox6.Items(), (V{"m1", "m3", "m4", "m2"}));
  // Rows of the trash thrown back at the trash in CLR mode are not emptied away.
  clearTrash = true;
  SelectRows(form.ListBox6, {0, 1});
  for (const char* item : {"P0", "P1"}) {
    ASSERT_TRUE(DropOn(form.Image1, form.ListBox6, -1, item));
    EXPECT_EQ(form.ListBox6.Items(), (V{"m1", "m3", "m4", "m2"})) << item;
  }
}

TEST_F(TransferTest, OneSelectedRowIsFoundWhereverTheTagPoints) {
  // The tag is the current row; a Ctrl-click can take that row off again and leave another one.
  for (const auto& [row, tag] : {std::pair{2, 2}, {1, 2}, {2, 0}}) {
    Memory({"m0", "m1", "m2"});
    Trash({});
    SelectRows(form.ListBox2, {row});
    form.ListBox2.SetTag(tag);
    ASSERT_TRUE(DropOn(form.Image1, form.ListBox2, -1, "P1"));
    EXPECT_EQ(form.ListBox6.Items(), V{"m" + std::to_string(row)}) << row << " " << tag;
    EXPECT_EQ(form.ListBox2.Count(), 3);  // a copy leaves the source alone
  }
}

TEST_F(TransferTest, AFullTargetStopsWithTheLimitMessage) {
  V rows(32698, "x");
  Memory(rows);
  form.ListBox2.SetTag(-1);
  SelectRows(form.ListBox4, {0, 1, 2, 3});
  h.backend.ExpectModal("TMKBox", "データ項目制限：32700\nデータ登録を強制停止します。").Answer(1);
  ASSERT_TRUE(DropOn(form.ListBox2, form.ListBox4, -1, "P1"));
  EXPECT_EQ(form.ListBox2.Count(), 32700);
  // The drop went in where the mouse was: the first two files, in order, side by side.
  const int at = static_cast<int>(form.ListBox2.Tag());
  ASSERT_GE(at, 2);
  EXPECT_EQ(form.ListBox2.Item(at - 2), "C:\\SS\\A.SCR");
  EXPECT_EQ(form.ListBox2.Item(at - 1), "C:\\SS\\B.SCR");
  // Already full: nothing more goes in.
  h.backend.ExpectModal("TMKBox", "データ項目制限：32700").Answer(1);
  EXPECT_FALSE(transfers->Transfer(form.ListBox4, form.ListBox2, false, -1));
  EXPECT_EQ(form.ListBox2.Count(), 32700);
}

}  // namespace
}  // namespace browse

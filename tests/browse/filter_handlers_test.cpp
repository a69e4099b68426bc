#include "browse/filter_handlers.h"

#include <gtest/gtest.h>

#include "browse/file_browser.h"
#include "browse/filters.h"
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
namespace attr = platform::attr;

constexpr int kJpg = 14;
constexpr int kTxt = 26;

// The manager window with its browser on C:\SS and the filter handlers attached; the boxes are
// set the way the start-up sequence leaves them before StartUp runs.
struct FilterHandlersTest : testing::Test {
  FilterHandlersTest() {
    p.fs.AddFile("C:\\SS\\STAR.SCR", "MZ", attr::kArchive);
    p.fs.AddFile("C:\\SS\\fish.scr", "MZ", attr::kNormal);
    p.fs.AddFile("C:\\SS\\Bird.Scr", "MZ", attr::kReadOnly);
    p.fs.AddFile("C:\\SS\\README.TXT", "", attr::kArchive);
    p.fs.AddFile("C:\\SS\\photo.jpg", "", attr::kNormal);
    p.fs.AddFolder("C:\\SS\\Sub");
    form.SSN.SetChecked(false);
    form.Show();
    handlers.AttachEvents();
  }
  // Boxes as the saved settings set them; none of this may refill the list.
  void SetBoxes(bool scr, bool all, bool extensions, const std::string& own) {
    for (gui::CheckBox* b : {&form.CB1, &form.CB2, &form.CB3, &form.CB4}) b->SetChecked(true);
    form.CB5.SetChecked(true);
    form.CB32.SetChecked(all);
    form.Button13.SetVisible(extensions);
    form.Edit1.SetVisible(!extensions);
    form.Button14.SetVisible(!extensions);
    form.Edit1.SetText(own);
    form.ExtensionBox(kScrIndex).SetChecked(scr);
  }
  void Start(bool scr = true, bool all = false, bool extensions = true, const std::string& own = "") {
    SetBoxes(scr, all, extensions, own);
    EXPECT_TRUE(form.ListBox4.Items().empty());
    EXPECT_TRUE(browser.FileListFolder().empty());
    handlers.StartUp();
    browser.StartUp(false, 0, "C:\\SS");
  }
  void ExpectFolderError(const std::string& code) {
    h.backend.ExpectModal("TMKBox", "フォルダーエラー発生☆☆" + code + "\n別のドライブか、フォルダーを選択してみて下さい")
        .Answer(1);
  }
  void FailNextRefill() { p.fs.FailNext(platform::fake::FsOp::kSetCurrentFolder, "C:\\SS", 5); }
  V Files() const { return form.ListBox4.Items(); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  FileBrowser browser{h.app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", BrowserHooks{}};
  FilterHandlers handlers{form, browser};
};

TEST_F(FilterHandlersTest, StartUpTakesTheBoxesWithoutRefilling) {
  Start();
  EXPECT_EQ(handlers.ExtensionPattern(), "*.SCR;");
  EXPECT_EQ(browser.Pattern(), "*.SCR;");
  EXPECT_EQ(browser.Mask(), 0x27);
  EXPECT_EQ(Files(), (V{"Bird.Scr", "fish.scr", "STAR.SCR"}));
  EXPECT_FALSE(form.Edit1.Visible());
  EXPECT_FALSE(form.Button14.Visible());
  EXPECT_EQ(form.CB32.Color(), form.Color());
}

TEST_F(FilterHandlersTest, StartUpModes) {
  struct Case {
    bool all, extensions;
    std::string own, pattern;
    bool inverted;
  } cases[] = {
      {true, true, "", "*.*", true},
      {false, true, "", "*.SCR;", false},
      {true, false, "*.TXT", "*.TXT", false},  // the own pattern wins over ALL
  };
  for (const Case& c : cases) {
    // A fresh set of handlers per start-up: the boxes set before it must not refill.
    FilterHandlers fresh{form, browser};
    fresh.AttachEvents();
    SetBoxes(true, c.all, c.extensions, c.own);
    fresh.StartUp();
    EXPECT_TRUE(browser.FileListFolder().empty());
    EXPECT_EQ(browser.Pattern(), c.pattern);
    EXPECT_EQ(form.Edit1.Visible(), !c.extensions);
    EXPECT_EQ(form.Button14.Visible(), !c.extensions);
    if (c.extensions) {
      EXPECT_EQ(form.CB32.Color(), c.inverted ? form.Font().color : form.Color()) << c.pattern;
    }
  }
}

TEST_F(FilterHandlersTest, ExtensionPiecesAreAppendedAndRemovedInClickOrder) {
  Start();
  form.ExtensionBox(kJpg).UserClick();
  EXPECT_EQ(handlers.ExtensionPattern(), "*.SCR;*.JPG;");
  EXPECT_EQ(Files(), (V{"Bird.Scr", "fish.scr", "photo.jpg", "STAR.SCR"}));
  EXPECT_EQ(form.Label1.Caption(), " 4ｺ");
  form.ExtensionBox(kTxt).UserClick();
  form.ExtensionBox(kScrIndex).UserClick();
  EXPECT_EQ(handlers.ExtensionPattern(), "*.JPG;*.TXT;");
  EXPECT_EQ(Files(), (V{"photo.jpg", "README.TXT"}));
  form.ExtensionBox(kScrIndex).UserClick();
  EXPECT_EQ(handlers.ExtensionPattern(), "*.JPG;*.TXT;*.SCR;");
  // Nothing checked and ALL off: nothing is listed.
  for (int i : {kJpg, kTxt, kScrIndex}) form.ExtensionBox(i).UserClick();
  EXPECT_EQ(handlers.ExtensionPattern(), "");
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(form.Label1.Caption(), " 0ｺ");
}

TEST_F(FilterHandlersTest, AllListsEverythingWithInvertedColoursUntilAnExtensionIsClicked) {
  Start();
  form.CB32.UserClick();
  EXPECT_EQ(browser.Pattern(), "*.*");
  EXPECT_EQ(Files().size(), 5u);
  EXPECT_EQ(form.CB32.Color(), form.Font().color);
  EXPECT_EQ(form.CB32.Font().color, form.Color());
  // An extension box takes ALL off silently: one refill with the extension pattern.
  form.ExtensionBox(kTxt).UserClick();
  EXPECT_FALSE(form.CB32.Checked());
  EXPECT_EQ(form.CB32.Color(), form.Color());
  EXPECT_EQ(form.CB32.Font().color, form.Font().color);
  EXPECT_EQ(Files(), (V{"Bird.Scr", "fish.scr", "README.TXT", "STAR.SCR"}));
  form.CB32.UserClick();
  form.CB32.UserClick();
  EXPECT_EQ(browser.Pattern(), "*.SCR;*.TXT;");
}

TEST_F(FilterHandlersTest, OwnPatternFollowsTheEditBox) {
  Start();
  form.CB32.UserClick();
  form.Button13.UserClick();
  EXPECT_FALSE(form.CB32.Checked());
  EXPECT_FALSE(form.Button13.Visible());
  EXPECT_TRUE(form.Edit1.Visible());
  EXPECT_TRUE(form.Button14.Visible());
  EXPECT_EQ(form.Edit1.Color(), form.ListBox1.Color());
  EXPECT_TRUE(Files().empty());  // the edit box is empty
  struct Case {
    std::string text;
    V files;
  } cases[] = {
      {"*.scr;*.TXT", {"Bird.Scr", "fish.scr", "README.TXT", "STAR.SCR"}},
      {"*.SCR;*.scr;", {"Bird.Scr", "fish.scr", "STAR.SCR"}},  // each file once
      {";", {}},
      {"s*", {"STAR.SCR"}},
  };
  for (const Case& c : cases) {
    form.Edit1.SetText(c.text);
    EXPECT_EQ(Files(), c.files) << c.text;
  }
  // The star button goes back to the extension boxes; so does a click on one of them.
  form.Button14.UserClick();
  EXPECT_EQ(browser.Pattern(), "*.SCR;");
  EXPECT_TRUE(form.Button13.Visible());
  EXPECT_FALSE(form.Edit1.Visible());
  form.Button13.UserClick();
  EXPECT_EQ(browser.Pattern(), "s*");
  form.ExtensionBox(kJpg).UserClick();
  EXPECT_TRUE(form.Button13.Visible());
  EXPECT_FALSE(form.Button14.Visible());
  EXPECT_EQ(Files(), (V{"Bird.Scr", "fish.scr", "photo.jpg", "STAR.SCR"}));
}

TEST_F(FilterHandlersTest, AttributeBoxesSetTheMask) {
  Start();
  form.CB32.UserClick();
  struct Case {
    bool rd, sys, hid, arc, nor;
    V files;
  } cases[] = {
      {false, false, false, true, false, {"README.TXT", "STAR.SCR"}},  // only archive files
      {true, false, false, false, false, {"Bird.Scr"}},
      {false, false, false, false, false, {}},                         // mask 0 and nor off
      {false, false, false, false, true, {"Bird.Scr", "fish.scr", "photo.jpg", "README.TXT", "STAR.SCR"}},
  };
  for (const Case& c : cases) {
    form.CB1.UserCheck(c.rd);
    form.CB2.UserCheck(c.sys);
    form.CB3.UserCheck(c.hid);
    form.CB4.UserCheck(c.arc);
    form.CB5.UserCheck(c.nor);
    EXPECT_EQ(Files(), c.files) << c.rd << c.sys << c.hid << c.arc << c.nor;
  }
}

TEST_F(FilterHandlersTest, AFailedRefillNamesTheControlAndResetsIt) {
  Start();
  // Attribute box: all five go off without refilling again.
  FailNextRefill();
  ExpectFolderError("zk");
  form.CB2.UserClick();
  for (gui::CheckBox* b : {&form.CB1, &form.CB2, &form.CB3, &form.CB4, &form.CB5}) EXPECT_FALSE(b->Checked());
  EXPECT_EQ(browser.Mask(), 0);
  for (gui::CheckBox* b : {&form.CB4, &form.CB5}) b->UserClick();

  // Extension box: all thirty go off, the pattern restarts.
  FailNextRefill();
  ExpectFolderError("cb");
  form.ExtensionBox(kJpg).UserClick();
  for (int i = 0; i < kExtensionCount; ++i) EXPECT_FALSE(form.ExtensionBox(i).Checked()) << i;
  EXPECT_EQ(handlers.ExtensionPattern(), "");
  form.ExtensionBox(kTxt).UserClick();
  EXPECT_EQ(handlers.ExtensionPattern(), "*.TXT;");
  EXPECT_EQ(Files(), V{"README.TXT"});

  // ALL: red background, black on a red window.
  FailNextRefill();
  ExpectFolderError("al");
  form.CB32.UserClick();
  EXPECT_EQ(form.CB32.Color(), gui::colors::kRed);
  form.CB32.UserClick();
  form.SetColor(gui::colors::kRed);
  FailNextRefill();
  ExpectFolderError("al");
  form.CB32.UserClick();
  EXPECT_EQ(form.CB32.Color(), gui::colors::kBlack);
  form.SetColor(gui::colors::kBtnFace);

  // The own-pattern button and the edit box turn the edit box red.
  FailNextRefill();
  ExpectFolderError("eb");
  form.Button13.UserClick();
  EXPECT_EQ(form.Edit1.Color(), gui::colors::kRed);
  FailNextRefill();
  ExpectFolderError("ec");
  form.Edit1.SetText("*.TXT");
  EXPECT_EQ(form.Edit1.Color(), gui::colors::kRed);
  form.Edit1.SetText("*.JPG");
  EXPECT_EQ(form.Edit1.Color(), form.ListBox1.Color());
  EXPECT_EQ(Files(), V{"photo.jpg"});

  // The star button unchecks the extension boxes.
  form.ExtensionBox(kTxt).SetChecked(true);
  form.Button13.UserClick();
  FailNextRefill();
  ExpectFolderError("st");
  form.Button14.UserClick();
  for (int i = 0; i < kExtensionCount; ++i) EXPECT_FALSE(form.ExtensionBox(i).Checked()) << i;
  EXPECT_EQ(h.app.GetScreen().Cursor(), gui::Cursor::Default);
}

}  // namespace
}  // namespace browse

#include "browse/file_browser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/canvas.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace browse {

using namespace text;
namespace {

using testsupport::Utf8;
using V = std::vector<std::string>;

// The manager window on the headless backend with a browser over a small fake machine:
// C:\WINDOWS (the Windows folder), C:\QUOVEL32 (the program), C:\SS with savers and C:\Docs
// which the shell shows as "ドキュメント".
struct FileBrowserTest : testing::Test {
  FileBrowserTest() {
    p.fs.AddFile("C:\\SS\\STAR.SCR", "MZ");
    p.fs.AddFile("C:\\SS\\fish.scr", "MZ");
    p.fs.AddFile("C:\\SS\\README.TXT");
    p.fs.AddFile("C:\\SS\\HIDDEN.SCR", "MZ", platform::attr::kHidden);
    p.fs.AddFolder("C:\\SS\\Sub\\Deep");
    p.fs.AddFolder("C:\\SS\\Other");
    p.fs.AddFolder("C:\\Docs\\Games");
    p.shell.SetDisplayName("C:\\Docs", "ドキュメント");
    form.K6.SetChecked(true);
    form.SSN.SetChecked(false);
    form.CB5.SetChecked(true);
  }
  std::unique_ptr<FileBrowser> Make() {
    BrowserHooks hooks;
    hooks.RememberDriveFolder = [this](const std::string& folder) {
      for (std::string& line : driveFolders) {
        if (SameText(line.substr(0, 1), folder.substr(0, 1))) {
          line = folder;
          return;
        }
      }
      driveFolders.push_back(folder);
    };
    hooks.DriveFolders = [this] { return driveFolders; };
    hooks.SaverDescription = [this](const std::string& path, const platform::FindEntry&) {
      asked.push_back(path);
      auto it = descriptions.find(UpperAscii(path));
      return it == descriptions.end() ? std::string() : it->second;
    };
    hooks.FolderListed = [this](const std::string& folder) { listed.push_back(folder); };
    hooks.KeptListing = [this](const FileListing&) { return kept; };
    hooks.KeepListing = [this](const FileListing& listing) { kept = listing; };
    return std::make_unique<FileBrowser>(h.app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", hooks);
  }
  void Start(const std::string& cpath, int dirNo = 0) {
    browser = Make();
    browser->StartUp(false, dirNo, cpath);
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  V driveFolders, asked, listed;
  std::map<std::string, std::string> descriptions;
  std::optional<FileListing> kept;  // the listing kept for the next run
  std::unique_ptr<FileBrowser> browser;
};

TEST_F(FileBrowserTest, StartUpListsDrivesAndOpensTheSavedFolder) {
  p.fs.AddDrive('A', platform::drive::kRemovable, "FD");
  p.fs.SetDriveReady('A', false);
  p.fs.AddDrive('D', platform::drive::kFixed, "DATA");
  Start("C:\\SS\\");
  EXPECT_EQ(form.ComboBox2.Items(), (V{"A:", "C:[]", "D:"}));  // only the chosen drive has a label
  EXPECT_EQ(form.ComboBox2.ItemIndex(), 1);
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS");
  EXPECT_EQ(form.ListBox1.Items(), (V{"C:\\", "SS", "Other", "Sub"}));
  EXPECT_EQ(form.ListBox1.ItemIndex(), 1);
  EXPECT_EQ(form.Label19.Caption(), "4ｺ");
  EXPECT_EQ(form.ListBox4.Items(), (V{"fish.scr", "HIDDEN.SCR", "STAR.SCR"}));
  EXPECT_EQ(form.ListBox4.Tag(), -1);
  EXPECT_EQ(form.Label1.Caption(), " 3ｺ");
  EXPECT_EQ(p.fs.CurrentFolder(), "C:\\SS");
  EXPECT_EQ(driveFolders, V{"C:\\SS"});
  EXPECT_EQ(listed, V{"C:\\SS"});
  EXPECT_EQ(browser->DirNo(), 0);
  EXPECT_EQ(h.app.GetScreen().Cursor(), gui::Cursor::Default);
}

TEST_F(FileBrowserTest, TheDriveListFollowsTheSavedFolderOnAnotherDrive) {
  p.fs.AddDrive('D', platform::drive::kFixed, "DATA");
  p.fs.AddFolder("D:\\Savers");
  Start("D:\\Savers");
  EXPECT_EQ(form.ComboBox2.ItemIndex(), 1);
  EXPECT_EQ(form.ComboBox2.Items(), (V{"C:[]", "D:[DATA]"}));
  EXPECT_EQ(browser->CurrentFolder(), "D:\\Savers");
}

// Names the program's text cannot hold (u-umlaut, a yen sign that best fit would make a "\\")
// are listed by their 8.3 names, which reach exactly those entries; without one (a volume that
// keeps none) they are left out and counted, never shown as a look-alike.
TEST_F(FileBrowserTest, NamesTheTextCannotHoldGoByTheirShortNamesOrAreCounted) {
  p.fs.AddFile("C:\\Mix\\Jurgen.SCR", "a");
  p.fs.AddFile("C:\\Mix\\Jurgen2.SCR", "held");  // stands for Jürgen.SCR
  p.fs.SetShortName("C:\\Mix\\Jurgen2.SCR", "JRGEN~1.SCR");
  p.fs.MakeNameUnheld("C:\\Mix\\Jurgen2.SCR");
  p.fs.AddFile("C:\\Mix\\XY.SCR", "no short name");  // stands for X¥Y.SCR
  p.fs.MakeNameUnheld("C:\\Mix\\XY.SCR");
  p.fs.AddFolder("C:\\Mix\\Zoe");  // stands for Zoë
  p.fs.SetShortName("C:\\Mix\\Zoe", "ZO5F2~1");
  p.fs.MakeNameUnheld("C:\\Mix\\Zoe");
  p.fs.AddFolder("C:\\Mix\\Chloe");
  p.fs.MakeNameUnheld("C:\\Mix\\Chloe");
  Start("C:\\Mix");
  EXPECT_EQ(form.ListBox4.Items(), (V{"JRGEN~1.SCR", "Jurgen.SCR"}));
  EXPECT_EQ(form.ListBox1.Items(), (V{"C:\\", "Mix", "ZO5F2~1"}));
  EXPECT_EQ(form.Label2.Caption(), UnnamedEntries(1));  // the file list's reading: X¥Y.SCR
  EXPECT_EQ(p.fs.ReadFile("C:\\Mix\\" + form.ListBox4.Item(0)), "held");
}

TEST_F(FileBrowserTest, FileListRowShowsItsInformation) {
  Start("C:\\SS");
  form.ListBox4.SetItemIndex(1);  // "HIDDEN.SCR"
  EXPECT_TRUE(browser->ShowFileListInfo());
  EXPECT_EQ(form.ListBox4.Tag(), 1);
  EXPECT_EQ(form.Label2.Caption(), "HIDDEN.SCR");
  EXPECT_EQ(form.Label3.Caption(), "2");
  EXPECT_EQ(form.Label4.Caption().substr(form.Label4.Caption().size() - 4), "  h ");
  // A file that went away leaves the placeholders; so does a list without a current row.
  form.ListBox4.SetItemIndex(2);
  ASSERT_TRUE(p.fs.Delete("C:\\SS\\STAR.SCR").ok());
  EXPECT_FALSE(browser->ShowFileListInfo());
  EXPECT_EQ(form.Label2.Caption(), "STAR.SCR");
  EXPECT_EQ(form.Label3.Caption(), "----------");
  form.ListBox4.SetItemIndex(-1);
  EXPECT_FALSE(browser->ShowFileListInfo());
  EXPECT_EQ(form.ListBox4.Tag(), -1);
  // Paths of a memory list may name folders by their shell names.
  p.fs.AddFile("C:\\Docs\\Games\\X.SCR", "MZ!");
  EXPECT_TRUE(browser->ShowFileInfo("C:\\ドキュメント\\Games\\X.SCR"));
  EXPECT_EQ(form.Label3.Caption(), "3");
}

TEST_F(FileBrowserTest, AMissingSavedFolderOpensTheWindowsFolderWithoutAMessage) {
  for (const char* saved : {"", "C:\\GONE\\AWAY"}) {
    Start(saved);
    EXPECT_EQ(browser->CurrentFolder(), "C:\\WINDOWS") << saved;
    EXPECT_EQ(browser->FileListFolder(), "C:\\WINDOWS") << saved;
  }
}

TEST_F(FileBrowserTest, SavedFileListRow) {
  Start("C:\\SS");
  struct Case {
    int row, tag, index;
  } cases[] = {{2, 2, 2}, {3, 2, 2}, {-2, 2, 2}, {-1, -1, -1}, {0, 0, 0}};  // beyond the end: ignored
  for (const Case& c : cases) {
    browser->SelectFileListRow(c.row);
    EXPECT_EQ(form.ListBox4.Tag(), c.tag) << c.row;
    EXPECT_EQ(form.ListBox4.ItemIndex(), c.index) << c.row;
    EXPECT_EQ(browser->FileListIndex(), c.tag) << c.row;
  }
}

TEST_F(FileBrowserTest, FilterEdgeCases) {
  Start("C:\\SS");
  struct Case {
    std::string pattern;
    int mask;
    bool normal;
    V files;
  } cases[] = {
      {"*.SCR;*.scr;", 0x27, true, {"fish.scr", "HIDDEN.SCR", "STAR.SCR"}},  // each file once
      {";", 0x27, true, {}},
      {"", 0x27, true, {}},
      {"*.SCR;", 0, false, {}},                                   // no attribute box, "nor" off
      {"*.SCR;", 0x02, false, {"HIDDEN.SCR"}},
      {"*.SCR;", 0x00, true, {"fish.scr", "STAR.SCR"}},           // hidden files need the mask's bit
      {"*.TXT;*.SCR;", 0x20, false, {"fish.scr", "README.TXT", "STAR.SCR"}},
  };
  for (const Case& c : cases) {
    browser->SetFilter(c.pattern, c.mask);
    form.CB5.SetChecked(c.normal);
    browser->FillFileList("C:\\SS\\");
    EXPECT_EQ(form.ListBox4.Items(), c.files) << c.pattern << " " << c.mask;
    std::string count(1, ' ');
    count += std::to_string(c.files.size());
    count += "ｺ";
    EXPECT_EQ(form.Label1.Caption(), count);
  }
}

TEST_F(FileBrowserTest, SaverNamesOrderTheListAndFillTheTwin) {
  descriptions = {{"C:\\SS\\STAR.SCR", "同じ名前"}, {"C:\\SS\\FISH.SCR", "同じ名前"}};
  p.fs.AddFile("C:\\SS\\AAA.SCR", "MZ");  // no description: among the other files
  form.SSN.SetChecked(true);
  Start("C:\\SS");
  browser->SetFilter("*.SCR;*.TXT;", 0x27);
  browser->FillFileList("C:\\SS");
  EXPECT_EQ(form.ListBox4.Items(), (V{"fish.scr", "STAR.SCR", "AAA.SCR", "HIDDEN.SCR", "README.TXT"}));
  EXPECT_EQ(form.ListBox7.Items(), (V{"同じ名前", "同じ名前", "AAA.SCR", "HIDDEN.SCR", "README.TXT"}));
  EXPECT_TRUE(form.ListBox7.Visible());
  EXPECT_EQ(form.Label1.Caption(), " 5ｺ");
  // Descriptions are read from the name as listed in the listed folder.
  EXPECT_NE(std::find(asked.begin(), asked.end(), "C:\\SS\\STAR.SCR"), asked.end());
  form.SSN.SetChecked(false);
  browser->FillFileList("C:\\SS");
  EXPECT_FALSE(form.ListBox7.Visible());
  EXPECT_EQ(form.ListBox7.Count(), 0);
}

// A folder listed again with the same entries keeps its order without asking for the names
// again; a saver replaced by another file of the same name is read again.
TEST_F(FileBrowserTest, AFolderListedAgainAsksOnlyForChangedSavers) {
  descriptions = {{"C:\\SS\\STAR.SCR", "星"}, {"C:\\SS\\FISH.SCR", "魚"}};
  form.SSN.SetChecked(true);
  Start("C:\\SS");
  asked.clear();
  browser->FillFileList("C:\\SS");
  EXPECT_EQ(asked, V{});
  EXPECT_EQ(form.ListBox7.Items(), (V{"魚", "星", "HIDDEN.SCR"}));
  descriptions["C:\\SS\\STAR.SCR"] = "流れ星";
  ASSERT_TRUE(os.fs.WriteFile("C:\\SS\\STAR.SCR", "MZ new").ok());
  browser->FillFileList("C:\\SS");
  EXPECT_EQ(form.ListBox7.Items(), (V{"魚", "流れ星", "HIDDEN.SCR"}));
  EXPECT_EQ(form.ListBox4.Items(), (V{"fish.scr", "STAR.SCR", "HIDDEN.SCR"}));
}

// A long listing is kept for the next run, which takes its rows without asking for a name, but
// only while it was made of exactly what the folder gives and its rows are rows of those entries.
TEST_F(FileBrowserTest, ALongListingIsKeptForTheNextRunAndTakenOnlyWhileItFits) {
  for (size_t i = 0; i < kKeptListingRows; ++i) {
    const std::string path = "C:\\BIG\\S" + std::to_string(1000 + i) + ".SCR";
    p.fs.AddFile(path, "MZ");
    if (i % 2 == 0) descriptions[path] = "名前" + std::to_string(i % 7);
  }
  form.SSN.SetChecked(true);
  Start("C:\\BIG");
  ASSERT_TRUE(kept.has_value());
  const FileListing made = *kept;
  const V rows = form.ListBox4.Items(), twin = form.ListBox7.Items();
  struct Case {
    const char* what;
    std::function<void(FileListing&)> change;
    bool taken;
  } cases[] = {
      {"unchanged", [](FileListing&) {}, true},
      {"a saver's size differs", [](FileListing& l) { l.found[3].size += 1; }, false},
      {"another collation", [](FileListing& l) { l.collation += 'x'; }, false},
      {"a row that is no entry", [](FileListing& l) { l.files[0] = "EVIL.SCR"; }, false},
      {"a row listed twice", [](FileListing& l) { l.files[1] = l.files[0]; }, false},
      {"twin rows missing", [](FileListing& l) { l.twin.pop_back(); }, false},
      {"an entry without its row", [](FileListing& l) { l.files.pop_back(); l.twin.pop_back(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kept = made;
    c.change(*kept);
    form.ListBox4.ClearItems();
    form.ListBox7.ClearItems();
    asked.clear();
    Start("C:\\BIG");
    EXPECT_EQ(asked.empty(), c.taken);
    EXPECT_EQ(form.ListBox4.Items(), rows);
    EXPECT_EQ(form.ListBox7.Items(), twin);
  }
}

TEST_F(FileBrowserTest, FolderListClicksOpenRootAndSubfolders) {
  Start("C:\\SS");
  form.Show();
  ASSERT_TRUE(form.ListBox1.UserSelect(3));  // "Sub"
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS\\Sub");
  EXPECT_EQ(form.ListBox1.Items(), (V{"C:\\", "SS", "Sub", "Deep"}));
  EXPECT_EQ(browser->FolderListRows()[3].level, 3);
  ASSERT_TRUE(form.ListBox1.UserSelect(0));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\");
  EXPECT_EQ(browser->FileListFolder(), "C:\\");
  // While a bulk registration runs (its button hidden) a click only beeps.
  form.Button7.Hide();
  const size_t beeps = p.desktop.Beeps().size();
  ASSERT_TRUE(form.ListBox1.UserSelect(1));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\");
  ASSERT_EQ(p.desktop.Beeps().size(), beeps + 1);
  EXPECT_EQ(p.desktop.Beeps().back(), 0x30u);
}

TEST_F(FileBrowserTest, ShellNamesAreShownAndMappedBack) {
  Start("C:\\Docs\\Games");
  EXPECT_EQ(form.ListBox1.Items(), (V{"C:\\", "ドキュメント", "Games"}));
  form.Show();
  ASSERT_TRUE(form.ListBox1.UserSelect(1));  // a path made of shell names
  EXPECT_EQ(browser->CurrentFolder(), "C:\\Docs") << Utf8(browser->CurrentFolder());
}

TEST_F(FileBrowserTest, TreeWalksDownThroughShellNamesAndAddsChildrenOnSelection) {
  Start("C:\\Docs\\Games", 1);
  EXPECT_FALSE(form.ListBox1.Visible());
  gui::TreeNode* root = form.TreeView1.Root(0);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Text(), "C:\\");
  gui::TreeNode* selected = form.TreeView1.Selected();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->Text(), "Games");
  EXPECT_EQ(selected->Parent()->Text(), "ドキュメント");
  EXPECT_TRUE(selected->Bold());
  EXPECT_TRUE(selected->Parent()->Expanded());
  const int nodes = 1 + root->Count() + selected->Parent()->Count();
  EXPECT_EQ(form.Label19.Caption(), std::to_string(nodes) + "ｺ");
  EXPECT_EQ(browser->DirNo(), 1);

  // Selecting "SS" makes it current and reads its children once.
  gui::TreeNode* ss = nullptr;
  for (int i = 0; i < root->Count(); ++i) {
    if (root->Child(i)->Text() == "SS") ss = root->Child(i);
  }
  ASSERT_NE(ss, nullptr);
  form.Show();
  ASSERT_TRUE(form.TreeView1.UserSelect(*ss));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS");
  EXPECT_EQ(ss->Count(), 2);
  EXPECT_TRUE(ss->Expanded());
  EXPECT_TRUE(ss->Bold());
  EXPECT_FALSE(selected->Bold());
  EXPECT_EQ(form.ListBox4.Count(), 3);
  ASSERT_TRUE(form.TreeView1.UserSelect(*ss->Child(0)));  // "Other"
  ASSERT_TRUE(form.TreeView1.UserSelect(*ss));
  EXPECT_EQ(ss->Count(), 2);

  // Every node, the root and those read later included, shows a closed folder and an open one
  // while selected, from the tree's two pictures.
  std::function<void(gui::TreeNode&)> check = [&](gui::TreeNode& n) {
    EXPECT_EQ(n.ImageIndex(), 0) << Utf8(n.Text());
    EXPECT_EQ(n.SelectedIndex(), 1) << Utf8(n.Text());
    for (int i = 0; i < n.Count(); ++i) check(*n.Child(i));
  };
  check(*root);
  ASSERT_EQ(form.TreeView1.Images().size(), 2u);
  for (const auto& picture : form.TreeView1.Images()) EXPECT_EQ(picture->Width() * 100 + picture->Height(), 1616);
}

TEST_F(FileBrowserTest, ATreeNodeWhoseFolderVanishedRecoversToItsParent) {
  Start("C:\\SS\\Sub", 1);
  form.Show();
  gui::TreeNode* sub = form.TreeView1.Selected();
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->Count(), 1);  // "Deep"
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\").ok());
  ASSERT_TRUE(p.fs.RemoveFolder("C:\\SS\\Sub\\Deep").ok());
  h.backend.ExpectModal("TMKBox", "フォルダー・エラー発生\nC:\\SS\\Sub\\Deep\n").Answer(1);
  ASSERT_TRUE(form.TreeView1.UserSelect(*sub->Child(0)));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS\\Sub");
  ASSERT_NE(form.TreeView1.Selected(), nullptr);
  EXPECT_EQ(form.TreeView1.Selected()->Text(), "Sub");  // the tree was rebuilt
  EXPECT_EQ(form.TreeView1.Selected()->Count(), 0);
  EXPECT_EQ(browser->FileListFolder(), "C:\\SS\\Sub");
}

TEST_F(FileBrowserTest, ViewSwitchKeepsTheFolderAndTheFileList) {
  Start("C:\\SS");
  form.Show();
  p.fs.AddFile("C:\\SS\\NEW.SCR");
  ASSERT_TRUE(form.Button1.UserClick());
  EXPECT_FALSE(form.ListBox1.Visible());
  EXPECT_EQ(form.TreeView1.Selected()->Text(), "SS");
  EXPECT_EQ(form.ListBox4.Count(), 3);  // not refilled
  ASSERT_TRUE(form.Button1.UserClick());
  EXPECT_TRUE(form.ListBox1.Visible());
  EXPECT_EQ(form.ListBox1.Item(form.ListBox1.ItemIndex()), "SS");
}

TEST_F(FileBrowserTest, AVanishedFolderFallsBackToTheNearestExistingOne) {
  Start("C:\\SS\\Sub\\Deep");
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\").ok());  // Windows keeps the current folder
  ASSERT_TRUE(p.fs.RemoveFolder("C:\\SS\\Sub\\Deep").ok());
  h.backend.ExpectModal("TMKBox", "フォルダー・エラー発生\nC:\\SS\\Sub\\Deep\n").Answer(1);
  browser->OpenFolderListSafe("C:\\SS\\Sub\\Deep");
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS\\Sub");
  EXPECT_EQ(browser->FileListFolder(), "C:\\SS\\Sub");
  EXPECT_EQ(form.ListBox1.Items(), (V{"C:\\", "SS", "Sub"}));
  // Gone to by name (a folder of the history) it is not left for the drive's root in silence.
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\").ok());
  ASSERT_TRUE(p.fs.RemoveFolder("C:\\SS\\Sub").ok());
  h.backend.ExpectModal("TMKBox", "フォルダー・エラー発生\nC:\\SS\\Sub\n").Answer(1);
  browser->GoToFolderSafe("C:\\SS\\Sub");
  EXPECT_EQ(browser->FileListFolder(), "C:\\SS");
}

TEST_F(FileBrowserTest, AnEmptyFloppyReturnsToThePreviousFolder) {
  p.fs.AddDrive('A', platform::drive::kRemovable);
  p.fs.SetDriveReady('A', false);
  Start("C:\\SS");
  form.Show();
  h.backend.ExpectModal("TMKBox", "ドライブ・エラー発生\nA\n元のドライブに戻します").Answer(1);
  ASSERT_TRUE(form.ComboBox2.UserSelect(0));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS");
  EXPECT_EQ(form.ComboBox2.ItemIndex(), 1);
  EXPECT_EQ(form.ListBox4.Count(), 3);
  EXPECT_EQ(p.fs.ErrorMode(), 0u);
}

TEST_F(FileBrowserTest, ADriveOpensItsRememberedFolder) {
  p.fs.AddDrive('D', platform::drive::kFixed, "DATA");
  p.fs.AddFolder("D:\\Work\\Savers");
  p.fs.AddFile("D:\\Work\\Savers\\X.SCR");
  driveFolders = {"d:\\Work\\Savers"};
  Start("C:\\SS");
  form.Show();
  form.ButtonR.UserClick();
  EXPECT_EQ(form.Panel_FOL.Width(), 30);
  ASSERT_TRUE(form.ComboBox2.UserSelect(1));
  EXPECT_EQ(form.Panel_FOL.Width(), 156);  // the standard width is back for a drive change
  EXPECT_TRUE(SameText(browser->CurrentFolder(), "D:\\Work\\Savers")) << browser->CurrentFolder();
  EXPECT_EQ(form.ComboBox2.Items()[1], "D:[DATA]");
  EXPECT_EQ(form.ListBox4.Items(), V{"X.SCR"});
  // Without a remembered folder: the drive's current folder.
  ASSERT_TRUE(form.ComboBox2.UserSelect(0));
  EXPECT_EQ(browser->CurrentFolder(), "C:\\SS");
}

TEST_F(FileBrowserTest, RecoveryStopsOnceTheWindowsDriveRootHasFailed) {
  // The Windows folder lies on a drive without a medium; the open folder vanishes.
  p.fs.AddDrive('W', platform::drive::kRemovable);
  p.fs.SetDriveReady('W', false);
  ShellPaths windowsOnW{p.fs, p.shell, p.collation, "W:\\WINDOWS\\"};
  BrowserHooks none;
  FileBrowser b(h.app, form, os, box, windowsOnW, "C:\\QUOVEL32\\QUOVEL32.EXE", none);
  b.StartUp(false, 0, "C:\\SS\\Other");
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\").ok());
  ASSERT_TRUE(p.fs.RemoveFolder("C:\\SS\\Other").ok());
  h.backend.ExpectModal("TMKBox", "エラー回避に失敗しました\nW:\\\n").Answer(1);
  b.RecoverTo("C:\\SS\\Other");
  EXPECT_EQ(b.CurrentFolder(), "C:\\SS\\Other");  // the browser stays as it was
  // A second chain starts afresh and reaches an existing folder.
  b.RecoverTo("C:\\SS");
  EXPECT_EQ(b.CurrentFolder(), "C:\\SS");
}

TEST_F(FileBrowserTest, FolderErrorMessageAndPanelSizes) {
  Start("C:\\SS");
  form.Show();
  h.app.GetScreen().SetCursor(gui::Cursor::HourGlass);
  h.backend.ExpectModal("TMKBox", "フォルダーエラー発生☆☆E3\n別のドライブか、フォルダーを選択してみて下さい").Answer(1);
  browser->ShowFolderError("E3");
  EXPECT_EQ(h.app.GetScreen().Cursor(), gui::Cursor::Default);

  const int width = form.Panel_FF.Width();
  ASSERT_TRUE(form.ButtonL.UserClick());
  EXPECT_EQ(form.Panel_FOL.Width(), width - 30);
  ASSERT_TRUE(form.ButtonM.UserClick());
  EXPECT_EQ(form.Panel_FOL.Width(), 156);
  struct Drag {
    gui::Panel& bar;
    int delta;
    int height, width;
  } drags[] = {{form.Panel_FF_V, 40, 137, 299}, {form.Panel_FF_V, -500, 97, 299},
               {form.Panel5, 60, 97, 359}, {form.Panel5, -500, 97, 299}};
  for (const Drag& d : drags) {
    const bool vertical = &d.bar == &form.Panel_FF_V;
    ASSERT_TRUE(d.bar.UserMouseUp(gui::MouseButton::Left, 0, vertical ? 0 : d.delta, vertical ? d.delta : 0));
    EXPECT_EQ(form.Panel_FF.Height(), d.height) << d.delta;
    EXPECT_EQ(form.Panel_FF.Width(), d.width) << d.delta;
  }
  // The splitter moves the border between folders and files; both keep 30 pixels.
  ASSERT_TRUE(form.ButtonM.UserClick());
  for (auto [delta, folders] : {std::pair{-20, 136}, {500, 269}, {-500, 30}}) {
    ASSERT_TRUE(form.Splitter1.UserMouseUp(gui::MouseButton::Left, 0, delta, 5));
    EXPECT_EQ(form.Panel_FOL.Width(), folders) << delta;
    EXPECT_EQ(form.Splitter1.Left(), folders) << delta;
    EXPECT_EQ(form.ListBox4.Left(), folders + form.Splitter1.Width()) << delta;
  }
}

TEST_F(FileBrowserTest, OwnerDrawnRowsPutPictureAndTextInPlace) {
  Start("C:\\SS\\Sub");
  gui::RecordingCanvas canvas;
  canvas.brush.color = gui::colors::kWhite;
  browser->ListBox1DrawItem(canvas, 2, {0, 36, 150, 18}, false);  // "Sub", the current row
  auto bitmaps = canvas.OpsOf(gui::DrawOp::Kind::Bitmap);
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].rect.left, 2 * 4 + 2);
  EXPECT_EQ(bitmaps[0].bitmap->Pixel(0, 0), gui::colors::kWhite);  // the red key shows the row
  auto texts = canvas.OpsOf(gui::DrawOp::Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Sub");
  EXPECT_TRUE(texts[0].font.bold);
  EXPECT_EQ(texts[0].points[0].x, 10 + form.Image5.Picture()->Width());
  canvas.Clear();
  browser->ListBox1DrawItem(canvas, 3, {0, 54, 150, 18}, false);  // "Deep", a subfolder
  EXPECT_FALSE(canvas.OpsOf(gui::DrawOp::Kind::Text)[0].font.bold);
  EXPECT_EQ(canvas.OpsOf(gui::DrawOp::Kind::Bitmap)[0].bitmap->Width(), form.Image5.Picture()->Width());

  canvas.Clear();
  browser->ComboBox2DrawItem(canvas, 0, {0, 0, 100, 20}, false);
  bitmaps = canvas.OpsOf(gui::DrawOp::Kind::Bitmap);
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].rect.top, 5);
  EXPECT_EQ(bitmaps[0].rect.width, form.Fixed.Picture()->Width());
  EXPECT_EQ(canvas.OpsOf(gui::DrawOp::Kind::Text)[0].text, "C:[]");
}

}  // namespace
}  // namespace browse

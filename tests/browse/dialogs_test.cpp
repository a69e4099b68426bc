// The browse dialog and the folder-setting dialog on the fake machine, driven as a user does.
#include <gtest/gtest.h>

#include "browse/browse_dialog.h"
#include "browse/folder_setting_dialog.h"
#include "browse/shell_paths.h"
#include "forms/dir2set_form.h"
#include "forms/dir2view_form.h"
#include "forms/snbox_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"

namespace browse {
namespace {

using V = std::vector<std::string>;

TEST(FilterLines, PairsUpToTheFirstIncompleteOneAndAnAllFilesLine) {
  struct Case {
    const char* filter;
    V lines;
  };
  for (const Case& c : {Case{"Text|*.TXT", {"Text (*.TXT)", "ALL files (*.*)"}},
                        Case{"A|*.A|B", {"A (*.A)", "ALL files (*.*)"}},
                        Case{"X||Y|*.Y", {"Y (*.Y)", "ALL files (*.*)"}},
                        Case{"全部|*.*", {"全部 (*.*)"}},
                        Case{"", {"ALL files (*.*)"}}}) {
    V lines;
    for (const FilterLine& l : ParseFilter(c.filter)) lines.push_back(l.text);
    EXPECT_EQ(lines, c.lines) << c.filter;
  }
}

TEST(NewFolderPrompt, LongFoldersShowTheirLastCharacters) {
  const std::string sixty = "C:\\" + std::string(56, 'x');  // 59 characters, 60 with "\"
  EXPECT_EQ(NewFolderPrompt(sixty), "..." + std::string(35, 'x') + "\\     ");
  EXPECT_EQ(NewFolderPrompt("C:\\A"), "C:\\A\\     ");
}

struct DialogsTest : testing::Test {
  DialogsTest() {
    p.fs.AddFolder("C:\\DATA\\ONE\\TWO");
    p.fs.AddFile("C:\\DATA\\big.txt", std::string(12345678, 'x'));
    p.fs.AddFile("C:\\DATA\\small.txt", "12");
    p.fs.AddFile("C:\\DATA\\ONE\\inside.txt", "x");
  }
  static forms::TDIR2VIEWForm& View(gui::Form& f) { return static_cast<forms::TDIR2VIEWForm&>(f); }
  static V Names(const gui::ListView& list) {
    V names;
    for (const gui::ListItem& item : list.Items()) names.push_back(item.caption);
    return names;
  }
  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  TDIR2OPENDLG browse{h.app, os, paths, "C:\\QUOVEL32\\QUOVEL32.EXE"};
  TDIR2SETDLG setting{h.app, os, paths, "C:\\QUOVEL32\\QUOVEL32.EXE"};
};

// Back, up, a new folder through the text dialog, a folder that cannot be deleted, the size
// column sorted both ways, the chosen folder.
TEST_F(DialogsTest, BrowsingBackUpNewAndDeleteThenChoosing) {
  browse.Directory = "C:\\DATA";
  h.backend.ExpectModal("TDIR2VIEWForm", "フォルダーの参照").Do([&](gui::Form& f) {
    forms::TDIR2VIEWForm& d = View(f);
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\DATA");
    EXPECT_FALSE(d.Button_HF.Enabled());
    EXPECT_EQ(d.ListView1.Column(0).Caption(), "2ｺ　ファイル名");
    d.ListView1.UserColumnClick(1);
    EXPECT_EQ(Names(d.ListView1), (V{"small.txt", "big.txt"}));
    d.ListView1.UserColumnClick(1);
    EXPECT_EQ(Names(d.ListView1), (V{"big.txt", "small.txt"}));
    // A name with a path is no new folder here.
    for (const char* name : {"..\\..\\OUT", "新しい"}) {
      h.backend.ExpectModal("TSNBox", "C:\\DATA\\     ").Do([name](gui::Form& box) {
        static_cast<forms::TSNBox&>(box).Edit1.UserType(name);
        static_cast<forms::TSNBox&>(box).Button1.UserClick();
      });
      if (name[0] == '.') h.backend.ExpectModal("TMKBox", "フォルダーの作成に失敗しました").Answer(gui::kMrOk);
      d.Button3.UserClick();
    }
    EXPECT_FALSE(p.fs.DirectoryExists("C:\\OUT"));
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\DATA\\新しい");
    EXPECT_TRUE(d.Button_HF.Enabled());
    d.Button_HF.UserClick();
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\DATA");
    EXPECT_FALSE(d.Button_HF.Enabled());
    d.Button5.UserClick();  // up
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\");
    d.Button_HF.UserClick();
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\DATA");
    h.backend.ExpectModal("TMKBox", "このフォルダーを削除します☆").Answer(gui::kMrYes);
    h.backend.ExpectModal("TMKBox", "フォルダーの削除に失敗しました・・・").Answer(gui::kMrOk);
    d.Button4.UserClick();  // C:\DATA is not empty
    EXPECT_EQ(d.Edit_Folder.Text(), "C:\\DATA");
    d.Button2.UserClick();
  });
  EXPECT_EQ(browse.SelectFolder("フォルダーの参照"), gui::kMrOk);
  EXPECT_EQ(browse.Directory, "C:\\DATA");
  EXPECT_TRUE(p.fs.DirectoryExists("C:\\DATA\\新しい"));
  h.backend.ExpectModal("TDIR2VIEWForm").Do([](gui::Form& f) { View(f).Button1.UserClick(); });
  EXPECT_EQ(browse.SelectFolder(""), gui::kMrAbort);
  EXPECT_EQ(browse.Directory, "");
}

// A chain of missing folders is made after one question; いいえ makes nothing; without a folder
// registered the dialog does not let the user go; a relative name is taken against the current
// folder.
TEST_F(DialogsTest, RegisteringCreatesTheWholeChainAfterOneQuestion) {
  setting.Directory = kNoFolder;
  setting.DirName = "TmPQVLA";
  ASSERT_TRUE(p.fs.SetCurrentFolder("C:\\DATA").ok());
  h.backend.ExpectModal("TDIR2SETForm").Do([&](gui::Form& f) {
    auto& d = static_cast<forms::TDIR2SETForm&>(f);
    EXPECT_EQ(d.Edit1.Text(), "C:\\KAPULT32\\TmPQVLA");
    EXPECT_EQ(d.Label1.Caption(), "TmPQVLAﾌｫﾙﾀﾞｰの設定：");
    h.backend.ExpectModal("TMKBox", "変更を中止します").Answer(gui::kMrOk);
    h.backend.ExpectModal("TMKBox", "データを登録しないと終了出来ません").Answer(gui::kMrOk);
    d.Button3.UserClick();  // 中止: the close check keeps the dialog open
    h.backend.Post([&] {
      d.Edit1.SetText("ONE\\A\\B");
      h.backend.ExpectModal("TMKBox", "C:\\DATA\\ONE\\A\\B\\\nフォルダーを作成します").Answer(gui::kMrNo);
      d.Button4.UserClick();
      EXPECT_FALSE(p.fs.DirectoryExists("C:\\DATA\\ONE\\A"));
      h.backend.ExpectModal("TMKBox", "フォルダーを作成します").Answer(gui::kMrYes);
      h.backend.ExpectModal("TMKBox", "[ C:\\DATA\\ONE\\A\\B\\ ]\nフォルダーを登録しました").Answer(gui::kMrOk);
      d.Button4.UserClick();
    });
  });
  EXPECT_EQ(setting.SetFolder(), "C:\\DATA\\ONE\\A\\B\\");
  EXPECT_TRUE(p.fs.DirectoryExists("C:\\DATA\\ONE\\A\\B"));
}

}  // namespace
}  // namespace browse

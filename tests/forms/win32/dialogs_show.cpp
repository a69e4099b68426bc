// Shows one of the small dialog windows on real windows, with sample contents, for screenshots of
// its layout. First argument: "snbox", "history" (the input box with its history bar open),
// "dir2view", "dir2view-file" (the browse window with its file row) or "dir2set".
#include <windows.h>

#include <string>
#include <vector>

#include "forms/dir2set_form.h"
#include "forms/dir2view_form.h"
#include "forms/snbox_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "support/win32/arguments.h"

namespace {

void ShowInput(gui::Application& app, bool history) {
  auto& f = app.CreateForm<forms::TSNBox>();
  f.SetCaption("新規作成フォルダー名を入力して下さい☆");
  f.Msg.SetCaption("C:\\QUOVEL32\\作業用\\     ：");
  f.Edit1.SetText("新しいフォルダー");
  f.ComboBox1.SetItems({"新しいフォルダー", "スクリーンセーバー", "TEMP"});
  f.ComboBox1.SetItemIndex(0);
  f.Panel1.SetVisible(history);
}

void ShowBrowse(gui::Application& app, bool fileMode) {
  auto& f = app.CreateForm<forms::TDIR2VIEWForm>();
  f.SetCaption("QUOVEL32 EXE版フォルダーの選択");
  f.ComboBox2.SetItems({"C:", "Z:"});
  f.ComboBox2.SetItemIndex(0);
  f.ComboBox_KAKU.SetItems({"ALL files (*.*)"});
  f.ComboBox_KAKU.SetItemIndex(0);
  gui::TreeNode* root = f.TreeView1.AddRoot("C:\\");
  root->SetImages(1, 1);
  for (const char* name : {"Program Files", "windows", "スクリーンセーバー"}) root->AddChild(name)->SetImages(0, 1);
  root->SetExpanded(true);
  f.TreeView1.SetSelected(root->Child(1));
  root->Child(1)->SetBold(true);
  f.HeaderControl1.SetSectionText(0, "4ｺ　ツリーフォルダー");
  const std::vector<gui::ListItem> rows = {
      {"STARS.SCR", {"  12,288", "scr", "24/05/01 12:00:00 水", "   A"}},
      {"星空.SCR", {" 204,800", "scr", "23/11/23 08:15:42 木", "R  A"}},
      {"SYSTEM.INI", {"     219", "ini", "22/01/09 21:30:00 日", " S A"}},
      {"隠しファイル.DAT", {"   1,024", "dat", "21/07/14 10:00:05 水", "  HA"}},
      {"MYSTIFY.SCR", {"  28,672", "scr", "20/02/29 23:59:59 土", "    "}},
  };
  for (const gui::ListItem& row : rows) f.ListView1.AddItem(row);
  f.ListView1.Column(0).SetCaption("5ｺ　ファイル名");
  f.ListView1.OnRowStyle = [](const gui::ListItem& item, bool selected) {
    gui::RowStyle style;
    const std::string& attributes = item.subItems.at(3);
    style.italic = attributes[1] == 'S';
    style.strikeOut = attributes[2] == 'H';
    style.bold = selected;
    return style;
  };
  f.ListView1.SetItemIndex(1);
  f.Edit_Folder.SetText("C:\\windows");
  f.Panel_Edit_File.SetVisible(fileMode);
  f.Edit_File.SetText("C:\\windows\\星空.SCR");
}

void ShowFolderSetting(gui::Application& app) {
  auto& f = app.CreateForm<forms::TDIR2SETForm>();
  f.SetCaption("作業用フォルダーの設定変更");
  f.Label1.SetCaption("TmPQVLAﾌｫﾙﾀﾞｰの設定：");
  f.Label2.SetCaption("TmPQVLAﾌｫﾙﾀﾞｰでは");
  f.Edit1.SetText("C:\\KAPULT32\\TmPQVLA");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  const std::vector<std::wstring> args = testsupport::WideArguments();
  const std::wstring which = args.size() > 1 ? args[1] : L"dir2view";
  if (which == L"snbox" || which == L"history") {
    ShowInput(app, which == L"history");
  } else if (which == L"dir2set") {
    ShowFolderSetting(app);
  } else {
    ShowBrowse(app, which == L"dir2view-file");
  }
  app.Run();
  return 0;
}

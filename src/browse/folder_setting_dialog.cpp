#include "browse/folder_setting_dialog.h"

#include <memory>

#include "browse/own_folder.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/dir2set_form.h"
#include "gui/application.h"
#include "platform/services.h"

namespace browse {

using namespace text;

namespace {
bool NoFolder(const std::string& folder) { return folder.empty() || folder == "\\" || folder == kNoFolder; }
}  // namespace

TDIR2SETDLG::TDIR2SETDLG(gui::Application& app, platform::Services& os, ShellPaths& shell, std::string programPath)
    : DIR2OPENDLG1(app, os, shell, std::move(programPath)), app_(app), os_(os) {}

std::string TDIR2SETDLG::SetFolder() {
  gui::Form* main = app_.MainForm();
  const gui::MainFormRepaint repaint(app_);
  auto dialog = std::make_unique<forms::TDIR2SETForm>(app_);
  forms::TDIR2SETForm& d = *dialog;
  d.DoCreate();
  const std::string windows = AddYen(os_.desktop.WindowsFolder());
  std::string registered = NoFolder(Directory) ? std::string() : Directory;
  const std::string proposed = LeftCut(windows, 3) + "KAPULT32\\" + DirName;
  d.Edit1.SetText(registered.empty() ? proposed : registered);
  common::PlaceOnSource(app_, os_.desktop, probe_, d, SourceHandle);
  const std::string title = Title.empty() ? app_.Title() : Title;
  common::TMKBoxDlg MKBoxDlg1(app_, os_.desktop);
  MKBoxDlg1.Title = title;
  DIR2OPENDLG1.Title = title;
  MKBoxDlg1.SourceHandle = DIR2OPENDLG1.SourceHandle = d.GetHandle();
  d.SetCaption(title + "フォルダーの設定変更");
  d.Edit1.SetColor(StandardColor ? gui::colors::kWindow : d.Color());
  d.Label1.SetCaption(DirName + d.Label1.Caption());
  d.Label2.SetCaption(DirName + d.Label2.Caption());
  if (main != nullptr) d.SetShowHint(main->ShowHint());
  DIR2OPENDLG1.Filter = Filter;

  d.Button1.OnClick = [&](gui::Component&) {
    d.Edit1.SetText(proposed);
    d.Edit1.SetFocus();
  };
  d.Button2.OnClick = [&](gui::Component&) {
    DIR2OPENDLG1.StandardColor = StandardColor;
    DIR2OPENDLG1.Directory = d.Edit1.Text();
    if (DIR2OPENDLG1.SelectFolder("フォルダーの参照") == gui::kMrOk && !DIR2OPENDLG1.Directory.empty()) {
      d.Edit1.SetText(DIR2OPENDLG1.Directory);
    }
    d.Edit1.SetFocus();
    app_.ProcessMessages();
  };
  d.Button4.OnClick = [&](gui::Component&) {
    if (d.Edit1.Text().empty()) {
      MKBoxDlg1.MsgOK("フォルダーを設定して下さい。");
      return;
    }
    const std::string target = AddYen(os_.fs.FullPath(d.Edit1.Text()).value_or(d.Edit1.Text()));
    bool asked = false;
    std::string last;
    for (const std::string& prefix : PathPrefixes(target)) {
      const std::string folder = CutYen(os_.fs.FullPath(prefix).value_or(prefix));
      last = folder;
      if (os_.fs.DirectoryExists(folder)) continue;
      // One question before the first folder is made; the whole chain follows.
      if (!asked && MKBoxDlg1.MsgYesNoTimer(target + "\n" + "フォルダーを作成します", gui::kMrYes) != gui::kMrYes) return;
      asked = true;
      if (!CreateOwnFolder(os_.fs, os_.shell, folder).ok()) {
        MKBoxDlg1.MsgOK("[ " + folder + " ]" + "\n" + "フォルダーの作成に失敗しました・・・");
        return;
      }
    }
    const std::string result = AddYen(last);
    if (NoFolder(result)) {
      MKBoxDlg1.MsgOK("[ " + result + " ]" + "\n" + "データが不正です");
      return;
    }
    registered = result;
    MKBoxDlg1.MsgOK("[ " + registered + " ]" + "\n" + "フォルダーを登録しました");
    d.SetModalResult(gui::kMrOk);
  };
  d.Button3.OnClick = [&](gui::Component&) {
    MKBoxDlg1.MsgOK("変更を中止します");
    d.SetModalResult(gui::kMrAbort);
  };
  // No way out without a registered folder.
  d.OnCloseQuery = [&](gui::Component&, bool& canClose) {
    if (registered == "\\") registered.clear();
    canClose = !NoFolder(registered);
    if (!canClose) MKBoxDlg1.MsgOK("データを登録しないと終了出来ません\n初期値を登録して下さい☆☆☆");
  };
  common::FollowMainColours(app_, d);

  d.ShowModal();
  return NoFolder(registered) ? std::string() : registered;
}

}  // namespace browse

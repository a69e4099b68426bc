#include "fileops/file_commands.h"

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "fileops/file_copy.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/manager_settings.h"

namespace fileops {

namespace {

constexpr int kYes = 6;
constexpr int kStop = 3;

}  // namespace

FileCommands::FileCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                           common::TMKBoxDlg& box, store::ManagerSettings& settings, FileCommandHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), settings_(settings), hooks_(std::move(hooks)) {}

void FileCommands::AttachEvents() {
  f_.PIDO.OnClick = [this](gui::Component& sender) { PCOPYClick(static_cast<gui::MenuItem&>(sender)); };
  f_.PCOPY.OnClick = f_.PIDO.OnClick;
  f_.PKILL.OnClick = [this](gui::Component&) { PKILLClick(); };
}

SelectedRows FileCommands::SourceRows() const {
  return RowsOf(f_, hooks_.Source ? hooks_.Source() : nullptr, hooks_.FileListFolder);
}

bool FileCommands::ForEach(SelectedRows& rows, const std::string& failure,
                           const std::function<bool(const std::string& path, int row)>& act) {
  return ForEachSelected(app_, rows, hooks_.RepairFilePath, stopRequested_, act,
                         [&](const std::string& path) { return RowError(path, failure); });
}

void FileCommands::RemoveRow(SelectedRows& rows, int row) {
  rows.main->DeleteItem(row);
  rows.main->SetTag(row);
  if (f_.SSN.Checked() && row < rows.twin->Count()) {
    rows.twin->DeleteItem(row);
    rows.twin->SetTag(row);
  }
  if (hooks_.RowsRemoved) hooks_.RowsRemoved(*rows.main);
}

bool FileCommands::RowError(const std::string& path, const std::string& what) {
  if (box_.MsgOKError(path + "\n" + what, 1) != kStop) return true;
  os_.desktop.Beep(platform::beep::kExclamation);
  return false;
}

std::string FileCommands::Describe(const std::string& path) {
  const std::optional<platform::FileTime> date = os_.fs.LastWriteTime(path);
  return std::to_string(os_.fs.FileSize(path).value_or(0)) +
         (date ? browse::FormatFileDate(os_.fs.ToLocal(*date)) : std::string(" yy/mm/dd ddd hh:mm:ss "));
}

void FileCommands::PCOPYClick(const gui::MenuItem& sender) {
  const bool copy = &sender == &f_.PCOPY;
  const std::string word = copy ? "コピー" : "移動";
  gui::HourGlass busy(app_);
  stopRequested_ = false;
  SelectedRows rows = SourceRows();
  if (rows.main == nullptr) return;
  std::string& memory = copy ? settings_.Values().copyPath : settings_.Values().idoPath;
  gui::SaveDialog& dialog = f_.SaveDialog1;
  dialog.InitialDir = memory;
  dialog.Title = word + "先、フォルダーの選択";
  dialog.FileName = "このフォルダーに、" + word + "する";
  dialog.DefaultExt.clear();
  dialog.Filter = "ALL files (*.*)|*.*";
  dialog.HideReadOnly = true;
  dialog.PathMustExist = true;
  if (!dialog.Execute()) {
    os_.desktop.Beep(platform::beep::kExclamation);
    box_.MsgOKTimer(word + "先、フォルダー選択を、" + "\n" + "中止しました・・・", 1);
    return;
  }
  std::string folder, chosenName;
  text::SplitFileName(dialog.FileName, folder, chosenName);
  memory = text::CutYen(folder);
  busy_ = true;
  app_.ProcessMessages();
  int count = 0;
  const std::string failed = "このファイルの" + word + "に、失敗しました・・・";
  const bool stopped = ForEach(rows, failed, [&](const std::string& path, int row) {
    if (!os_.fs.FileExists(path)) return RowError(path, "このファイルは、存在しません・・・");
    std::string from, name;
    text::SplitFileName(path, from, name);
    if (text::SameText(from, folder)) return true;
    const std::string target = folder + name;
    if (os_.fs.Attributes(target)) {
      // The same file under another spelling of its path (an 8.3 name, another drive letter for
      // its folder): nothing to do, as for the same folder. A move would delete the only copy.
      if (SameFile(os_.fs, path, target)) return true;
      const std::string question = target + "\n" + "旧：" + Describe(target) + "\n" + "新：" + Describe(path) + "\n" +
                                   "：同名ファイルが存在します。" + "\n" + word + "しますか？？";
      if (box_.MsgYesNo(question) != kYes) return true;
    }
    if (!CopyFile(os_.fs, path, target, [this] { app_.ProcessMessages(); }).empty()) return RowError(path, failed);
    // A move gives up the source only for a complete copy.
    if (!copy && os_.fs.FileSize(target) != os_.fs.FileSize(path)) return RowError(path, failed);
    ++count;
    if (copy) return true;
    if (!os_.fs.Delete(path).ok()) return RowError(path, "このファイルは、削除出来ませんでした・・・");
    RemoveRow(rows, row);
    return true;
  });
  if (stopped) box_.MsgOK("中断ボタンが押されました。\n" + word + "を強制終了します。");
  box_.MsgOK(std::to_string(count) + "個のファイルを" + word + "しました。");
  busy_ = false;
}

void FileCommands::PKILLClick() {
  if (box_.MsgYesNo("実際に削除では、実際にﾃﾞｨｽｸからﾌｧｲﾙを削除します。\n選択されているﾌｧｲﾙを削除してもよろしいですか？？？") !=
      kYes) {
    box_.MsgOKTimer("削除を中止しました・・・", 1);
    return;
  }
  gui::HourGlass busy(app_);
  busy_ = true;
  stopRequested_ = false;
  SelectedRows rows = SourceRows();
  int count = 0;
  const std::string failed = "このファイルは、削除出来ませんでした・・・";
  const bool stopped = rows.main != nullptr && ForEach(rows, failed, [&](const std::string& path, int row) {
    if (!os_.fs.FileExists(path)) return RowError(path, "このファイルは、存在しません・・・");
    if (!os_.fs.Delete(path).ok()) return RowError(path, failed);
    ++count;
    RemoveRow(rows, row);
    return true;
  });
  if (stopped) box_.MsgOK("中断ボタンが押されました。\n削除を強制終了します。");
  box_.MsgOK(std::to_string(count) + "個のファイルを削除しました。");
  busy_ = false;
}

}  // namespace fileops

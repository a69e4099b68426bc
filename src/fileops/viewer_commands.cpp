#include "fileops/viewer_commands.h"

#include <functional>

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "common/viewers.h"
#include "fileops/viewer_texts.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/list_file.h"

namespace fileops {

namespace {

constexpr int kYes = 6;
constexpr int kStop = 3;
constexpr size_t kDumpBytes = 4096;
const std::string kReportDashes(68, '-');
const std::string kDriveDashes(65, '-');

std::string Label(const forms::TQUOVEL32KAPUL& f, const gui::MenuItem& sender) {
  if (&sender == &f.PBinary) return "ﾊﾞｲﾅﾘｰ表示";
  if (&sender == &f.PHTML) return "HTMLﾃｷｽﾄ整形表示";
  if (&sender == &f.P0DCUT) return "HTML 0Dh削除";
  return "LZH一覧表示";
}

bool IsWebPage(const std::string& extension) {
  for (const char* e : {".HTM", ".HTML", ".PL", ".CGI", ".SSI"}) {
    if (extension == e) return true;
  }
  return false;
}

}  // namespace

ViewerCommands::ViewerCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                               common::TMKBoxDlg& box, ViewerHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), hooks_(std::move(hooks)) {}

void ViewerCommands::AttachEvents() {
  f_.PKANREN.OnClick = [this](gui::Component& sender) { PKANRENClick(static_cast<gui::MenuItem&>(sender)); };
  f_.PkPLAY.OnClick = f_.PKANREN.OnClick;
  f_.PTEXT.OnClick = [this](gui::Component&) { PTEXTClick(); };
  f_.PLZH4.OnClick = [this](gui::Component& sender) { PLZH4Click(static_cast<gui::MenuItem&>(sender)); };
  f_.PBinary.OnClick = f_.PLZH4.OnClick;
  f_.PHTML.OnClick = f_.PLZH4.OnClick;
  f_.P0DCUT.OnClick = f_.PLZH4.OnClick;
  f_.PAKI.OnClick = [this](gui::Component&) { PAKIClick(); };
  f_.help1.OnClick = [this](gui::Component&) { help1Click(); };
}

int ViewerCommands::EachFile(const std::string& stopText, const std::string& nothingText, const std::string& failure,
                             const std::function<bool(const std::string& path)>& act) {
  gui::HourGlass busy(app_);
  stopRequested_ = false;
  SelectedRows rows = RowsOf(f_, hooks_.Source ? hooks_.Source() : nullptr, hooks_.FileListFolder);
  busy_ = true;
  int count = 0;
  const bool stopped = ForEachSelected(
      app_, rows, hooks_.RepairFilePath, stopRequested_,
      [&](const std::string& path, int) {
        if (os_.fs.FileExists(path) && act(path)) ++count;
        return true;
      },
      [&](const std::string& path) {
        RowError(path, failure);
        ++count;
        return true;
      });
  if (stopped) box_.MsgOK("中断ボタンが押されました。\n" + stopText);
  if (count == 0) box_.MsgOKTimer(nothingText, 1);
  busy_ = false;
  return count;
}

void ViewerCommands::RowError(const std::string& path, const std::string& what) {
  if (box_.MsgOKError(path + "\n" + what, 1) != kStop) return;
  os_.desktop.Beep(platform::beep::kExclamation);
  stopRequested_ = true;
}

void ViewerCommands::PTEXTClick() {
  const std::string noFolder = "ﾃｷｽﾄ表示ｴﾗｰ：ﾌｫﾙﾀﾞｰが存在しません・・・";
  const std::string failed = "ﾃｷｽﾄ表示ｴﾗｰ：ﾃｷｽﾄ／HELP表示に失敗しました・・・";
  EachFile("ﾃｷｽﾄ表示を強制終了します。", "ﾃｷｽﾄ表示ｴﾗｰ：ﾃｷｽﾄ/helpファイルが選択されていません・・・", failed,
           [&](const std::string& path) {
             switch (common::StartViewer(os_, text::CutYen(FolderOf(path)), common::TextOrHelpCommand(path))) {
               case common::ViewerStart::kStarted: break;
               case common::ViewerStart::kNoFolder: RowError(path, noFolder); break;
               default: RowError(path, failed); break;
             }
             return true;
           });
}

void ViewerCommands::PKANRENClick(const gui::MenuItem& sender) {
  const bool play = &sender == &f_.PkPLAY;
  const std::string windows = text::CutYen(os_.desktop.WindowsFolder());
  const std::string noFolder = "関連付けｴﾗｰ：ﾌｫﾙﾀﾞｰが存在しません・・・";
  const std::string failed = "関連付けｴﾗｰ：実行に失敗しました・・・";
  EachFile("強制終了します。", "関連付けｴﾗｰ：ファイルが選択されていません・・・", failed, [&](const std::string& path) {
    const Opening opening = OpenCommand(os_.registry, os_.fs, path, play, f_.RadioButton1.Checked(), windows);
    const std::string folder = text::CutYen(FolderOf(path));
    if (!opening.verbs.empty() && os_.fs.DirectoryExists(folder)) {
      for (const std::string& verb : opening.verbs) {
        if (os_.processes.ShellVerb(path, verb, folder).ok()) return true;
      }
    }
    switch (common::StartViewer(os_, folder, opening.command)) {
      case common::ViewerStart::kStarted: break;
      case common::ViewerStart::kNoFolder: RowError(path, noFolder); break;
      default: RowError(path, failed); break;
    }
    return true;
  });
}

std::string ViewerCommands::WorkingFolder() const { return hooks_.WorkingFolder ? hooks_.WorkingFolder() : ""; }

void ViewerCommands::Shown(const std::string& path, const std::string& label, ReportShown shown) {
  switch (shown) {
    case ReportShown::kShown: break;
    case ReportShown::kFailed: RowError(path, label + "ｴﾗｰ：" + label + "表示に失敗しました・・・"); break;
    default: RowError(path, label + "ｴﾗｰ：ﾌｫﾙﾀﾞｰが存在しません・・・"); break;
  }
}

std::vector<std::string> ViewerCommands::FileHead(const std::string& title, const std::string& path, uint64_t size) {
  const std::optional<platform::FileTime> date = os_.fs.LastWriteTime(path);
  const std::string dateText = date ? browse::FormatFileDate(os_.fs.ToLocal(*date)) : " yy/mm/dd ddd hh:mm:ss ";
  return {title + "　ﾃﾞｰﾀ取得日時：" + NowText(os_.fs).substr(1), "ﾌｧｲﾙ名　　: " + text::UpperAscii(path),
          "ﾌｧｲﾙ日付　:" + dateText + browse::AttributeLetters(os_.fs.Attributes(path).value_or(0)),
          "総ﾊﾞｲﾄ数　: " + browse::SizeText(size, 7) + " Bytes"};
}

bool ViewerCommands::StripCarriageReturns(const std::string& path, const std::string& label) {
  const uint32_t attributes = os_.fs.Attributes(path).value_or(0);
  // The kept bytes replace the page as a whole, so a failure half-way leaves it as it was.
  const platform::OsResult written =
      os_.fs.WriteReplacing(path, [&](platform::File& out) { return WriteWithoutCarriageReturns(os_.fs, path, out); });
  if (!written) {
    RowError(path, label + "ｴﾗｰ：ﾌｫﾙﾀﾞｰが存在しません・・・");
    return false;
  }
  os_.fs.SetAttributes(path, attributes);
  return true;
}

void ViewerCommands::PLZH4Click(const gui::MenuItem& sender) {
  const std::string label = Label(f_, sender);
  if (&sender == &f_.P0DCUT &&
      box_.MsgYesNo("[*.HTM][*.HTML][*.CGI][*.SSI][*.PL]ファイルから、０Ｄｈを削除します。\n"
                    "ホストの指示により、改行コードを０Ａｈだけにする時に使います。\n\n"
                    "選択されているファイルから、０Ｄｈを削除してよろしいですか？？？") != kYes) {
    box_.MsgOK(label + "：中止しました・・・");
    return;
  }
  int converted = 0;
  const std::string noFolder = label + "ｴﾗｰ：ﾌｫﾙﾀﾞｰが存在しません・・・";
  const std::string failed = label + "ｴﾗｰ：" + label + "表示に失敗しました・・・";
  // The row's action is chosen once, by the item picked.
  std::function<bool(const std::string& path)> act;
  if (&sender == &f_.PLZH4) {
    act = [&](const std::string& path) {
      if (UpperExtension(path) != ".LZH" || !hooks_.BuildListing || !hooks_.BuildListing(path)) return false;
      Shown(path, label, ShowReport(os_, WorkingFolder(), "LzH$$$$$.TXT", nullptr));
      return true;
    };
  } else if (&sender == &f_.P0DCUT) {
    act = [&](const std::string& path) {
      if (!IsWebPage(UpperExtension(path))) return false;
      if (os_.fs.Attributes(path).value_or(0) & platform::attr::kReadOnly) {
        RowError(path, label + "ｴﾗｰ： ReadOnlyファイルです。");
        return false;
      }
      // A file that could not be converted was reported, and counts as handled.
      if (StripCarriageReturns(path, label)) ++converted;
      return true;
    };
  } else if (&sender == &f_.PHTML) {
    act = [&](const std::string& path) {
      // The page is read and its view written block by block: a page of any size fits.
      std::vector<std::string> head = FileHead("HTMLﾃｷｽﾄ整形表示", path, os_.fs.FileSize(path).value_or(0));
      head.back() = "元の" + head.back();
      head.push_back(kReportDashes);
      Shown(path, label, ShowReport(os_, WorkingFolder(), "HTM$$$$$.TXT", [&](platform::File& out) {
              return WriteReformatted(os_.fs, path, store::FormatList(head), out);
            }));
      return true;
    };
  } else {
    act = [&](const std::string& path) {
      const std::optional<std::string> bytes = os_.fs.ReadFile(path, kDumpBytes);
      if (!bytes) {
        RowError(path, noFolder);
        return true;
      }
      std::vector<std::string> rows =
          FileHead("ﾊﾞｲﾅﾘｰ表示(4Kﾊﾞｲﾄ分)", path, os_.fs.FileSize(path).value_or(bytes->size()));
      rows.push_back("表示ﾊﾞｲﾄ数: " + browse::SizeText(bytes->size(), 7) + " Bytes");
      rows.push_back(kReportDashes);
      rows.push_back("ofs  0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F Strings");
      for (std::string& row : DumpRows(*bytes)) rows.push_back(std::move(row));
      rows.push_back(kReportDashes);
      Shown(path, label, ShowReport(os_, WorkingFolder(), "BiN$$$$$.TXT", rows));
      return true;
    };
  }
  EachFile(label + "を強制終了します。", label + "ｴﾗｰ：ファイルが選択されていません・・・", failed, act);
  if (converted > 0) box_.MsgOK(label + "\n" + std::to_string(converted) + "個のファイルを変換しました。");
}

void ViewerCommands::PAKIClick() {
  gui::HourGlass busy(app_);
  std::vector<std::string> rows = {"全ﾄﾞﾗｲﾌﾞ空きサイズ一覧　　" + NowText(os_.fs), "",
                                   "ﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       44100/ 16/ ｽﾃﾚｵ(固定)", kDriveDashes};
  for (const std::string& drive : f_.ComboBox2.Items()) {
    if (drive.empty()) continue;
    // A drive without a disk answers at once instead of asking the user to insert one.
    platform::CriticalErrorsSuppressed quiet(os_.fs);
    rows.push_back(DriveRow(drive[0], os_.fs.Space(drive.substr(0, 1) + ":\\")));
  }
  rows.push_back(kDriveDashes);
  if (ShowReport(os_, WorkingFolder(), "DrV$$$$$.TXT", rows) != ReportShown::kShown) {
    box_.MsgOK("ﾄﾞﾗｲﾌﾞ空き表示：メモリーが確保できません");
  }
}

void ViewerCommands::help1Click() {
  // The installer puts both texts into the Windows folder, or beside the program for a user who
  // may not write there.
  const std::string windows = text::AddYen(os_.desktop.WindowsFolder());
  for (const char* name : {"QVLA解凍.TXT", "QUOVEL32.TXT"}) {
    const std::string folder =
        os_.fs.FileExists(windows + name) || !os_.fs.FileExists(hooks_.programFolder + name) ? windows : hooks_.programFolder;
    common::StartViewer(os_, text::CutYen(folder), common::NotepadCommand(folder + name));
  }
}

}  // namespace fileops

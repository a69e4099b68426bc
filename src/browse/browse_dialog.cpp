#include "browse/browse_dialog.h"

#include <algorithm>
#include <array>
#include <memory>

#include "browse/file_info.h"
#include "browse/own_folder.h"
#include "browse/folder_browser.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/dir2view_form.h"
#include "gui/application.h"
#include "platform/services.h"

namespace browse {

using namespace text;

namespace {

constexpr uint32_t kAllFiles = 39;  // read-only, hidden, system, archive: every file
constexpr char kAllLine[] = "ALL files (*.*)";

std::string Count(int n) { return std::to_string(n) + "ｺ"; }

// The text of column `column` of a row (0: the caption).
const std::string& ColumnText(const gui::ListItem& item, int column) {
  static const std::string kNone;
  if (column == 0) return item.caption;
  const size_t sub = static_cast<size_t>(column - 1);
  return sub < item.subItems.size() ? item.subItems[sub] : kNone;
}

int CompareKeys(const std::string& a, const std::string& b) { return a < b ? -1 : (b < a ? 1 : 0); }

}  // namespace

std::vector<FilterLine> ParseFilter(const std::string& filter) {
  const std::string text = filter.empty() ? "ALL files|*.*" : filter;
  std::vector<FilterLine> lines;
  size_t at = 0;
  bool all = false;
  for (;;) {
    // "|" can be the second byte of a two-byte character: the text is read character by character.
    const size_t bar = FindChar(text, '|', at);
    if (bar == std::string::npos) break;
    const std::string description = text.substr(at, bar - at);
    const size_t next = FindChar(text, '|', bar + 1);
    const std::string pattern = text.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
    if (!pattern.empty()) {
      lines.push_back({description + " (" + pattern + ")", pattern});
      all = all || pattern == "*.*";
    }
    if (next == std::string::npos) break;
    at = next + 1;
  }
  if (!all) lines.push_back({kAllLine, "*.*"});
  return lines;
}

std::string NewFolderPrompt(const std::string& folder) {
  std::string shown = AddYen(folder);
  if (shown.size() > 38) {
    // The last 36 bytes, one more when the cut would split a two-byte character.
    size_t from = shown.size() - 36;
    size_t i = 0;
    while (i < from) i += IsLeadByte(static_cast<unsigned char>(shown[i])) ? 2 : 1;
    shown = "..." + shown.substr(i);
  }
  return shown + "     ";
}

int CompareListColumn(const gui::ListItem& a, const gui::ListItem& b, int column,
                      const std::function<std::string(const std::string&)>& sortKey) {
  std::string x = ColumnText(a, column);
  std::string y = ColumnText(b, column);
  if (column == 1) {
    // Sizes compare by their right-aligned text: the shorter is padded with blanks in front.
    if (x.size() < y.size()) x.insert(0, y.size() - x.size(), ' ');
    if (y.size() < x.size()) y.insert(0, x.size() - y.size(), ' ');
    return CompareKeys(x, y);
  }
  return CompareKeys(sortKey(x), sortKey(y));
}

TDIR2OPENDLG::TDIR2OPENDLG(gui::Application& app, platform::Services& os, ShellPaths& shell, std::string programPath)
    : SNBoxDlg1(app, os.desktop), app_(app), os_(os), shell_(shell), programPath_(std::move(programPath)) {}

int TDIR2OPENDLG::SelectFolder(const std::string& captionPart) { return ShowBrowse(true, false, captionPart); }

int TDIR2OPENDLG::ShowBrowse(bool folderMode, bool askOverwrite, const std::string& captionPart) {
  gui::Form* main = app_.MainForm();
  const gui::MainFormRepaint repaint(app_);
  auto dialog = std::make_unique<forms::TDIR2VIEWForm>(app_);
  forms::TDIR2VIEWForm& d = *dialog;
  d.DoCreate();
  if (LowerDriveLetters) LowerDriveLetters();
  std::string resultFolder;
  std::string resultFile = Filename;
  std::string pattern = "*.*";
  std::vector<std::string> patterns;
  std::vector<std::string> history;
  std::array<bool, 5> descending{};
  bool sorting = false;
  std::string exeFolder, exeName;
  SplitFileName(programPath_, exeFolder, exeName);
  exeFolder = CutYen(exeFolder);

  const std::string title = Title.empty() ? app_.Title() : Title;
  common::TMKBoxDlg MKBoxDlg1(app_, os_.desktop);
  MKBoxDlg1.Title = title;

  // The folder side: the manager's, over the dialog's controls.
  FolderSite site;
  site.IncludeHidden = [] { return true; };
  site.ShowFolderCount = [&d](std::optional<int> count, bool tree) {
    d.HeaderControl1.SetSectionText(0, (count ? Count(*count) : std::string("---ｺ")) +
                                           (tree ? "　ツリーフォルダー" : "　フォルダー"));
  };
  site.FolderChanged = [&d](const std::string& folder) { d.Edit_Folder.SetText(folder); };
  site.RememberDriveFolder = [this](const std::string& folder) {
    const auto same = std::find_if(driveFolders_.begin(), driveFolders_.end(), [&](const std::string& line) {
      return !line.empty() && UpperAscii(line.substr(0, 1)) == UpperAscii(folder.substr(0, 1));
    });
    if (same != driveFolders_.end()) driveFolders_.erase(same);
    driveFolders_.push_back(folder);
  };
  site.DriveFolders = [this] { return driveFolders_; };
  site.DrivesFilled = [&] {
    history.clear();
    d.Button_HF.SetEnabled(false);
  };
  site.TreeLevelFailed = [&](const std::string& folder) {
    MKBoxDlg1.MsgOKTimer("フォルダー・エラー発生\n" + folder + "\n" + "別のフォルダーを選択して下さい☆", 1);
  };
  site.fullPathOfNode = false;
  std::unique_ptr<FolderBrowser> folders;
  auto fillFiles = [&](const std::string& folder) {
    gui::ListView& list = d.ListView1;
    list.Column(0).SetCaption("---ｺ　ファイル名");
    const std::string path = folders->EnterFileListFolder(folder);
    history.push_back(path);
    d.Button_HF.SetEnabled(history.size() > 1);
    list.BeginUpdate();
    struct End {
      gui::ListView& list;
      ~End() { list.EndUpdate(); }
    } end{list};
    list.ClearItems();
    std::vector<std::string> pieces;
    for (size_t at = 0; at <= pattern.size();) {
      size_t semi = pattern.find(';', at);
      if (semi == std::string::npos) semi = pattern.size();
      if (semi > at) pieces.push_back(pattern.substr(at, semi - at));
      at = semi + 1;
    }
    std::sort(pieces.begin(), pieces.end());
    for (const std::string& piece : pieces) {
      for (const platform::FindEntry& e : os_.fs.Find(AddYen(path) + piece, kAllFiles)) {
        if (e.attributes & (platform::attr::kDirectory | platform::attr::kVolumeId)) continue;
        const size_t dot = e.name.rfind('.');
        list.AddItem({e.name,
                      {SizeText(e.size), dot == std::string::npos ? std::string() : LowerAscii(e.name.substr(dot + 1)),
                       FormatListDate(os_.fs.ToLocal(e.lastWrite)), AttributeLetters(e.attributes, true), "", "", ""}});
      }
    }
    list.Sort([this](const gui::ListItem& a, const gui::ListItem& b) {
      return CompareListColumn(a, b, 0, [this](const std::string& t) { return os_.collation.SortKey(t); });
    });
    descending = {false, true, true, true, true};
    list.Column(0).SetCaption(Count(list.Count()) + "　ファイル名");
  };
  site.FillFiles = fillFiles;
  folders = std::make_unique<FolderBrowser>(
      app_, os_, MKBoxDlg1, shell_,
      FolderControls{d.ComboBox2, d.ListBox1, d.TreeView1, {&d.Floppy, &d.Fixed, &d.Network, &d.CDROM, &d.RAM}, d.Image5,
                     d.Image6},
      site, programPath_);
  folders->SetLower(false);
  folders->SetTreeMode(true);
  d.HeaderControl1.SetSectionText(0, "フォルダー");

  // Events.
  auto goOrHome = [&](const std::string& folder) {
    if (folder.empty() || !folders->GoToFolder(folder)) folders->GoToFolder(exeFolder);
  };
  d.ComboBox2.OnClick = [&](gui::Component&) { folders->DriveChosen(); };
  d.ListBox1.OnClick = [&](gui::Component&) { folders->FolderRowClicked(); };
  d.HeaderControl1.OnSectionClick = [&](gui::Component&, int) { folders->SwitchView(); };
  d.ComboBox_KAKU.OnClick = [&](gui::Component&) {
    const int line = d.ComboBox_KAKU.ItemIndex();
    if (line < 0 || line >= static_cast<int>(patterns.size())) return;
    pattern = patterns[static_cast<size_t>(line)];
    try {
      fillFiles(folders->FileListFolder());
    } catch (const std::exception&) {
      MKBoxDlg1.MsgOK("ファイルリスト・エラー発生\n" + folders->FileListFolder() + "\n" + "別のドライブか、フォルダーを選択してみて下さい");
    }
  };
  d.ListView1.OnClick = [&](gui::Component&) {
    const int row = d.ListView1.ItemIndex();
    if (row >= 0) d.Edit_File.SetText(AddYen(folders->FileListFolder()) + d.ListView1.Item(row).caption);
  };
  d.ListView1.OnColumnClick = [&](gui::Component&, int column) {
    if (sorting || column < 0 || column >= static_cast<int>(descending.size())) return;
    sorting = true;
    const bool down = descending[static_cast<size_t>(column)] = !descending[static_cast<size_t>(column)];
    d.ListView1.Sort([&, column, down](const gui::ListItem& a, const gui::ListItem& b) {
      const int order = CompareListColumn(a, b, column, [this](const std::string& t) { return os_.collation.SortKey(t); });
      return down ? -order : order;
    });
    sorting = false;
  };
  d.ListView1.OnRowStyle = [](const gui::ListItem& item, bool selected) {
    gui::RowStyle style;
    const std::string& attributes = item.subItems.size() > 3 ? item.subItems[3] : std::string();
    style.italic = attributes.size() > 1 && attributes[1] == 'S';
    style.strikeOut = attributes.size() > 2 && attributes[2] == 'H';
    style.bold = selected;
    return style;
  };
  d.Button_HF.OnClick = [&](gui::Component&) {
    if (history.size() <= 1) return;
    history.pop_back();
    const std::string back = history.back();
    history.pop_back();
    goOrHome(back);
    d.Button_HF.SetEnabled(history.size() > 1);
  };
  d.Button5.OnClick = [&](gui::Component&) { goOrHome(ParentFolder(folders->CurrentFolder())); };
  d.Button3.OnClick = [&](gui::Component&) {
    const std::string current = folders->CurrentFolder();
    if (current.empty()) return;
    SNBoxDlg1.Title = "新規作成フォルダー名を入力して下さい☆";
    SNBoxDlg1.SourceHandle = d.GetHandle();
    if (SNBoxDlg1.InputText(NewFolderPrompt(current)) != gui::kMrOk) return;
    const std::string created = AddYen(current) + SNBoxDlg1.SNText;
    // Only a name of a folder in the current one: no path, no "." or "..".
    const bool plain = IsPlainName(SNBoxDlg1.SNText);
    if (plain) CreateOwnFolder(os_.fs, os_.shell, created);
    if (!plain || !os_.fs.DirectoryExists(created)) {
      MKBoxDlg1.MsgOKTimer(created + "\n" + "フォルダーの作成に失敗しました・・・", 1);
      return;
    }
    goOrHome(created);
  };
  d.Button4.OnClick = [&](gui::Component&) {
    const std::string current = folders->CurrentFolder();
    if (current.empty()) return;
    if (MKBoxDlg1.MsgYesNoTimer(current + "\n" + "このフォルダーを削除します☆", gui::kMrNo) != gui::kMrYes) return;
    const std::string parent = ParentFolder(current);
    const bool hasParent = !parent.empty() && !SameText(AddYen(parent), AddYen(current));
    if (hasParent) os_.fs.SetCurrentFolder(parent);
    if (hasParent && os_.fs.RemoveFolder(current).ok()) {
      goOrHome(parent);
    } else {
      MKBoxDlg1.MsgOKTimer(current + "\n" + "フォルダーの削除に失敗しました・・・", 1);
    }
  };
  d.Button1.OnClick = [&](gui::Component&) { d.SetModalResult(gui::kMrAbort); };
  d.Button2.OnClick = [&](gui::Component&) {
    resultFolder = CutYen(d.Edit_Folder.Text());
    if (folderMode) {
      d.SetModalResult(gui::kMrOk);
      return;
    }
    const std::string typed = d.Edit_File.Text();
    std::string folderPart, name;
    SplitFileName(typed, folderPart, name);
    if (name.empty()) {
      MKBoxDlg1.MsgOK(typed + "\n" + name + "\n" + "ファイル名が不正です・・・");
      return;
    }
    if (folderPart.empty()) {
      resultFile = AddYen(resultFolder) + name;
    } else if (typed.size() >= 4 && typed[1] == ':') {
      resultFolder = CutYen(folderPart);
      resultFile = AddYen(resultFolder) + name;
    } else {
      MKBoxDlg1.MsgOK(typed + "\n" + name + "\n" + "ファイル名が不正です・・・" + "\n" +
                      "ファイル名のみか、フルパス(ドライブ名付)で設定して下さい☆");
      return;
    }
    if (!DefaultExt.empty()) {
      const size_t dot = resultFile.rfind('.');
      const std::string ext = dot == std::string::npos ? std::string() : LowerAscii(resultFile.substr(dot));
      if (ext != "." + LowerAscii(DefaultExt)) resultFile += "." + DefaultExt;
    }
    if (askOverwrite && d.Panel_Edit_File.Visible() && os_.fs.FileExists(resultFile)) {
      std::string f, n;
      SplitFileName(resultFile, f, n);
      const std::string question = n + "\n" + resultFile + "\n" + "同名のファイルが既に存在します・・・" + "\n" + "ファイルを書き換えますか?";
      if (MKBoxDlg1.MsgYesNoTimer(question, gui::kMrNo) != gui::kMrYes) return;
    }
    d.SetModalResult(gui::kMrOk);
  };

  common::PlaceOnSource(app_, os_.desktop, probe_, d, SourceHandle);
  // The filter lines.
  const std::vector<FilterLine> lines = ParseFilter(Filter);
  std::vector<std::string> texts;
  for (const FilterLine& line : lines) {
    texts.push_back(line.text);
    patterns.push_back(line.pattern);
  }
  d.ComboBox_KAKU.SetItems(texts);
  d.ComboBox_KAKU.SetItemIndex(0);
  pattern = patterns.front();

  // The start folder: the file's folder (files only), else Directory, else InitialDir; each one
  // that is gone is replaced by the nearest folder that still exists; the program's folder last.
  std::string start;
  auto existingOrNearest = [&](const std::string& folder) {
    if (folder.empty() || os_.fs.DirectoryExists(CutYen(folder))) return CutYen(folder);
    return CutYen(shell_.NearestExistingFolder(CutYen(folder)));
  };
  if (!folderMode && !Filename.empty()) {
    std::string f, n;
    SplitFileName(Filename, f, n);
    start = existingOrNearest(f);
  }
  if (start.empty()) start = existingOrNearest(Directory);
  if (start.empty()) start = existingOrNearest(InitialDir);
  if (!start.empty() && !os_.fs.DirectoryExists(start)) start = exeFolder;
  folders->FillDriveList();
  goOrHome(start.empty() ? exeFolder : start);

  d.Edit_Folder.SetText(folders->CurrentFolder());
  std::string fileFolder, fileName;
  SplitFileName(Filename, fileFolder, fileName);
  d.Edit_File.SetText(fileName);
  d.Panel_Edit_File.SetVisible(!folderMode);
  d.Edit_Folder.SetReadOnly(!folderMode);
  const gui::Color fields = StandardColor ? gui::colors::kWindow : d.Color();
  for (gui::Control* c : std::initializer_list<gui::Control*>{&d.ComboBox2, &d.ListBox1, &d.TreeView1, &d.ListView1,
                                                              &d.ComboBox_KAKU, &d.Edit_Folder, &d.Edit_File}) {
    c->SetColor(fields);
  }
  MKBoxDlg1.SourceHandle = d.GetHandle();
  if (main != nullptr) d.SetShowHint(main->ShowHint());
  (folderMode ? d.Edit_Folder : d.Edit_File).SetFocus();
  d.SetCaption(title + (captionPart.empty() ? (folderMode ? "フォルダーの選択" : "ファイルの選択") : captionPart));
  common::FollowMainColours(app_, d);

  const int result = d.ShowModal();
  Filename = result == gui::kMrOk ? resultFile : Filename;
  Directory = result == gui::kMrOk ? resultFolder : std::string();
  return result;
}

}  // namespace browse

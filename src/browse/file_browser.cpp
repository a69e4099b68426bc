#include "browse/file_browser.h"

#include <algorithm>

#include "browse/file_info.h"
#include "browse/filters.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"

namespace browse {

using namespace text;

namespace {

constexpr int kStandardFolderWidth = 156;
constexpr int kNarrowFolderWidth = 30;
constexpr int kMinBrowserWidth = 299;
constexpr int kMinBrowserHeight = 97;
constexpr uint32_t kExclamation = 0x30;

const char kRetry[] = "別のドライブか、フォルダーを選択してみて下さい";

std::string Count(int n) { return std::to_string(n) + "ｺ"; }

}  // namespace

std::string UnnamedEntries(size_t count) { return "表示できない名前：" + std::to_string(count) + "ｺ"; }

FileBrowser::FileBrowser(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                         common::TMKBoxDlg& box, ShellPaths& shell, std::string programPath, BrowserHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), shell_(shell), hooks_(std::move(hooks)),
      folders_(app, os, box, shell,
               FolderControls{f_.ComboBox2, f_.ListBox1, f_.TreeView1, {&f_.Floppy, &f_.Fixed, &f_.Network, &f_.CDROM, &f_.RAM},
                              f_.Image5, f_.Image6},
               Site(), std::move(programPath)) {
  AttachEvents();
}

// What the manager's folder side does its own way: hidden folders by K6, the count in Label19,
// the file list with the filter.
FolderSite FileBrowser::Site() {
  FolderSite site;
  site.IncludeHidden = [this] { return f_.K6.Checked(); };
  site.ShowFolderCount = [this](std::optional<int> count, bool) {
    f_.Label19.SetCaption(count ? Count(*count) : std::string("---ｺ"));
  };
  site.FillFiles = [this](const std::string& folder) { FillFileList(folder); };
  site.RememberDriveFolder = hooks_.RememberDriveFolder;
  site.DriveFolders = hooks_.DriveFolders;
  return site;
}

void FileBrowser::AttachEvents() {
  f_.ComboBox2.OnClick = [this](gui::Component&) { ComboBox2Click(); };
  f_.ListBox1.OnClick = [this](gui::Component&) { ListBox1Click(); };
  f_.Button1.OnClick = [this](gui::Component&) { Button1Click(); };
  f_.ButtonL.OnClick = [this](gui::Component&) { ButtonLClick(); };
  f_.ButtonM.OnClick = [this](gui::Component&) { ButtonMClick(); };
  f_.ButtonR.OnClick = [this](gui::Component&) { ButtonRClick(); };
  f_.Panel_FF_V.OnMouseUp = [this](gui::Component&, gui::MouseButton, gui::ShiftState, int, int y) {
    Panel_FF_VMouseUp(y);
  };
  f_.Panel5.OnMouseUp = [this](gui::Component&, gui::MouseButton, gui::ShiftState, int x, int) { Panel5MouseUp(x); };
  f_.Splitter1.OnMouseUp = [this](gui::Component&, gui::MouseButton, gui::ShiftState, int x, int) {
    Splitter1MouseUp(x);
  };
}

void FileBrowser::StartUp(bool lower, int dirNo, const std::string& cpath) {
  folders_.SetLower(lower);
  folders_.SetTreeMode(dirNo != 0);
  folders_.FillDriveList();
  std::string folder = cpath;
  try {
    folder = folders_.ExistingFolder(cpath);
  } catch (const FolderError&) {
    folder = CutYen(shell_.WindowsFolder());
  }
  folders_.OpenSafe(folder);
  // The drive list starts on the program's drive; it follows the folder actually opened, so the
  // combo never names another drive than the one shown below it.
  if (!CurrentFolder().empty()) {
    folders_.SelectDrive(CurrentFolder()[0]);
    folders_.RefreshDriveLabel(CurrentFolder()[0]);
  }
}

void FileBrowser::SelectFileListRow(int row) {
  if (row < -1 || row >= f_.ListBox4.Count()) return;
  for (gui::ListBox* list : {&f_.ListBox4, &f_.ListBox7}) {
    list->SetTag(row);
    if (row < list->Count()) list->SetItemIndex(row);
  }
}

void FileBrowser::SetFilter(const std::string& pattern, int mask) {
  pattern_ = pattern;
  mask_ = mask;
}

const platform::FindEntry* FileBrowser::ListedEntry(const std::string& row) const {
  auto found = listed_.find(row);
  return found != listed_.end() ? found->second : nullptr;
}

int FileBrowser::FileListIndex() const { return static_cast<int>(f_.ListBox4.Tag()); }

int64_t FileBrowser::DriveSize(char letter) { return browse::DriveSize(os_.fs, letter); }
int64_t FileBrowser::DriveFree(char letter) { return browse::DriveFree(os_.fs, letter); }

void FileBrowser::ComboBox2Click() {
  if (f_.ListBox1.Width() < kStandardFolderWidth) ButtonMClick();
  folders_.DriveChosen();
}

void FileBrowser::ListBox1Click() {
  // A bulk registration walks the folder list: no clicks meanwhile.
  if (!f_.Button7.Visible()) {
    os_.desktop.Beep(kExclamation);
    return;
  }
  folders_.FolderRowClicked();
}

void FileBrowser::RefreshFolderView() {
  if (!CurrentFolder().empty()) folders_.OpenSafe(CurrentFolder());
}

void FileBrowser::ShowFolderError(const std::string& code) {
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  box_.MsgOK("フォルダーエラー発生☆☆" + code + "\n" + kRetry);
}

// --- File list --------------------------------------------------------------------------------

void FileBrowser::FillFileList(const std::string& folder) {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  struct Normal {
    gui::Application& app;
    ~Normal() { app.GetScreen().SetCursor(gui::Cursor::Default); }
  } normal{app_};
  f_.Label1.SetCaption(" ---ｺ");
  const std::string path = folders_.EnterFileListFolder(folder);
  if (hooks_.FolderListed) hooks_.FolderListed(path);
  size_t unnamed = 0;
  const auto whole = shell_.TakeWalkReading(path, &unnamed);
  const bool normalFiles = f_.CB5.Checked();
  const bool names = f_.SSN.Checked();
  FileListing now{UpperAscii(path), pattern_, mask_, normalFiles, names, CollationProbe(os_.collation),
                  FindFileEntries(os_.fs, AddYen(path), pattern_, mask_, normalFiles, whole.get(), &unnamed), {}, {}};
  // A folder that gives the same entries under the same filter as last time (in this run, or in
  // the last when the listing was long) is listed as it was then, without ordering names and
  // descriptions again.
  if (!last_ || !last_->SameSource(now)) {
    listed_.clear();
    last_.reset();
    if (std::optional<FileListing> kept = hooks_.KeptListing ? hooks_.KeptListing(now) : std::nullopt;
        kept && kept->SameSource(now)) {
      last_ = std::move(kept);
      IndexListing();
      if (!KeptRowsFit()) {
        listed_.clear();
        last_.reset();
      }
    }
    if (!last_) {
      std::vector<platform::FindEntry> entries = OrderFileEntries(os_.collation, now.found);
      if (!names) {
        now.files = NamesOf(std::move(entries));
      } else {
        const std::string prefix = AddYen(path);
        SaverOrder order = OrderBySaverName(entries, os_.collation, [&](const platform::FindEntry& e) {
          return hooks_.SaverDescription ? hooks_.SaverDescription(prefix + e.name, e) : std::string();
        });
        now.files = std::move(order.files);
        now.twin = std::move(order.twin);
      }
      last_ = std::move(now);
      IndexListing();
      if (last_->files.size() >= kKeptListingRows && hooks_.KeepListing) hooks_.KeepListing(*last_);
    }
  }
  f_.ListBox4.SetItems(last_->files);
  if (!names) {
    f_.ListBox7.Hide();
    f_.ListBox7.ClearItems();
  } else {
    f_.ListBox7.SetItems(last_->twin);
    f_.ListBox7.Show();
    if (hooks_.SaverNamesRead) hooks_.SaverNamesRead();
  }
  f_.ListBox4.SetTag(-1);
  f_.ListBox7.SetTag(-1);
  f_.Label1.SetCaption(" " + Count(f_.ListBox4.Count()));
  // Names the program's text cannot hold and that have no 8.3 name are never shown as another
  // file's name: the folder says once how many there are.
  if (unnamed > 0) f_.Label2.SetCaption(UnnamedEntries(unnamed));
}

void FileBrowser::IndexListing() {
  listed_.clear();
  listed_.reserve(last_->found.size());
  for (const platform::FindEntry& e : last_->found) listed_.emplace(e.name, &e);
}

bool FileBrowser::KeptRowsFit() const {
  const FileListing& l = *last_;
  if (l.files.size() != l.found.size() || (l.names ? l.twin.size() != l.files.size() : !l.twin.empty())) return false;
  // Each row names an entry, and no entry twice: with as many rows as entries, every entry has its row.
  std::vector<bool> seen(l.found.size());
  for (const std::string& row : l.files) {
    auto it = listed_.find(row);
    if (it == listed_.end()) return false;
    const auto at = static_cast<size_t>(it->second - l.found.data());
    if (seen[at]) return false;
    seen[at] = true;
  }
  return true;
}

void FileBrowser::RefillFileList() {
  if (FileListFolder().empty()) return;
  const intptr_t tag = f_.ListBox4.Tag();
  const std::string current = tag >= 0 && tag < f_.ListBox4.Count() ? f_.ListBox4.Item(static_cast<int>(tag)) : "";
  const std::string folder = FileListFolder();
  try {
    FillFileList(folder);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + folder + "\n" + kRetry);
    return;
  }
  if (current.empty()) return;
  const std::vector<std::string>& rows = f_.ListBox4.Items();
  const auto it = std::find(rows.begin(), rows.end(), current);
  if (it != rows.end()) SelectFileListRow(static_cast<int>(it - rows.begin()));
}

// --- File information line -------------------------------------------------------------------

std::string FileBrowser::RepairedFilePath(const std::string& path) {
  std::string repaired = path;
  try {
    shell_.RepairFilePath(repaired);
  } catch (const ShellError&) {
    return path;
  }
  return repaired;
}

bool FileBrowser::ShowFileInfo(const std::string& path) {
  f_.Label3.SetCaption(kNoSize);
  f_.Label4.SetCaption(kNoDate);
  const std::string repaired = RepairedFilePath(path);
  std::string folder, name;
  SplitFileName(repaired, folder, name);
  f_.Label2.SetCaption(name);
  const FileInfoLine line = DescribeFile(os_.fs, repaired);
  f_.Label3.SetCaption(line.size);
  f_.Label4.SetCaption(line.date);
  return line.found;
}

bool FileBrowser::ShowFileListInfo() {
  const int row = f_.ListBox4.ItemIndex();
  f_.ListBox4.SetTag(row);
  if (f_.SSN.Checked()) f_.ListBox7.SetTag(row);
  if (row < 0 || row >= f_.ListBox4.Count()) {
    f_.Label3.SetCaption(kNoSize);
    f_.Label4.SetCaption(kNoDate);
    return false;
  }
  return ShowFileInfo(AddYen(FileListFolder()) + f_.ListBox4.Item(row));
}

// --- Sizes ------------------------------------------------------------------------------------

// The design sizes at the window's density.
void FileBrowser::ButtonLClick() { f_.Panel_FOL.SetWidth(std::max(0, f_.Panel_FF.Width() - f_.Scale(kNarrowFolderWidth))); }
void FileBrowser::ButtonMClick() { f_.Panel_FOL.SetWidth(f_.Scale(kStandardFolderWidth)); }
void FileBrowser::ButtonRClick() { f_.Panel_FOL.SetWidth(f_.Scale(kNarrowFolderWidth)); }

void FileBrowser::Panel_FF_VMouseUp(int y) {
  f_.Panel_FF.SetHeight(std::max(f_.Scale(kMinBrowserHeight), f_.Panel_FF.Height() + y));
}

void FileBrowser::Panel5MouseUp(int x) {
  f_.Panel_FF.SetWidth(std::max(f_.Scale(kMinBrowserWidth), f_.Panel_FF.Width() + x));
}

void FileBrowser::Splitter1MouseUp(int x) {
  // Both sides keep at least the narrow width.
  const int narrow = f_.Scale(kNarrowFolderWidth);
  const int widest = std::max(narrow, f_.Panel_FF.Width() - narrow);
  f_.Panel_FOL.SetWidth(std::clamp(f_.Panel_FOL.Width() + x, narrow, widest));
}

}  // namespace browse

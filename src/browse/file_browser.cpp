#include "browse/file_browser.h"

#include <algorithm>
#include <memory>

#include "browse/file_info.h"
#include "browse/filters.h"
#include "browse/shell_paths.h"
#include "browse/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/canvas.h"
#include "platform/services.h"

namespace browse {

namespace {

constexpr int kStandardFolderWidth = 156;
constexpr int kNarrowFolderWidth = 30;
constexpr int kMinBrowserWidth = 299;
constexpr int kMinBrowserHeight = 97;
// The folder tree's pictures: a closed folder, and an open one on the selected node.
constexpr int kClosedFolder = 0;
constexpr int kOpenFolder = 1;

constexpr uint32_t kExclamation = 0x30;
// A recovery chain never needs more steps than a path has components; this only guards against
// a file system that keeps failing in new ways.
constexpr int kMaxRecoveryDepth = 64;

void AddFolderNode(gui::TreeNode& parent, const std::string& name) {
  parent.AddChild(name)->SetImages(kClosedFolder, kOpenFolder);
}

const char kRetry[] = "別のドライブか、フォルダーを選択してみて下さい";

std::string Count(int n) { return std::to_string(n) + "ｺ"; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// A copy of a picture whose key colour (pure red) shows the row's background instead.
std::shared_ptr<const gui::Bitmap> OnBackground(const std::shared_ptr<const gui::Bitmap>& picture, gui::Color back) {
  if (!picture) return picture;
  auto copy = std::make_shared<gui::Bitmap>(*picture);
  copy->ReplaceColor(gui::colors::kRed, back);
  return copy;
}

}  // namespace

// Hourglass while it lives, the normal cursor afterwards.
class FileBrowser::Busy {
 public:
  explicit Busy(gui::Application& app) : app_(app) { app_.GetScreen().SetCursor(gui::Cursor::HourGlass); }
  ~Busy() { app_.GetScreen().SetCursor(gui::Cursor::Default); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  gui::Application& app_;
};

FileBrowser::FileBrowser(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                         common::TMKBoxDlg& box, ShellPaths& shell, std::string programPath, BrowserHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), shell_(shell), programPath_(std::move(programPath)),
      hooks_(std::move(hooks)) {
  AttachEvents();
}

void FileBrowser::AttachEvents() {
  f_.ComboBox2.OnClick = [this](gui::Component&) { ComboBox2Click(); };
  f_.ListBox1.OnClick = [this](gui::Component&) { ListBox1Click(); };
  f_.TreeView1.OnChange = [this](gui::Component&, gui::TreeNode&) { TreeView1Change(); };
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
  f_.ComboBox2.OnDrawItem = [this](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect,
                                   gui::OwnerDrawState state) { ComboBox2DrawItem(canvas, index, rect, state.selected); };
  f_.ListBox1.OnDrawItem = [this](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect,
                                  gui::OwnerDrawState state) { ListBox1DrawItem(canvas, index, rect, state.selected); };
}

void FileBrowser::StartUp(bool lower, int dirNo, const std::string& cpath) {
  lower_ = lower;
  treeMode_ = dirNo != 0;
  ShowFolderView();
  FillDriveList();
  std::string folder = cpath;
  try {
    folder = ExistingFolder(cpath);
  } catch (const FolderError&) {
    folder = CutYen(shell_.WindowsFolder());
  }
  if (treeMode_) {
    OpenFolderTreeSafe(folder);
  } else {
    OpenFolderListSafe(folder);
  }
  // The drive list starts on the program's drive; it follows the folder actually opened, so the
  // combo never names another drive than the one shown below it.
  if (!currentFolder_.empty()) {
    SelectDrive(currentFolder_[0]);
    RefreshDriveLabel(currentFolder_[0]);
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

int FileBrowser::FileListIndex() const { return static_cast<int>(f_.ListBox4.Tag()); }

std::string FileBrowser::WindowsDriveRoot() const { return shell_.WindowsDriveRoot(); }

int64_t FileBrowser::DriveSize(char letter) { return browse::DriveSize(os_.fs, letter); }
int64_t FileBrowser::DriveFree(char letter) { return browse::DriveFree(os_.fs, letter); }

// --- Drives -----------------------------------------------------------------------------------

void FileBrowser::FillDriveList() {
  Busy busy(app_);
  drives_ = ListDrives(os_.fs, lower_);
  std::vector<std::string> texts;
  for (const DriveItem& d : drives_) texts.push_back(d.text);
  f_.ComboBox2.SetItems(texts);
  if (!programPath_.empty()) SelectDrive(programPath_[0]);
  if (f_.ComboBox2.ItemIndex() >= 0) RefreshDriveLabel(drives_[static_cast<size_t>(f_.ComboBox2.ItemIndex())].letter);
}

void FileBrowser::SelectDrive(char letter) {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (Upper(drives_[i].letter) == Upper(letter)) {
      f_.ComboBox2.SetItemIndex(static_cast<int>(i));
      return;
    }
  }
}

void FileBrowser::RefreshDriveLabel(char letter) {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (Upper(drives_[i].letter) != Upper(letter)) continue;
    std::vector<std::string> texts = f_.ComboBox2.Items();
    texts[i] = drives_[i].text + DriveLabel(os_.fs, letter);
    const int selected = f_.ComboBox2.ItemIndex();
    f_.ComboBox2.SetItems(texts);
    f_.ComboBox2.SetItemIndex(selected);
    return;
  }
}

void FileBrowser::ComboBox2Click() {
  const int index = f_.ComboBox2.ItemIndex();
  if (index < 0 || index >= static_cast<int>(drives_.size())) return;
  if (f_.ListBox1.Width() < kStandardFolderWidth) ButtonMClick();
  ChangeDrive(Upper(f_.ComboBox2.Items()[static_cast<size_t>(index)][0]));
}

void FileBrowser::ChangeDrive(char letter) {
  letter = Upper(letter);
  const std::string drive(1, letter);
  if (DriveSize(letter) < 0) {
    box_.MsgOKTimer("ドライブ・エラー発生\n" + drive + "\n" + "元のドライブに戻します", 1);
    const bool sameDrive = !fileListFolder_.empty() && Upper(fileListFolder_[0]) == letter;
    RecoverTo(sameDrive || fileListFolder_.empty() ? WindowsDriveRoot() : fileListFolder_);
    return;
  }
  RefreshDriveLabel(letter);
  std::string folder;
  if (hooks_.DriveFolders) {
    for (const std::string& line : hooks_.DriveFolders()) {
      if (!line.empty() && Upper(line[0]) == letter) {
        folder = line;
        break;
      }
    }
  }
  if (folder.empty()) folder = os_.fs.FullPath(drive + ":").value_or(drive + ":\\");
  if (treeMode_) {
    OpenFolderTreeSafe(folder);
  } else {
    OpenFolderListSafe(folder);
  }
}

// --- Folders ----------------------------------------------------------------------------------

// The folder without trailing "\", mapped through path repair when it does not exist as given.
std::string FileBrowser::ExistingFolder(const std::string& folder) {
  std::string path = CutYen(folder);
  if (path.empty()) throw FolderError();
  if (os_.fs.DirectoryExists(path)) return path;
  try {
    if (shell_.RepairPath(path) && os_.fs.DirectoryExists(path)) return CutYen(path);
  } catch (const ShellError&) {
  }
  throw FolderError();
}

void FileBrowser::MakeCurrent(const std::string& folder) {
  if (!os_.fs.SetCurrentFolder(folder).ok()) throw FolderError();
  currentFolder_ = folder;
  if (hooks_.RememberDriveFolder) hooks_.RememberDriveFolder(folder);
}

void FileBrowser::OpenFolderList(const std::string& folder) {
  f_.Label19.SetCaption("---ｺ");
  try {
    const std::string path = ExistingFolder(folder);
    MakeCurrent(path);
    std::vector<std::string> subfolders = shell_.SubFolders(path, f_.K6.Checked());
    FolderRows built = BuildFolderRows(shell_.DisplayPath(path), subfolders);
    rows_ = std::move(built.rows);
    currentRow_ = built.current;
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const FolderRow& row : rows_) texts.push_back(row.text);
    f_.ListBox1.SetItems(std::move(texts));
    f_.ListBox1.SetItemIndex(currentRow_);
    f_.Label19.SetCaption(Count(f_.ListBox1.Count()));
  } catch (const std::exception&) {
    f_.Label19.SetCaption(Count(f_.ListBox1.Count()));
    throw FolderError();
  }
}

void FileBrowser::ListBox1Click() {
  if (!f_.Button7.Visible()) {
    os_.desktop.Beep(kExclamation);
    return;
  }
  const std::string path = ClickedFolder(rows_, currentRow_, f_.ListBox1.ItemIndex());
  if (path.empty()) return;
  OpenFolderListSafe(path);
}

void FileBrowser::OpenFolderListSafe(const std::string& folder) {
  Busy busy(app_);
  try {
    OpenFolderList(folder);
  } catch (const std::exception&) {
    box_.MsgOKTimer("フォルダー・エラー発生\n" + folder + "\n" + "エラーを回避してみます。", 1);
    RecoverTo(shell_.NearestExistingFolder(CutYen(folder)));
    return;
  }
  f_.ListBox1.Invalidate();
  try {
    FillFileList(currentFolder_);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + currentFolder_ + "\n" + kRetry);
  }
}

void FileBrowser::OpenFolderTreeSafe(const std::string& folder) {
  Busy busy(app_);
  try {
    OpenFolderTree(folder);
  } catch (const std::exception&) {
    box_.MsgOKTimer("フォルダー・エラー発生\n" + folder + "\n" + "エラーを回避してみます。", 1);
    RecoverTo(shell_.NearestExistingFolder(CutYen(folder)));
    return;
  }
  f_.TreeView1.Invalidate();
  try {
    FillFileList(currentFolder_);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + currentFolder_ + "\n" + kRetry);
  }
}

void FileBrowser::ShowFolderView() {
  f_.ListBox1.SetVisible(!treeMode_);
  f_.TreeView1.SetVisible(treeMode_);
}

void FileBrowser::Button1Click() {
  treeMode_ = !treeMode_;
  ShowFolderView();
  try {
    if (treeMode_) {
      OpenFolderTree(currentFolder_);
    } else {
      OpenFolderList(currentFolder_);
    }
  } catch (const std::exception&) {
    box_.MsgOK("フォルダーチェンジ・エラー");
  }
}

// --- Tree -------------------------------------------------------------------------------------

int FileBrowser::NodeCount() const {
  int n = 0;
  std::function<void(const gui::TreeNode&)> count = [&](const gui::TreeNode& node) {
    ++n;
    for (int i = 0; i < node.Count(); ++i) count(*node.Child(i));
  };
  for (int i = 0; i < f_.TreeView1.Count(); ++i) count(*f_.TreeView1.Root(i));
  return n;
}

void FileBrowser::SelectNode(gui::TreeNode* node) {
  if (boldNode_) boldNode_->SetBold(false);
  boldNode_ = node;
  f_.TreeView1.SetSelected(node);
  if (node) node->SetBold(true);
}

void FileBrowser::OpenFolderTree(const std::string& folder) {
  struct Building {
    bool& flag;
    explicit Building(bool& f) : flag(f) { flag = true; }
    ~Building() { flag = false; }
  } building(buildingTree_);
  f_.Label19.SetCaption("---ｺ");
  try {
    const std::string path = ExistingFolder(folder);
    MakeCurrent(path);
    const std::vector<std::string> parts = SplitPath(AddYen(path));
    boldNode_ = nullptr;
    f_.TreeView1.Clear();
    gui::TreeNode* node = f_.TreeView1.AddRoot(parts[0]);
    node->SetImages(kClosedFolder, kOpenFolder);
    gui::TreeNode* matched = node;
    std::string sofar = parts[0];
    for (size_t i = 0; i < parts.size(); ++i) {
      const std::vector<std::string> subfolders = shell_.SubFolders(sofar, f_.K6.Checked());
      for (const std::string& name : subfolders) AddFolderNode(*node, name);
      if (i + 1 == parts.size()) break;
      const std::string next = parts[i + 1].substr(0, parts[i + 1].size() - 1);
      gui::TreeNode* found = nullptr;
      for (int c = 0; c < node->Count() && !found; ++c) {
        if (UpperAscii(node->Child(c)->Text()) == UpperAscii(next)) found = node->Child(c);
      }
      if (!found) {
        // The shell shows another name than the file system: find the child through the
        // parsing name of the folder it stands for.
        const NamePairs pairs = shell_.Pairs(sofar);
        const size_t cut = AddYen(sofar).size();
        for (size_t p = 0; p < pairs.parsingNames.size() && !found; ++p) {
          const std::string& parsing = pairs.parsingNames[p];
          if (parsing.size() <= cut || UpperAscii(parsing.substr(cut)) != UpperAscii(next)) continue;
          for (int c = 0; c < node->Count() && !found; ++c) {
            if (node->Child(c)->Text() == pairs.names[p]) found = node->Child(c);
          }
        }
      }
      // Without a match the deeper folders have no node to hang under: the walk ends at the
      // last folder it found.
      if (!found) break;
      matched = found;
      node = found;
      sofar += parts[i + 1];
    }
    std::function<void(gui::TreeNode&)> expand = [&](gui::TreeNode& n) {
      if (n.Count() > 0) n.SetExpanded(true);
      for (int c = 0; c < n.Count(); ++c) expand(*n.Child(c));
    };
    expand(*f_.TreeView1.Root(0));
    SelectNode(matched);
    f_.Label19.SetCaption(Count(NodeCount()));
  } catch (const std::exception&) {
    f_.Label19.SetCaption(Count(NodeCount()));
    throw FolderError();
  }
}

std::string FileBrowser::NodePath(const gui::TreeNode& node) const {
  std::vector<const gui::TreeNode*> chain;
  for (const gui::TreeNode* n = &node; n; n = n->Parent()) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) path = AddYen(path + (*it)->Text());
  return CutYen(path);
}

void FileBrowser::TreeView1Change() {
  if (buildingTree_ || inTreeSelect_) return;
  TreeSelect();
}

void FileBrowser::TreeSelect() {
  struct Entered {
    bool& flag;
    explicit Entered(bool& f) : flag(f) { flag = true; }
    ~Entered() { flag = false; }
  } entered(inTreeSelect_);
  Busy busy(app_);
  // What ran meanwhile may have rebuilt the tree: the node is read afterwards, never before.
  app_.ProcessMessages();
  gui::TreeNode* node = f_.TreeView1.Selected();
  if (!node) return;
  SelectNode(node);
  std::string path = NodePath(*node);
  try {
    path = os_.fs.FullPath(path).value_or(path);
    const std::string folder = ExistingFolder(path);
    MakeCurrent(folder);
    if (node->Count() > 0) {
      node->SetExpanded(true);
    } else {
      for (const std::string& name : shell_.SubFolders(folder, f_.K6.Checked())) AddFolderNode(*node, name);
      f_.Label19.SetCaption(Count(NodeCount()));
      if (node->Count() > 0) node->SetExpanded(true);
    }
  } catch (const std::exception&) {
    box_.MsgOKTimer("フォルダー・エラー発生\n" + path + "\n" + "エラーを回避してみます。", 1);
    RecoverTo(shell_.NearestExistingFolder(path));
    return;
  }
  try {
    FillFileList(currentFolder_);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + currentFolder_ + "\n" + kRetry);
  }
}

// --- Recovery ---------------------------------------------------------------------------------

void FileBrowser::RecoverTo(const std::string& folder) {
  const std::string root = WindowsDriveRoot();
  // A chain that comes back here after the Windows drive root was tried would only repeat
  // itself (each time with a timed box): it ends with the final message instead.
  const bool outermost = recoveryDepth_ == 0;
  if (windowsRootTried_ || recoveryDepth_ >= kMaxRecoveryDepth) {
    box_.MsgOK("エラー回避に失敗しました\n" + root + "\n" + kRetry);
    return;
  }
  ++recoveryDepth_;
  if (SameText(AddYen(folder), root)) windowsRootTried_ = true;
  bool done = GoToFolder(folder);
  if (!done && !windowsRootTried_) {
    windowsRootTried_ = true;
    done = GoToFolder(root);
  }
  if (!done) box_.MsgOK("エラー回避に失敗しました\n" + root + "\n" + kRetry);
  --recoveryDepth_;
  if (outermost) windowsRootTried_ = false;
}

bool FileBrowser::GoToFolder(const std::string& folder) {
  std::string path;
  try {
    path = ExistingFolder(folder);
    MakeCurrent(path);
  } catch (const std::exception&) {
    return false;
  }
  SelectDrive(path[0]);
  ChangeDrive(path[0]);
  return true;
}

void FileBrowser::ShowFolderError(const std::string& code) {
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  box_.MsgOK("フォルダーエラー発生☆☆" + code + "\n" + kRetry);
}

// --- File list --------------------------------------------------------------------------------

void FileBrowser::FillFileList(const std::string& folder) {
  Busy busy(app_);
  f_.Label1.SetCaption(" ---ｺ");
  const std::string path = ExistingFolder(folder);
  if (!os_.fs.SetCurrentFolder(path).ok()) throw FolderError();
  fileListFolder_ = path;
  if (hooks_.FolderListed) hooks_.FolderListed(path);
  std::vector<std::string> names = SelectFiles(os_.fs, os_.collation, AddYen(path), pattern_, mask_, f_.CB5.Checked());
  if (!f_.SSN.Checked()) {
    f_.ListBox7.Hide();
    f_.ListBox7.ClearItems();
    f_.ListBox4.SetItems(std::move(names));
  } else {
    const std::string prefix = AddYen(path);
    SaverOrder order = OrderBySaverName(names, os_.collation, [&](const std::string& name) {
      return hooks_.SaverDescription ? hooks_.SaverDescription(prefix + LowerAscii(name)) : std::string();
    });
    f_.ListBox4.SetItems(std::move(order.files));
    f_.ListBox7.SetItems(std::move(order.twin));
    f_.ListBox7.Show();
  }
  f_.ListBox4.SetTag(-1);
  f_.ListBox7.SetTag(-1);
  std::string caption(1, ' ');
  caption += Count(f_.ListBox4.Count());
  f_.Label1.SetCaption(caption);
}

void FileBrowser::RefillFileList() {
  if (fileListFolder_.empty()) return;
  const intptr_t tag = f_.ListBox4.Tag();
  const std::string current = tag >= 0 && tag < f_.ListBox4.Count() ? f_.ListBox4.Item(static_cast<int>(tag)) : "";
  try {
    FillFileList(fileListFolder_);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + fileListFolder_ + "\n" + kRetry);
    return;
  }
  if (current.empty()) return;
  const std::vector<std::string>& rows = f_.ListBox4.Items();
  const auto it = std::find(rows.begin(), rows.end(), current);
  if (it != rows.end()) SelectFileListRow(static_cast<int>(it - rows.begin()));
}

void FileBrowser::RefreshFolderView() {
  if (currentFolder_.empty()) return;
  if (treeMode_) {
    OpenFolderTreeSafe(currentFolder_);
  } else {
    OpenFolderListSafe(currentFolder_);
  }
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
  return ShowFileInfo(AddYen(fileListFolder_) + f_.ListBox4.Item(row));
}

// --- Sizes and drawing ------------------------------------------------------------------------

void FileBrowser::ButtonLClick() { f_.Panel_FOL.SetWidth(std::max(0, f_.Panel_FF.Width() - kNarrowFolderWidth)); }
void FileBrowser::ButtonMClick() { f_.Panel_FOL.SetWidth(kStandardFolderWidth); }
void FileBrowser::ButtonRClick() { f_.Panel_FOL.SetWidth(kNarrowFolderWidth); }

void FileBrowser::Panel_FF_VMouseUp(int y) {
  f_.Panel_FF.SetHeight(std::max(kMinBrowserHeight, f_.Panel_FF.Height() + y));
}

void FileBrowser::Panel5MouseUp(int x) { f_.Panel_FF.SetWidth(std::max(kMinBrowserWidth, f_.Panel_FF.Width() + x)); }

void FileBrowser::Splitter1MouseUp(int x) {
  // Both sides keep at least the narrow width.
  const int widest = std::max(kNarrowFolderWidth, f_.Panel_FF.Width() - kNarrowFolderWidth);
  f_.Panel_FOL.SetWidth(std::clamp(f_.Panel_FOL.Width() + x, kNarrowFolderWidth, widest));
}

void FileBrowser::ComboBox2DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, bool) {
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(drives_.size()) || index >= f_.ComboBox2.Count()) return;
  const gui::Image* icons[] = {&f_.Floppy, &f_.Fixed, &f_.Network, &f_.CDROM, &f_.RAM};
  const uint32_t type = drives_[static_cast<size_t>(index)].type;
  const auto picture = icons[type - platform::drive::kRemovable]->Picture();
  const int width = picture ? picture->Width() : 0;
  const RowLayout at = DriveRowLayout(rect, width);
  if (picture) {
    canvas.DrawBitmap({at.picture.x, at.picture.y, picture->Width(), picture->Height()},
                      OnBackground(picture, app_.GetBackend().ResolveColor(canvas.brush.color)));
  }
  canvas.TextAt(at.text.x, at.text.y, f_.ComboBox2.Items()[static_cast<size_t>(index)]);
}

void FileBrowser::ListBox1DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, bool) {
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(rows_.size()) || index >= f_.ListBox1.Count()) return;
  const FolderRow& row = rows_[static_cast<size_t>(index)];
  const auto picture = (row.open ? f_.Image6 : f_.Image5).Picture();
  const int width = picture ? picture->Width() : 0;
  const RowLayout at = FolderRowLayout(rect, row.level, width, index == currentRow_);
  if (picture) {
    canvas.DrawBitmap({at.picture.x, at.picture.y, picture->Width(), picture->Height()},
                      OnBackground(picture, app_.GetBackend().ResolveColor(canvas.brush.color)));
  }
  canvas.font.bold = at.bold;
  canvas.TextAt(at.text.x, at.text.y, f_.ListBox1.Item(index));
}

}  // namespace browse

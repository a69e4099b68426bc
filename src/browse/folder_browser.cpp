#include "browse/folder_browser.h"

#include <algorithm>
#include <memory>

#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "gui/application.h"
#include "gui/canvas.h"
#include "gui/combo_box.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/tree_view.h"
#include "platform/services.h"

namespace browse {

using namespace text;

namespace {

// The folder tree's pictures: a closed folder, and an open one on the selected node.
constexpr int kClosedFolder = 0;
constexpr int kOpenFolder = 1;
// A recovery chain never needs more steps than a path has components; this only guards against
// a file system that keeps failing in new ways.
constexpr int kMaxRecoveryDepth = 64;

const char kRetry[] = "別のドライブか、フォルダーを選択してみて下さい";

void AddFolderNode(gui::TreeNode& parent, const std::string& name) {
  parent.AddChild(name)->SetImages(kClosedFolder, kOpenFolder);
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// A copy of a picture whose key colour (pure red) shows the row's background instead.
std::shared_ptr<const gui::Bitmap> OnBackground(const std::shared_ptr<const gui::Bitmap>& picture, gui::Color back) {
  if (!picture) return picture;
  auto copy = std::make_shared<gui::Bitmap>(*picture);
  copy->ReplaceColor(gui::colors::kRed, back);
  return copy;
}

// Hourglass while it lives, the normal cursor afterwards.
class Busy {
 public:
  explicit Busy(gui::Application& app) : app_(app) { app_.GetScreen().SetCursor(gui::Cursor::HourGlass); }
  ~Busy() { app_.GetScreen().SetCursor(gui::Cursor::Default); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  gui::Application& app_;
};

// Sets a flag while it lives.
struct Raised {
  bool& flag;
  explicit Raised(bool& f) : flag(f) { flag = true; }
  ~Raised() { flag = false; }
};

}  // namespace

FolderBrowser::FolderBrowser(gui::Application& app, platform::Services& os, common::TMKBoxDlg& box, ShellPaths& shell,
                             FolderControls controls, FolderSite site, std::string programPath)
    : app_(app), os_(os), box_(box), shell_(shell), c_(controls), site_(std::move(site)),
      programPath_(std::move(programPath)) {
  c_.tree.OnChange = [this](gui::Component&, gui::TreeNode&) { TreeChanged(); };
  c_.drives.OnDrawItem = [this](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect,
                                gui::OwnerDrawState) { DrawDrive(canvas, index, rect); };
  c_.folders.OnDrawItem = [this](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect,
                                 gui::OwnerDrawState) { DrawFolderRow(canvas, index, rect); };
}

void FolderBrowser::SetTreeMode(bool tree) {
  treeMode_ = tree;
  ShowFolderView();
}

void FolderBrowser::ShowFolderView() {
  c_.folders.SetVisible(!treeMode_);
  c_.tree.SetVisible(treeMode_);
}

void FolderBrowser::SwitchView() {
  SetTreeMode(!treeMode_);
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

// --- Drives -----------------------------------------------------------------------------------

void FolderBrowser::FillDriveList() {
  Busy busy(app_);
  drives_ = ListDrives(os_.fs, lower_);
  std::vector<std::string> texts;
  for (const DriveItem& d : drives_) texts.push_back(d.text);
  c_.drives.SetItems(texts);
  if (!programPath_.empty()) SelectDrive(programPath_[0]);
  if (c_.drives.ItemIndex() >= 0) RefreshDriveLabel(drives_[static_cast<size_t>(c_.drives.ItemIndex())].letter);
  if (site_.DrivesFilled) site_.DrivesFilled();
}

void FolderBrowser::SelectDrive(char letter) {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (Upper(drives_[i].letter) == Upper(letter)) {
      c_.drives.SetItemIndex(static_cast<int>(i));
      return;
    }
  }
}

void FolderBrowser::RefreshDriveLabel(char letter) {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (Upper(drives_[i].letter) != Upper(letter)) continue;
    std::vector<std::string> texts = c_.drives.Items();
    texts[i] = drives_[i].text + DriveLabel(os_.fs, letter);
    const int selected = c_.drives.ItemIndex();
    c_.drives.SetItems(texts);
    c_.drives.SetItemIndex(selected);
    return;
  }
}

void FolderBrowser::DriveChosen() {
  const int index = c_.drives.ItemIndex();
  if (index < 0 || index >= static_cast<int>(drives_.size())) return;
  ChangeDrive(Upper(c_.drives.Items()[static_cast<size_t>(index)][0]));
}

void FolderBrowser::ChangeDrive(char letter) {
  letter = Upper(letter);
  const std::string drive(1, letter);
  if (DriveSize(os_.fs, letter) < 0) {
    box_.MsgOKTimer("ドライブ・エラー発生\n" + drive + "\n" + "元のドライブに戻します", 1);
    const bool sameDrive = !fileListFolder_.empty() && Upper(fileListFolder_[0]) == letter;
    RecoverTo(sameDrive || fileListFolder_.empty() ? shell_.WindowsDriveRoot() : fileListFolder_);
    return;
  }
  RefreshDriveLabel(letter);
  std::string folder;
  if (site_.DriveFolders) {
    for (const std::string& line : site_.DriveFolders()) {
      if (!line.empty() && Upper(line[0]) == letter) {
        folder = line;
        break;
      }
    }
  }
  if (folder.empty()) folder = os_.fs.FullPath(drive + ":").value_or(drive + ":\\");
  OpenSafe(folder);
}

// --- Folders ----------------------------------------------------------------------------------

std::string FolderBrowser::ExistingFolder(const std::string& folder) {
  std::string path = CutYen(folder);
  if (path.empty()) throw FolderError();
  if (os_.fs.DirectoryExists(path)) return path;
  try {
    if (shell_.RepairPath(path) && os_.fs.DirectoryExists(path)) return CutYen(path);
  } catch (const ShellError&) {
  }
  throw FolderError();
}

void FolderBrowser::MakeCurrent(const std::string& folder) {
  if (!os_.fs.SetCurrentFolder(folder).ok()) throw FolderError();
  currentFolder_ = folder;
  if (site_.RememberDriveFolder) site_.RememberDriveFolder(folder);
  if (site_.FolderChanged) site_.FolderChanged(folder);
}

std::string FolderBrowser::EnterFileListFolder(const std::string& folder) {
  const std::string path = ExistingFolder(folder);
  if (!os_.fs.SetCurrentFolder(path).ok()) throw FolderError();
  fileListFolder_ = path;
  return path;
}

void FolderBrowser::OpenFolderList(const std::string& folder) {
  if (site_.ShowFolderCount) site_.ShowFolderCount(std::nullopt, false);
  try {
    const std::string path = ExistingFolder(folder);
    MakeCurrent(path);
    std::vector<std::string> subfolders = shell_.SubFolders(path, site_.IncludeHidden && site_.IncludeHidden());
    FolderRows built = BuildFolderRows(shell_.DisplayPath(path), subfolders);
    rows_ = std::move(built.rows);
    currentRow_ = built.current;
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const FolderRow& row : rows_) texts.push_back(row.text);
    c_.folders.SetItems(std::move(texts));
    c_.folders.SetItemIndex(currentRow_);
    if (site_.ShowFolderCount) site_.ShowFolderCount(c_.folders.Count(), false);
  } catch (const std::exception&) {
    if (site_.ShowFolderCount) site_.ShowFolderCount(c_.folders.Count(), false);
    throw FolderError();
  }
}

void FolderBrowser::FolderRowClicked() {
  const std::string path = ClickedFolder(rows_, currentRow_, c_.folders.ItemIndex());
  if (!path.empty()) OpenFolderListSafe(path);
}

void FolderBrowser::FillFilesOf(const std::string& folder) {
  try {
    if (site_.FillFiles) site_.FillFiles(folder);
  } catch (const std::exception&) {
    box_.MsgOK("ファイルリスト・エラー発生\n" + folder + "\n" + kRetry);
  }
}

void FolderBrowser::OpenFolderListSafe(const std::string& folder) {
  Busy busy(app_);
  try {
    OpenFolderList(folder);
  } catch (const std::exception&) {
    RecoverFrom(folder);
    return;
  }
  c_.folders.Invalidate();
  FillFilesOf(currentFolder_);
}

void FolderBrowser::GoToFolderSafe(const std::string& folder) {
  if (!GoToFolder(folder)) RecoverFrom(folder);
}

void FolderBrowser::RecoverFrom(const std::string& folder) {
  box_.MsgOKTimer("フォルダー・エラー発生\n" + folder + "\n" + "エラーを回避してみます。", 1);
  RecoverTo(shell_.NearestExistingFolder(CutYen(folder)));
}

void FolderBrowser::OpenFolderTreeSafe(const std::string& folder) {
  Busy busy(app_);
  try {
    OpenFolderTree(folder);
  } catch (const std::exception&) {
    RecoverFrom(folder);
    return;
  }
  c_.tree.Invalidate();
  FillFilesOf(currentFolder_);
}

void FolderBrowser::OpenSafe(const std::string& folder) {
  if (treeMode_) {
    OpenFolderTreeSafe(folder);
  } else {
    OpenFolderListSafe(folder);
  }
}

// --- Tree -------------------------------------------------------------------------------------

int FolderBrowser::NodeCount() const {
  int n = 0;
  std::function<void(const gui::TreeNode&)> count = [&](const gui::TreeNode& node) {
    ++n;
    for (int i = 0; i < node.Count(); ++i) count(*node.Child(i));
  };
  for (int i = 0; i < c_.tree.Count(); ++i) count(*c_.tree.Root(i));
  return n;
}

void FolderBrowser::SelectNode(gui::TreeNode* node) {
  if (boldNode_) boldNode_->SetBold(false);
  boldNode_ = node;
  c_.tree.SetSelected(node);
  if (node) node->SetBold(true);
}

void FolderBrowser::OpenFolderTree(const std::string& folder) {
  Raised building(buildingTree_);
  if (site_.ShowFolderCount) site_.ShowFolderCount(std::nullopt, true);
  try {
    const std::string path = ExistingFolder(folder);
    MakeCurrent(path);
    const std::vector<std::string> parts = SplitPath(AddYen(path));
    boldNode_ = nullptr;
    c_.tree.Clear();
    gui::TreeNode* node = c_.tree.AddRoot(parts[0]);
    node->SetImages(kClosedFolder, kOpenFolder);
    gui::TreeNode* matched = node;
    std::string sofar = parts[0];
    for (size_t i = 0; i < parts.size(); ++i) {
      const std::vector<std::string> subfolders = shell_.SubFolders(sofar, site_.IncludeHidden && site_.IncludeHidden());
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
        NamePairs pairs;
        try {
          pairs = shell_.Pairs(sofar);
        } catch (const ShellError&) {
          if (!site_.TreeLevelFailed) throw;
          site_.TreeLevelFailed(sofar);
        }
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
    expand(*c_.tree.Root(0));
    SelectNode(matched);
    if (site_.ShowFolderCount) site_.ShowFolderCount(NodeCount(), true);
  } catch (const std::exception&) {
    if (site_.ShowFolderCount) site_.ShowFolderCount(NodeCount(), true);
    throw FolderError();
  }
}

std::string FolderBrowser::NodePath(const gui::TreeNode& node) const {
  std::vector<const gui::TreeNode*> chain;
  for (const gui::TreeNode* n = &node; n; n = n->Parent()) chain.push_back(n);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) path = AddYen(path + (*it)->Text());
  return CutYen(path);
}

void FolderBrowser::TreeChanged() {
  if (buildingTree_ || inTreeSelect_) return;
  TreeSelect();
}

void FolderBrowser::TreeSelect() {
  Raised entered(inTreeSelect_);
  Busy busy(app_);
  // What ran meanwhile may have rebuilt the tree: the node is read afterwards, never before.
  app_.ProcessMessages();
  gui::TreeNode* node = c_.tree.Selected();
  if (!node) return;
  SelectNode(node);
  std::string path = NodePath(*node);
  try {
    if (site_.fullPathOfNode) path = os_.fs.FullPath(path).value_or(path);
    const std::string folder = ExistingFolder(path);
    MakeCurrent(folder);
    if (node->Count() > 0) {
      node->SetExpanded(true);
    } else {
      for (const std::string& name : shell_.SubFolders(folder, site_.IncludeHidden && site_.IncludeHidden())) {
        AddFolderNode(*node, name);
      }
      if (site_.ShowFolderCount) site_.ShowFolderCount(NodeCount(), true);
      if (node->Count() > 0) node->SetExpanded(true);
    }
  } catch (const std::exception&) {
    RecoverFrom(path);
    return;
  }
  FillFilesOf(currentFolder_);
}

// --- Recovery ---------------------------------------------------------------------------------

void FolderBrowser::RecoverTo(const std::string& folder) {
  const std::string root = shell_.WindowsDriveRoot();
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

bool FolderBrowser::GoToFolder(const std::string& folder) {
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

// --- Drawing ----------------------------------------------------------------------------------

void FolderBrowser::DrawDrive(gui::Canvas& canvas, int index, const gui::Rect& rect) {
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(drives_.size()) || index >= c_.drives.Count()) return;
  const uint32_t type = drives_[static_cast<size_t>(index)].type;
  const auto picture = c_.driveIcons[type - platform::drive::kRemovable]->Picture();
  const int width = picture ? picture->Width() : 0;
  const RowLayout at = DriveRowLayout(rect, width, c_.drives.OwnerForm().FormDpi());
  if (picture) {
    canvas.DrawBitmap({at.picture.x, at.picture.y, picture->Width(), picture->Height()},
                      OnBackground(picture, app_.GetBackend().ResolveColor(canvas.brush.color)));
  }
  canvas.TextAt(at.text.x, at.text.y, c_.drives.Items()[static_cast<size_t>(index)]);
}

void FolderBrowser::DrawFolderRow(gui::Canvas& canvas, int index, const gui::Rect& rect) {
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(rows_.size()) || index >= c_.folders.Count()) return;
  const FolderRow& row = rows_[static_cast<size_t>(index)];
  const auto picture = (row.open ? c_.openFolder : c_.closedFolder).Picture();
  const int width = picture ? picture->Width() : 0;
  const RowLayout at = FolderRowLayout(rect, row.level, width, index == currentRow_, c_.folders.OwnerForm().FormDpi());
  if (picture) {
    canvas.DrawBitmap({at.picture.x, at.picture.y, picture->Width(), picture->Height()},
                      OnBackground(picture, app_.GetBackend().ResolveColor(canvas.brush.color)));
  }
  canvas.font.bold = at.bold;
  canvas.TextAt(at.text.x, at.text.y, c_.folders.Item(index));
}

}  // namespace browse

// The folder side of a browser: the drive combo, the flat folder list and the folder tree, and the
// recovery chain that brings it back to a folder that still exists when a drive or folder fails.
// The manager's browser and the browse dialog each run one over their own controls; what differs
// between them (hidden folders, how counts are shown, how files are listed) comes in as the site.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "browse/browser_rows.h"

namespace gui {
class Application;
class Canvas;
class ComboBox;
class Image;
class ListBox;
class TreeNode;
class TreeView;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace browse {

class ShellPaths;

// A folder that cannot be shown or made current.
class FolderError : public std::runtime_error {
 public:
  FolderError() : std::runtime_error("フォルダーエラー") {}
};

struct FolderControls {
  gui::ComboBox& drives;
  gui::ListBox& folders;
  gui::TreeView& tree;
  // Drive pictures by type: removable, fixed, remote, CD-ROM, RAM disk.
  std::array<const gui::Image*, 5> driveIcons;
  const gui::Image& closedFolder;
  const gui::Image& openFolder;
};

struct FolderSite {
  // Whether hidden folders are listed.
  std::function<bool()> IncludeHidden;
  // The folder count of the view: nullopt while it is built, else its rows (list) or nodes (tree).
  std::function<void(std::optional<int> count, bool tree)> ShowFolderCount;
  // Lists the files of a folder (through EnterFileListFolder); throws when it cannot.
  std::function<void(const std::string& folder)> FillFiles;
  // The current folder changed.
  std::function<void(const std::string& folder)> FolderChanged;
  // The last folder used on each drive.
  std::function<void(const std::string& folder)> RememberDriveFolder;
  std::function<std::vector<std::string>()> DriveFolders;
  // The drive list was built.
  std::function<void()> DrivesFilled;
  // The names of a level of the tree could not be read; without this the tree fails, with it
  // the walk goes on after it.
  std::function<void(const std::string& folder)> TreeLevelFailed;
  // Whether a picked tree node's path is made a full path first.
  bool fullPathOfNode = true;
};

class FolderBrowser {
 public:
  // `programPath` is the program's own executable: its drive is selected first. Attaches the
  // drawing of the drive combo and the folder list and the tree's change event.
  FolderBrowser(gui::Application& app, platform::Services& os, common::TMKBoxDlg& box, ShellPaths& shell,
                FolderControls controls, FolderSite site, std::string programPath);

  // Drive letters in lower case.
  void SetLower(bool lower) { lower_ = lower; }
  bool TreeMode() const { return treeMode_; }
  void SetTreeMode(bool tree);
  // The view of the mode: the folder list, or the tree under it.
  void ShowFolderView();
  // Switches list and tree for the current folder ("フォルダーチェンジ・エラー" on failure); the
  // file list is not refilled.
  void SwitchView();

  const std::string& CurrentFolder() const { return currentFolder_; }
  const std::string& FileListFolder() const { return fileListFolder_; }
  const std::vector<FolderRow>& Rows() const { return rows_; }
  int CurrentRow() const { return currentRow_; }

  void FillDriveList();
  void SelectDrive(char letter);
  // The drive's row gets its label (volume or network name).
  void RefreshDriveLabel(char letter);
  void ChangeDrive(char letter);
  // The drive combo's chosen row.
  void DriveChosen();
  // Throw FolderError when the folder cannot be shown.
  void OpenFolderList(const std::string& folder);
  void OpenFolderTree(const std::string& folder);
  // With recovery, then the files.
  void OpenFolderListSafe(const std::string& folder);
  void OpenFolderTreeSafe(const std::string& folder);
  // In the view of the mode.
  void OpenSafe(const std::string& folder);
  // A click on a row of the folder list opens its folder.
  void FolderRowClicked();
  void TreeChanged();
  void TreeSelect();
  void RecoverTo(const std::string& folder);
  // False when the folder does not exist (even after path repair) or cannot be made current.
  bool GoToFolder(const std::string& folder);
  // GoToFolder; a folder that cannot be opened gets the folder error and recovery of a safe opening.
  void GoToFolderSafe(const std::string& folder);
  // For the site's file listing: the folder (mapped by path repair) made current and kept as the
  // file-list folder; FolderError when it cannot be.
  std::string EnterFileListFolder(const std::string& folder);
  // The folder without trailing "\", mapped through path repair when it does not exist as given.
  std::string ExistingFolder(const std::string& folder);

  void DrawDrive(gui::Canvas& canvas, int index, const gui::Rect& rect);
  void DrawFolderRow(gui::Canvas& canvas, int index, const gui::Rect& rect);

 private:
  // The folder error of a safe opening, then recovery to the nearest folder that exists.
  void RecoverFrom(const std::string& folder);
  void MakeCurrent(const std::string& folder);
  std::string NodePath(const gui::TreeNode& node) const;
  void SelectNode(gui::TreeNode* node);
  int NodeCount() const;
  void FillFilesOf(const std::string& folder);

  gui::Application& app_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  ShellPaths& shell_;
  FolderControls c_;
  FolderSite site_;
  std::string programPath_;

  std::vector<DriveItem> drives_;
  std::vector<FolderRow> rows_;
  int currentRow_ = -1;
  std::string currentFolder_;
  std::string fileListFolder_;
  bool lower_ = true;
  bool treeMode_ = false;
  bool buildingTree_ = false;
  bool inTreeSelect_ = false;
  gui::TreeNode* boldNode_ = nullptr;
  // Recovery: nesting depth, and whether the Windows drive root was tried in this chain.
  int recoveryDepth_ = 0;
  bool windowsRootTried_ = false;
};

}  // namespace browse

// The browser of the manager window: the folder side (drive combo, folder list, folder tree and
// their recovery chain, shared with the browse dialog) over the window's controls, the file list
// with its filter, names and count, and the file information line. The drive folder store, saver
// descriptions and the folder history come in as functions from the composition root.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "browse/browser_rows.h"
#include "browse/folder_browser.h"

namespace gui {
class Application;
class Canvas;
class TreeNode;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

// The line under the browser after a folder whose `count` entries have names the program's text
// cannot hold and no 8.3 names (a volume that keeps none): they are left out, never shown as
// another file's name.
std::string UnnamedEntries(size_t count);

class ShellPaths;

struct BrowserHooks {
  // Remembers the folder last used on its drive (the drive folder store).
  std::function<void(const std::string& folder)> RememberDriveFolder;
  // The store's lines, one folder per drive.
  std::function<std::vector<std::string>()> DriveFolders;
  // The description of a listed screen-saver file (full path, and its folder entry with size and
  // date), empty when it has none.
  std::function<std::string(const std::string& path, const platform::FindEntry& entry)> SaverDescription;
  // The file list was filled with the savers' descriptions.
  std::function<void()> SaverNamesRead;
  // A folder whose files were listed, for the folder history (which decides whether it is on).
  std::function<void(const std::string& folder)> FolderListed;
  // The long listing kept from an earlier run when it was made of the same (see
  // FileListing::SameSource), and a long listing just made, to be kept for the next run.
  std::function<std::optional<FileListing>(const FileListing& source)> KeptListing;
  std::function<void(const FileListing& listing)> KeepListing;
};

// A listing of this many rows or more is worth keeping for the next run.
constexpr size_t kKeptListingRows = 1000;

class FileBrowser {
 public:
  // `programPath` is the program's own executable: its drive is selected first.
  FileBrowser(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
              ShellPaths& shell, std::string programPath, BrowserHooks hooks);

  // Start-up: drive-letter case, saved view mode (0 list, else tree) and saved folder; builds the
  // drive list and opens the folder with recovery. An empty or missing saved folder opens the
  // Windows folder instead.
  void StartUp(bool lower, int dirNo, const std::string& cpath);
  // The saved current row of the file list (second number of INDEX): -1 clears it, a row beyond
  // the end is ignored. Sets ListBox4 and its twin.
  void SelectFileListRow(int row);

  // The filter the file list applies (pattern pieces separated by ";", attribute mask).
  void SetFilter(const std::string& pattern, int mask);
  const std::string& Pattern() const { return pattern_; }
  int Mask() const { return mask_; }

  // What save-all stores: the current folder (CPATH), the view mode (DirNo) and the file list's
  // current row (second number of INDEX).
  const std::string& CurrentFolder() const { return folders_.CurrentFolder(); }
  const std::string& FileListFolder() const { return folders_.FileListFolder(); }
  int DirNo() const { return folders_.TreeMode() ? 1 : 0; }
  int FileListIndex() const;
  // The directory entry behind a file-list row as the last listing found it; null for a name
  // that was not listed.
  const platform::FindEntry* ListedEntry(const std::string& row) const;
  // The folder view of the mode: the folder list, or the tree under it.
  void ShowFolderView() { folders_.ShowFolderView(); }

  void FillDriveList() { folders_.FillDriveList(); }
  void ChangeDrive(char letter) { folders_.ChangeDrive(letter); }
  // Throw FolderError when the folder cannot be shown.
  void OpenFolderList(const std::string& folder) { folders_.OpenFolderList(folder); }
  void OpenFolderTree(const std::string& folder) { folders_.OpenFolderTree(folder); }
  void FillFileList(const std::string& folder);
  // The file list's folder listed again; the file that was current stays current (by name).
  void RefillFileList();
  // The current folder opened again in the folder view (hidden folders as K6 now says).
  void RefreshFolderView();
  // With recovery, then the file list.
  void OpenFolderListSafe(const std::string& folder) { folders_.OpenFolderListSafe(folder); }
  void OpenFolderTreeSafe(const std::string& folder) { folders_.OpenFolderTreeSafe(folder); }
  // The selected tree node's folder becomes current and gets its children.
  void TreeSelect() { folders_.TreeSelect(); }
  void RecoverTo(const std::string& folder) { folders_.RecoverTo(folder); }
  // False when the folder does not exist (even after path repair) or cannot be made current.
  bool GoToFolder(const std::string& folder) { return folders_.GoToFolder(folder); }
  void GoToFolderSafe(const std::string& folder) { folders_.GoToFolderSafe(folder); }
  // "フォルダーエラー発生☆☆" + code, normal cursor.
  void ShowFolderError(const std::string& code);

  // The file information line for a file (its folder mapped by path repair first): Label2 the
  // name, Label3 the size, Label4 date and attributes; the placeholders when it is missing.
  // Returns whether the file was found.
  bool ShowFileInfo(const std::string& path);
  // A file path whose folder part names folders by their shell names mapped to the real ones;
  // the path itself when it cannot be mapped.
  std::string RepairedFilePath(const std::string& path);
  // The same for the file list's current row: the row becomes the tag of ListBox4 (and of the
  // twin while SSN is ticked). Which list plays and the click-suppress flag stay with the caller.
  bool ShowFileListInfo();

  int64_t DriveSize(char letter);
  int64_t DriveFree(char letter);

  // The indentation level of each folder-list row and the current-folder row.
  const std::vector<FolderRow>& FolderListRows() const { return folders_.Rows(); }
  int CurrentRow() const { return folders_.CurrentRow(); }

  // Handlers attached to the window.
  void ComboBox2Click();
  void ListBox1Click();
  void Button1Click() { folders_.SwitchView(); }
  void ButtonLClick();
  void ButtonMClick();
  void ButtonRClick();
  void Panel_FF_VMouseUp(int y);
  void Panel5MouseUp(int x);
  // The splitter between the folder side and the file list, released `x` pixels from where it
  // was pressed.
  void Splitter1MouseUp(int x);
  void ComboBox2DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, bool) {
    folders_.DrawDrive(canvas, index, rect);
  }
  void ListBox1DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, bool) {
    folders_.DrawFolderRow(canvas, index, rect);
  }

 private:
  FolderSite Site();
  void AttachEvents();
  // Indexes last_'s entries by name; whether a kept listing's rows are rows of its entries, each
  // once, twin for row while names are shown.
  void IndexListing();
  bool KeptRowsFit() const;

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  ShellPaths& shell_;
  BrowserHooks hooks_;
  FolderBrowser folders_;
  std::string pattern_ = "*.SCR;";
  int mask_ = 0x27;
  // The entries of the last file list by name (they live in last_).
  std::unordered_map<std::string_view, const platform::FindEntry*> listed_;
  // The last file list.
  std::optional<FileListing> last_;
};

}  // namespace browse

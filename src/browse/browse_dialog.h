// TDIR2OPENDLG: the browse dialog " フォルダーの参照" in which the user picks a folder (or a
// file): its own drive list, folder list and folder tree (the folder side the manager's browser
// uses, over the dialog's controls), a file list with sortable columns, back and up, and new and
// deleted folders. Each ShowBrowse builds a TDIR2VIEWForm, runs it modally and frees it again.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/snbox.h"
#include "common/work_area.h"
#include "gui/gui_types.h"

namespace gui {
class Application;
struct ListItem;
}  // namespace gui

namespace platform {
struct Services;
}

namespace browse {

class ShellPaths;

class TDIR2OPENDLG {
 public:
  // `programPath` is the program's own executable: the last-resort start folder.
  TDIR2OPENDLG(gui::Application& app, platform::Services& os, ShellPaths& shell, std::string programPath);

  std::string Directory;          // start folder (second choice); afterwards the chosen folder
  std::string Title;              // first part of the caption; empty means the application title
  gui::Handle SourceHandle = 0;   // window the dialog is centred on; 0 means the main window
  bool StandardColor = true;      // lists and fields in the system's window colour
  std::string Filter = "ALL files|*.*";  // description|pattern pairs
  std::string InitialDir;         // start folder (third choice)
  std::string Filename;           // its folder is the first choice; afterwards the chosen file
  std::string DefaultExt;         // added to a typed file name without it
  // Creating the dialog turns the drive letters of the manager's lists lower case.
  std::function<void()> LowerDriveLetters;

  // ShowBrowse in folder mode without the overwrite question.
  int SelectFolder(const std::string& captionPart);
  // 1 for 設定, 3 for 中止, 2 when the window was closed. Directory is the chosen folder (empty
  // unless 設定), Filename the chosen file (unchanged unless 設定 in file mode).
  int ShowBrowse(bool folderMode, bool askOverwrite, const std::string& captionPart);

  // The new-folder dialog (its history lives as long as this component).
  common::TSNBoxDlg SNBoxDlg1;

 private:
  gui::Application& app_;
  platform::Services& os_;
  ShellPaths& shell_;
  std::string programPath_;
  common::WorkAreaProbe probe_;
  // The last folder used on each drive, for as long as the program runs.
  std::vector<std::string> driveFolders_;
};

// One line of the filter combo: "Text (*.TXT)" and its pattern. An empty filter means
// "ALL files|*.*"; a description without its pattern ends the parsing, an empty pattern is
// skipped; an "ALL files (*.*)" line is added when no pattern is "*.*".
struct FilterLine {
  std::string text;
  std::string pattern;
};
std::vector<FilterLine> ParseFilter(const std::string& filter);

// The new-folder prompt: the folder with "\", cut to "..." and its last 36 characters when
// longer than 38, then five blanks.
std::string NewFolderPrompt(const std::string& folder);

// The file list's order for column `column`: names and texts as they sort on the platform, sizes
// by their right-aligned text; negative, 0 or positive.
int CompareListColumn(const gui::ListItem& a, const gui::ListItem& b, int column,
                      const std::function<std::string(const std::string&)>& sortKey);

}  // namespace browse

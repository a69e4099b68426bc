// The file menu's commands that act on the files behind the selected rows of a list: really move
// (PIDO), really copy (PCOPY) into a folder the user chooses, and really delete (PKILL). Each
// runs a loop over the selected rows that 中断 can stop after any row; rows whose files moved or
// went are removed from their list.
#pragma once
#include <functional>
#include <string>

#include "fileops/selected_rows.h"

namespace gui {
class Application;
class ListBox;
class MenuItem;
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

namespace store {
class ManagerSettings;
}

namespace fileops {

struct FileCommandHooks {
  // The list the file menu was opened on (null: none yet).
  std::function<gui::ListBox*()> Source;
  // The folder the file list shows (without "\").
  std::function<std::string()> FileListFolder;
  // A path whose folder may be named by the shell's names, mapped to the real one.
  std::function<std::string(const std::string& path)> RepairFilePath;
  // Rows of this main list went: its count is shown again.
  std::function<void(gui::ListBox& main)> RowsRemoved;
};

class FileCommands {
 public:
  FileCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
               store::ManagerSettings& settings, FileCommandHooks hooks);

  void AttachEvents();
  // PIDO (move) or PCOPY (copy).
  void PCOPYClick(const gui::MenuItem& sender);
  void PKILLClick();

  // While a loop runs the manager refuses to close.
  bool Busy() const { return busy_; }
  // 中断: the loop ends after the row it is on.
  void RequestStop() { stopRequested_ = true; }

 private:
  SelectedRows SourceRows() const;
  // The selected rows; a row whose handling raised an exception gets the notice `failure`.
  bool ForEach(SelectedRows& rows, const std::string& failure,
               const std::function<bool(const std::string& path, int row)>& act);
  void RemoveRow(SelectedRows& rows, int row);
  // A per-row error notice; false when the user chose 中 断 (after a beep).
  bool RowError(const std::string& path, const std::string& what);
  std::string Describe(const std::string& path);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  store::ManagerSettings& settings_;
  FileCommandHooks hooks_;
  bool busy_ = false;
  bool stopRequested_ = false;
};

}  // namespace fileops

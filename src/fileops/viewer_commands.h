// The file menu's viewers and the main menu's utilities: open or play the selected files through
// their file types, show any file as text (or help), an archive's listing, a hexadecimal dump of a
// file's first 4 KB, a web page's text reformatted, CR bytes taken out of web pages, the free space
// of every drive, and the usage texts. Reports are written into the working
// folder and shown in the text editor, which the program never waits for.
#pragma once
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

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

namespace fileops {

struct ViewerHooks {
  // The list the file menu was opened on, the file list's folder, path repair.
  std::function<gui::ListBox*()> Source;
  std::function<std::string()> FileListFolder;
  std::function<std::string(const std::string& path)> RepairFilePath;
  // The working folder with "\" (empty when there is none).
  std::function<std::string()> WorkingFolder;
  // The listing of this archive written as "LzH$$$$$.TXT" into the working folder.
  std::function<bool(const std::string& archive)> BuildListing;
  // The program's folder (with "\"): where the usage texts are when the Windows folder has none.
  std::string programFolder;
};

class ViewerCommands {
 public:
  ViewerCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
                 ViewerHooks hooks);

  void AttachEvents();
  void PKANRENClick(const gui::MenuItem& sender);  // PKANREN (open) and PkPLAY (play)
  void PTEXTClick();
  void PLZH4Click(const gui::MenuItem& sender);    // PLZH4, PBinary, PHTML, P0DCUT
  void PAKIClick();
  void help1Click();

  // While a loop runs the manager refuses to close; 中断 ends it after the row it is on.
  bool Busy() const { return busy_; }
  void RequestStop() { stopRequested_ = true; }

 private:
  // The loop over the selected rows whose files exist; `act` handles one and says whether it
  // counts. A row whose handling ran out of memory gets the notice `failure` and counts. The
  // stop and nothing-counted notices close it.
  int EachFile(const std::string& stopText, const std::string& nothingText, const std::string& failure,
               const std::function<bool(const std::string& path)>& act);
  // A per-row error notice; 中 断 stops the loop (after a beep).
  void RowError(const std::string& path, const std::string& what);
  std::string WorkingFolder() const;
  // The error notice, if any, for the report of `path` as it was shown.
  void Shown(const std::string& path, const std::string& label, ReportShown shown);
  std::vector<std::string> FileHead(const std::string& title, const std::string& path, uint64_t size);
  // P0DCUT on one writable file: true when it was converted, else the failure was reported.
  bool StripCarriageReturns(const std::string& path, const std::string& label);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  ViewerHooks hooks_;
  bool busy_ = false;
  bool stopRequested_ = false;
};

}  // namespace fileops

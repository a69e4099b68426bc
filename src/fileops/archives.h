// LZH archives in the manager, through the archiver library loaded for each operation:
// an archive's entries listed into ListBox3 (the archive view, which a run plays from the
// archive's extraction folder), the listing text for the viewer, extraction of the selected
// archives into folders below the working folder, and compression of the selected files into an
// archive in the working folder's "$$$$圧縮" folder. Nothing outside the working folder is written.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fileops/selected_rows.h"

namespace gui {
class Application;
class ListBox;
class MenuItem;
}  // namespace gui

namespace platform {
class Archiver;
struct Services;
}  // namespace platform

namespace common {
class TMKBoxDlg;
class TSNBoxDlg;
}  // namespace common

namespace forms {
class TQUOVEL32KAPUL;
}

namespace fileops {

extern const char kArchiverName[];  // "UnLha32.DLL"

// The archiver library loaded by its full path: from the program's folder, else the system's
// library folder, else the Windows folder; null when none of them holds one that loads. Never
// looked up by its bare name, which would also find a file in the current folder, the one the
// user browses.
std::unique_ptr<platform::Archiver> LoadArchiverLibrary(platform::Services& os);

struct ArchiveHooks {
  // The list the file menu was opened on, the file list's folder, path repair.
  std::function<gui::ListBox*()> Source;
  std::function<std::string()> FileListFolder;
  std::function<std::string(const std::string& path)> RepairFilePath;
  // The working folder with "\" (empty when there is none).
  std::function<std::string()> WorkingFolder;
  // The caption prefix of long steps ("QUOVEL32EXE "), and the title (window, application, tray
  // tip) shown meanwhile; the title is given back by passing an empty text.
  std::function<std::string()> TitlePrefix;
  std::function<void(const std::string& title)> ShowTitle;
  // The run: whether it walks backwards, its stop request, and its next step after the archive
  // view was built (true: play from it, false: go on in the list underneath).
  std::function<bool()> Reverse;
  std::function<void()> RequestStop;
  std::function<void(bool listed)> ContinuePlay;
  // Whether the compression name dialog takes the system's window colours.
  std::function<bool()> StandardColors;
};

class Archives {
 public:
  Archives(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
           ArchiveHooks hooks);
  ~Archives();

  void AttachEvents();

  // The archive the listing and the extraction work on.
  std::string currentArchive;

  // The archive view: ListBox3 shows the current archive's entries in place of the drive list.
  bool ViewOn() const { return viewOn_; }
  void LeaveView();
  // Lists the current archive into ListBox3 and turns the view on; false (view off, no current
  // archive) when the library, the archive or its entries are missing.
  bool ListIntoView();
  // Extracts the current archive's entries matching `pattern` into `destination` (with "\"; empty:
  // the working folder). False on any failure, silently when the library is missing.
  bool Extract(const std::string& pattern, const std::string& destination);
  // The library's listing of the current archive, reshaped, as "LzH$$$$$.TXT" in the working folder.
  bool BuildListingText();
  // Where the files of the viewed archive are: the folder a run plays them from.
  const std::string& ExtractionFolder() const { return extractionFolder_; }

  // A run reached an archive: it is extracted into its folder and the view is built by Timer5;
  // false when the archive cannot be played (the run goes on with the next row).
  bool StartPlay(const std::string& archive);
  void Timer5Timer();

  // PLZH2, PLZH0, PLZH3, PLZH1: extract the selected (or all) archives, optionally only those
  // holding screen savers.
  void ExtractCommand(const gui::MenuItem& sender);
  // PASHUKU, PASHUKUALL: compress the selected (or all) files.
  void CompressCommand(const gui::MenuItem& sender);

  // While a command runs the manager refuses to close; 中断 ends it after the row it is on.
  bool Busy() const { return busy_; }
  void RequestStop() { stopRequested_ = true; }

 private:
  enum class Listing { kListed, kEmpty, kFailed };
  Listing List();
  SelectedRows SourceRows(bool all);
  // The destination folder for an archive: "<working>\<name>", a new D\nnn sub-folder or the
  // folder itself after the questions; empty when the archive is skipped. `error` gets the label
  // of a failure.
  std::string Destination(const std::string& archive, std::string& error);
  // A row whose handling raised an exception: its timed notice and error row; the loop goes on.
  bool RowFailed(const std::string& path, const char* notice, const char* label);
  void ShowErrorReport(const std::string& title, const char* failure);
  void Title(const std::string& file, const char* state);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  ArchiveHooks hooks_;
  std::unique_ptr<common::TSNBoxDlg> nameDialog_;
  bool viewOn_ = false;
  bool busy_ = false;
  bool stopRequested_ = false;
  std::string extractionFolder_;
  std::vector<std::string> errors_;
};

// The library's listing reshaped: lines cut at control characters (runs make no empty rows); a
// line shorter than 17 characters is joined with the next one, from whose start as many blanks as
// its length are dropped; a short line left at the end stays as it is.
std::vector<std::string> ReshapeListing(const std::string& output);
// The archive a name typed for compression gives: ".lzh" unless it already ends in ".LZH".
std::string ArchiveName(const std::string& typed);
// Whether an entry the library lists ("folder/name") must not be extracted: it names a place
// outside the folder it is extracted into (a drive, a root, "..") or, in any component, a device.
// Components are cut at every "\" and "/" byte, as a system without Shift-JIS would read them.
bool UnsafeEntry(const std::string& entry);
// The first of D\000 … D\999 that does not exist; empty when all do.
std::string FreeSubFolder(const std::function<bool(const std::string&)>& exists, const std::string& folder);

}  // namespace fileops

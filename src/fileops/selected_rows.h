// What the file, archive and viewer commands share: the files behind the selected rows of the
// list a file menu was opened on (the list clicked, the main list whose rows hold the texts, its
// twin of names, the folder before a file-list row), pieces of their paths, and the reports they
// write into the working folder and show in the text editor.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace gui {
class Application;
class ListBox;
}  // namespace gui

namespace forms {
class TQUOVEL32KAPUL;
}

namespace platform {
class File;
class FileSystem;
struct OsResult;
struct Services;
}  // namespace platform

namespace fileops {

struct SelectedRows {
  gui::ListBox* selection = nullptr;  // the list clicked: its selected rows are done
  gui::ListBox* main = nullptr;       // the rows' texts
  gui::ListBox* twin = nullptr;       // names beside them while they are shown
  std::string prefix;                 // before a row's text: the file list's folder with "\"
};

// Null lists when no list was clicked yet. The file list (or its names) gives `fileListFolder`
// as the prefix; the memory and trash lists hold full paths.
SelectedRows RowsOf(forms::TQUOVEL32KAPUL& f, gui::ListBox* clicked, const std::function<std::string()>& fileListFolder);

// Runs `act` once for each row present at the start that is selected, with the row's path
// repaired; a row that `act` removes takes its index with it, so the row that moved up is looked
// at next. `act` returns false to leave the loop. Memory running out in `act` ends only its row:
// `failed` reports that row and answers in place of `act`; any other exception is nobody's
// foreseen failure and goes on to the message loop's last resort. Messages
// run after each row; a set `stopRequested` then ends the loop, and the result is true.
bool ForEachSelected(gui::Application& app, SelectedRows& rows,
                     const std::function<std::string(const std::string& path)>& repair, const bool& stopRequested,
                     const std::function<bool(const std::string& path, int row)>& act,
                     const std::function<bool(const std::string& path)>& failed);

// ".SCR" for "a.scr"; empty without a dot in the name.
std::string UpperExtension(const std::string& path);
// The file name of a path, and its folder with "\".
std::string FileNameOf(const std::string& path);
std::string FolderOf(const std::string& path);
// " yy/mm/dd ddd hh:mm:ss " of now.
std::string NowText(platform::FileSystem& fs);

enum class ReportShown {
  kShown,
  kNotWritten,  // no working folder, or the file could not be written
  kNoFolder,    // the working folder could not be made current
  kFailed,      // the editor did not start
};
// Writes `rows` as the file `name` into `workingFolder` (with "\") and shows it in the text
// editor started in that folder.
ReportShown ShowReport(platform::Services& os, const std::string& workingFolder, const std::string& name,
                       const std::vector<std::string>& rows);
// The same for a report that `write` writes piece by piece (none: the file is there already); it
// replaces the old report only when it is complete.
ReportShown ShowReport(platform::Services& os, const std::string& workingFolder, const std::string& name,
                       const std::function<platform::OsResult(platform::File& out)>& write);

}  // namespace fileops

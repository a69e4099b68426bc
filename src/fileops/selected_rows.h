// The files behind the selected rows of the list a file menu was opened on: the list clicked, the
// main list whose rows hold the texts, its twin of names, and the folder before a file-list row.
// The file, archive and viewer commands share them.
#pragma once
#include <functional>
#include <string>

namespace gui {
class Application;
class ListBox;
}  // namespace gui

namespace forms {
class TQUOVEL32KAPUL;
}

namespace platform {
class FileSystem;
}

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
// at next. `act` returns false to leave the loop. Messages run after each row; a set
// `stopRequested` then ends the loop, and the result is true.
bool ForEachSelected(gui::Application& app, SelectedRows& rows,
                     const std::function<std::string(const std::string& path)>& repair, const bool& stopRequested,
                     const std::function<bool(const std::string& path, int row)>& act);

// ".SCR" for "a.scr"; empty without a dot in the name.
std::string UpperExtension(const std::string& path);
// " yy/mm/dd ddd hh:mm:ss " of now.
std::string NowText(platform::FileSystem& fs);

}  // namespace fileops

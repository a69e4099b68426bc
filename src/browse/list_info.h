// The file information line follows a click on any of the lists that hold files: the file list,
// the memory list, the trash (each with its twin of display names) and the archive list. The
// clicked list becomes the one a run plays, its row becomes the current row of its pair, and
// the labels under the browser show the row's name, size, date and attributes, and while
// nothing plays its file timer and the play interval.
#pragma once
#include <functional>
#include <string>

namespace gui {
class ListBox;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

class FileBrowser;

struct ListInfoHooks {
  // The clicked list becomes the list a run plays.
  std::function<void(gui::ListBox& list)> SetPlayList;
  // Whether a run is on; the timer labels are left alone while it is.
  std::function<bool()> Playing;
  // A file's own display time in seconds (0: none).
  std::function<int(const std::string& path)> FileTimer;
  // The general play interval in seconds (0: OFF).
  std::function<int()> Interval;
  // The folder the archive list's entries are extracted to (no trailing "\").
  std::function<std::string()> ArchiveFolder;
};

class ListInfo {
 public:
  ListInfo(forms::TQUOVEL32KAPUL& form, FileBrowser& browser, ListInfoHooks hooks);

  void AttachEvents();
  void ListClick(gui::ListBox& sender);
  // The full path of a list's current row as its name reads (the folder not repaired); empty
  // when the list has no current row.
  std::string CurrentPath(gui::ListBox& list);

  // Set by a mouse-up that ended a press on a list; the next click then only moves the current
  // row. A drag over a list, the history list and the delete button clear it.
  void SetClickSuppress(bool on) { clickSuppress_ = on; }
  bool ClickSuppress() const { return clickSuppress_; }

 private:
  // The main list of the pair a list belongs to, and the twin of that main list.
  gui::ListBox& MainOf(gui::ListBox& list);
  gui::ListBox* TwinOf(gui::ListBox& main);
  void ShowTimers(const std::string& path);

  forms::TQUOVEL32KAPUL& f_;
  FileBrowser& browser_;
  ListInfoHooks hooks_;
  bool clickSuppress_ = false;
};

}  // namespace browse

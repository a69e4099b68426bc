// The twelve memory lists of the manager: M0-M9, the file history HIS and the exclusion list EXT.
// The current list lives in ListBox2 (and its twin ListBox8), the history and exclusion lists in
// stores while they are not current, the numbered lists in their files. This class loads, switches
// and saves them, keeps the captions of ComboBox1 and the drive folder store.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "store/list_file.h"

namespace gui {
class Application;
class ComboBox;
class ListBox;
class Panel;
}  // namespace gui

namespace platform {
class FileSystem;
}

namespace store {

enum class SaveTarget { kOwn, kHandOver };

// The controls of the manager window the lists live in.
struct MemoryListControls {
  gui::ListBox& ListBox2;    // the current list
  gui::ListBox& ListBox8;    // its twin (display names)
  gui::ComboBox& ComboBox1;  // the twelve lists with their counts
  gui::Panel& Panel4;        // "ﾒﾓﾘｰ設定中", shown while a list is switched or loaded
};

class MemoryLists {
 public:
  MemoryLists(gui::Application& app, platform::FileSystem& fs, MemoryListControls controls);

  // The twin row of a path; store::DisplayName unless set.
  std::function<std::string(const std::string& path)> TwinName;

  // Fixes where the lists live: the screen-saver copy, and the manager unless kyouyo is 2, share
  // the Windows folder's QVLA32M*.LIS; otherwise the manager keeps QVLE32M*.LIS beside itself.
  // Both folders with a trailing "\"; each is the data folder that stands for it (DataFolders).
  void FixFolders(bool scrVersion, int kyouyo, const std::string& windowsFolder, const std::string& programFolder);
  std::string ListFile(int number) const;           // M0-M9 and EXT
  std::string HistoryFile(SaveTarget target) const;
  std::string DriveFolderFile(SaveTarget target) const;

  // Start-up, once the folders are fixed: the drive folder store.
  void LoadDriveFolders();
  // Start-up: the current list, the history and the exclusion lists. A number outside 0-10
  // counts as M0. twins: rebuild ListBox8 (screen-saver names shown).
  void Load(int current, bool twins);
  // ComboBox1 clicked: puts the current list away and shows the chosen one.
  void SwitchToChosen(bool twins);
  // ComboBox1 entered: the captions of M0-M9 from their files, once per run; missing files are
  // created empty.
  void RefreshCaptions();
  // Writes the lists for the manager itself or for the screen-saver copy, each write alone;
  // false when any write failed. A file that exists but could not be read in this run is never
  // written: the empty list shown for it would replace the user's entries.
  bool SaveAll(SaveTarget target);

  int Current() const { return current_; }
  // The caption of list `number` from a count; puts ComboBox1 back on the current list.
  void SetCaption(int number, size_t count);
  // Rebuilds a twin list box from its main list: display names row for row, same current row.
  void RebuildTwin(const gui::ListBox& main, gui::ListBox& twin);
  // Remembers the folder last used on its drive.
  void RememberDriveFolder(const std::string& folder);

  std::vector<std::string>& History() { return history_; }
  std::vector<std::string>& Exclusion() { return exclusion_; }
  const std::vector<std::string>& DriveFolders() const { return driveFolders_; }

 private:
  // The file's entries, or none when it is missing or unreadable (remembered as unreadable).
  std::vector<std::string> LoadOrEmpty(const std::string& path);
  // Writes unless the file was found unreadable; false on a failed write.
  bool Write(const std::string& path, const std::vector<std::string>& entries);
  void Fill(const std::vector<std::string>& entries);
  void PutAway();
  void Busy(bool busy);

  gui::Application& app_;
  platform::FileSystem& fs_;
  MemoryListControls c_;
  std::string listFolder_, listPrefix_ = "QVLA32M";
  std::string historyFolder_, historyPrefix_ = "QVLA32M";
  std::string windowsFolder_, programFolder_;
  int current_ = 0;
  bool captionsRefreshed_ = false;
  std::vector<std::string> history_, exclusion_, driveFolders_;
  std::set<std::string> unreadable_;  // upper-cased paths of files that exist but could not be read
};

}  // namespace store

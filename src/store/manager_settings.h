// The manager window's settings behaviour: creating the window at its saved place, the start-up
// sequence that reads every registry value into the window and loads the memory lists, save-all
// for the manager itself or for the screen-saver copy, the close request, the menu toggles, and
// memory mode. The play engine, the browser, the tray and the working-folder dialog join in
// through the hooks below as they come; values they own are kept here and written back as read.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "store/data_folders.h"
#include "store/memory_lists.h"
#include "store/settings.h"

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

struct ManagerContext {
  bool scrVersion = false;       // the screen-saver copy's settings window
  std::string windowsFolder;     // with "\"
  std::string programFolder;     // with "\"
  // Where the data files of those two folders live; empty: in the folders themselves.
  DataFolders data;
  std::string WindowsData() const { return data.windows.empty() ? windowsFolder : data.windows; }
  std::string ProgramData() const { return data.program.empty() ? programFolder : data.program; }
};

// What the manager window has marked as "no working folder".
constexpr char kNoWorkingFolder[] = "@@@@@\\";

class ManagerSettings {
 public:
  ManagerSettings(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
                  MemoryLists& lists, ManagerContext context);

  // The window is being created: init state, role-dependent controls, saved place, Timer9.
  void Create();
  // Timer9: reads the settings into the window and loads the lists.
  void StartUp();
  // Writes the lists and the settings; hand-over writes them for the screen-saver copy. A failure
  // is reported (list files only for the hand-over) and returns false.
  bool SaveAll(SaveTarget target);
  // The close request of the window; true when it may close.
  bool CloseRequest();
  // F1: hand-over with its confirmation.
  void HandOver();

  void MemoryModeOn();
  void MemoryModeOff();
  bool MemoryMode() const;

  int InitState() const { return initState_; }
  const std::string& StageLabel() const { return stage_; }
  // The working folder with "\", or kNoWorkingFolder.
  const std::string& WorkingFolder() const { return workingFolder_; }
  const ManagerContext& Context() const { return context_; }
  // False for none, and for a bare "\" (no folder named).
  bool HasWorkingFolder() const { return workingFolder_ != kNoWorkingFolder && workingFolder_ != "\\"; }
  // The folder the user registered becomes the working folder (none when it cannot be entered).
  void ChangeWorkingFolder(const std::string& folder) { SetWorkingFolder(folder); }
  // Values kept for their subsystems until those exist (interval, power saving, histories,
  // copy and move folders, the file list's folder, drive-letter case, list sharing).
  Settings& Values() { return values_; }
  const std::string& IdleTitle() const { return idleTitle_; }
  const std::string& PlayTitle() const { return playTitle_; }
  // Programs, Desktop and Startup shortcut files of the program.
  const std::array<std::string, 3>& ShortcutPaths() const { return shortcuts_; }
  // The list the play engine walks: ListBox2/ListBox8 in memory mode, else ListBox4/ListBox7.
  gui::ListBox* PlayListBox() const { return playListBox_; }
  // A click on a list of files makes it the list a single play takes its row from.
  void SetPlayListBox(gui::ListBox& list) { playListBox_ = &list; }
  // Set while a menu item is changed by code or a menu command runs its dialog: menu events
  // that arrive meanwhile do nothing.
  bool MenuEventsSuppressed() const { return toggling_; }
  void SetMenuEventsSuppressed(bool on) { toggling_ = on; }
  // The emergency exit is under way: the close is refused neither for a busy operation nor for a
  // close already in progress.
  void EmergencyExit() { emergency_ = true; }

  // Hooks of later subsystems.
  std::function<void()> StopRequest;       // the play engine's stop request
  std::function<bool()> Busy;              // a file operation or a run refuses the close
  std::function<void()> ReleaseOnClose;    // timers, title, system screen saver, backdrop, help
  std::function<void()> AfterStartUp;      // tray, automatic start, working-folder dialog
  // The browser: opened once the values it needs (filters, Lower, DirNo, CPATH) are read; given
  // the file list's saved row after INDEX; asked for its folder, view and row by save-all.
  std::function<void(const Settings&)> OpenBrowser;
  std::function<void(int row)> SelectFileListRow;
  std::function<void(Settings&)> CollectBrowser;
  // The preview window: its place, for save-all.
  std::function<void(Settings&)> CollectPreview;
  // K6 toggled: the folder view again, with or without hidden folders. SSN switched on: the file
  // list listed again, so its twin shows the names in the order a listing gives them.
  std::function<void()> RefreshFolderView;
  std::function<void()> RefillFileList;

 private:
  void Toggle(gui::MenuItem& item);
  void ApplyColours();
  void ApplySettings(const SettingsRead& read);
  Settings FromWindow() const;
  void SetWorkingFolder(const std::string& stored);
  void SetCaptions();
  void FixListFolders();

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  MemoryLists& lists_;
  ManagerContext context_;
  Settings values_;
  int initState_ = 1;
  std::string stage_;
  std::string workingFolder_ = kNoWorkingFolder;
  std::string idleTitle_, playTitle_;
  std::array<std::string, 3> shortcuts_;
  gui::ListBox* playListBox_ = nullptr;
  bool toggling_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool emergency_ = false;
  bool startupFailed_ = false;
  bool listFoldersFixed_ = false;
};

}  // namespace store

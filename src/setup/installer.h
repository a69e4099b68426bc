// The installer and uninstaller behind TSCR32SETUPForm. Installing creates the working and
// program folders, copies the program, its texts and the screen-saver copy, names the screen
// saver, writes the settings, adds the Program Manager items and the uninstall entry. Removing
// undoes all of it and hands over to a copy of the program started from a folder outside the
// program folder, which deletes the program file and its folders last.
//
// A user who may not write the Windows folder gets the screen saver and the texts in the program
// folder, the screen saver named in the user's desktop settings too, the uninstaller copy in the
// user's own folder; HKEY_LOCAL_MACHINE and HKEY_USERS fall back to HKEY_CURRENT_USER.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "browse/browse_dialog.h"

namespace gui {
class Application;
class Edit;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TSCR32SETUPForm;
}

namespace browse {
class ShellPaths;
}

namespace setup {

class InstalledFiles;

struct SetupContext {
  int setupMode = 0;          // 0 install, 1 uninstall, 2 the uninstaller copy, else refused
  std::string programFolder;  // the folder of the running executable, with "\"
  std::string firstArgument;  // lower-cased
  int version = 16;
};

class Installer {
 public:
  Installer(gui::Application& app, forms::TSCR32SETUPForm& form, platform::Services& os, common::TMKBoxDlg& box,
            browse::ShellPaths& shell, SetupContext context);
  ~Installer();

  // The form is being created: caption, the timer of the mode (the form then stays hidden),
  // or the group list, both folders and the waiting time for an installation.
  void Create();

  void Button3Click();     // install
  void Timer1Timer();      // uninstall
  void Timer2Timer();      // the uninstaller copy takes over
  void Timer3Timer();      // removes the program file and its folders
  void TimerErOutTimer();  // refused while the program runs

  // The screen saver's waiting time chosen so far, in seconds.
  int ScreenSaverSeconds() const { return seconds_; }

  // Shown in the program folder field when no usable one is stored.
  std::string DefaultProgramFolder() const;
  std::string DefaultWorkingFolder() const;

 private:
  void AttachEvents();
  void ShowSeconds();
  // Label3 names the folder the screen-saver copy will go to.
  void ShowScreenSaverFolder();
  void ApplyColours();
  void Browse(gui::Edit& field, const std::string& title);
  void SetBusy(bool busy);
  // The folder of `text` with every missing level created after one question; nullopt (after
  // any message) when the installation must end.
  // Each folder made, and each one `record` shows as made by an earlier installation, is noted
  // in `record`.
  std::optional<std::string> MakeFolder(const std::string& text, const char* emptyMessage, InstalledFiles& record);
  // A stored folder that exists (directly or after path repair) and can be entered.
  std::optional<std::string> UsableFolder(const std::string& stored);
  bool Install();
  // The installation's steps; each reports its own failure.
  // The working and program folders, and their settings with the group: the program folder with
  // "\", nullopt when the installation ends.
  std::optional<std::string> MakeFolders(const std::string& group, InstalledFiles& record);
  // The copies, each noted in `record`, and the screen saver named; false when a copy failed.
  bool CopyFiles(const std::string& target, InstalledFiles& record);
  // The item in the group and, when asked, in the start-up group; false when Program Manager
  // failed a command.
  bool AddGroupItems(const std::string& group, const std::string& programPath);
  bool AddItems(const std::string& group, const std::string& programPath);
  void WriteSettings();
  // The uninstall entry for `programPath` with `record`, under HKEY_LOCAL_MACHINE or else the
  // user's own; with an empty `programPath` only `record`, added to the one there (an
  // installation that ended early). False when it could not be written.
  bool WriteUninstallEntry(const InstalledFiles& record, const std::string& programPath);
  void RemoveItems(const std::string& group);
  void ClearScreenSaver();
  void DeleteDataFiles();
  // `madeTop`: the outermost folder above the program file that an installation made; empty
  // when it made none.
  void StartUninstallerCopy(const std::string& madeTop);
  void DeleteHandOverRecord();

  gui::Application& app_;
  forms::TSCR32SETUPForm& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  browse::ShellPaths& shell_;
  SetupContext context_;
  std::string windows_;   // the Windows folder with "\"
  bool windowsWritable_ = false;
  std::string caption_;
  int seconds_ = 600;
  // The uninstaller copy's hand-over: the program file to delete and whether its folders stay.
  std::string file_;
  std::string rmDir_;
  std::string rmTop_;  // the outermost folder to remove; empty: the program file's own only
  std::unique_ptr<browse::TDIR2OPENDLG> dialog_;
};

}  // namespace setup

// What an installation puts where: the fixed names, the copies from the folder the program runs
// in to the program folder and the Windows folder, and the places that stand in for the Windows
// folder and HKEY_LOCAL_MACHINE when this user may not write them.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class FileSystem;
class Shell;
}  // namespace platform

namespace setup {

extern const char kProgramFile[];      // "QUOVEL32.EXE"
// The uninstaller copy: the maker's uninstaller name with its number 0 as three digits.
constexpr char kUninstallerFile[] = "unin_kapul000.exe";
extern const char kScreenSaverFile[];  // "QUOVEL32.SCR"
extern const std::array<const char*, 2> kTextFiles;  // "QUOVEL32.TXT", "QvLA解凍.TXT"
// Under HKEY_LOCAL_MACHINE, or HKEY_CURRENT_USER for a user who may not write there.
extern const char kUninstallKey[];
// The hand-over record for the uninstaller copy: under HKEY_USERS, or HKEY_CURRENT_USER.
extern const char kHandOverKey[];
extern const char kUserHandOverKey[];
// The current user's desktop settings, which name the screen saver on current systems.
extern const char kDesktopKey[];  // "Control Panel\Desktop", value "SCRNSAVE.EXE"

// "KAPULSOFT QUOVEL32 V1.6" for version 16.
std::string UninstallTitle(int version);
// title + " V1．6" + " インストール" or " アンインストール".
std::string SetupCaption(const std::string& title, int version, bool uninstall);

struct FileCopy {
  std::string from, to;
};

struct CopyPlan {
  std::vector<FileCopy> copies;  // in order
  std::string screenSaver;       // the screen-saver file made by the copies; empty for none
  bool inWindowsFolder = false;  // the screen saver lies in the Windows folder
};

// The copies of an installation. Folders end in "\" and compare without regard to ASCII case.
// The program and both text files go from `source` to `target` unless they are the same
// folder. A writable Windows folder (unless it is `source`) takes every one of the three that
// exists in `source`, and the program once more as the screen saver. Otherwise the screen saver
// goes beside the program in `target` and the text files stay there.
CopyPlan PlanCopies(const std::string& source, const std::string& target, const std::string& windows,
                    bool windowsWritable, const std::function<bool(const std::string& path)>& exists);

// How SYSTEM.INI names the screen saver: in the Windows folder by its 8.3 name as the file system
// reports it (the long name when it has none or is missing); elsewhere by its full path.
std::string ScreenSaverValue(platform::FileSystem& fs, const std::string& windows, const std::string& screenSaver,
                             bool inWindowsFolder);

// Where the uninstaller copy runs from: the Windows folder, or for a user who may not write it
// the maker's folder in the user's local application data (created when missing; empty when
// there is none). Ends in "\".
std::string UninstallerFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& windows,
                              bool windowsWritable);

}  // namespace setup

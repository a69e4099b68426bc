// What an installation puts where: the fixed names, the copies from the folder the program runs
// in to the program folder and the Windows folder, the record of the files it wrote (which decides
// what a later installation may replace and what the uninstaller removes), and the places that
// stand in for the Windows folder and HKEY_LOCAL_MACHINE when this user may not write them.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

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
// Below it, the record of the files the installation wrote.
extern const char kInstalledFilesKey[];
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
  bool shared = false;  // the archiver library, which other programs install under the same name
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

// The files an installation wrote, recorded with its uninstall entry (under either root): each by
// its full path (the value's name) with the size and last-write time it had once written
// ("size,time"), and the folders it created, each by its path with "\" (so that no file's name
// meets it). The entry of an older version records no files and no folders.
class InstalledFiles {
 public:
  InstalledFiles(platform::Registry& registry, platform::FileSystem& fs) : registry_(registry), fs_(fs) {}
  // Whether an installation recorded its files.
  bool Recorded() const;
  // The file is as an installation recorded it: written by it and not changed since.
  bool Ours(const std::string& path) const;
  // The record shows the folder as created by an installation.
  bool Made(const std::string& folder) const;
  // Notes a file of this installation as it is now.
  void Note(const std::string& path);
  // Notes a folder this installation created, or one an earlier installation created and this
  // one uses again.
  void NoteFolder(const std::string& folder);
  // Writes the noted files and folders under `root`: in place of the record, or (`replace`
  // false, for an installation that ended early) added to it. False when it may not be written.
  bool Write(platform::RegistryRoot root, bool replace = true) const;

 private:
  std::string Stamp(const std::string& path) const;  // empty for a missing file
  bool Holds(const std::string& name, const std::string& value) const;  // under either root
  platform::Registry& registry_;
  platform::FileSystem& fs_;
  std::vector<std::pair<std::string, std::string>> noted_;
};

enum class CopyChoice { kCopy, kKeepOurs, kKeepForeign };

// Whether a copy is made. A library already at the target stays when it is another program's
// (the record does not show it as ours), and when it is ours and not older than the one to copy
// (by last-write time, which the copy keeps). Every other file is written.
CopyChoice ChooseCopy(platform::FileSystem& fs, const InstalledFiles& record, const FileCopy& copy);

// The files of an installation that the uninstaller removes (the program file itself goes last,
// through the uninstaller copy). The texts and the screen saver beside the program go with it.
// Those in the Windows folder, the program's copy there and any library go when the record shows
// them as ours; without a record of files (an older version's) the texts and the screen saver in
// the Windows folder go, and the program's copy and the libraries, which may be another
// program's, stay.
std::vector<std::string> FilesToRemove(const InstalledFiles& record, const std::string& program,
                                       const std::string& windows);

// The folders the uninstaller may remove on the way up from `folder`: `folder` and its parents,
// deepest first, as long as the record shows each as created by an installation.
std::vector<std::string> FoldersMade(const InstalledFiles& record, const std::string& folder);
// Removes `folders` in order, stopping at the first that cannot be removed (one that still holds
// something stays, and so do the folders above it).
void RemoveEmptyFolders(platform::FileSystem& fs, const std::vector<std::string>& folders);

// The installer's line that says where the screen-saver copy goes. A folder too long for the line
// keeps its drive and as many of its last levels as fit: C:\…\QV\QUOVEL32.
std::string ScreenSaverLine(const std::string& folder);

// How SYSTEM.INI and the desktop settings name the screen saver: in the Windows folder by its 8.3
// name as the file system reports it (the long name when it has none or is missing); elsewhere by
// its full path, unsplit (UnsplitPath; empty when it cannot be).
std::string ScreenSaverValue(platform::FileSystem& fs, const std::string& windows, const std::string& screenSaver,
                             bool inWindowsFolder);

// `path` as a value that Windows runs without honouring quotes (SCRNSAVE.EXE, Program Manager's
// items, whose command language cannot hold a quote) must name it: as it is without a blank,
// else its folder's 8.3 form and its file name (an 8.3 name itself); nullopt when that still
// holds a blank (a volume without 8.3 names). The folder must exist.
std::optional<std::string> UnsplitPath(platform::FileSystem& fs, const std::string& path);

// A command line for Windows to run: the program, quoted when it holds a blank, then `arguments`.
std::string CommandLine(const std::string& program, const std::string& arguments);

// Where the uninstaller copy runs from: the Windows folder, or for a user who may not write it
// the maker's folder in the user's local application data (created when missing; empty when
// there is none). Ends in "\".
std::string UninstallerFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& windows,
                              bool windowsWritable);

}  // namespace setup

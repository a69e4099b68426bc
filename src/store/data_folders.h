// Where the data files live. The shared list files, the hand-over files and the timer file belong
// in the Windows folder, the manager's own list files beside the program; but a normal user of
// today's Windows may write neither the Windows folder nor Program Files, and every edit would be
// lost. So each folder serves only where it can be written, and the user's own folder
// <local application data>\KAPUL SOFT32\QUOVEL32 takes its files otherwise. Decided once per
// start, the same way in every role.
#pragma once
#include <string>

namespace platform {
class FileSystem;
class Shell;
}  // namespace platform

namespace store {

struct DataFolders {
  std::string windows;  // holds the files of the Windows folder, with "\"
  std::string program;  // holds the files of the program folder, with "\"
};

// The folder below the local application data folder.
extern const char kUserDataFolder[];  // "KAPUL SOFT32\QUOVEL32"

// Probes each folder by creating and deleting a small file in it. A folder that cannot be written
// is replaced by the user's folder, created when missing. When the user's folder holds none of
// the data files yet (its first use), the data files of each replaced folder are copied into it,
// the program folder's first, never over a file that is already there. Without a user's folder
// (unknown or not creatable) the folders stay as they are.
DataFolders DecideDataFolders(platform::FileSystem& fs, platform::Shell& shell, const std::string& windowsFolder,
                              const std::string& programFolder);

// Whether this user can create and delete a file in the folder (given with "\"), by trying it.
bool FolderWritable(platform::FileSystem& fs, const std::string& folder);

}  // namespace store

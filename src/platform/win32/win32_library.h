// Archiver libraries loaded with LoadLibraryW from a full path and called through their exported
// entry points; and the process's library search without the current folder.
#pragma once
#include "platform/archiver.h"

namespace platform::win32 {

// Takes the current folder (and PATH, where the system allows) out of the places the process
// looks for libraries named without a folder. Called first thing at start-up: the current folder
// follows the user's browsing, and a library planted there must never be loaded.
void KeepCurrentFolderOutOfLibrarySearch();

class Win32Library : public Library {
 public:
  std::unique_ptr<Archiver> LoadArchiver(const std::string& name) override;
};

}  // namespace platform::win32

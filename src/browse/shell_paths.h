// Folder names as the desktop shell shows them, and the mapping between such names and
// file-system paths (path repair one way, the display path the other way).
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace platform {
class Collation;
class FileSystem;
class Shell;
}  // namespace platform

namespace browse {

// A failed shell call (parsing, binding or enumerating a folder); error is the OS code.
class ShellError : public std::runtime_error {
 public:
  ShellError(const std::string& folder, uint32_t error);
  uint32_t error() const { return error_; }

 private:
  uint32_t error_;
};

// The children of one folder: shell names in the platform's order of names, parsing names (full file-system paths) row for
// row with them.
struct NamePairs {
  std::vector<std::string> names;
  std::vector<std::string> parsingNames;
};

class ShellPaths {
 public:
  // windowsFolder is the platform's Windows folder as read once at start-up; it is kept with a
  // trailing "\". Names are sorted in the order of `collation`.
  ShellPaths(platform::FileSystem& fs, platform::Shell& shell, platform::Collation& collation,
             const std::string& windowsFolder);

  // The Windows folder with "\", and its first three characters (the last-resort drive root).
  const std::string& WindowsFolder() const { return windowsFolder_; }
  std::string WindowsDriveRoot() const;

  // Sorted shell names of the subfolders of folder. Throws ShellError.
  std::vector<std::string> SubFolders(const std::string& folder, bool includeHidden) const;
  // Shell names (sorted) and parsing names of all subfolders, hidden ones included. Throws
  // ShellError.
  NamePairs Pairs(const std::string& folder) const;

  // Maps a folder path made of shell names back to a file-system path, in place. False (path
  // unchanged) when a component cannot be found or the result is not on a drive. Throws
  // ShellError when the shell fails.
  bool RepairPath(std::string& path) const;
  // Repairs the folder part of a file path when that folder does not exist.
  void RepairFilePath(std::string& path) const;
  // The reverse of RepairPath: the path with each folder named as the shell shows it; unchanged
  // when the path cannot be resolved.
  std::string DisplayPath(const std::string& path) const;
  // The deepest existing prefix of the (repaired) parent folder of path; the Windows drive root
  // when none exists.
  std::string NearestExistingFolder(const std::string& path) const;

  // During a walk: the reading of every entry of `folder` that the walk made when it last listed
  // a folder's subfolders, if that was `folder`; handed out once (the file list of the same visit
  // reads it instead of the disk). Null otherwise. `unnamed`, if given, gets the number of entries
  // that reading could not name (platform::FileSystem::Find).
  std::unique_ptr<std::vector<platform::FindEntry>> TakeWalkReading(const std::string& folder,
                                                                    size_t* unnamed = nullptr) const;

  // While one of these lives, each folder is listed by the shell once and its listing reused:
  // for a walk over a tree, which names the same parent folders again and again and changes no
  // folder itself. Listings are read afresh again after the last one ends.
  class Walk {
   public:
    explicit Walk(const ShellPaths& paths);
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

   private:
    const ShellPaths& paths_;
  };

 private:
  // The shell's listing of folder, sorted by name; during a walk, from the walk's store. Throws
  // ShellError.
  const platform::ShellListing& Listing(const std::string& folder, bool includeHidden, bool parsingNames) const;
  bool HasNoSubfolders(const std::string& folder) const;

  platform::FileSystem& fs_;
  platform::Shell& shell_;
  platform::Collation& collation_;
  std::string windowsFolder_;
  mutable int walks_ = 0;
  mutable std::map<std::tuple<std::string, bool, bool>, platform::ShellListing> listings_;
  mutable platform::ShellListing last_;  // the last listing read outside a walk
  mutable std::string readingOf_;  // see TakeWalkReading
  mutable std::unique_ptr<std::vector<platform::FindEntry>> reading_;
  mutable size_t readingUnnamed_ = 0;
};

// Outcome of the copy buffer probe: size 0 and an error text when nothing could be reserved.
struct BufferProbe {
  size_t size = 0;
  std::string error;
};

// Finds the largest copy buffer the program may use: 655300 bytes, else 32700. tryReserve
// reserves and releases a block of the given size and tells whether that worked (the default
// uses the heap); processMessages lets pending messages run after each attempt.
BufferProbe ProbeBufferSize(const std::function<void()>& processMessages,
                            const std::function<bool(size_t)>& tryReserve = {});

}  // namespace browse

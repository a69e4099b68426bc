// An archiver library (UnLha32.DLL or any library with the same entry points), loaded from a file
// for one operation and freed when the object goes: its command call with the busy flag, and the
// search through an archive's entries. Strings are CP932.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop.h"

namespace platform {

// The entry points the program looks up by name.
namespace archiver {
constexpr char kRun[] = "Unlha";
constexpr char kGetRunning[] = "UnlhaGetRunning";
constexpr char kOpenArchive[] = "UnlhaOpenArchive";
constexpr char kFindFirst[] = "UnlhaFindFirst";
constexpr char kFindNext[] = "UnlhaFindNext";
constexpr char kCloseArchive[] = "UnlhaCloseArchive";
}  // namespace archiver

class Archiver {
 public:
  virtual ~Archiver() = default;  // frees the library
  // Whether the library exports the entry point; calling a missing one returns a failure.
  virtual bool Has(const std::string& entry) = 0;
  // Runs a command line; the library's text output (at most outputSize bytes) goes into `output`.
  // 0 is success.
  virtual int Run(WindowId owner, const std::string& commandLine, std::string& output, size_t outputSize) = 0;
  // True while the library is busy with a command.
  virtual bool Running() = 0;
  // An archive opened for the entry search; 0 when it cannot be opened.
  virtual uintptr_t OpenArchive(WindowId owner, const std::string& path, uint32_t mode) = 0;
  // The name of the first (next) entry matching the pattern, as the entry record holds it;
  // nullopt when there is none (more).
  virtual std::optional<std::string> FindFirst(uintptr_t archive, const std::string& pattern) = 0;
  virtual std::optional<std::string> FindNext(uintptr_t archive) = 0;
  virtual void CloseArchive(uintptr_t archive) = 0;
};

class Library {
 public:
  virtual ~Library() = default;
  // A path LoadArchiver takes: "X:\..." or "\\server\...".
  static bool FullPath(const std::string& path) {
    return path.size() > 2 && (path.compare(1, 2, ":\\") == 0 || path.compare(0, 2, "\\\\") == 0);
  }
  // The library in this file (a full path), loaded; null when it cannot be loaded. A bare name is
  // refused: the system would look for it in folders the program does not choose.
  virtual std::unique_ptr<Archiver> LoadArchiver(const std::string& path) = 0;
};

}  // namespace platform

// The shell's folder view over a FileSystem (normally the fake one): subfolders under their
// file-system names unless a test gives a folder another display name, parsing names as full
// paths, hidden folders only when asked for. Files a test marks as compressed folders are
// enumerated among the folders as Windows does, and left out by the same attribute rule.
#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace platform::fake {

class FakeShell : public Shell {
 public:
  explicit FakeShell(FileSystem& fs);

  // The name the shell shows for the folder at `path` (a localised name, say).
  void SetDisplayName(const std::string& path, const std::string& name);
  // The file at `path` is a zip or cab file, which the shell enumerates as a folder.
  void SetCompressedFolder(const std::string& path);
  WindowId OwnerWindow() const { return owner_; }
  // The next listing fails with this HRESULT.
  void FailNext(uint32_t hresult) { failNext_ = hresult; }
  void SetSpecialFolder(SpecialFolder which, const std::string& path) { special_[which] = path; }
  int Listings() const { return listings_; }

  void SetOwnerWindow(WindowId owner) override { owner_ = owner; }
  ShellListing Folders(const std::string& folder, bool includeHidden, bool parsingNames) override;
  std::optional<std::string> SpecialFolderPath(SpecialFolder which) override;

 private:
  FileSystem& fs_;
  std::map<std::string, std::string> displayNames_;  // by upper-cased full path
  std::set<std::string> compressed_;                  // upper-cased full paths
  WindowId owner_ = 0;
  std::map<SpecialFolder, std::string> special_;
  uint32_t failNext_ = 0;
  int listings_ = 0;
};

}  // namespace platform::fake

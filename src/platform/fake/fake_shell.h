// The shell's folder view over a FileSystem (normally the fake one): subfolders under their
// file-system names unless a test gives a folder another display name, parsing names as full
// paths, hidden folders only when asked for.
#pragma once
#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace platform::fake {

class FakeShell : public Shell {
 public:
  explicit FakeShell(FileSystem& fs);

  // The name the shell shows for the folder at `path` (a localised name, say).
  void SetDisplayName(const std::string& path, const std::string& name);
  // The next listing fails with this HRESULT.
  void FailNext(uint32_t hresult) { failNext_ = hresult; }
  void SetSpecialFolder(SpecialFolder which, const std::string& path) { special_[which] = path; }
  int Listings() const { return listings_; }

  ShellListing Folders(const std::string& folder, bool includeHidden, bool parsingNames) override;
  std::optional<std::string> SpecialFolderPath(SpecialFolder which) override;

 private:
  FileSystem& fs_;
  std::map<std::string, std::string> displayNames_;  // by upper-cased full path
  std::map<SpecialFolder, std::string> special_;
  uint32_t failNext_ = 0;
  int listings_ = 0;
};

}  // namespace platform::fake

// The desktop shell's view of folders: the subfolders of a folder under the names the shell shows
// (which can differ from file-system names) and their parsing names, and the special folders.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ShellItem {
  std::string name;         // display name (SHGDN_NORMAL)
  std::string parsingName;  // full file-system path (SHGDN_FORPARSING); empty unless asked for
};

struct ShellListing {
  std::vector<ShellItem> items;
  uint32_t error = 0;  // HRESULT of the first shell call that failed; 0 on success
  bool ok() const { return error == 0; }
};

enum class SpecialFolder { kDesktop, kPrograms, kStartup };

class Shell {
 public:
  virtual ~Shell() = default;

  // The subfolders of `folder` (a file-system path), hidden ones only when asked for, parsing
  // names only when asked for. A name is cut before its first NUL among its first 256
  // characters. Unsorted. On a failure of any shell call the listing carries the error and no
  // items.
  virtual ShellListing Folders(const std::string& folder, bool includeHidden, bool parsingNames) = 0;
  // The current user's special folder, without trailing backslash; nullopt when it is unknown.
  virtual std::optional<std::string> SpecialFolderPath(SpecialFolder which) = 0;
};

}  // namespace platform

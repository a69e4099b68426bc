// The desktop shell's view of folders: the subfolders of a folder under the names the shell shows
// (which can differ from file-system names) and their parsing names, and the special folders.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform {

// The shell's attributes of an item (SFGAO_…) that tell real folders from the rest.
namespace sfgao {
constexpr uint32_t kStream = 0x00400000;
constexpr uint32_t kFolder = 0x20000000;
constexpr uint32_t kFileSystem = 0x40000000;
}  // namespace sfgao

// Whether an item the shell enumerates among the folders is a folder of the file system. Windows
// 7 and later list zip and cab files as folders too (they carry the stream attribute), and
// virtual folders have no file-system path; neither can be entered as a folder.
bool IsFileSystemFolder(uint32_t shellAttributes);

struct ShellItem {
  std::string name;         // display name (SHGDN_NORMAL)
  std::string parsingName;  // full file-system path (SHGDN_FORPARSING); empty unless asked for
};

struct ShellListing {
  std::vector<ShellItem> items;
  uint32_t error = 0;  // HRESULT of the first shell call that failed; 0 on success
  bool ok() const { return error == 0; }
};

// kProfile: the user's own profile folder (C:\Users\<name>).
enum class SpecialFolder { kDesktop, kPrograms, kStartup, kLocalAppData, kProfile };

class Shell {
 public:
  virtual ~Shell() = default;

  // The window that owns whatever the shell shows while it parses or lists a folder (a request
  // to insert a disk, say); 0, the default, for none.
  virtual void SetOwnerWindow(WindowId owner) = 0;
  // The file-system subfolders of `folder` (a file-system path; see IsFileSystemFolder), hidden
  // ones only when asked for, parsing names only when asked for. A name is cut before its first
  // NUL among its first 256 characters. Unsorted. On a failure of any shell call the listing
  // carries the error and no items.
  virtual ShellListing Folders(const std::string& folder, bool includeHidden, bool parsingNames) = 0;
  // The current user's special folder, without trailing backslash; nullopt when it is unknown.
  virtual std::optional<std::string> SpecialFolderPath(SpecialFolder which) = 0;
};

}  // namespace platform

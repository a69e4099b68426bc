// Shell folders through the desktop's IShellFolder, which is obtained at the first listing and
// released with this object; special folders through SHGetFolderPath.
#pragma once
#include "platform/shell.h"

struct IShellFolder;

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  Win32Shell() = default;
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  void SetOwnerWindow(WindowId owner) override { owner_ = owner; }
  ShellListing Folders(const std::string& folder, bool includeHidden, bool parsingNames) override;
  std::optional<std::string> SpecialFolderPath(SpecialFolder which) override;

 private:
  IShellFolder* desktop_ = nullptr;
  WindowId owner_ = 0;
};

}  // namespace platform::win32

// The Windows system folder as a 32-bit program under WOW64 must name it to the system. There
// "<Windows>\System32" leads to the 32-bit "SysWOW64", and only the alias "<Windows>\Sysnative"
// reaches the native folder that Explorer shows and where 64-bit screen savers are installed.
// The program keeps every path as the user sees it; the file system and the process starts pass
// what they hand to the system through this view.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace platform {

// What follows `folder` in `path` when `path` lies in `folder` or is `folder` itself: "" or a
// rest starting with "\" (or "/"); nullopt otherwise. Letter case does not count, "\" and "/"
// are the same. `folder` has no trailing separator and is plain ASCII, as a Windows folder is.
std::optional<std::string> RestBelow(const std::string& path, const std::string& folder);

class SystemFolderView {
 public:
  // Not under WOW64: every path goes to the system as it is.
  SystemFolderView() = default;
  // Under WOW64, on a system that knows the alias, with the Windows folder `windowsFolder`
  // ("C:\WINDOWS", no trailing "\").
  explicit SystemFolderView(std::string windowsFolder) : windowsFolder_(std::move(windowsFolder)) {}

  bool Redirected() const { return !windowsFolder_.empty(); }
  const std::string& WindowsFolder() const { return windowsFolder_; }

  // "<Windows>\Sysnative<rest>" for an absolute "<Windows>\System32<rest>"; nullopt for any
  // other path, and for every path when not redirected. The subfolders Windows never redirects
  // (drivers\etc, spool, catroot …) need no exception: through the alias they are the same
  // native folders.
  std::optional<std::string> NativeAlias(const std::string& path) const;

  // What to hand the system for `path`. In the system folder: the alias when the native folder
  // has the entry, `path` itself when only the 32-bit view has it (where 32-bit installers put
  // their savers, and what lists made before name), the alias for an entry neither has (new
  // files go where Explorer shows them). Other paths come back unchanged. `exists` asks the
  // system about a path exactly as given.
  std::string ForSystem(const std::string& path, const std::function<bool(const std::string&)>& exists) const;

  // The command line with its program (the first token: quoted, or up to the first blank) passed
  // through ForSystem; the arguments stay as they are.
  std::string CommandForSystem(const std::string& commandLine,
                               const std::function<bool(const std::string&)>& exists) const;

 private:
  std::string windowsFolder_;
};

// A folder of the system folder as the program lists it: the native folder's entries, then the
// ones only its 32-bit view has (plain ASCII names compared without regard to letter case).
std::vector<FindEntry> MergeViews(std::vector<FindEntry> native, const std::vector<FindEntry>& view32);

}  // namespace platform

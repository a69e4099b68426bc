#include "browse/own_folder.h"

#include <algorithm>
#include <optional>

#include "text/text_path.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace browse {

using namespace text;

platform::OsResult CreateOwnFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& path) {
  const platform::OsResult created = fs.CreateFolder(path);
  if (!created.ok()) return created;
  const std::optional<std::string> profile = shell.SpecialFolderPath(platform::SpecialFolder::kProfile);
  const std::vector<std::string> levels = PathPrefixes(path);
  const auto isProfile = [&](const std::string& level) { return SameText(level, CutYen(*profile)); };
  if (profile && !profile->empty() && std::any_of(levels.begin(), levels.end(), isProfile)) return created;
  const platform::OsResult protectedAccess = fs.ProtectAccess(path);
  if (!protectedAccess.ok()) fs.RemoveFolder(path);
  return protectedAccess;
}

}  // namespace browse

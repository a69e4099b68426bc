#include "platform/fake/fake_shell.h"

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), what parsing a missing folder gives.
constexpr uint32_t kFileNotFoundHresult = 0x80070002;
}  // namespace

FakeShell::FakeShell(FileSystem& fs) : fs_(fs) {
  const std::string profile = "C:\\Users\\User";
  special_[SpecialFolder::kDesktop] = profile + "\\Desktop";
  special_[SpecialFolder::kPrograms] = profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
  special_[SpecialFolder::kStartup] = special_[SpecialFolder::kPrograms] + "\\Startup";
  special_[SpecialFolder::kLocalAppData] = profile + "\\AppData\\Local";
  special_[SpecialFolder::kProfile] = profile;
}

void FakeShell::SetDisplayName(const std::string& path, const std::string& name) {
  displayNames_[UpperAscii(fs_.FullPath(path).value_or(path))] = name;
}

void FakeShell::SetCompressedFolder(const std::string& path) {
  compressed_.insert(UpperAscii(fs_.FullPath(path).value_or(path)));
}

ShellListing FakeShell::Folders(const std::string& folder, bool includeHidden, bool parsingNames) {
  ++listings_;
  ShellListing listing;
  if (failNext_ != 0) {
    listing.error = failNext_;
    failNext_ = 0;
    return listing;
  }
  std::optional<std::string> full = fs_.FullPath(folder);
  if (!full || !fs_.DirectoryExists(*full)) {
    listing.error = kFileNotFoundHresult;
    return listing;
  }
  std::string base = *full;
  if (!EndsWithSeparator(base)) base += '\\';
  uint32_t mask = attr::kDirectory | attr::kSystem | attr::kReadOnly | attr::kArchive;
  if (includeHidden) mask |= attr::kHidden;
  for (const FindEntry& e : fs_.Find(base + "*", mask)) {
    std::string path = base + e.name;
    // What the shell's enumeration of folders hands out: folders, and compressed files, which
    // carry the stream attribute.
    uint32_t shellAttributes = sfgao::kFileSystem;
    if (e.attributes & attr::kDirectory) {
      shellAttributes |= sfgao::kFolder;
    } else if (compressed_.count(UpperAscii(path)) != 0) {
      shellAttributes |= sfgao::kFolder | sfgao::kStream;
    } else {
      continue;
    }
    if (!IsFileSystemFolder(shellAttributes)) continue;
    ShellItem item;
    auto named = displayNames_.find(UpperAscii(path));
    item.name = named == displayNames_.end() ? e.name : named->second;
    if (parsingNames) item.parsingName = path;
    listing.items.push_back(item);
  }
  return listing;
}

std::optional<std::string> FakeShell::SpecialFolderPath(SpecialFolder which) {
  auto it = special_.find(which);
  if (it == special_.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform::fake

#include "platform/system_folder.h"

#include <set>

namespace platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The folder is ASCII, so a byte of a two-byte character in `path` never equals one of its
// bytes, even folded: comparing byte by byte cannot match across a character boundary.
bool SameByte(char a, char b) { return (IsSeparator(a) && IsSeparator(b)) || FoldAscii(a) == FoldAscii(b); }

// A name as a key that ignores letter case. Only plain ASCII names are folded: in a name with
// two-byte characters a second byte can look like a letter, and such names compare as spelled.
std::string NameKey(std::string name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return name;
  }
  for (char& c : name) c = FoldAscii(c);
  return name;
}

}  // namespace

std::optional<std::string> RestBelow(const std::string& path, const std::string& folder) {
  if (path.size() < folder.size()) return std::nullopt;
  for (size_t i = 0; i < folder.size(); ++i) {
    if (!SameByte(path[i], folder[i])) return std::nullopt;
  }
  if (path.size() > folder.size() && !IsSeparator(path[folder.size()])) return std::nullopt;
  return path.substr(folder.size());
}

std::optional<std::string> SystemFolderView::NativeAlias(const std::string& path) const {
  if (!Redirected()) return std::nullopt;
  std::optional<std::string> rest = RestBelow(path, windowsFolder_ + "\\System32");
  if (!rest) return std::nullopt;
  return windowsFolder_ + "\\Sysnative" + *rest;
}

std::string SystemFolderView::ForSystem(const std::string& path,
                                        const std::function<bool(const std::string&)>& exists) const {
  std::optional<std::string> alias = NativeAlias(path);
  if (!alias || exists(*alias) || !exists(path)) return alias.value_or(path);
  return path;
}

std::string SystemFolderView::CommandForSystem(const std::string& commandLine,
                                               const std::function<bool(const std::string&)>& exists) const {
  if (!Redirected()) return commandLine;
  const size_t start = commandLine.find_first_not_of(' ');
  if (start == std::string::npos) return commandLine;
  const bool quoted = commandLine[start] == '"';
  const size_t from = quoted ? start + 1 : start;
  const size_t end = commandLine.find(quoted ? '"' : ' ', from);
  const size_t length = end == std::string::npos ? std::string::npos : end - from;
  const std::string program = commandLine.substr(from, length);
  const std::string handed = ForSystem(program, exists);
  if (handed == program) return commandLine;
  return commandLine.substr(0, from) + handed + (end == std::string::npos ? "" : commandLine.substr(end));
}

std::vector<FindEntry> MergeViews(std::vector<FindEntry> native, const std::vector<FindEntry>& view32) {
  std::set<std::string> known;
  for (const FindEntry& entry : native) known.insert(NameKey(entry.name));
  for (const FindEntry& entry : view32) {
    if (known.count(NameKey(entry.name)) == 0) native.push_back(entry);
  }
  return native;
}

}  // namespace platform

#include "store/list_file.h"

#include "text/text_path.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "store/saver_resource.h"

namespace store {

namespace {

constexpr size_t kBlock = 2048;

// The description after "SCRNSAVE", blanks, ":", blanks in one block, up to a NUL or the end.
std::optional<std::string> FindDescription(const std::string& block) {
  static const std::string kMarker = "SCRNSAVE";
  size_t from = 0;
  for (;;) {
    size_t at = block.find(kMarker, from);
    if (at == std::string::npos) return std::nullopt;
    size_t i = at + kMarker.size();
    auto blanks = [&] {
      while (i < block.size() && (block[i] == ' ' || block[i] == '\t')) ++i;
    };
    blanks();
    if (i < block.size() && block[i] == ':') {
      ++i;
      blanks();
      size_t end = block.find('\0', i);
      return block.substr(i, end == std::string::npos ? std::string::npos : end - i);
    }
    from = at + 1;
  }
}

}  // namespace

std::vector<std::string> ParseList(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(bytes.substr(start, i - start));
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

std::string FormatList(const std::vector<std::string>& entries) {
  size_t total = 0;
  for (const std::string& e : entries) total += e.size() + 2;
  std::string out;
  out.reserve(total);
  for (const std::string& e : entries) {
    out += e;
    out += "\r\n";
  }
  return out;
}

std::optional<std::vector<std::string>> LoadList(platform::FileSystem& fs, const std::string& path) {
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) return std::nullopt;
  return ParseList(*bytes);
}

platform::OsResult SaveList(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& entries) {
  return fs.WriteFileReplacing(path, FormatList(entries));
}

std::string ListCaption(int listNumber, size_t count) {
  // Built by appending: gcc 12 warns falsely about operator+ chains on short literals here.
  std::string caption;
  if (listNumber == kHistoryList) {
    caption.append("HIS: ");
  } else if (listNumber == kExclusionList) {
    caption.append("EXT: ");
  } else {
    caption.append("M").append(std::to_string(listNumber)).append(" : ");
  }
  return caption.append(std::to_string(count)).append("ｺ");
}

std::optional<std::string> ReadSaverDescription(platform::FileSystem& fs, platform::TextCodec& text,
                                                const std::string& path) {
  // Opened as spelt: a file system that matches letter case by searching the folder (Wine on a
  // case-sensitive disk) would otherwise search a large folder once per saver.
  platform::OpenedFile opened = fs.Open(path, platform::OpenMode::kRead, platform::Share::kReadWrite);
  if (!opened.file) return std::nullopt;
  // The head in one read: "MZ", the block after it, and the block at 2048 searched on its own
  // (the two overlap by two bytes).
  std::string head(2 * kBlock, '\0');
  size_t have = 0;
  while (have < head.size()) {
    std::optional<size_t> got = opened.file->Read(head.data() + have, head.size() - have);
    if (!got) return std::nullopt;
    if (*got == 0) break;
    have += *got;
  }
  head.resize(have);
  if (have < 2 || head[0] != 'M' || head[1] != 'Z') return std::string();
  if (auto d = FindDescription(head.substr(2, kBlock))) return *d;
  if (have >= 2 + kBlock) {
    if (auto d = FindDescription(head.substr(kBlock))) return *d;
  }
  // Savers since the 32-bit Windows name themselves in their resources instead.
  std::optional<std::u16string> name = SaverResourceName(*opened.file, text.UserLanguage(), head);
  return name ? text.FromUtf16(*name) : std::string();
}

std::string SaverDescription(platform::FileSystem& fs, platform::TextCodec& text, const std::string& path) {
  return ReadSaverDescription(fs, text, path).value_or("");
}

std::string DisplayName(const std::string& path, const std::function<std::string(const std::string&)>& describe) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  if (text::UpperAscii(ext) != ".SCR") return name;
  std::string description = describe(path);
  if (!description.empty()) return description;
  std::string stem = name.substr(0, dot);
  if (!stem.empty()) stem = text::UpperAscii(stem.substr(0, 1)) + stem.substr(1);
  return stem;
}

std::string DisplayName(platform::FileSystem& fs, platform::TextCodec& text, const std::string& path) {
  return DisplayName(path, [&](const std::string& p) { return SaverDescription(fs, text, p); });
}

}  // namespace store

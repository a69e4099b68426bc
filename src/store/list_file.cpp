#include "store/list_file.h"

#include "browse/text_path.h"
#include "platform/file_system.h"

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

std::string SaverDescription(platform::FileSystem& fs, const std::string& path) {
  platform::OpenedFile opened = fs.Open(browse::LowerAscii(path), platform::OpenMode::kRead, platform::Share::kReadWrite);
  if (!opened.file) return {};
  platform::File& f = *opened.file;
  char head[2];
  std::optional<size_t> got = f.Read(head, 2);
  if (!got || *got != 2 || head[0] != 'M' || head[1] != 'Z') return {};
  std::string block(kBlock, '\0');
  got = f.Read(block.data(), kBlock);
  if (!got) return {};
  block.resize(*got);
  if (auto d = FindDescription(block)) return *d;
  if (*got < kBlock) return {};
  if (!f.Seek(static_cast<int64_t>(kBlock), platform::SeekFrom::kBegin)) return {};
  block.assign(kBlock, '\0');
  got = f.Read(block.data(), kBlock);
  if (!got) return {};
  block.resize(*got);
  return FindDescription(block).value_or("");
}

std::string DisplayName(platform::FileSystem& fs, const std::string& path) {
  std::string folder, name;
  browse::SplitFileName(path, folder, name);
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  if (browse::UpperAscii(ext) != ".SCR") return name;
  std::string description = SaverDescription(fs, path);
  if (!description.empty()) return description;
  std::string stem = name.substr(0, dot);
  if (!stem.empty()) stem = browse::UpperAscii(stem.substr(0, 1)) + stem.substr(1);
  return stem;
}

}  // namespace store

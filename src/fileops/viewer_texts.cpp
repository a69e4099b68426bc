#include "fileops/viewer_texts.h"

#include <cmath>
#include <cstdio>

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/viewers.h"
#include "fileops/selected_rows.h"
#include "platform/registry.h"

namespace fileops {

namespace {

constexpr char kSystemRoot[] = "%SYSTEMROOT%";
constexpr size_t kDumpWidth = 16;
constexpr size_t kHexColumns = 52;  // "ofs " and 16 times "xx "
constexpr double kBytesPerMinute = 44100.0 * 2 * 2 * 60;
constexpr size_t kBlockBytes = 64 * 1024;

// The text before the first '%' at or after `from`, and `from` moved past the '%' and the
// character after it; false when there is none.
bool CutPlaceholder(const std::string& text, size_t& from, std::string& before) {
  const size_t percent = text::FindChar(text, '%', from);
  if (percent == std::string::npos) return false;
  before = text.substr(from, percent - from);
  from = std::min(text.size(), percent + 2);
  return true;
}

// Hands the file `path`, opened with `mode` and `share`, to `use` block by block, until its end
// or a failure of `use`.
platform::OsResult EachBlock(platform::FileSystem& fs, const std::string& path, platform::OpenMode mode,
                             platform::Share share, const std::function<platform::OsResult(std::string_view)>& use) {
  platform::OpenedFile opened = fs.Open(path, mode, share);
  if (!opened.file) return opened.result;
  return platform::ReadBlocks(*opened.file, kBlockBytes, use);
}

// Whole minutes of sound, rounded as the report shows them.
uint64_t Minutes(uint64_t bytes) { return static_cast<uint64_t>(std::llround(static_cast<double>(bytes) / kBytesPerMinute)); }

}  // namespace

std::string FillAssociation(const std::string& registered, const std::string& path, const std::string& windowsFolder) {
  std::string command = registered;
  if (command.rfind(kSystemRoot, 0) == 0) command = windowsFolder + command.substr(sizeof kSystemRoot - 1);
  size_t from = 0;
  std::string head, middle;
  if (!CutPlaceholder(command, from, head)) return command + " " + path;
  const size_t afterFirst = from;
  if (!CutPlaceholder(command, from, middle)) return head + path + command.substr(afterFirst);
  std::string third;
  size_t rest = from;
  if (CutPlaceholder(command, rest, third)) return {};
  return head + path + middle + command.substr(from);
}

Opening OpenCommand(platform::Registry& registry, platform::FileSystem& fs, const std::string& path, bool play,
                    bool execute, const std::string& windowsFolder) {
  const std::string extension = UpperExtension(path);
  Opening shown{{}, common::QuotedNotepadCommand(path)};
  if (extension == ".SCR") {
    if (fs.ReadFile(path, 2).value_or("") != "MZ") return shown;
    return {{}, "\"" + path + "\"" + (execute ? " /s" : " /c")};
  }
  // Batch files (.CMD runs as .BAT does) and registry files are shown, never run.
  if (extension == ".BAT" || extension == ".CMD" || extension == ".REG") return shown;
  std::vector<std::string> verbs{"open"};
  if (play) verbs.insert(verbs.begin(), "play");
  using platform::RegistryRoot;
  const std::string type = registry.ReadString(RegistryRoot::kClassesRoot, extension, "", "");
  for (const std::string& verb : verbs) {
    if (type.empty()) break;
    const std::string key = type + "\\shell\\" + verb + "\\command";
    // A verb carried out by a handler: whatever command line the key also holds is not what the
    // shell runs.
    if (!registry.ReadString(RegistryRoot::kClassesRoot, key, "DelegateExecute", "").empty()) break;
    const std::string registered = registry.ReadExpandedString(RegistryRoot::kClassesRoot, key, "").value_or("");
    if (registered.empty()) continue;
    const std::string command = FillAssociation(text::UpperAscii(registered), path, windowsFolder);
    if (command.empty()) break;
    return {{}, command};
  }
  shown.verbs = verbs;
  return shown;
}

std::vector<std::string> DumpRows(const std::string& bytes) {
  std::vector<std::string> rows;
  int lead = -1;  // a Shift-JIS lead byte waiting for its second byte
  for (size_t start = 0; start < bytes.size(); start += kDumpWidth) {
    char hex[24];
    std::snprintf(hex, sizeof hex, "%03zX ", start);
    std::string row = hex, text;
    const size_t end = std::min(bytes.size(), start + kDumpWidth);
    for (size_t i = start; i < end; ++i) {
      const auto c = static_cast<unsigned char>(bytes[i]);
      std::snprintf(hex, sizeof hex, "%02X ", c);
      row += hex;
      if (lead >= 0) {
        if ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC)) {
          text += static_cast<char>(lead);
          text += static_cast<char>(c);
          lead = -1;
          continue;
        }
        text += '.';
        lead = -1;
      }
      if (c < 0x20) {
        text += '^';
        text += static_cast<char>(c + 0x40);
      } else if (c == 0x7F) {
        text += "^BS";
      } else if (c >= 0xFD) {
        text += '.';
      } else if (text::IsLeadByte(c)) {
        lead = c;
      } else {
        text += static_cast<char>(c);
      }
    }
    row.resize(std::max(row.size(), kHexColumns), ' ');
    rows.push_back(row + text);
  }
  if (lead >= 0) rows.back() += '.';
  return rows;
}

void Reformatter::Add(std::string_view bytes) {
  text_.clear();
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c == 0x0D) continue;
    if (ended_ && (c == 0x0A || c >= 0x20)) {
      text_ += "\r\n";
      ended_ = hasText_ = false;
    }
    if (c == 0x0A) {
      ended_ = true;
    } else {
      text_ += byte;
      hasText_ = true;
    }
  }
  out_(text_);
}

void Reformatter::Finish() {
  if (hasText_) out_("\r\n");
}

platform::OsResult WriteReformatted(platform::FileSystem& fs, const std::string& page, const std::string& head,
                                    platform::File& out) {
  platform::OsResult written = out.Write(head.data(), head.size());
  Reformatter reformat([&](const std::string& text) {
    if (written) written = out.Write(text.data(), text.size());
  });
  const platform::OsResult read = EachBlock(fs, page, platform::OpenMode::kRead, platform::Share::kReadWrite,
                                            [&](std::string_view block) {
                                              reformat.Add(block);
                                              return written;
                                            });
  reformat.Finish();
  return read ? written : read;
}

platform::OsResult WriteWithoutCarriageReturns(platform::FileSystem& fs, const std::string& page, platform::File& out) {
  std::string kept;
  return EachBlock(fs, page, platform::OpenMode::kReadWrite, platform::Share::kNone, [&](std::string_view block) {
    kept.clear();
    for (const char c : block) {
      if (c != '\r') kept += c;
    }
    return out.Write(kept.data(), kept.size());
  });
}

std::string DriveRow(char letter, const std::optional<platform::DiskSpace>& space) {
  const char upper = text::UpperAscii(std::string(1, letter))[0];
  if (!space) return std::string(" ") + upper + ": ﾃﾞｨｽｸがありません・・・";
  using browse::SizeText;
  return std::string(" ") + upper + ":" + SizeText(space->freeBytes, 15) + " Bytes  " + SizeText(space->totalBytes, 15) +
         " Bytes  " + SizeText(Minutes(space->freeBytes), 5) + "分/ " + SizeText(Minutes(space->totalBytes), 5) + "分";
}

}  // namespace fileops

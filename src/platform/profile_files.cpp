#include "platform/profile_files.h"

#include <optional>
#include <vector>

#include "text/text_path.h"
#include "platform/file_system.h"

namespace platform {

namespace {

// Blanks and tabs are never the second byte of a two-byte character, so trimming them is safe.
std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// Lines end at LF; CR bytes are dropped (neither is ever part of a two-byte character).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The section name of a "[name]" line; a line without its "]" names the rest of the line.
std::optional<std::string> SectionOf(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const std::string inside = t.substr(1);
  return Trim(inside.substr(0, text::FindChar(inside, ']')));
}

// The key of a "key=value" line; comment lines (";") have none. "=" and ";" are never the second
// byte of a two-byte character.
std::optional<std::string> KeyOf(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  return Trim(t.substr(0, t.find('=')));
}

std::string ValueOf(const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return "";
  std::string v = Trim(line.substr(eq + 1));
  // Windows drops one pair of matching quotes around the whole value.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::string ProfileFiles::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& fallback) {
  std::optional<std::string> text = fs_.ReadFile(PathOf(file));
  if (text) {
    bool inSection = false;
    for (const std::string& line : Lines(*text)) {
      if (std::optional<std::string> s = SectionOf(line)) {
        inSection = text::SameText(*s, Trim(section));
      } else if (inSection) {
        std::optional<std::string> k = KeyOf(line);
        if (k && text::SameText(*k, Trim(key))) return ValueOf(line);
      }
    }
  }
  // Windows cuts trailing blanks off the default it returns.
  size_t end = fallback.find_last_not_of(' ');
  return end == std::string::npos ? "" : fallback.substr(0, end + 1);
}

platform::OsResult ProfileFiles::WriteString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& value) {
  return Change(file, section, key, &value);
}

platform::OsResult ProfileFiles::DeleteKey(const std::string& file, const std::string& section,
                                           const std::string& key) {
  return Change(file, section, key, nullptr);
}

platform::OsResult ProfileFiles::Change(const std::string& file, const std::string& section, const std::string& key,
                                        const std::string* value) {
  const std::string path = PathOf(file);
  std::optional<std::string> text = fs_.ReadFile(path);
  if (!text) {
    // Only a missing file starts empty; one that is there but cannot be read stays as it is.
    platform::OpenedFile opened = fs_.Open(path, platform::OpenMode::kRead, platform::Share::kReadWrite);
    if (opened.file) return platform::OsResult::FromCode(platform::code::kAccessDenied);
    if (opened.result.error != platform::OsError::kNotFound) return opened.result;
    if (value == nullptr) return platform::OsResult::Ok();
    text.emplace();
  }
  std::vector<std::string> lines = Lines(*text);
  const std::string wantSection = Trim(section);
  const std::string wantKey = Trim(key);

  // The first section of that name and where it ends; the key's lines in every section of that
  // name (reading takes the first, so a change must not leave a later one behind to answer).
  size_t sectionLine = lines.size();
  size_t sectionEnd = lines.size();
  std::vector<size_t> keyLines;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string> s = SectionOf(lines[i])) {
      if (inSection && sectionEnd == lines.size()) sectionEnd = i;
      inSection = text::SameText(*s, wantSection);
      if (inSection && sectionLine == lines.size()) sectionLine = i;
    } else if (inSection) {
      std::optional<std::string> k = KeyOf(lines[i]);
      if (k && text::SameText(*k, wantKey)) keyLines.push_back(i);
    }
  }

  if (value == nullptr && keyLines.empty()) return platform::OsResult::Ok();
  if (value != nullptr && !keyLines.empty()) {
    lines[keyLines.front()] = *KeyOf(lines[keyLines.front()]) + "=" + *value;  // the key keeps its written case
    keyLines.erase(keyLines.begin());
  } else if (value != nullptr && sectionLine != lines.size()) {
    // A new key goes after the last non-blank line of its section.
    size_t at = sectionEnd;
    while (at > sectionLine + 1 && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<ptrdiff_t>(at), wantKey + "=" + *value);
  } else if (value != nullptr) {
    lines.push_back("[" + wantSection + "]");
    lines.push_back(wantKey + "=" + *value);
  }
  // Every other line of the key goes (all of them when it is deleted).
  for (auto line = keyLines.rbegin(); line != keyLines.rend(); ++line) {
    lines.erase(lines.begin() + static_cast<ptrdiff_t>(*line));
  }

  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return fs_.WriteFileReplacing(path, out);
}

}  // namespace platform

#include "platform/fake/fake_profile.h"

#include <vector>

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

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

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  size_t close = t.find(']');
  return Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a "key=value" line; comment lines (";") have none.
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

bool HasFolder(const std::string& file) {
  return file.find('\\') != std::string::npos || file.find('/') != std::string::npos ||
         (file.size() >= 2 && file[1] == ':');
}

}  // namespace

std::string FakeProfile::PathOf(const std::string& file) {
  if (HasFolder(file)) return file;
  std::string folder = desktop_.WindowsFolder();
  if (!EndsWithSeparator(folder)) folder += '\\';
  return folder + file;
}

std::string FakeProfile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  std::optional<std::string> text = fs_.ReadFile(PathOf(file));
  if (text) {
    bool inSection = false;
    for (const std::string& line : Lines(*text)) {
      if (std::optional<std::string> s = SectionOf(line)) {
        inSection = SameText(*s, Trim(section));
      } else if (inSection) {
        std::optional<std::string> k = KeyOf(line);
        if (k && SameText(*k, Trim(key))) return ValueOf(line);
      }
    }
  }
  // Windows cuts trailing blanks off the default it returns.
  size_t end = fallback.find_last_not_of(' ');
  return end == std::string::npos ? "" : fallback.substr(0, end + 1);
}

OsResult FakeProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& value) {
  return Change(file, section, key, &value);
}

OsResult FakeProfile::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
  return Change(file, section, key, nullptr);
}

OsResult FakeProfile::Change(const std::string& file, const std::string& section, const std::string& key,
                             const std::string* value) {
  const std::string path = PathOf(file);
  std::optional<std::string> text = fs_.ReadFile(path);
  if (!text) {
    if (value == nullptr) return OsResult::Ok();
    text = "";
  }
  std::vector<std::string> lines = Lines(*text);
  const std::string wantSection = Trim(section);
  const std::string wantKey = Trim(key);

  // Find the section and, inside it, the key.
  size_t sectionLine = lines.size();
  size_t sectionEnd = lines.size();
  size_t keyLine = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string> s = SectionOf(lines[i])) {
      if (sectionLine != lines.size()) {
        sectionEnd = i;
        break;
      }
      if (SameText(*s, wantSection)) sectionLine = i;
    } else if (sectionLine != lines.size() && keyLine == lines.size()) {
      std::optional<std::string> k = KeyOf(lines[i]);
      if (k && SameText(*k, wantKey)) keyLine = i;
    }
  }

  if (value == nullptr) {
    if (keyLine == lines.size()) return OsResult::Ok();
    lines.erase(lines.begin() + static_cast<ptrdiff_t>(keyLine));
  } else if (keyLine != lines.size()) {
    lines[keyLine] = *KeyOf(lines[keyLine]) + "=" + *value;  // the key keeps its written case
  } else if (sectionLine != lines.size()) {
    // A new key goes after the last non-blank line of its section.
    size_t at = sectionEnd;
    while (at > sectionLine + 1 && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<ptrdiff_t>(at), wantKey + "=" + *value);
  } else {
    lines.push_back("[" + wantSection + "]");
    lines.push_back(wantKey + "=" + *value);
  }

  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return fs_.WriteFile(path, out);
}

}  // namespace platform::fake

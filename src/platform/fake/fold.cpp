#include "platform/fake/fold.h"

#include <cstring>

#include "text/text_path.h"

namespace platform::fake {

// The fakes compare names the way the program's own text routines do, so there is one byte rule.

std::string UpperAscii(const std::string& text) { return text::UpperAscii(text); }

bool SameText(const std::string& a, const std::string& b) { return text::SameText(a, b); }

namespace {
// "/" is never the second byte of a two-byte character, so it can simply become "\".
std::string Backslashes(std::string text) {
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}
}  // namespace

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  for (std::string piece : text::SplitPath(Backslashes(path))) {
    piece.pop_back();   // each piece ends with its "\"
    if (!piece.empty()) parts.push_back(piece);
  }
  return parts;
}

bool EndsWithSeparator(const std::string& text) { return text::EndsWithYen(Backslashes(text)); }

namespace {

// Splits text into characters: a Shift-JIS lead byte and its trail byte are one character.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      out.push_back(text.substr(i, 2));
      ++i;
    } else {
      out.push_back(text.substr(i, 1));
    }
  }
  return out;
}

// "*" any run of characters, "?" exactly one character; both sides already folded.
bool Matches(const std::vector<std::string>& pattern, size_t p, const std::vector<std::string>& name, size_t n) {
  while (p < pattern.size()) {
    if (pattern[p] == "*") {
      for (size_t k = n; k <= name.size(); ++k) {
        if (Matches(pattern, p + 1, name, k)) return true;
      }
      return false;
    }
    if (n >= name.size()) return false;
    if (pattern[p] != "?" && pattern[p] != name[n]) return false;
    ++p;
    ++n;
  }
  return n == name.size();
}

}  // namespace

bool NameMatches(const std::string& pattern, const std::string& name) {
  std::string folded = UpperAscii(pattern);
  // As on Windows, "*.*" means every name and a final ".*" also matches names without a dot.
  if (folded == "*.*") folded = "*";
  std::vector<std::string> nameChars = Characters(UpperAscii(name));
  if (Matches(Characters(folded), 0, nameChars, 0)) return true;
  if (folded.size() >= 2 && folded.compare(folded.size() - 2, 2, ".*") == 0) {
    std::string bare = folded.substr(0, folded.size() - 2);
    if (name.find('.') == std::string::npos && Matches(Characters(bare), 0, nameChars, 0)) return true;
  }
  return false;
}

bool IsShortName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  size_t dot = name.find('.');
  std::string base = name.substr(0, dot);
  std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string::npos && ext.empty()) return false;
  if (ext.find('.') != std::string::npos) return false;
  for (char c : name) {
    if (std::strchr(" +,;=[]", c) != nullptr) return false;
  }
  return true;
}


}  // namespace platform::fake

#include "text/text_path.h"

#include <algorithm>

#include "text/sjis_codec.h"

#include <string_view>

namespace text {

namespace {

// Calls visit(index, length) for each character of text, length 1 or 2. A lead byte at the very
// end counts as a character of one byte (a cut-off text).
template <class Visit>
void ForEachChar(const std::string& text, Visit visit) {
  size_t i = 0;
  while (i < text.size()) {
    size_t len = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    if (!visit(i, len)) return;
    i += len;
  }
}

char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Map>
std::string MapAscii(const std::string& text, Map map) {
  std::string out = text;
  ForEachChar(text, [&](size_t i, size_t len) {
    if (len == 1) out[i] = map(text[i]);
    return true;
  });
  return out;
}

}  // namespace

bool EndsWithYen(const std::string& path) {
  if (path.empty() || path.back() != '\\') return false;
  // Every byte outside the lead range ends a character, so the run of lead-range bytes before the
  // final "\" starts on a character boundary: an odd run leaves a lead byte right before it.
  size_t run = 0;
  for (size_t i = path.size() - 1; i > 0 && IsLeadByte(static_cast<unsigned char>(path[i - 1])); --i) ++run;
  return run % 2 == 0;
}

std::string AddYen(const std::string& path) {
  if (path.empty() || EndsWithYen(path)) return path;
  return path + '\\';
}

std::string CutYen(const std::string& path) {
  if (path.size() > 3 && EndsWithYen(path)) return path.substr(0, path.size() - 1);
  return path;
}

std::string UpperAscii(const std::string& text) { return MapAscii(text, UpperByte); }
std::string LowerAscii(const std::string& text) { return MapAscii(text, LowerByte); }

std::string LeftCut(const std::string& text, int n) {
  if (n <= 0) return {};
  size_t limit = static_cast<size_t>(n);
  if (text.size() <= limit) return text;
  size_t cut = 0;
  ForEachChar(text, [&](size_t i, size_t len) {
    if (i + len > limit) return false;
    cut = i + len;
    return true;
  });
  return text.substr(0, cut);
}

size_t FindChar(const std::string& text, char c, size_t from) {
  size_t found = std::string::npos;
  ForEachChar(text, [&](size_t i, size_t len) {
    if (i >= from && len == 1 && text[i] == c) found = i;
    return found == std::string::npos;
  });
  return found;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string full = AddYen(path);
  size_t start = 0;
  ForEachChar(full, [&](size_t i, size_t len) {
    if (len == 1 && full[i] == '\\') {
      parts.push_back(full.substr(start, i + 1 - start));
      start = i + 1;
    }
    return true;
  });
  return parts;
}

std::vector<std::string> PathComponents(const std::string& path) {
  std::vector<std::string> parts = SplitPath(path);
  for (size_t i = 1; i < parts.size(); ++i) parts[i].pop_back();
  return parts;
}

std::vector<std::string> PathPrefixes(const std::string& path) {
  std::vector<std::string> prefixes;
  std::string sofar;
  for (const std::string& part : SplitPath(path)) {
    sofar += part;
    prefixes.push_back(CutYen(sofar));
  }
  return prefixes;
}

std::string ParentFolder(const std::string& path) {
  std::vector<std::string> prefixes = PathPrefixes(path);
  if (prefixes.empty()) return {};
  return prefixes.size() == 1 ? prefixes[0] : prefixes[prefixes.size() - 2];
}

void SplitFileName(const std::string& path, std::string& folder, std::string& name) {
  size_t split = 0;
  ForEachChar(path, [&](size_t i, size_t len) {
    if (len == 1 && (path[i] == '\\' || path[i] == '/' || (path[i] == ':' && i == 1))) split = i + 1;
    return true;
  });
  folder = path.substr(0, split);
  name = path.substr(split);
}

bool IsPlainName(std::string_view name) {
  // A trailing dot also refuses "." and "..".
  if (name.empty() || name.back() == ' ' || name.back() == '.') return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c)) {
      if (++i == name.size()) return false;  // a lead byte without its second byte
      continue;
    }
    // 0xFF separates folders in archives' stored paths.
    if (c < 0x20 || c == 0x7F || c == 0xFF || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
      return false;
    }
  }
  return !IsDeviceName(name) && IsExactShiftJis(name);
}

bool IsDeviceName(std::string_view name) {
  // Windows judges what comes before the first dot (or colon), without the blanks that end it.
  std::string_view stem = name.substr(0, std::min(name.find('.'), name.find(':')));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string upper = UpperAscii(std::string(stem));
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" || upper == "CONOUT$") {
    return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

int CompareText(const std::string& a, const std::string& b) {
  // Folding the whole texts first keeps trail bytes that look like letters unchanged.
  std::string x = UpperAscii(a);
  std::string y = UpperAscii(b);
  size_t n = x.size() < y.size() ? x.size() : y.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char p = static_cast<unsigned char>(x[i]);
    unsigned char q = static_cast<unsigned char>(y[i]);
    if (p != q) return p < q ? -1 : 1;
  }
  if (x.size() == y.size()) return 0;
  return x.size() < y.size() ? -1 : 1;
}

bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

}  // namespace text

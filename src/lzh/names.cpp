#include "lzh/names.h"

#include <algorithm>

namespace lzh {
namespace {

bool IsSeparator(unsigned char c) { return c == 0xFF || c == '/' || c == '\\'; }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Splits into characters: one or two bytes each, so a trail byte never looks like ASCII.
std::vector<std::string_view> Characters(std::string_view s) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < s.size();) {
    size_t n = (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

bool SameChar(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return UpperAscii(a[0]) == UpperAscii(b[0]);
  return a == b;
}

bool MatchFrom(const std::vector<std::string_view>& p, size_t pi, const std::vector<std::string_view>& n,
               size_t ni) {
  // Iterative matcher with single-star backtracking: linear in practice, never exponential.
  size_t starP = std::string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == "*") {
      starP = pi++;
      starN = ni;
    } else if (pi < p.size() && (p[pi] == "?" || SameChar(p[pi], n[ni]))) {
      ++pi;
      ++ni;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}

}  // namespace

SplitPath SplitStoredPath(std::string_view path) {
  SplitPath out;
  // Some writers pad stored names with NULs: the name ends at the first one.
  if (size_t nul = path.find('\0'); nul != std::string_view::npos) path = path.substr(0, nul);
  if (path.size() >= 2 && static_cast<unsigned char>(path[0]) < 0x80 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    out.absolute = true;
    path.remove_prefix(2);
  }
  if (!path.empty() && IsSeparator(static_cast<unsigned char>(path[0]))) out.absolute = true;
  std::string part;
  // Empty and "." components name nothing; ".." is kept so the caller can refuse it.
  auto flush = [&] {
    if (!part.empty() && part != ".") {
      if (part == "..") out.parentRefs = true;
      out.parts.push_back(part);
    }
    part.clear();
  };
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size()) {
      part += path[i];
      part += path[++i];
    } else if (IsSeparator(c)) {
      flush();
    } else {
      part += path[i];
    }
  }
  flush();
  return out;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  return MatchFrom(Characters(pattern), 0, Characters(name), 0);
}

std::string BaseName(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c)) {
      ++i;
    } else if (c == '\\' || c == '/') {
      start = i + 1;
    }
  }
  return std::string(path.substr(start));
}

std::string UpperSjis(std::string_view s) {
  std::string out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
    } else {
      out[i] = UpperAscii(out[i]);
    }
  }
  return out;
}

}  // namespace lzh

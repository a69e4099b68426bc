// Entry names: splitting stored paths (Shift-JIS aware), judging whether a name is safe to
// create on disk, and the wildcard patterns of the archiver commands.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/text_path.h"

namespace lzh {

using text::IsLeadByte;

struct SplitPath {
  std::vector<std::string> parts;  // components without "." and empty ones
  bool absolute = false;           // had a leading separator, a drive letter or a UNC prefix
  bool parentRefs = false;         // contained ".." components
};

// Splits a stored path at 0xFF, "/" and "\" (a "\" that is the second byte of a Shift-JIS
// character is not a separator). Drive letters ("C:") and UNC prefixes are dropped and noted.
SplitPath SplitStoredPath(std::string_view path);

// Entry names become files only when text::IsPlainName holds for every component.
using text::IsDeviceName;
using text::IsPlainName;

// DOS-style wildcard match ("*", "?"), ASCII case-insensitive, Shift-JIS aware. "*.*" and "*"
// match every name, including names without a dot.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The part after the last "\" or "/" (Shift-JIS aware).
std::string BaseName(std::string_view path);

// ASCII upper-casing that leaves both bytes of Shift-JIS characters alone.
std::string UpperSjis(std::string_view s);

}  // namespace lzh

// Letter-case folding for the fakes' case-insensitive names, as Windows compares file, key and
// atom names: ASCII letters only, and never the second byte of a Shift-JIS character; and the
// file-name rules of the fake file system (wildcards, 8.3 names).
#pragma once
#include <string>
#include <vector>

#include "text/text_path.h"

namespace platform::fake {

using text::IsLeadByte;
std::string UpperAscii(const std::string& text);
bool SameText(const std::string& a, const std::string& b);
// Splits at "\" and "/" that are characters of their own; empty pieces are dropped.
std::vector<std::string> SplitPath(const std::string& path);
// Whether `text` ends with a "\" or "/" that is a character of its own.
bool EndsWithSeparator(const std::string& text);
// "*" any run of characters, "?" one character, without regard to ASCII case; as on Windows,
// "*.*" means every name and a final ".*" also matches names without a dot.
bool NameMatches(const std::string& pattern, const std::string& name);
// Whether a name is already a valid 8.3 name (then it is its own short name).
bool IsShortName(const std::string& name);

}  // namespace platform::fake

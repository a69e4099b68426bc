// Letter-case folding for the fakes' case-insensitive names, as Windows compares file, key and
// atom names: ASCII letters only, and never the second byte of a Shift-JIS character.
#pragma once
#include <string>
#include <vector>

namespace platform::fake {

bool IsLeadByte(unsigned char c);
std::string UpperAscii(const std::string& text);
bool SameText(const std::string& a, const std::string& b);
// Splits at "\" and "/" that are characters of their own; empty pieces are dropped.
std::vector<std::string> SplitPath(const std::string& path);
// Whether `text` ends with a "\" or "/" that is a character of its own.
bool EndsWithSeparator(const std::string& text);

}  // namespace platform::fake

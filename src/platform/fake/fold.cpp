#include "platform/fake/fold.h"

#include "browse/text_path.h"

namespace platform::fake {

// The fakes compare names the way the program's own text routines do, so there is one byte rule.
bool IsLeadByte(unsigned char c) { return browse::IsLeadByte(c); }

std::string UpperAscii(const std::string& text) { return browse::UpperAscii(text); }

bool SameText(const std::string& a, const std::string& b) { return browse::SameText(a, b); }

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
  for (std::string piece : browse::SplitPath(Backslashes(path))) {
    piece.pop_back();   // each piece ends with its "\"
    if (!piece.empty()) parts.push_back(piece);
  }
  return parts;
}

bool EndsWithSeparator(const std::string& text) { return browse::EndsWithYen(Backslashes(text)); }

}  // namespace platform::fake

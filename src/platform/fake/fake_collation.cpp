#include "platform/fake/fake_collation.h"

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

// The first byte of each character's weight. The end of the first level sorts below all of
// them, so a text comes before every longer text that starts with it.
enum Group : char { kEndOfLevel = 1, kPunctuation, kDigit, kLetter, kOther };

}  // namespace

std::string FakeCollation::SortKey(const std::string& text) {
  std::string key;
  std::string ignored;  // position and character of each hyphen and apostrophe
  key.reserve(text.size() * 2 + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '-' || c == '\'') {
      ignored.push_back(static_cast<char>(i >> 8));
      ignored.push_back(static_cast<char>(i & 0xFF));
      ignored.push_back(static_cast<char>(c));
    } else if (c >= '0' && c <= '9') {
      key += {kDigit, static_cast<char>(c)};
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      key += {kLetter, static_cast<char>(c & ~0x20)};
    } else if (c < 0x80) {
      key += {kPunctuation, static_cast<char>(c)};
    } else {
      key += {kOther, static_cast<char>(c)};
      if (IsLeadByte(c) && i + 1 < text.size()) key.push_back(text[++i]);
    }
  }
  key.push_back(kEndOfLevel);
  return key + ignored;
}

}  // namespace platform::fake

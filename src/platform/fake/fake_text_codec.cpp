#include "platform/fake/fake_text_codec.h"

namespace platform::fake {

std::string FakeTextCodec::FromUtf16(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= 0xFF61 && c <= 0xFF9F) {  // half-width katakana: one byte
      out += static_cast<char>(c - 0xFF61 + 0xA1);
    } else if (c >= 0x3041 && c <= 0x3093) {  // hiragana: 82 9F ...
      out += '\x82';
      out += static_cast<char>(c - 0x3041 + 0x9F);
    } else if (c >= 0x30A1 && c <= 0x30F6) {  // katakana: 83 40 ..., with no trail byte 7F
      const int n = c - 0x30A1 + 0x40;
      out += '\x83';
      out += static_cast<char>(n < 0x7F ? n : n + 1);
    } else {
      out += '?';
    }
  }
  return out;
}

}  // namespace platform::fake

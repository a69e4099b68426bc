// Texts of the system that come in UTF-16 (a saver's string resources), turned into the
// program's Shift-JIS, and the language the user's Windows speaks.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // The text in Shift-JIS, exactly; empty when Shift-JIS cannot hold it (no look-alike is made up).
  virtual std::string FromUtf16(const std::u16string& text) = 0;
  // The language of the user's interface, a language identifier (0x0411 Japanese, 0x0409
  // English (United States)).
  virtual uint16_t UserLanguage() = 0;
};

}  // namespace platform

// A deterministic stand-in for Windows' conversion: ASCII, half-width katakana, hiragana and
// katakana convert; every other character becomes "?". The user's language is settable.
#pragma once
#include "platform/text_codec.h"

namespace platform::fake {

class FakeTextCodec : public TextCodec {
 public:
  std::string FromUtf16(const std::u16string& text) override;
  uint16_t UserLanguage() override { return language; }

  uint16_t language = 0x0411;
};

}  // namespace platform::fake

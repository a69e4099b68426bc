// UTF-16 to Shift-JIS with Windows' own table, and the user's interface language.
#pragma once
#include "platform/text_codec.h"

namespace platform::win32 {

class Win32TextCodec : public TextCodec {
 public:
  std::string FromUtf16(const std::u16string& text) override;
  uint16_t UserLanguage() override;

 private:
  uint16_t language_ = 0;  // not asked yet
};

}  // namespace platform::win32

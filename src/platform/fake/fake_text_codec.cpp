#include "platform/fake/fake_text_codec.h"

#include "text/sjis_codec.h"

namespace platform::fake {

std::string FakeTextCodec::FromUtf16(const std::u16string& text) { return text::ToShiftJis(text).value_or(std::string()); }

}  // namespace platform::fake

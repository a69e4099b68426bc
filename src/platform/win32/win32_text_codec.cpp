#include "platform/win32/win32_text_codec.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::string Win32TextCodec::FromUtf16(const std::u16string& text) {
  return Narrow(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size())).value_or(std::string());
}

uint16_t Win32TextCodec::UserLanguage() {
  // Asked once: a listing asks for every saver, and the language stays for the program's run.
  if (language_ == 0) language_ = GetUserDefaultUILanguage();
  return language_;
}

}  // namespace platform::win32

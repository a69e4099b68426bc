#include "support/sjis_text.h"

#include <cstdio>

#if defined(_WIN32)
#include <stringapiset.h>
#else
#include <iconv.h>
#endif

namespace testsupport {

namespace {
std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}
}  // namespace

std::string Utf8(const std::string& text) {
#if defined(_WIN32)
  int wlen = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wlen <= 0 && !text.empty()) return Escaped(text);
  std::wstring wide(static_cast<size_t>(wlen), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(), wlen);
  int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
  return out;
#else
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return Escaped(text);
  std::string in = text;
  std::string out(text.size() * 3 + 4, '\0');
  char* inp = in.data();
  size_t inLeft = in.size();
  char* outp = out.data();
  size_t outLeft = out.size();
  size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return Escaped(text);
  out.resize(out.size() - outLeft);
  return out;
#endif
}

}  // namespace testsupport

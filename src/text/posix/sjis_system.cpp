// The native build converts through iconv's CP932, which refuses what it cannot map.
#include "text/sjis_system.h"

#include <iconv.h>

#include <cerrno>

namespace text::detail {

namespace {

// Converts all of `in` or nothing: any refused or cut sequence gives nullopt.
template <typename Out>
std::optional<Out> Convert(const char* to, const char* from, const void* data, size_t bytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string buffer(bytes * 2 + 16, '\0');
  char* in = const_cast<char*>(static_cast<const char*>(data));
  size_t inLeft = bytes;
  char* out = buffer.data();
  size_t outLeft = buffer.size();
  const size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
  const bool flushed = iconv(cd, nullptr, nullptr, &out, &outLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1) || inLeft != 0 || !flushed) return std::nullopt;
  const size_t produced = buffer.size() - outLeft;
  Out result(produced / sizeof(typename Out::value_type), 0);
  buffer.copy(reinterpret_cast<char*>(result.data()), produced);
  return result;
}

}  // namespace

std::optional<std::string> SystemToShiftJis(std::u16string_view utf16) {
  return Convert<std::string>("CP932", "UTF-16LE", utf16.data(), utf16.size() * sizeof(char16_t));
}

std::optional<std::u16string> SystemFromShiftJis(std::string_view sjis) {
  return Convert<std::u16string>("UTF-16LE", "CP932", sjis.data(), sjis.size());
}

}  // namespace text::detail

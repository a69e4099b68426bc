#include "text/sjis_codec.h"

#include "text/sjis_system.h"
#include "text/text_path.h"

namespace text {

std::optional<std::string> ToShiftJis(std::u16string_view utf16) {
  if (utf16.empty()) return std::string();
  std::optional<std::string> sjis = detail::SystemToShiftJis(utf16);
  if (!sjis) return std::nullopt;
  // A one-way mapping (U+00A5 to 0x5C, U+301C to 0x8160) converts without a reported loss but
  // comes back as another character: only a text that survives the way back is held exactly.
  std::optional<std::u16string> back = detail::SystemFromShiftJis(*sjis);
  if (!back || *back != utf16) return std::nullopt;
  return sjis;
}

std::optional<std::u16string> FromShiftJis(std::string_view sjis) {
  if (sjis.empty()) return std::u16string();
  return detail::SystemFromShiftJis(sjis);
}

namespace {

// The UTF-16 of `sjis` when it is valid Shift-JIS spelled the one way it comes back.
std::optional<std::u16string> Exact(std::string_view sjis) {
  std::optional<std::u16string> wide = detail::SystemFromShiftJis(sjis);
  if (!wide || detail::SystemToShiftJis(*wide) != std::string(sjis)) return std::nullopt;
  return wide;
}

}  // namespace

bool IsExactShiftJis(std::string_view sjis) { return sjis.empty() || Exact(sjis).has_value(); }

std::u16string PathToUtf16(std::string_view sjis) {
  if (sjis.empty()) return std::u16string();
  if (std::optional<std::u16string> whole = Exact(sjis)) return *whole;
  std::u16string out;
  for (size_t i = 0; i < sjis.size();) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
    if (std::optional<std::u16string> one = Exact(sjis.substr(i, step))) {
      out += *one;
    } else {
      out += u'|';
    }
    i += step;
  }
  return out;
}

}  // namespace text

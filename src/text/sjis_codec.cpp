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

bool IsExactShiftJis(std::string_view sjis) {
  if (sjis.empty()) return true;
  std::optional<std::u16string> wide = detail::SystemFromShiftJis(sjis);
  if (!wide) return false;
  std::optional<std::string> back = detail::SystemToShiftJis(*wide);
  return back && *back == sjis;
}

std::u16string PathToUtf16(std::string_view sjis) {
  if (sjis.empty()) return std::u16string();
  if (std::optional<std::u16string> wide = detail::SystemFromShiftJis(sjis)) {
    if (detail::SystemToShiftJis(*wide) == std::string(sjis)) return *wide;
  }
  std::u16string out;
  for (size_t i = 0; i < sjis.size();) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
    const std::string_view one = sjis.substr(i, step);
    if (IsExactShiftJis(one)) {
      out += FromShiftJis(one).value_or(std::u16string());
    } else {
      out += u'|';
    }
    i += step;
  }
  return out;
}

}  // namespace text

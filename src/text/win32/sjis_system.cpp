#include "text/sjis_system.h"

#include <windows.h>

namespace text::detail {

namespace {
constexpr UINT kShiftJis = 932;
}

// One call each way: a UTF-16 unit never takes more than two bytes, a byte never more than one
// UTF-16 unit.
std::optional<std::string> SystemToShiftJis(std::u16string_view utf16) {
  std::string out(utf16.size() * 2, '\0');
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(utf16.data()),
                                    static_cast<int>(utf16.size()), out.data(), static_cast<int>(out.size()), nullptr,
                                    &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  out.resize(static_cast<size_t>(n));
  return out;
}

std::optional<std::u16string> SystemFromShiftJis(std::string_view sjis) {
  std::u16string out(sjis.size(), u'\0');
  const int n = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, sjis.data(), static_cast<int>(sjis.size()),
                                    reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
  if (n <= 0) return std::nullopt;
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace text::detail

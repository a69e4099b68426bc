// The system's own conversion between code page 932 and UTF-16, asked to fail rather than to
// substitute. Only sjis_codec.cpp uses it; it adds the checks the system leaves out.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace text::detail {

// nullopt where the system reports a character it had to replace.
std::optional<std::string> SystemToShiftJis(std::u16string_view utf16);
// nullopt where the system reports an invalid byte sequence.
std::optional<std::u16string> SystemFromShiftJis(std::string_view sjis);

}  // namespace text::detail

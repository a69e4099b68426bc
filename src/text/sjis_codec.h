// The program's text (Shift-JIS, code page 932) and the UTF-16 of the system, converted exactly.
// Nothing is ever substituted: the system's default mapping gives a look-alike for what
// Shift-JIS lacks (U+00A5 becomes "\", u-umlaut becomes "u", the rest "?"), which turns a name
// into another file, another folder or a wildcard. Each caller decides what a text that cannot
// be held means where it is.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The Shift-JIS form of `utf16`, or nullopt when any character has no exact form (a character
// outside Shift-JIS, a look-alike mapping, an unpaired surrogate).
std::optional<std::string> ToShiftJis(std::u16string_view utf16);
// The UTF-16 form of `sjis`, or nullopt when it is not valid Shift-JIS (an unassigned or cut
// two-byte character, a lead byte at the end).
std::optional<std::u16string> FromShiftJis(std::string_view sjis);

// A path or name for the system in UTF-16. A text is taken only in its one exact spelling: a
// byte sequence that is not valid Shift-JIS, or a second spelling of a character (code page 932
// reads 0xED40 and 0xFA5C as the same character, so two names could land on one file), gives
// "|" in its place, which no file name holds and the system refuses.
std::u16string PathToUtf16(std::string_view sjis);
// Whether `sjis` is valid Shift-JIS in its one exact spelling (PathToUtf16 keeps it whole).
bool IsExactShiftJis(std::string_view sjis);

}  // namespace text

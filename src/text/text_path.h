// Shift-JIS-safe text and path routines. Every string is CP932 bytes; a lead byte
// (0x81-0x9F, 0xE0-0xFC) starts a two-byte character whose second byte is never taken for "\"
// or for a letter. All byte-level scanning of the program goes through these functions.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace text {

// True for bytes that start a two-byte character.
inline bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Appends "\" unless the text already ends with a "\" of its own; empty stays empty.
std::string AddYen(const std::string& path);
// Removes a trailing "\" of its own when the path is longer than three characters, so a drive
// root such as "C:\" keeps it; empty stays empty.
std::string CutYen(const std::string& path);
// True when the text ends with a "\" that is a character of its own (not a trail byte).
bool EndsWithYen(const std::string& path);

// Case change of the ASCII letters only; two-byte characters and half-width katakana are copied.
std::string UpperAscii(const std::string& text);
std::string LowerAscii(const std::string& text);

// The first n bytes, one fewer when the n-th byte would split a two-byte character.
// n <= 0 gives empty; a text not longer than n is returned whole.
std::string LeftCut(const std::string& text, int n);

// Components each with its trailing "\": "C:\WINDOWS\SYSTEM" -> C:\  WINDOWS\  SYSTEM\ .
std::vector<std::string> SplitPath(const std::string& path);
// The first component with its "\", the others without: C:\  WINDOWS  SYSTEM.
std::vector<std::string> PathComponents(const std::string& path);
// The cumulative paths without trailing "\" (but a root keeps its own): C:\  C:\WINDOWS  ...
std::vector<std::string> PathPrefixes(const std::string& path);
// The second-to-last prefix; a root is its own parent. Empty for an empty path.
std::string ParentFolder(const std::string& path);

// The position of the first `c` at or after `from` that is a character of its own (never the
// second byte of a two-byte character), or npos. `from` must start a character.
size_t FindChar(const std::string& text, char c, size_t from = 0);

// Splits a file path at its last separator of its own ("\", or "/" which Windows takes for one)
// into the folder (with that separator) and the name.
void SplitFileName(const std::string& path, std::string& folder, std::string& name);
// Whether a name (typed by the user, or an archive's entry) names a file or folder of its own in
// the folder it is meant for: not empty, "." or "..", no control characters, none of
// \ / : * ? " < > | of their own, no lone lead byte, no trailing blank or dot (Windows would drop
// it), no device name, and Shift-JIS in its one exact spelling (text/sjis_codec.h).
bool IsPlainName(std::string_view name);
// Whether Windows opens a device instead of a file for this path component: CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, CONIN$ and CONOUT$ in any letter case, also with an extension ("NUL.txt")
// and with blanks or dots after the name ("CON .txt", "AUX.").
bool IsDeviceName(std::string_view name);

// ASCII-case-insensitive ordering of CP932 texts, byte by byte otherwise (<0, 0, >0). Lists
// shown to the user sort in the platform's order instead (platform::Collation).
int CompareText(const std::string& a, const std::string& b);
// ASCII-case-insensitive equality (paths and names are compared this way throughout).
bool SameText(const std::string& a, const std::string& b);

}  // namespace text

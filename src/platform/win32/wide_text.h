// The one place where the program's Shift-JIS strings meet the UTF-16 of the W APIs. Every win32
// backend (platform and gui) converts through these functions, exactly (text/sjis_codec.h): what
// the program's text cannot hold never becomes a look-alike, and each caller decides what it
// means there.
#pragma once
#include <optional>
#include <string>

namespace platform::win32 {

// CP932 bytes to UTF-16 for showing (window texts, captions, items).
std::wstring Wide(const std::string& sjis);
// The same into `out`, whose room is kept for the next text: no allocation per text when many
// are converted one after another.
void WideInto(const std::string& sjis, std::wstring& out);
// A path or name for the system. A text that is not valid Shift-JIS (a damaged list or archive
// entry) gives a name no file has ("|" in place of what cannot be read), which the system refuses,
// so it never reaches another file.
std::wstring WidePath(const std::string& sjis);

// UTF-16 from the system in the program's text; nullopt when a character has no exact form.
std::optional<std::string> Narrow(const std::wstring& wide);
std::optional<std::string> Narrow(const wchar_t* wide, int length = -1);
// A path the system hands over: itself when the program's text holds it, else its 8.3 form when
// the file exists and has one that is held; nullopt when neither names it.
std::optional<std::string> NarrowPath(const std::wstring& path);
// Where only showing is meant (a volume label, a process name): the text, or "" when it is not held.
std::string NarrowShown(const wchar_t* wide, int length = -1);

}  // namespace platform::win32

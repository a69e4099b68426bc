// The one place where the program's Shift-JIS strings meet the UTF-16 of the W APIs.
// Every win32 backend (platform and gui) converts through these two functions.
#pragma once
#include <string>

namespace platform::win32 {

// CP932 bytes to UTF-16 (MultiByteToWideChar with code page 932).
std::wstring Wide(const std::string& sjis);
// The same into `out`, whose room is kept for the next text: no allocation per text when many
// are converted one after another.
void WideInto(const std::string& sjis, std::wstring& out);
// UTF-16 to CP932 bytes; characters CP932 lacks become "?" as Windows does.
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length = -1);

}  // namespace platform::win32

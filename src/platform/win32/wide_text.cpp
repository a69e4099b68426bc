#include "platform/win32/wide_text.h"

#include <windows.h>

#include <string_view>

#include "text/sjis_codec.h"

namespace platform::win32 {

namespace {
constexpr UINT kShiftJis = 932;
}

void WideInto(const std::string& sjis, std::wstring& out) {
  // A CP932 text never needs more UTF-16 units than it has bytes.
  out.resize(sjis.size());
  const int n = sjis.empty() ? 0
                             : MultiByteToWideChar(kShiftJis, 0, sjis.data(), static_cast<int>(sjis.size()), out.data(),
                                                   static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(n));
}

std::wstring Wide(const std::string& sjis) {
  std::wstring out;
  WideInto(sjis, out);
  return out;
}

std::wstring WidePath(const std::string& sjis) {
  const std::u16string wide = text::PathToUtf16(sjis);
  return std::wstring(wide.begin(), wide.end());
}

std::optional<std::string> Narrow(const wchar_t* wide, int length) {
  if (wide == nullptr) return std::string();
  if (length < 0) length = static_cast<int>(wcslen(wide));
  return text::ToShiftJis(std::u16string_view(reinterpret_cast<const char16_t*>(wide), static_cast<size_t>(length)));
}

std::optional<std::string> Narrow(const std::wstring& wide) { return Narrow(wide.data(), static_cast<int>(wide.size())); }

std::optional<std::string> NarrowPath(const std::wstring& path) {
  if (std::optional<std::string> held = Narrow(path)) return held;
  wchar_t buffer[MAX_PATH + 1];
  const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return std::nullopt;
  return Narrow(buffer, static_cast<int>(n));
}

std::string NarrowShown(const wchar_t* wide, int length) { return Narrow(wide, length).value_or(std::string()); }

}  // namespace platform::win32

#include "platform/win32/wide_text.h"

#include <windows.h>

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

std::string Narrow(const wchar_t* wide, int length) {
  if (wide == nullptr) return {};
  if (length < 0) length = static_cast<int>(wcslen(wide));
  if (length == 0) return {};
  int n = WideCharToMultiByte(kShiftJis, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kShiftJis, 0, wide, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Narrow(const std::wstring& wide) { return Narrow(wide.data(), static_cast<int>(wide.size())); }

}  // namespace platform::win32

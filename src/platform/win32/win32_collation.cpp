#include "platform/win32/win32_collation.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {
constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
// Big enough for the key of any file name; longer texts ask for their size first.
constexpr int kKeyBuffer = 1024;
}  // namespace

std::string Win32Collation::SortKey(const std::string& text) {
  if (text.empty()) return {};
  const std::wstring wide = Wide(text);
  const int length = static_cast<int>(wide.size());
  // The key is a byte string that ends in a NUL; the NUL is left out.
  BYTE buffer[kKeyBuffer];
  int n = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(buffer), kKeyBuffer);
  if (n > 0) return std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n - 1));
  n = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, nullptr, 0);
  if (n <= 0) return {};
  std::string key(static_cast<size_t>(n), '\0');
  n = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()), n);
  key.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return key;
}

}  // namespace platform::win32

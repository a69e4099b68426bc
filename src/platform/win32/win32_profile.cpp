#include "platform/win32/win32_profile.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::string Win32Profile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& fallback) {
  std::wstring wFile = WidePath(file);
  std::wstring wSection = WidePath(section);
  std::wstring wKey = WidePath(key);
  std::wstring wFallback = WidePath(fallback);
  std::wstring buffer(1024, L'\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringW(wSection.c_str(), wKey.c_str(), wFallback.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), wFile.c_str());
    // A full buffer (size - 1 characters) means the value may have been cut.
    if (n + 1 < buffer.size() || buffer.size() >= 1u << 20) return NarrowPath(std::wstring(buffer.data(), n)).value_or(fallback);
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

OsResult Win32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& value) {
  if (WritePrivateProfileStringW(WidePath(section).c_str(), WidePath(key).c_str(), WidePath(value).c_str(), WidePath(file).c_str())) {
    return OsResult::Ok();
  }
  return OsResult::FromCode(GetLastError());
}

OsResult Win32Profile::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
  if (WritePrivateProfileStringW(WidePath(section).c_str(), WidePath(key).c_str(), nullptr, WidePath(file).c_str())) {
    return OsResult::Ok();
  }
  DWORD error = GetLastError();
  // Nothing to delete is not a failure.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return OsResult::Ok();
  return OsResult::FromCode(error);
}

}  // namespace platform::win32

#include "platform/win32/win32_profile.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::string Win32Profile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& fallback) {
  std::wstring wFile = Wide(file);
  std::wstring wSection = Wide(section);
  std::wstring wKey = Wide(key);
  std::wstring wFallback = Wide(fallback);
  std::wstring buffer(1024, L'\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringW(wSection.c_str(), wKey.c_str(), wFallback.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), wFile.c_str());
    // A full buffer (size - 1 characters) means the value may have been cut.
    if (n + 1 < buffer.size() || buffer.size() >= 1u << 20) return Narrow(buffer.data(), static_cast<int>(n));
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

OsResult Win32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& value) {
  if (WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(), Wide(file).c_str())) {
    return OsResult::Ok();
  }
  return OsResult::FromCode(GetLastError());
}

OsResult Win32Profile::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
  if (WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), nullptr, Wide(file).c_str())) {
    return OsResult::Ok();
  }
  DWORD error = GetLastError();
  // Nothing to delete is not a failure.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return OsResult::Ok();
  return OsResult::FromCode(error);
}

}  // namespace platform::win32

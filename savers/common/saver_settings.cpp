#include "saver_settings.h"

#include <windows.h>

namespace savers {

std::wstring SettingsKey(const wchar_t* saver) {
  return std::wstring(L"Software\\KAPUL SOFT32\\QUOVEL32 Savers\\") + saver;
}

std::vector<int> LoadSettings(const wchar_t* saver, const std::vector<Setting>& settings) {
  std::vector<int> values;
  HKEY key = nullptr;
  bool open = RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey(saver).c_str(), 0, KEY_READ, &key) ==
              ERROR_SUCCESS;
  for (const Setting& s : settings) {
    int v = s.fallback;
    DWORD type = 0, data = 0, size = sizeof data;
    if (open && RegQueryValueExW(key, s.value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
                    ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof data) {
      long long stored = static_cast<int>(data);
      v = stored < s.minimum ? s.minimum : stored > s.maximum ? s.maximum : static_cast<int>(stored);
    }
    values.push_back(v);
  }
  if (open) RegCloseKey(key);
  return values;
}

bool SaveSettings(const wchar_t* saver, const std::vector<Setting>& settings,
                  const std::vector<int>& values) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey(saver).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool ok = true;
  for (size_t i = 0; i < settings.size() && i < values.size(); ++i) {
    DWORD data = static_cast<DWORD>(values[i]);
    ok = RegSetValueExW(key, settings[i].value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS &&
         ok;
  }
  RegCloseKey(key);
  return ok;
}

}  // namespace savers

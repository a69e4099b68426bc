// A saver's few numeric settings, kept as DWORD values under
// HKCU\Software\KAPUL SOFT32\QUOVEL32 Savers\<saver>.
#pragma once
#include <string>
#include <vector>

namespace savers {

struct Setting {
  const wchar_t* value;  // registry value name
  const wchar_t* label;  // caption in the settings dialog
  int minimum;
  int maximum;
  int fallback;  // used when the value is missing or not a DWORD
};

// The registry key (below HKEY_CURRENT_USER) of one saver's settings.
std::wstring SettingsKey(const wchar_t* saver);

// One value per setting, in order; stored values outside a setting's range are clamped into it.
std::vector<int> LoadSettings(const wchar_t* saver, const std::vector<Setting>& settings);
// Writes every value; false when the key cannot be created or a value cannot be written.
bool SaveSettings(const wchar_t* saver, const std::vector<Setting>& settings,
                  const std::vector<int>& values);

}  // namespace savers

// The settings dialog of a saver: one slider per setting, "標準に戻す", OK and キャンセル.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "saver_settings.h"

namespace savers {

// Shows the modal dialog owned by `owner` (may be null). On OK stores the slider positions in
// `values` and returns true; on キャンセル or closing leaves `values` alone and returns false.
bool RunConfigDialog(HWND owner, const std::wstring& title, const std::vector<Setting>& settings,
                     std::vector<int>& values);

// Control ids, for tests that drive the dialog from outside.
constexpr int kDefaultsButton = 100;
constexpr int kFirstSlider = 200;
constexpr int kFirstValueText = 300;

}  // namespace savers

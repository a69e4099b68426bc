#include "platform/win32/win32_system_folder.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

bool Exists(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

SystemFolderView DecideView() {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return {};
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  std::string windows = NarrowPath(std::wstring(folder, n)).value_or(std::string());
  if (windows.empty()) return {};
  if (!windows.empty() && windows.back() == '\\') windows.pop_back();
  // Without the alias (64-bit Windows XP) the 32-bit view is all this program can reach.
  const DWORD alias = GetFileAttributesW(WidePath(windows + "\\Sysnative").c_str());
  if (alias == INVALID_FILE_ATTRIBUTES || (alias & FILE_ATTRIBUTE_DIRECTORY) == 0) return {};
  return SystemFolderView(windows);
}

}  // namespace

const SystemFolderView& ProcessSystemView() {
  static const SystemFolderView view = DecideView();
  return view;
}

std::wstring SystemPath(const std::string& path) { return WidePath(ProcessSystemView().ForSystem(path, Exists)); }

std::wstring SystemCommand(const std::string& commandLine) {
  return WidePath(ProcessSystemView().CommandForSystem(commandLine, Exists));
}

}  // namespace platform::win32

#include "platform/win32/system_library.h"

#include <string>

namespace platform::win32 {

HMODULE SystemLibrary(const wchar_t* name) {
  // LOAD_LIBRARY_SEARCH_SYSTEM32 keeps the search to the system folder. Windows 7 without its
  // loader update refuses the flag (ERROR_INVALID_PARAMETER); the system folder's full path
  // then says the same.
  HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return library;
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return nullptr;
  std::wstring path(folder, n);
  if (path.back() != L'\\') path += L'\\';
  return LoadLibraryExW((path + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32

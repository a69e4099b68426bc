// A library planted beside a program under the name of a library the program imports: when it is
// loaded, it leaves "<its path>.LOADED" beside itself. It needs nothing but KERNEL32 and no
// run-time start-up, so one copy serves under every name.
#include <windows.h>

extern "C" BOOL WINAPI PlantedMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 8];
  const DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TRUE;
  lstrcpyW(path + n, L".LOADED");
  HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return TRUE;
}

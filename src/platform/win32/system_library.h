// Libraries of Windows that the program does not import, loaded from the system folder only:
// Windows looks beside the program first for a bare name that is not one of its known libraries.
#pragma once
#include <windows.h>

namespace platform::win32 {

// The library `name` ("mpr.dll") loaded from the system folder and kept for the process (callers
// keep what they look up in it); nullptr when it cannot be loaded, which the feature that needs it
// reports as its own failure.
HMODULE SystemLibrary(const wchar_t* name);

// The entry point `entry` of the system library `name`, typed; nullptr when either is missing.
template <typename Function>
Function SystemEntry(const wchar_t* name, const char* entry) {
  HMODULE library = SystemLibrary(name);
  FARPROC address = library != nullptr ? GetProcAddress(library, entry) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

}  // namespace platform::win32

// The command-line arguments of a test program on real windows, as wide strings (argument 0 is
// the program). Read from GetCommandLineW, like the program itself does.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::wstring> WideArguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> out;
  for (int i = 0; argv != nullptr && i < argc; ++i) out.emplace_back(argv[i]);
  LocalFree(argv);
  return out;
}

}  // namespace testsupport

// The real services in a scratch folder under the user's temp folder and a scratch registry key,
// both removed again when the environment ends.
#pragma once
#include <string>

#include "platform/services.h"
#include "platform/win32/win32_platform.h"

namespace platformtest {

class RealEnvironment {
 public:
  static constexpr const char* kName = "Win32";

  RealEnvironment();
  ~RealEnvironment();
  RealEnvironment(const RealEnvironment&) = delete;
  RealEnvironment& operator=(const RealEnvironment&) = delete;

  platform::Services Services() { return real.Services(); }
  std::string ExitSevenCommand() const { return "cmd.exe /c exit 7"; }
  std::string QuickCommand() const { return "cmd.exe /c exit 0"; }
  void Pause();  // 50 ms
  bool EnterWow64();  // true in a 32-bit test program on a 64-bit Windows

  platform::win32::Win32Platform real;
  std::string root;
  std::string registryKey;
  char unmappedDrive = 0;
  std::string previousFolder_;
};

}  // namespace platformtest

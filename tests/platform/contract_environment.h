// The implementations the contract tests run against. Each environment gives the tests a fresh
// empty folder, a registry key of their own under HKEY_CURRENT_USER and a few programs, and
// leaves nothing behind. Natively only the fake runs; the win32 build adds the real services.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"
#include "platform/services.h"
#if defined(QV_REAL_PLATFORM_TESTS)
#include "platform/win32/real_environment.h"
#endif

namespace platformtest {

class FakeEnvironment {
 public:
  static constexpr const char* kName = "Fake";

  FakeEnvironment() {
    fake.fs.AddFolder(root);
    fake.processes.SetBehaviour("CMD.EXE", {false, 2, 7});
  }
  platform::Services Services() { return fake.Services(); }
  // A program that runs briefly and ends with exit code 7; one that ends at once.
  std::string ExitSevenCommand() const { return "cmd.exe /c exit 7"; }
  std::string QuickCommand() const { return "cmd.exe /c exit 0"; }
  // A short wait while polling another process; the fake's processes need none.
  void Pause() {}
  // Makes the program run under WOW64 where the environment can; whether it does.
  bool EnterWow64() {
    fake.fs.SetWow64(fake.desktop.WindowsFolder());
    return true;
  }

  platform::fake::FakePlatform fake;
  const std::string root = "C:\\QvTest";
  const std::string registryKey = "Software\\QvPlatformTest";
  const char unmappedDrive = 'Q';
};

#if defined(QV_REAL_PLATFORM_TESTS)
using Environments = testing::Types<FakeEnvironment, RealEnvironment>;
#else
using Environments = testing::Types<FakeEnvironment>;
#endif

struct EnvironmentName {
  template <typename T>
  static std::string GetName(int) {
    return T::kName;
  }
};

// A fixture over one environment: `os` is its services, At() names a file in its folder.
template <typename Env>
class Contract : public testing::Test {
 protected:
  std::string At(const std::string& name) const { return env.root + "\\" + name; }

  Env env;
  platform::Services os = env.Services();
};

}  // namespace platformtest

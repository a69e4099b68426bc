// The fake machine as the installer leaves it for the manager: the settings version the program
// expects and a working folder that exists.
#pragma once
#include "platform/fake/fake_platform.h"
#include "store/settings_key.h"

namespace testsupport {

inline void Installed(platform::fake::FakePlatform& p) {
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version", "16");
  p.fs.AddFolder("C:\\QVWORK");
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "TMPQVLA", "C:\\QVWORK");
}

}  // namespace testsupport

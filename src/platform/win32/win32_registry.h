// Registry on the Win32 registry API (W functions); trees are deleted with SHDeleteKey.
#pragma once
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry : public Registry {
 public:
  std::optional<std::string> ReadString(RegistryRoot root, const std::string& key, const std::string& name) override;
  using Registry::ReadString;
  std::optional<std::string> ReadExpandedString(RegistryRoot root, const std::string& key,
                                                const std::string& name) override;
  OsResult WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                       const std::string& value) override;
  OsResult DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;
  OsResult DeleteTree(RegistryRoot root, const std::string& key) override;
  bool KeyExists(RegistryRoot root, const std::string& key) override;
  std::optional<bool> HasContent(RegistryRoot root, const std::string& key) override;
};

}  // namespace platform::win32

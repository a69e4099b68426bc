#include "platform/registry.h"

namespace platform {

std::string Registry::ReadString(RegistryRoot root, const std::string& key, const std::string& name,
                                 const std::string& fallback) {
  std::optional<std::string> value = ReadString(root, key, name);
  return value ? *value : fallback;
}

}  // namespace platform

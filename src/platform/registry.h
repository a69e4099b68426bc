// String values in the Windows registry under the four roots the program touches. Key paths are
// relative to the root ("Software\KAPUL SOFT32\QUOVEL32\SCR"); key and value names compare
// case-insensitively. An empty value name is the key's default value.
#pragma once
#include <optional>
#include <string>

#include "platform/os_result.h"

namespace platform {

enum class RegistryRoot { kCurrentUser, kLocalMachine, kClassesRoot, kUsers };

class Registry {
 public:
  virtual ~Registry() = default;

  // A REG_SZ or REG_EXPAND_SZ value (not expanded); nullopt when the key or value is missing or
  // the value has another type. The key is never created by reading.
  virtual std::optional<std::string> ReadString(RegistryRoot root, const std::string& key,
                                                const std::string& name) = 0;
  std::string ReadString(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& fallback);
  // The same value as the system uses it: a REG_EXPAND_SZ value with each environment variable
  // of this process replaced by its text (a name that is not defined stays as written).
  virtual std::optional<std::string> ReadExpandedString(RegistryRoot root, const std::string& key,
                                                        const std::string& name) = 0;
  // Writes a REG_SZ value, creating the key and any missing keys above it.
  virtual OsResult WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                               const std::string& value) = 0;
  // kNotFound when the value or the key is missing.
  virtual OsResult DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) = 0;
  // Deletes the key with all its sub-keys and values; kNotFound when it is missing.
  virtual OsResult DeleteTree(RegistryRoot root, const std::string& key) = 0;
  virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;
  // Whether the key holds any sub-key or value; nullopt when the key is missing.
  virtual std::optional<bool> HasContent(RegistryRoot root, const std::string& key) = 0;
};

}  // namespace platform

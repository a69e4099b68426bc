// An in-memory registry: four roots of keys with case-insensitive key and value names that keep
// their written case. Tests can plant values of other types, make the next change fail and read
// the log of changes.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform::fake {

class FakeRegistry : public Registry {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  // A value of a type other than a string (a DWORD, say), which ReadString does not return.
  void SetNonString(RegistryRoot root, const std::string& key, const std::string& name);
  // A REG_EXPAND_SZ value, and the environment its variables are expanded from (names in any
  // case; SystemRoot, windir and ProgramFiles are set as on a Windows in C:\WINDOWS).
  void WriteExpandString(RegistryRoot root, const std::string& key, const std::string& name, const std::string& value);
  void SetEnvironment(const std::string& name, const std::string& value);
  // The next write or delete fails with the Win32 error code.
  void FailNextChange(uint32_t code) { failNext_ = code; }
  // A root a normal user may not change (HKEY_LOCAL_MACHINE, HKEY_USERS): every write and delete
  // under it is refused with access denied; reading works.
  void ProtectRoot(RegistryRoot root) { protected_.insert(root); }
  // Every write and delete in `key` or below it is refused with access denied.
  void ProtectKey(RegistryRoot root, const std::string& key);
  // Every change in order: "Write HKCU\key[name]=value", "DeleteValue HKCU\key[name]",
  // "DeleteTree HKCU\key".
  const std::vector<std::string>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }

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

  struct Key;

 private:
  Key* Find(RegistryRoot root, const std::string& key);
  Key* Create(RegistryRoot root, const std::string& key);
  bool TakeFailure(RegistryRoot root, const std::string& key, uint32_t& code);

  std::map<RegistryRoot, std::unique_ptr<Key>> roots_;
  std::vector<std::string> changes_;
  uint32_t failNext_ = 0;
  std::set<RegistryRoot> protected_;
  std::set<std::pair<RegistryRoot, std::string>> protectedKeys_;  // upper-cased, parts joined by "\\"
  std::map<std::string, std::string> environment_;  // by upper-cased name
};

}  // namespace platform::fake

#include "platform/fake/fake_registry.h"

#include <algorithm>

#include "platform/fake/fold.h"

namespace platform::fake {

struct FakeRegistry::Key {
  struct Value {
    std::string name;
    std::string data;
    bool isString = true;
    bool expand = false;  // REG_EXPAND_SZ
  };
  std::map<std::string, Value> values;                // by upper-cased name
  std::map<std::string, std::unique_ptr<Key>> subkeys;  // by upper-cased name
};

namespace {

// Key paths split at "\" only (a "/" is an ordinary character in a key name).
std::vector<std::string> KeyParts(const std::string& key) {
  std::vector<std::string> parts;
  std::string current;
  for (size_t i = 0; i < key.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(key[i]);
    if (IsLeadByte(c) && i + 1 < key.size()) {
      current += key.substr(i, 2);
      ++i;
    } else if (c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += key[i];
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

std::string RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kCurrentUser: return "HKCU";
    case RegistryRoot::kLocalMachine: return "HKLM";
    case RegistryRoot::kClassesRoot: return "HKCR";
    case RegistryRoot::kUsers: return "HKU";
  }
  return "?";
}

std::string Where(RegistryRoot root, const std::string& key) { return RootName(root) + "\\" + key; }

}  // namespace

FakeRegistry::FakeRegistry() {
  for (RegistryRoot r : {RegistryRoot::kCurrentUser, RegistryRoot::kLocalMachine, RegistryRoot::kClassesRoot,
                         RegistryRoot::kUsers}) {
    roots_[r] = std::make_unique<Key>();
  }
  SetEnvironment("SystemRoot", "C:\\WINDOWS");
  SetEnvironment("windir", "C:\\WINDOWS");
  SetEnvironment("ProgramFiles", "C:\\Program Files");
}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Key* FakeRegistry::Find(RegistryRoot root, const std::string& key) {
  Key* k = roots_[root].get();
  for (const std::string& part : KeyParts(key)) {
    auto it = k->subkeys.find(UpperAscii(part));
    if (it == k->subkeys.end()) return nullptr;
    k = it->second.get();
  }
  return k;
}

FakeRegistry::Key* FakeRegistry::Create(RegistryRoot root, const std::string& key) {
  Key* k = roots_[root].get();
  for (const std::string& part : KeyParts(key)) {
    std::unique_ptr<Key>& child = k->subkeys[UpperAscii(part)];
    if (!child) child = std::make_unique<Key>();
    k = child.get();
  }
  return k;
}

namespace {
std::string KeyName(const std::string& key) {
  std::string name;
  for (const std::string& part : KeyParts(key)) name += UpperAscii(part) + "\\";
  return name;
}
}  // namespace

void FakeRegistry::ProtectKey(RegistryRoot root, const std::string& key) { protectedKeys_.insert({root, KeyName(key)}); }

bool FakeRegistry::TakeFailure(RegistryRoot root, const std::string& key, uint32_t& code) {
  const std::string name = KeyName(key);
  const bool keyProtected = std::any_of(protectedKeys_.begin(), protectedKeys_.end(), [&](const auto& p) {
    return p.first == root && name.starts_with(p.second);
  });
  if (keyProtected || protected_.count(root) != 0) {
    code = code::kAccessDenied;
    return true;
  }
  if (failNext_ == 0) return false;
  code = failNext_;
  failNext_ = 0;
  return true;
}

void FakeRegistry::SetNonString(RegistryRoot root, const std::string& key, const std::string& name) {
  Create(root, key)->values[UpperAscii(name)] = Key::Value{name, "", false};
}

void FakeRegistry::WriteExpandString(RegistryRoot root, const std::string& key, const std::string& name,
                                     const std::string& value) {
  Create(root, key)->values[UpperAscii(name)] = Key::Value{name, value, true, true};
}

void FakeRegistry::SetEnvironment(const std::string& name, const std::string& value) {
  environment_[UpperAscii(name)] = value;
}

// As ExpandEnvironmentStrings does it: "%name%" with a defined name becomes its text; otherwise
// the "%" and the name stay and the second "%" may open the next variable.
std::optional<std::string> FakeRegistry::ReadExpandedString(RegistryRoot root, const std::string& key,
                                                            const std::string& name) {
  std::optional<std::string> text = ReadString(root, key, name);
  if (!text || !Find(root, key)->values[UpperAscii(name)].expand) return text;
  std::string out;
  size_t at = 0;
  for (;;) {
    const size_t open = text->find('%', at);
    const size_t close = open == std::string::npos ? open : text->find('%', open + 1);
    if (close == std::string::npos) return out + text->substr(at);
    auto found = environment_.find(UpperAscii(text->substr(open + 1, close - open - 1)));
    if (found == environment_.end()) {
      out += text->substr(at, close - at);
      at = close;
    } else {
      out += text->substr(at, open - at) + found->second;
      at = close + 1;
    }
  }
}

std::optional<std::string> FakeRegistry::ReadString(RegistryRoot root, const std::string& key,
                                                    const std::string& name) {
  Key* k = Find(root, key);
  if (k == nullptr) return std::nullopt;
  auto it = k->values.find(UpperAscii(name));
  if (it == k->values.end() || !it->second.isString) return std::nullopt;
  return it->second.data;
}

OsResult FakeRegistry::WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                                   const std::string& value) {
  uint32_t code = 0;
  if (TakeFailure(root, key, code)) return OsResult::FromCode(code);
  Key* k = Create(root, key);
  auto it = k->values.find(UpperAscii(name));
  if (it != k->values.end()) {
    // An existing value keeps the case of its name.
    it->second.data = value;
    it->second.isString = true;
    it->second.expand = false;
  } else {
    k->values[UpperAscii(name)] = Key::Value{name, value, true};
  }
  changes_.push_back("Write " + Where(root, key) + "[" + name + "]=" + value);
  return OsResult::Ok();
}

OsResult FakeRegistry::DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) {
  uint32_t code = 0;
  if (TakeFailure(root, key, code)) return OsResult::FromCode(code);
  Key* k = Find(root, key);
  if (k == nullptr || k->values.erase(UpperAscii(name)) == 0) return OsResult::FromCode(code::kFileNotFound);
  changes_.push_back("DeleteValue " + Where(root, key) + "[" + name + "]");
  return OsResult::Ok();
}

OsResult FakeRegistry::DeleteTree(RegistryRoot root, const std::string& key) {
  uint32_t code = 0;
  if (TakeFailure(root, key, code)) return OsResult::FromCode(code);
  std::vector<std::string> parts = KeyParts(key);
  if (parts.empty()) return OsResult::FromCode(code::kInvalidParameter);  // never a whole root
  std::string last = UpperAscii(parts.back());
  parts.pop_back();
  Key* parent = roots_[root].get();
  for (const std::string& part : parts) {
    auto it = parent->subkeys.find(UpperAscii(part));
    if (it == parent->subkeys.end()) return OsResult::FromCode(code::kFileNotFound);
    parent = it->second.get();
  }
  if (parent->subkeys.erase(last) == 0) return OsResult::FromCode(code::kFileNotFound);
  changes_.push_back("DeleteTree " + Where(root, key));
  return OsResult::Ok();
}

bool FakeRegistry::KeyExists(RegistryRoot root, const std::string& key) { return Find(root, key) != nullptr; }

std::optional<bool> FakeRegistry::HasContent(RegistryRoot root, const std::string& key) {
  Key* k = Find(root, key);
  if (k == nullptr) return std::nullopt;
  return !k->values.empty() || !k->subkeys.empty();
}

}  // namespace platform::fake

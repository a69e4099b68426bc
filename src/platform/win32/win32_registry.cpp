#include "platform/win32/win32_registry.h"

#include <windows.h>
#include <shlwapi.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::kUsers: return HKEY_USERS;
  }
  return HKEY_CURRENT_USER;
}

// An open key, closed when it goes out of scope.
class Key {
 public:
  Key(RegistryRoot root, const std::string& path, REGSAM access) {
    status_ = RegOpenKeyExW(RootKey(root), WidePath(path).c_str(), 0, access, &key_);
  }
  ~Key() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  bool ok() const { return status_ == ERROR_SUCCESS; }
  LONG status() const { return status_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG status_;
};

OsResult Status(LONG status) { return OsResult::FromCode(static_cast<uint32_t>(status)); }

// A string value's text and its type (REG_SZ or REG_EXPAND_SZ).
std::optional<std::wstring> StringValue(RegistryRoot root, const std::string& key, const std::string& name,
                                        DWORD& type) {
  Key k(root, key, KEY_QUERY_VALUE);
  if (!k.ok()) return std::nullopt;
  std::wstring valueName = WidePath(name);
  DWORD bytes = 0;
  if (RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // The value may change between the two calls; try again with the new size a few times.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    LONG status = RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      bytes = size;
      continue;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    // Stored strings need not end in NUL, and may hold several; the value ends at the first.
    data.resize(size / sizeof(wchar_t));
    size_t nul = data.find(L'\0');
    if (nul != std::wstring::npos) data.resize(nul);
    return data;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Win32Registry::ReadString(RegistryRoot root, const std::string& key,
                                                     const std::string& name) {
  DWORD type = 0;
  std::optional<std::wstring> data = StringValue(root, key, name, type);
  if (!data) return std::nullopt;
  return NarrowPath(*data);
}

std::optional<std::string> Win32Registry::ReadExpandedString(RegistryRoot root, const std::string& key,
                                                             const std::string& name) {
  DWORD type = 0;
  std::optional<std::wstring> data = StringValue(root, key, name, type);
  if (!data) return std::nullopt;
  if (type != REG_EXPAND_SZ) return NarrowPath(*data);
  const DWORD need = ExpandEnvironmentStringsW(data->c_str(), nullptr, 0);
  std::wstring expanded(need, L'\0');
  const DWORD got = need == 0 ? 0 : ExpandEnvironmentStringsW(data->c_str(), expanded.data(), need);
  if (got == 0 || got > need) return NarrowPath(*data);
  expanded.resize(got - 1);
  return NarrowPath(expanded);
}

OsResult Win32Registry::WriteString(RegistryRoot root, const std::string& key, const std::string& name,
                                    const std::string& value) {
  HKEY h = nullptr;
  LONG status = RegCreateKeyExW(RootKey(root), WidePath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
  if (status != ERROR_SUCCESS) return Status(status);
  std::wstring data = WidePath(value);
  status = RegSetValueExW(h, WidePath(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  return Status(status);
}

OsResult Win32Registry::DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) {
  Key k(root, key, KEY_SET_VALUE);
  if (!k.ok()) return Status(k.status());
  return Status(RegDeleteValueW(k.get(), WidePath(name).c_str()));
}

OsResult Win32Registry::DeleteTree(RegistryRoot root, const std::string& key) {
  // An empty path would name the whole root.
  if (key.find_first_not_of('\\') == std::string::npos) return OsResult::FromCode(code::kInvalidParameter);
  return Status(SHDeleteKeyW(RootKey(root), WidePath(key).c_str()));
}

bool Win32Registry::KeyExists(RegistryRoot root, const std::string& key) {
  return Key(root, key, KEY_QUERY_VALUE).ok();
}

std::optional<bool> Win32Registry::HasContent(RegistryRoot root, const std::string& key) {
  Key k(root, key, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
  if (!k.ok()) return std::nullopt;
  DWORD subkeys = 0;
  DWORD values = 0;
  if (RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return subkeys != 0 || values != 0;
}

}  // namespace platform::win32

// Reading and writing the program's settings: string values under one registry key, numbers in
// decimal, flags "0"/"1", lists joined by ",". A missing or empty value takes its default text,
// which is parsed like a stored one; a malformed list takes all its defaults.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os_result.h"
#include "platform/registry.h"

namespace store {

// The settings keys below HKEY_CURRENT_USER.
std::string BaseKey();     // Software\KAPUL SOFT32\QUOVEL32
std::string ScrKey();      // ...\SCR: the screen-saver copy's settings, and values shared by all
std::string ExeKey();      // ...\EXE: the manager's own settings

// A stored text that had to be a number and was not, for the values whose reading stops there.
class ReadAborted : public std::runtime_error {
 public:
  explicit ReadAborted(const std::string& name) : std::runtime_error("not a number: " + name), name_(name) {}
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// A whole decimal number with an optional sign; false for anything else.
bool ParseNumber(const std::string& text, int& value);
// Fields split at ",", each a number, exactly `count` of them (the last field is the rest of the
// text, so surplus fields make it fail too).
bool ParseList(const std::string& text, size_t count, std::vector<int>& values);
std::string JoinList(const std::vector<int>& values);

class SettingsKey {
 public:
  SettingsKey(platform::Registry& registry, std::string key) : registry_(registry), key_(std::move(key)) {}
  const std::string& Key() const { return key_; }

  // The stored text, or `fallback` when the value is missing or empty.
  std::string Text(const std::string& name, const std::string& fallback) const;
  // The number; a text that is no number takes the default's number.
  int Number(const std::string& name, const std::string& fallback) const;
  // The number; a stored text that is no number throws ReadAborted.
  int StrictNumber(const std::string& name, const std::string& fallback) const;
  // `count` numbers; any failure gives the defaults.
  std::vector<int> List(const std::string& name, const std::string& fallback, size_t count) const;
  bool Exists(const std::string& name) const;

  platform::OsResult Write(const std::string& name, const std::string& text);
  platform::OsResult WriteNumber(const std::string& name, int value) { return Write(name, std::to_string(value)); }
  platform::OsResult WriteList(const std::string& name, const std::vector<int>& values) { return Write(name, JoinList(values)); }

 private:
  platform::Registry& registry_;
  std::string key_;
};

}  // namespace store

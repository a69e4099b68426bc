#include "store/settings_key.h"

#include <cctype>
#include <climits>

namespace store {

std::string BaseKey() { return "Software\\KAPUL SOFT32\\QUOVEL32"; }
std::string ScrKey() { return BaseKey() + "\\SCR"; }
std::string ExeKey() { return BaseKey() + "\\EXE"; }

bool ParseNumber(const std::string& text, int& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseList(const std::string& text, size_t count, std::vector<int>& values) {
  std::vector<int> out;
  size_t start = 0;
  for (size_t field = 0; field < count; ++field) {
    std::string piece;
    if (field + 1 < count) {
      size_t comma = text.find(',', start);
      if (comma == std::string::npos) return false;
      piece = text.substr(start, comma - start);
      start = comma + 1;
    } else {
      piece = text.substr(start);
    }
    int v = 0;
    if (!ParseNumber(piece, v)) return false;
    out.push_back(v);
  }
  values = std::move(out);
  return true;
}

std::string JoinList(const std::vector<int>& values) {
  std::string out;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(values[i]);
  }
  return out;
}

std::string SettingsKey::Text(const std::string& name, const std::string& fallback) const {
  std::string value = registry_.ReadString(platform::RegistryRoot::kCurrentUser, key_, name).value_or("");
  return value.empty() ? fallback : value;
}

bool SettingsKey::Exists(const std::string& name) const {
  return registry_.ReadString(platform::RegistryRoot::kCurrentUser, key_, name).has_value();
}

int SettingsKey::Number(const std::string& name, const std::string& fallback) const {
  int v = 0;
  if (ParseNumber(Text(name, fallback), v)) return v;
  ParseNumber(fallback, v);
  return v;
}

int SettingsKey::StrictNumber(const std::string& name, const std::string& fallback) const {
  int v = 0;
  if (!ParseNumber(Text(name, fallback), v)) throw ReadAborted(name);
  return v;
}

std::vector<int> SettingsKey::List(const std::string& name, const std::string& fallback, size_t count) const {
  std::vector<int> values;
  if (ParseList(Text(name, fallback), count, values)) return values;
  ParseList(fallback, count, values);
  return values;
}

platform::OsResult SettingsKey::Write(const std::string& name, const std::string& text) {
  return registry_.WriteString(platform::RegistryRoot::kCurrentUser, key_, name, text);
}

}  // namespace store

#include "command_line.h"

#include <cwctype>

namespace savers {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring Trim(const std::wstring& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// A window handle in decimal (optionally negative, as some hosts print a signed handle) or
// 0x-hex. Handles are 32 bits wide even for 64-bit hosts, so higher bits are dropped.
std::uint32_t ParseHandle(const std::wstring& s, size_t pos) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  bool negative = false;
  if (pos < s.size() && s[pos] == L'-') {
    negative = true;
    ++pos;
  }
  int base = 10;
  if (pos + 1 < s.size() && s[pos] == L'0' && (s[pos + 1] == L'x' || s[pos + 1] == L'X')) {
    base = 16;
    pos += 2;
  }
  std::uint64_t value = 0;
  bool any = false;
  for (; pos < s.size(); ++pos) {
    wchar_t c = s[pos];
    int digit;
    if (c >= L'0' && c <= L'9') {
      digit = c - L'0';
    } else if (base == 16 && c >= L'a' && c <= L'f') {
      digit = c - L'a' + 10;
    } else if (base == 16 && c >= L'A' && c <= L'F') {
      digit = c - L'A' + 10;
    } else {
      break;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    any = true;
  }
  if (!any) return 0;
  if (negative) value = 0 - value;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) {
  size_t pos = 0;
  while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
  if (pos < commandLine.size() && commandLine[pos] == L'"') {
    size_t close = commandLine.find(L'"', pos + 1);
    pos = close == std::wstring::npos ? commandLine.size() : close + 1;
  } else {
    while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
  }
  return Trim(commandLine.substr(pos));
}

Invocation ParseCommandLine(const std::wstring& commandLine) {
  Invocation result;
  result.arguments = ArgumentsOf(commandLine);
  const std::wstring& args = result.arguments;
  size_t pos = 0;
  while (pos < args.size() && (args[pos] == L'/' || args[pos] == L'-' || IsBlank(args[pos]))) ++pos;
  if (pos >= args.size()) return result;  // no switch: settings without an owner

  wchar_t letter = static_cast<wchar_t>(std::towlower(args[pos]));
  ++pos;
  switch (letter) {
    case L's':
      result.mode = Mode::kScreen;
      return result;
    case L'a':
      result.mode = Mode::kPassword;
      return result;
    case L'p':
    case L'l':  // the older name of the preview switch
      result.mode = Mode::kPreview;
      break;
    default:
      result.mode = Mode::kConfig;
      break;
  }
  if (letter != L'p' && letter != L'l' && letter != L'c') return result;
  if (pos < args.size() && args[pos] == L':') ++pos;
  result.window = ParseHandle(args, pos);
  return result;
}

}  // namespace savers

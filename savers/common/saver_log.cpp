#include "saver_log.h"

#include <windows.h>

namespace savers {
namespace {

// UTF-8 without control characters, so that one event stays one line.
std::string LogText(const std::wstring& text) {
  std::wstring clean = text;
  for (wchar_t& c : clean) {
    if (c < 0x20 || c == 0x7F) c = L'?';
  }
  if (clean.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, clean.data(), static_cast<int>(clean.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, clean.data(), static_cast<int>(clean.size()), out.data(), n,
                        nullptr, nullptr);
  }
  return out;
}

std::wstring LogPath() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(L"QV_SAVER_LOG", buffer, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return {};
  return std::wstring(buffer, n);
}

std::uint64_t NowUnixMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return UnixMsFromFileTime((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

void Append(const std::wstring& event) {
  std::wstring path = LogPath();
  if (path.empty()) return;
  std::string line = LogLine(NowUnixMs(), SaverName(), GetCurrentProcessId(), event);
  // Another saver may hold the file for its own line for a moment: retry briefly.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION) return;
    Sleep(10);
  }
}

}  // namespace

std::uint64_t UnixMsFromFileTime(std::uint64_t fileTime) {
  constexpr std::uint64_t kEpochDifference = 116444736000000000ULL;  // 1601 to 1970 in 100 ns
  if (fileTime < kEpochDifference) return 0;
  return (fileTime - kEpochDifference) / 10000;
}

std::string LogLine(std::uint64_t unixMs, const std::wstring& saverName, unsigned long pid,
                    const std::wstring& event) {
  std::string line = std::to_string(unixMs) + " " + LogText(saverName) + " pid=" + std::to_string(pid) +
                     " " + LogText(event) + "\r\n";
  return line;
}

std::wstring SaverName() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
  std::wstring path(buffer, n < MAX_PATH * 2 ? n : 0);
  size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

void LogStart(const std::wstring& arguments) { Append(L"start args=" + arguments); }

void LogEnd(const wchar_t* reason) { Append(std::wstring(L"end reason=") + reason); }

}  // namespace savers

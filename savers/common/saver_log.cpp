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

std::wstring Variable(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return {};
  return std::wstring(buffer, n);
}

std::wstring LogPath() { return Variable(L"QV_SAVER_LOG"); }

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

void LogFrame(const std::uint32_t* pixels, int width, int height) {
  const std::wstring folder = Variable(L"QV_SAVER_FRAMES");
  if (folder.empty() || pixels == nullptr || width <= 0 || height <= 0) return;
  const std::wstring path = folder + L"\\" + SaverName() + L"-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
  const DWORD bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + bytes;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up rows, as every reader takes them
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  for (int y = height - 1; y >= 0; --y) {
    WriteFile(out, pixels + static_cast<size_t>(y) * static_cast<size_t>(width), static_cast<DWORD>(width) * 4, &written, nullptr);
  }
  CloseHandle(out);
}

void LogStart(const std::wstring& arguments) { Append(L"start args=" + arguments); }

void LogEnd(const wchar_t* reason) { Append(std::wstring(L"end reason=") + reason); }

}  // namespace savers

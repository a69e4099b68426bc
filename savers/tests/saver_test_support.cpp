#include "saver_test_support.h"

#include <fstream>
#include <sstream>

namespace saverstest {

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring SaversFolder() {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::wstring path(buffer, n);
  path.resize(path.find_last_of(L'\\'));  // the test program's folder
  path.resize(path.find_last_of(L'\\') + 1);
  return path;
}

std::wstring ScratchFolder() {
  static int serial = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"qv_savers_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(++serial) + L"\\";
  // Process ids repeat between runs under a fresh wineserver: empty what an earlier run left.
  if (!CreateDirectoryW(folder.c_str(), nullptr)) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
  }
  return folder;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

SaverProcess::SaverProcess(const std::wstring& path, const std::wstring& arguments, const std::wstring& log) {
  SetEnvironmentVariableW(L"QV_SAVER_LOG", log.c_str());
  std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                      &info_)) {
    info_ = PROCESS_INFORMATION{};
  }
}

SaverProcess::~SaverProcess() {
  if (info_.hProcess == nullptr) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool SaverProcess::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool SaverProcess::WaitExit(DWORD ms) {
  return PumpUntil([this] { return !Running(); }, ms);
}

DWORD SaverProcess::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {
struct FindContext {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};
BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam) {
  auto* ctx = reinterpret_cast<FindContext*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t cls[128];
  GetClassNameW(window, cls, 128);
  if (pid == ctx->pid && IsWindowVisible(window) && lstrcmpW(cls, ctx->cls) == 0) {
    ctx->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND SaverProcess::WaitTopWindow(const wchar_t* cls, DWORD ms) {
  FindContext ctx{info_.dwProcessId, cls, nullptr};
  PumpUntil(
      [&] {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&ctx));
        return ctx.found != nullptr || !Running();
      },
      ms);
  return ctx.found;
}

std::vector<LogEntry> ReadLog(const std::wstring& path) {
  std::vector<LogEntry> entries;
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    LogEntry e;
    std::istringstream fields(line);
    std::string pid;
    if (!(fields >> e.ms >> e.name >> pid) || pid.rfind("pid=", 0) != 0 ||
        !std::getline(fields >> std::ws, e.event)) {
      e = LogEntry{};
      e.event = "BAD LINE: " + line;
    } else {
      e.pid = std::stoul(pid.substr(4));
    }
    entries.push_back(e);
  }
  return entries;
}

std::vector<std::string> Events(const std::vector<LogEntry>& entries) {
  std::vector<std::string> out;
  for (const LogEntry& e : entries) out.push_back(e.name + " " + e.event);
  return out;
}

}  // namespace saverstest

// qvprobe, the whole desktop: monitors, processes and top-level windows.
#include "qvprobe.h"

#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace probe {
namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& b = info.rcMonitor;
  const RECT& w = info.rcWork;
  std::printf("monitor %ld %ld %ld %ld work %ld %ld %ld %ld%s\n", b.left, b.top, b.right, b.bottom, w.left, w.top, w.right,
              w.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? " primary" : "");
  return TRUE;
}

// Every running process: its id and executable name.
std::vector<std::pair<DWORD, std::string>> Processes() {
  std::vector<std::pair<DWORD, std::string>> all;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return all;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    all.emplace_back(entry.th32ProcessID, Utf8(entry.szExeFile));
  }
  CloseHandle(snapshot);
  return all;
}

BOOL CALLBACK PrintShown(HWND w, LPARAM) {
  if (IsWindowVisible(w)) std::printf("%s\n", Utf8(ClassOf(w)).c_str());
  return TRUE;
}

// The executable name of a process, empty when it is gone.
std::string ExeOf(DWORD pid) {
  for (const auto& process : Processes()) {
    if (process.first == pid) return process.second;
  }
  return {};
}

struct EveryContext {
  std::wstring cls;
  int count = 0;
};

BOOL CALLBACK PrintDirectChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(child, &pid);
  std::printf("child %s %s\n", Utf8(ClassOf(child)).c_str(), ExeOf(pid).c_str());
  return TRUE;
}

BOOL CALLBACK PrintOfClass(HWND w, LPARAM param) {
  auto* ctx = reinterpret_cast<EveryContext*>(param);
  if (_wcsicmp(ClassOf(w).c_str(), ctx->cls.c_str()) != 0) return TRUE;
  ++ctx->count;
  RECT r{};
  GetWindowRect(w, &r);
  std::printf("window %lu %s %ld %ld %ld %ld\n", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(w)),
              IsWindowVisible(w) ? "shown" : "hidden", r.left, r.top, r.right, r.bottom);
  EnumChildWindows(w, PrintDirectChild, reinterpret_cast<LPARAM>(w));
  return TRUE;
}

}  // namespace

int PrintMonitors() {
  EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
  std::printf("virtual %d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  HDC screen = GetDC(nullptr);
  std::printf("dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return 0;
}

int PrintProcesses() {
  const auto all = Processes();
  for (const auto& process : all) std::printf("%s\n", process.second.c_str());
  return all.empty() ? 1 : 0;
}

int PrintShownWindows() { return EnumWindows(PrintShown, 0) ? 0 : 1; }

int PrintEvery(const std::wstring& cls) {
  EveryContext ctx{cls};
  EnumWindows(PrintOfClass, reinterpret_cast<LPARAM>(&ctx));
  return ctx.count > 0 ? 0 : 1;
}

}  // namespace probe

// preview_host: plays the part of the screen-saver dialog for the preview scenario. It opens a
// window with a 152 × 112 preview area, starts the screen-saver copy with "/p <area handle>",
// reports what the preview window inside the area looks like, keeps everything on the screen for
// a while (the scenario takes its screenshot then), starts a second "/p" on the same area, destroys
// its window, reports whether the screen-saver process ended with it, and finally starts a "/p"
// with the area's handle, which by then names no window.
//
//   preview_host SCR-PATH HOLD-MS
// Output, one fact per line: "area H", "window W H", "position X Y", "style child=C popup=P",
// "panel W H", "visible-top-level N", "ready", then the second start's "second ended N" (exit
// code) or "second still-running", "second titles N" (most title windows seen in the area
// meanwhile) and "second windows N" (most visible top-level windows of that process), then "ended
// N" or "still-running" for the first process, and the same three facts of the "dead" start.
// Exit code 0 when the process ended with the window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "support/win32/arguments.h"

namespace {

constexpr int kAreaWidth = 152;
constexpr int kAreaHeight = 112;

void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (static_cast<LONG>(until - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

BOOL CALLBACK FirstChild(HWND child, LPARAM out) {
  *reinterpret_cast<HWND*>(out) = child;
  return FALSE;
}

struct Visible {
  DWORD process;
  int count;
};

BOOL CALLBACK CountVisible(HWND w, LPARAM param) {
  auto* v = reinterpret_cast<Visible*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == v->process && IsWindowVisible(w)) ++v->count;
  return TRUE;
}

int CountTitles(HWND area) {
  int n = 0;
  for (HWND w = FindWindowExW(area, nullptr, L"TQUOVEL32TITLE", nullptr); w != nullptr;
       w = FindWindowExW(area, w, L"TQUOVEL32TITLE", nullptr)) {
    ++n;
  }
  return n;
}

// Starts "SCR /p HANDLE" and waits at most 20 s for it to end, watching the title windows in the
// area and the new process's visible top-level windows (a message box, say) meanwhile.
void StartAndWatch(const char* what, const std::wstring& scr, HWND area) {
  std::wstring command = L"\"" + scr + L"\" /p " + std::to_wstring(reinterpret_cast<uintptr_t>(area));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("%s cannot-start %lu\n", what, GetLastError());
    return;
  }
  CloseHandle(pi.hThread);
  int titles = 0;
  int windows = 0;
  DWORD waited = WAIT_TIMEOUT;
  for (int i = 0; i < 400 && waited == WAIT_TIMEOUT; ++i) {
    Pump(50);
    titles = std::max(titles, CountTitles(area));
    Visible visible{pi.dwProcessId, 0};
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
    windows = std::max(windows, visible.count);
    waited = WaitForSingleObject(pi.hProcess, 0);
  }
  if (waited == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("%s ended %lu\n", what, code);
  } else {
    std::printf("%s still-running\n", what);
    TerminateProcess(pi.hProcess, 1);
  }
  std::printf("%s titles %d\n%s windows %d\n", what, titles, what, windows);
  std::fflush(stdout);
  CloseHandle(pi.hProcess);
}

// The host and its area clip their children, so that their own painting never covers the
// preview, which another process paints.
HWND MakeWindows(HWND& area) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  wc.lpszClassName = L"QvPreviewHost";
  RegisterClassW(&wc);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"QvPreviewArea";
  RegisterClassW(&wc);
  HWND host = CreateWindowW(L"QvPreviewHost", L"preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 200, 150, 340, 280,
                            nullptr, nullptr, wc.hInstance, nullptr);
  area = CreateWindowW(L"QvPreviewArea", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 84, 64, kAreaWidth, kAreaHeight, host, nullptr,
                       wc.hInstance, nullptr);
  return host;
}

}  // namespace

int main() {
  std::vector<std::wstring> args = testsupport::WideArguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: preview_host SCR-PATH HOLD-MS\n");
    return 2;
  }
  const DWORD hold = static_cast<DWORD>(std::wcstoul(args[2].c_str(), nullptr, 10));
  HWND area = nullptr;
  HWND host = MakeWindows(area);
  Pump(300);
  std::printf("area %lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(area)));

  std::wstring command = L"\"" + args[1] + L"\" /p " + std::to_wstring(reinterpret_cast<uintptr_t>(area));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("cannot start (%lu)\n", GetLastError());
    return 1;
  }
  CloseHandle(pi.hThread);

  HWND preview = nullptr;
  for (int i = 0; i < 400 && preview == nullptr; ++i) {
    Pump(50);
    HWND found = FindWindowExW(area, nullptr, L"TQUOVEL32TITLE", nullptr);
    if (found != nullptr && IsWindowVisible(found)) preview = found;
  }
  if (preview == nullptr) {
    std::printf("no preview window\n");
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }
  Pump(1000);

  RECT r;
  GetWindowRect(preview, &r);
  std::printf("window %ld %ld\n", r.right - r.left, r.bottom - r.top);
  POINT at{r.left, r.top};
  ScreenToClient(area, &at);
  std::printf("position %ld %ld\n", at.x, at.y);
  const LONG style = GetWindowLongW(preview, GWL_STYLE);
  std::printf("style child=%d popup=%d\n", (style & WS_CHILD) != 0, (style & static_cast<LONG>(WS_POPUP)) != 0);
  HWND panel = nullptr;
  EnumChildWindows(preview, FirstChild, reinterpret_cast<LPARAM>(&panel));
  RECT pr{};
  if (panel != nullptr) GetWindowRect(panel, &pr);
  std::printf("panel %ld %ld\n", pr.right - pr.left, pr.bottom - pr.top);
  Visible visible{pi.dwProcessId, 0};
  EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
  std::printf("visible-top-level %d\n", visible.count);
  std::printf("ready\n");
  std::fflush(stdout);

  Pump(hold);
  StartAndWatch("second", args[1], area);
  DestroyWindow(host);
  DWORD waited = WAIT_TIMEOUT;
  for (int i = 0; i < 300 && waited == WAIT_TIMEOUT; ++i) {
    Pump(50);
    waited = WaitForSingleObject(pi.hProcess, 0);
  }
  int rc = 0;
  if (waited == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("ended %lu\n", code);
  } else {
    std::printf("still-running\n");
    TerminateProcess(pi.hProcess, 1);
    rc = 1;
  }
  CloseHandle(pi.hProcess);
  StartAndWatch("dead", args[1], area);
  return rc;
}

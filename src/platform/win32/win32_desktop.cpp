#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

HWND WindowOf(WindowId window) { return reinterpret_cast<HWND>(window); }

// A broadcast must not hang on a window that stopped answering (a crashed saver, say).
constexpr UINT kBroadcastTimeoutMs = 5000;

UINT PersistFlags(bool persist) { return persist ? SPIF_UPDATEINIFILE | SPIF_SENDCHANGE : 0; }

OsResult Check(BOOL ok) { return ok ? OsResult::Ok() : OsResult::FromCode(GetLastError()); }

// A search for the first window of a class; class names compare case-insensitively.
struct ClassSearch {
  std::wstring className;
  HWND found = nullptr;
};

bool HasClass(HWND window, const std::wstring& className) {
  wchar_t buffer[257];
  int n = GetClassNameW(window, buffer, 257);
  return n > 0 && lstrcmpiW(buffer, className.c_str()) == 0;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  if (!HasClass(window, search->className)) return TRUE;
  search->found = window;
  return FALSE;
}

// EnumChildWindows walks every descendant, not only the direct children.
BOOL CALLBACK MatchTopLevelOrDescendant(HWND window, LPARAM param) {
  if (!MatchWindow(window, param)) return FALSE;
  EnumChildWindows(window, MatchWindow, param);
  return reinterpret_cast<ClassSearch*>(param)->found == nullptr;
}

}  // namespace

std::optional<WindowId> Win32Desktop::FindWindowByClass(const std::string& className) {
  HWND hwnd = FindWindowW(WidePath(className).c_str(), nullptr);
  if (hwnd == nullptr) return std::nullopt;
  return reinterpret_cast<WindowId>(hwnd);
}

std::optional<WindowId> Win32Desktop::FindWindowOrChildByClass(const std::string& className) {
  if (std::optional<WindowId> topLevel = FindWindowByClass(className)) return topLevel;
  ClassSearch search{WidePath(className)};
  EnumWindows(MatchTopLevelOrDescendant, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return std::nullopt;
  return reinterpret_cast<WindowId>(search.found);
}

std::optional<Rect> Win32Desktop::WindowRect(WindowId window) {
  RECT r;
  if (window == 0 || !GetWindowRect(WindowOf(window), &r)) return std::nullopt;
  return Rect{r.left, r.top, r.right, r.bottom};
}

WindowId Win32Desktop::WindowAt(Point point) {
  // WindowFromPoint finds the deepest child; the top-level window holding it is what counts.
  HWND w = WindowFromPoint(POINT{point.x, point.y});
  if (w == nullptr) return 0;
  HWND root = GetAncestor(w, GA_ROOT);
  return reinterpret_cast<WindowId>(root != nullptr ? root : w);
}

std::string Win32Desktop::WindowTitle(WindowId window) {
  wchar_t buffer[100];
  int n = window == 0 ? 0 : GetWindowTextW(WindowOf(window), buffer, 100);
  return n > 0 ? NarrowShown(buffer, n) : std::string();
}

intptr_t Win32Desktop::Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (window == 0) return 0;
  return SendMessageW(WindowOf(window), message, wParam, lParam);
}

bool Win32Desktop::Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return window != 0 && PostMessageW(WindowOf(window), message, wParam, lParam);
}

void Win32Desktop::Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, message, wParam, lParam, SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &result);
}

uint16_t Win32Desktop::AddGlobalAtom(const std::string& name) {
  if (name.empty()) return 0;
  return GlobalAddAtomW(WidePath(name).c_str());
}

std::optional<std::string> Win32Desktop::GlobalAtomName(uint16_t atom) {
  wchar_t buffer[256 + 1] = {};
  UINT n = GlobalGetAtomNameW(atom, buffer, 256 + 1);
  if (n == 0) return std::nullopt;
  return Narrow(buffer, static_cast<int>(n));
}

void Win32Desktop::DeleteGlobalAtom(uint16_t atom) { GlobalDeleteAtom(atom); }

void Win32Desktop::Beep(uint32_t type) { MessageBeep(type); }

std::optional<Point> Win32Desktop::CursorPos() {
  POINT p;
  if (!GetCursorPos(&p)) return std::nullopt;
  return Point{p.x, p.y};
}

void Win32Desktop::MoveCursor(Point position) { ::SetCursorPos(position.x, position.y); }

uint32_t Win32Desktop::LastInputTick() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof(info);
  return GetLastInputInfo(&info) ? info.dwTime : 0;
}

void Win32Desktop::PressKey(uint8_t virtualKey) {
  keybd_event(virtualKey, 0, 0, 0);
  keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
}

std::optional<bool> Win32Desktop::ScreenSaverActive() {
  BOOL active = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return std::nullopt;
  return active != FALSE;
}

OsResult Win32Desktop::SetScreenSaverActive(bool active, bool persist) {
  return Check(SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, PersistFlags(persist)));
}

std::optional<int> Win32Desktop::ScreenSaverTimeout() {
  int seconds = 0;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0)) return std::nullopt;
  return seconds;
}

OsResult Win32Desktop::SetScreenSaverTimeout(int seconds, bool persist) {
  if (seconds <= 0) return OsResult::FromCode(code::kInvalidParameter);
  return Check(SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(seconds), nullptr,
                                     PersistFlags(persist)));
}

namespace {

// A folder the system names through one of its Get...DirectoryW calls.
std::string SystemNamedFolder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT n = get(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  return NarrowPath(std::wstring(buffer, n)).value_or(std::string());
}

}  // namespace

std::string Win32Desktop::WindowsFolder() { return SystemNamedFolder(GetWindowsDirectoryW); }
std::string Win32Desktop::SystemFolder() { return SystemNamedFolder(GetSystemDirectoryW); }

Point Win32Desktop::ScreenSize() { return Point{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Rect Win32Desktop::WorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    Point size = ScreenSize();
    return Rect{0, 0, size.x, size.y};
  }
  return Rect{r.left, r.top, r.right, r.bottom};
}

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<Monitor>*>(data);
  const RECT& b = info.rcMonitor;
  const RECT& w = info.rcWork;
  Monitor m{Rect{b.left, b.top, b.right, b.bottom}, Rect{w.left, w.top, w.right, w.bottom},
            (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  if (m.primary) list.insert(list.begin(), m);
  else list.push_back(m);
  return TRUE;
}
}  // namespace

std::vector<Monitor> Win32Desktop::Monitors() {
  std::vector<Monitor> list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.empty()) {
    const Point size = ScreenSize();
    list.push_back(Monitor{Rect{0, 0, size.x, size.y}, WorkArea(), true});
  }
  return list;
}

}  // namespace platform::win32

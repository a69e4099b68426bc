#include "saver_host.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "command_line.h"
#include "config_dialog.h"
#include "saver_log.h"

namespace savers {
namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMs = 30;
// The frame a preview leaves for the tests (LogFrame), well after the first ones.
constexpr int kLoggedFrame = 30;
// A real mouse move is one of more than this many pixels from where the cursor rested.
constexpr int kMoveTolerance = 8;
// The scale changed: WM_DPICHANGED to a top-level window, WM_DPICHANGED_AFTERPARENT to a child
// (Windows 10 and later).
constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The off-screen picture: every frame is drawn here and then copied to the window in one
// BitBlt, so nothing flickers.
class BackBuffer {
 public:
  BackBuffer() = default;
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer() { Release(); }

  bool Ensure(int width, int height) {
    if (dc_ != nullptr && width == width_ && height == height_) return true;
    Release();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (dc_ == nullptr || bitmap_ == nullptr || bits == nullptr) {
      Release();
      return false;
    }
    old_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
  }

  Frame frame() const { return Frame{dc_, pixels_, width_, height_}; }
  bool valid() const { return dc_ != nullptr; }
  void CopyTo(HDC target, int x, int y) const { BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY); }

 private:
  void Release() {
    if (dc_ != nullptr) {
      if (old_ != nullptr) SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    old_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = 0;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// One picture in the window: a saver of its own, drawn into a buffer of its own and shown at
// `area` (client coordinates), at the scale of its monitor.
struct Scene {
  RECT area{};
  int ppi = 0;
  std::unique_ptr<Saver> saver;
  BackBuffer buffer;
};

// The state of the one saver window of this process.
struct Session {
  const SaverInfo* info = nullptr;
  bool preview = false;
  HWND host = nullptr;
  HWND window = nullptr;
  std::vector<int> values;  // the settings every scene's saver is made with
  std::vector<std::unique_ptr<Scene>> scenes;
  int width = 0;  // of the client area
  int height = 0;
  bool ending = false;
  bool sawFirstMove = false;
  int frames = 0;
  POINT rest{};
  LARGE_INTEGER frequency{};
  LARGE_INTEGER last{};
};

// Logs how the saver ended (once) and closes its window; the message loop then ends.
void End(Session& s, const wchar_t* reason) {
  if (s.ending) return;
  s.ending = true;
  LogEnd(reason);
  if (s.window != nullptr && IsWindow(s.window)) {
    KillTimer(s.window, kFrameTimer);
    DestroyWindow(s.window);
  }
  PostQuitMessage(0);
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

// The scale of a window or a monitor. The functions that tell it came with Windows 8.1 and 10
// (and Wine 8 lacks some), so they are looked up at run time; without them the system's scale
// is the one every window has.
int SystemPpi() {
  HDC screen = GetDC(nullptr);
  const int ppi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return ppi > 0 ? ppi : kDesignPpi;
}

int WindowPpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT ppi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return ppi > 0 ? static_cast<int>(ppi) : SystemPpi();
}

int MonitorPpi(HMONITOR monitor, HWND window) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = [] {
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor"))) : nullptr;
  }();
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose for the monitor
  if (getDpiForMonitor != nullptr && getDpiForMonitor(monitor, kEffectiveDpi, &x, &y) == S_OK && y > 0) {
    return static_cast<int>(y);
  }
  return WindowPpi(window);
}

struct SceneArea {
  RECT area;
  int ppi;
};

struct MonitorList {
  HWND window;
  std::vector<SceneArea> areas;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT bounds, LPARAM list) {
  auto* monitors = reinterpret_cast<MonitorList*>(list);
  monitors->areas.push_back(SceneArea{*bounds, MonitorPpi(monitor, monitors->window)});
  return TRUE;
}

// Where the scenes go: full screen on every monitor, the monitors' rectangles in the window
// (never one scene stretched over the gap between two monitors), each at its monitor's scale;
// otherwise the client area at the window's scale.
std::vector<SceneArea> SceneAreas(const Session& s) {
  MonitorList monitors{s.window, {}};
  if (!s.preview && s.info->everyMonitor) {
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    POINT origin{0, 0};
    ClientToScreen(s.window, &origin);
    for (SceneArea& scene : monitors.areas) OffsetRect(&scene.area, -origin.x, -origin.y);
  }
  if (monitors.areas.empty()) monitors.areas.push_back(SceneArea{RECT{0, 0, s.width, s.height}, WindowPpi(s.window)});
  return monitors.areas;
}

// The scenes for a client area of this size: made when missing, told their new size or scale.
void Resize(Session& s, int width, int height) {
  if (width <= 0 || height <= 0) return;
  s.width = width;
  s.height = height;
  const std::vector<SceneArea> areas = SceneAreas(s);
  s.scenes.resize(areas.size());
  for (size_t i = 0; i < areas.size(); ++i) {
    std::unique_ptr<Scene>& scene = s.scenes[i];
    if (!scene) {
      scene = std::make_unique<Scene>();
      scene->saver = s.info->create(s.values, s.preview);
    }
    const RECT before = scene->area;
    const int ppiBefore = scene->ppi;
    scene->area = areas[i].area;
    scene->ppi = areas[i].ppi;
    const int w = WidthOf(scene->area), h = HeightOf(scene->area);
    if (w > 0 && h > 0 && (w != WidthOf(before) || h != HeightOf(before) || scene->ppi != ppiBefore)) {
      scene->saver->Resize(w, h, SceneUnit(h, scene->ppi));
    }
  }
}

void Render(Session& s) {
  HDC dc = nullptr;
  for (const std::unique_ptr<Scene>& scene : s.scenes) {
    if (!scene->buffer.Ensure(WidthOf(scene->area), HeightOf(scene->area))) continue;
    scene->saver->Draw(scene->buffer.frame());
    GdiFlush();
    if (dc == nullptr) dc = GetDC(s.window);
    scene->buffer.CopyTo(dc, scene->area.left, scene->area.top);
  }
  if (dc != nullptr) ReleaseDC(s.window, dc);
}

// The scenes drawn so far, and black where there is none (between monitors of unequal sizes).
void Paint(Session& s, HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  for (const std::unique_ptr<Scene>& scene : s.scenes) {
    if (!scene->buffer.valid()) continue;
    scene->buffer.CopyTo(dc, scene->area.left, scene->area.top);
    ExcludeClipRect(dc, scene->area.left, scene->area.top, scene->area.right, scene->area.bottom);
  }
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(window, &ps);
}

void Tick(Session& s) {
  if (s.preview) {
    // The host may live in another process; when it goes, so does the preview.
    if (!IsWindow(s.host)) {
      End(s, L"host-gone");
      return;
    }
    RECT rc;
    GetClientRect(s.host, &rc);
    if (rc.right != s.width || rc.bottom != s.height) {
      MoveWindow(s.window, 0, 0, rc.right, rc.bottom, FALSE);
    }
  }
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  double seconds = static_cast<double>(now.QuadPart - s.last.QuadPart) / static_cast<double>(s.frequency.QuadPart);
  s.last = now;
  if (seconds < 0) seconds = 0;
  if (seconds > 0.1) seconds = 0.1;
  for (const std::unique_ptr<Scene>& scene : s.scenes) scene->saver->Advance(seconds);
  Render(s);
  if (s.preview && ++s.frames == kLoggedFrame && !s.scenes.empty() && s.scenes[0]->buffer.valid()) {
    const Frame f = s.scenes[0]->buffer.frame();
    LogFrame(f.pixels, f.width, f.height);
  }
}

// Wine (and Windows) send a WM_MOUSEMOVE when the window appears, and pointers jitter: only a
// move of more than a few pixels from where the cursor rested counts, and the very first
// message merely tells where that is.
void MouseMoved(Session& s, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(s.window, &p);
  if (!s.sawFirstMove) {
    s.sawFirstMove = true;
    s.rest = p;
    return;
  }
  if (std::abs(p.x - s.rest.x) > kMoveTolerance || std::abs(p.y - s.rest.y) > kMoveTolerance) {
    End(s, L"mouse-move");
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    s = static_cast<Session*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    s->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
  }
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const bool screen = !s->preview;
  if (screen && s->info->deaf) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_XBUTTONDOWN:
      case WM_MOUSEMOVE:
      case WM_CLOSE:
        return 0;
    }
  }

  switch (message) {
    case WM_SIZE:
      Resize(*s, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case kDpiChanged:
    case kDpiChangedAfterParent:
      // The window keeps its place (the whole screen, or the host's client area); its scenes
      // draw again at their monitors' new scale.
      Resize(*s, s->width, s->height);
      return 0;
    case WM_TIMER:
      if (wParam == kFrameTimer) Tick(*s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(*s, window);
      return 0;
    case WM_SETCURSOR:
      if (screen) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (screen) {
        // Escape is told apart: it is what a player sends to all windows to end a saver it has
        // left running, where a timed end presses Shift.
        End(*s, wParam == VK_ESCAPE ? L"escape" : L"key");
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      if (screen) {
        End(*s, L"mouse-button");
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (screen) MouseMoved(*s, lParam);
      return 0;
    case WM_SYSCOMMAND:
      // A running saver does not start another one.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_CLOSE:
      End(*s, L"close");
      return 0;
    case WM_DESTROY:
      // Not destroyed by End: the host window took its children with it.
      if (!s->ending) {
        s->ending = true;
        LogEnd(s->preview ? L"host-gone" : L"close");
      }
      KillTimer(window, kFrameTimer);
      s->window = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterSaverClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow (IDC_ARROW)
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kSaverWindowClass;
  return RegisterClassExW(&wc) != 0;
}

int MessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

std::wstring Description() {
  const wchar_t* text = nullptr;
  int n = LoadStringW(GetModuleHandleW(nullptr), 1, reinterpret_cast<wchar_t*>(&text), 0);
  return n > 0 && text != nullptr ? std::wstring(text, static_cast<size_t>(n)) : SaverName();
}

int RunWindow(const SaverInfo& info, bool preview, HWND host) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Session s;
  s.info = &info;
  s.preview = preview;
  s.host = host;
  s.values = LoadSettings(info.settingsName, info.settings);
  QueryPerformanceFrequency(&s.frequency);
  QueryPerformanceCounter(&s.last);
  GetCursorPos(&s.rest);
  if (!RegisterSaverClass(instance)) return 1;

  HWND window;
  if (preview) {
    RECT rc;
    GetClientRect(host, &rc);
    window = CreateWindowExW(0, kSaverWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                             rc.right, rc.bottom, host, nullptr, instance, &s);
  } else {
    RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (info.everyMonitor) {
      all.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
      all.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
      all.right = all.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
      all.bottom = all.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    window = CreateWindowExW(WS_EX_TOPMOST, kSaverWindowClass, Description().c_str(), WS_POPUP, all.left, all.top,
                             WidthOf(all), HeightOf(all), nullptr, nullptr, instance, &s);
  }
  if (window == nullptr) {
    End(s, preview ? L"host-gone" : L"close");
    return 1;
  }
  RECT client;
  GetClientRect(window, &client);
  Resize(s, client.right, client.bottom);
  if (!preview) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    ShowCursor(FALSE);
  }
  Render(s);
  SetTimer(window, kFrameTimer, kFrameMs, nullptr);
  MessageLoop();
  if (!preview) ShowCursor(TRUE);
  return 0;
}

// The second copy of a deaf saver: marked so that it starts no copy of its own, and unlogged.
void StartDeafCopy() {
  if (GetEnvironmentVariableW(L"QV_DEAF_COPY", nullptr, 0) != 0) return;
  SetEnvironmentVariableW(L"QV_DEAF_COPY", L"1");
  SetEnvironmentVariableW(L"QV_SAVER_LOG", nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(path) + L"\" /s";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
}

int RunConfig(const SaverInfo& info, HWND owner) {
  std::vector<int> values = LoadSettings(info.settingsName, info.settings);
  if (RunConfigDialog(owner, Description() + L" の設定", info.settings, values)) {
    SaveSettings(info.settingsName, info.settings, values);
    LogEnd(L"config-ok");
  } else {
    LogEnd(L"config-cancel");
  }
  return 0;
}

}  // namespace

double SceneUnit(int height, int ppi) {
  return std::min(static_cast<double>(ppi) / kDesignPpi, static_cast<double>(height) / kFullSceneHeight);
}

std::uint32_t SceneSeed() {
  static std::uint32_t scenes = 0;
  return GetTickCount() ^ (GetCurrentProcessId() << 16) ^ (++scenes * 0x9E3779B9u);
}

int RunSaver(const SaverInfo& info) {
  Invocation inv = ParseCommandLine(GetCommandLineW());
  LogStart(inv.arguments);
  HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(inv.window));
  switch (inv.mode) {
    case Mode::kPassword:
      return 0;
    case Mode::kScreen:
      if (info.deaf) StartDeafCopy();
      return RunWindow(info, false, nullptr);
    case Mode::kPreview:
      if (info.previewFullScreen) return RunWindow(info, false, nullptr);
      if (handle == nullptr || !IsWindow(handle)) {
        LogEnd(L"host-gone");
        return 1;
      }
      return RunWindow(info, true, handle);
    case Mode::kConfig:
      break;
  }
  return RunConfig(info, handle != nullptr && IsWindow(handle) ? handle : nullptr);
}

}  // namespace savers

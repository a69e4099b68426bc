#include "gui/win32/win32_dpi.h"

#include "gui/dpi.h"

namespace gui::win32 {
namespace {

template <class F>
F User32(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetThreadDpiHostingBehaviorFn = int(WINAPI*)(int);

constexpr int kEffectiveDpi = 0;       // MDT_EFFECTIVE_DPI
constexpr int kMixedHosting = 1;       // DPI_HOSTING_BEHAVIOR_MIXED
constexpr int kInvalidHosting = -1;    // DPI_HOSTING_BEHAVIOR_INVALID

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kPixelsPerInch;
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpiAt(const RECT& r) {
  // shcore is no known library: it is loaded from the system folder only.
  static const auto getDpiForMonitor = [] {
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                             : nullptr;
  }();
  UINT x = 0, y = 0;
  if (getDpiForMonitor != nullptr && getDpiForMonitor(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y) == S_OK &&
      y > 0) {
    return static_cast<int>(y);
  }
  return SystemDpi();
}

void AdjustForDpi(RECT& rc, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi == nullptr || !adjustForDpi(&rc, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&rc, style, menu ? TRUE : FALSE, exStyle);
  }
}

MixedHosting::MixedHosting(bool on) {
  static const auto setHosting = User32<SetThreadDpiHostingBehaviorFn>("SetThreadDpiHostingBehavior");
  if (!on || setHosting == nullptr) return;
  previous_ = setHosting(kMixedHosting);
  set_ = previous_ != kInvalidHosting;
}

MixedHosting::~MixedHosting() {
  if (set_) User32<SetThreadDpiHostingBehaviorFn>("SetThreadDpiHostingBehavior")(previous_);
}

}  // namespace gui::win32

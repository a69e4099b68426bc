// The scale of monitors and windows, and the functions that size a window's frame for a scale.
// They came with Windows 8.1 and 10 (Wine 8 lacks some), so they are looked up at run time; on a
// system without them every window has the system's scale.
#pragma once
#include <windows.h>

namespace gui::win32 {

// WM_DPICHANGED to a top-level window, WM_DPICHANGED_AFTERPARENT to a child (Windows 10).
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

int SystemDpi();
int WindowDpi(HWND window);
// The scale the user chose for the monitor that holds most of `r` (screen coordinates).
int MonitorDpiAt(const RECT& r);
// AdjustWindowRectEx at `dpi`.
void AdjustForDpi(RECT& rc, DWORD style, bool menu, DWORD exStyle, int dpi);

// While it lives, windows the thread creates may hold windows of programs that know nothing of
// scales beside ours (mixed hosting); a no-op where Windows has no such thing or `on` is false.
class MixedHosting {
 public:
  explicit MixedHosting(bool on);
  ~MixedHosting();
  MixedHosting(const MixedHosting&) = delete;
  MixedHosting& operator=(const MixedHosting&) = delete;

 private:
  bool set_ = false;
  int previous_ = 0;
};

}  // namespace gui::win32

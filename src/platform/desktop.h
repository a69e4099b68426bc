// The desktop the program lives on: windows of other instances found by class, messages to them,
// global atoms, beeps, the cursor, injected key presses, Windows' screen-saver settings, the
// Windows folder and the screen's geometry.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/os_result.h"

namespace platform {

// A window handle as a number; 0 is no window.
using WindowId = uintptr_t;

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// One display of the desktop, in screen coordinates (the primary one has its top-left corner at
// 0, 0; others may lie at negative coordinates).
struct Monitor {
  Rect bounds;
  Rect workArea;  // without the taskbar and other docked bars
  bool primary = false;
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The monitor a window of rectangle `window` belongs to, as Windows decides it: the one it
// overlaps most, else the one nearest to it; ties go to the earlier monitor. `monitors` must not
// be empty.
const Monitor& MonitorOf(const std::vector<Monitor>& monitors, const Rect& window);

// Message numbers and key codes the program sends.
namespace msg {
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kUser = 0x0400;
}  // namespace msg
namespace vk {
constexpr uint8_t kShift = 0x10;
constexpr uint8_t kEscape = 0x1B;
}  // namespace vk
namespace beep {
constexpr uint32_t kDefault = 0;
constexpr uint32_t kExclamation = 0x30;
constexpr uint32_t kAsterisk = 0x40;
}  // namespace beep

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The first top-level window of the class (any title, visible or not).
  virtual std::optional<WindowId> FindWindowByClass(const std::string& className) = 0;
  // The first window of the class among the top-level windows and all their descendants, so a
  // window that lives inside another program's window (a preview) is found too.
  virtual std::optional<WindowId> FindWindowOrChildByClass(const std::string& className) = 0;
  // In screen coordinates; nullopt for a window that does not exist.
  virtual std::optional<Rect> WindowRect(WindowId window) = 0;
  // The top-level window under a screen point; 0 when there is none.
  virtual WindowId WindowAt(Point point) = 0;
  // A window's title, at most 99 characters; empty for a window without one or that is gone.
  virtual std::string WindowTitle(WindowId window) = 0;
  // Waits until the window has handled the message; 0 when it does not exist.
  virtual intptr_t Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Sends the message to every top-level window (HWND_BROADCAST).
  virtual void Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

  // Global atoms: names compare case-insensitively, adding an existing name returns its atom and
  // counts a reference. 0 when the name cannot be an atom (empty or longer than 255 characters).
  virtual uint16_t AddGlobalAtom(const std::string& name) = 0;
  virtual std::optional<std::string> GlobalAtomName(uint16_t atom) = 0;
  virtual void DeleteGlobalAtom(uint16_t atom) = 0;

  virtual void Beep(uint32_t type) = 0;  // MessageBeep
  virtual std::optional<Point> CursorPos() = 0;
  virtual void MoveCursor(Point position) = 0;
  // When the user last gave input (a key, a button, a cursor move), in milliseconds of Windows'
  // tick count; only a change means anything.
  virtual uint32_t LastInputTick() = 0;
  // A key pressed and released as if typed (keybd_event down, then up); it goes to whatever
  // window has the keyboard focus.
  virtual void PressKey(uint8_t virtualKey) = 0;

  // Windows' own screen saver (SystemParametersInfo). The setters store the value in the user's
  // profile and tell all windows when `persist` is set, else they change the running session only.
  virtual std::optional<bool> ScreenSaverActive() = 0;
  virtual OsResult SetScreenSaverActive(bool active, bool persist) = 0;
  virtual std::optional<int> ScreenSaverTimeout() = 0;  // seconds
  virtual OsResult SetScreenSaverTimeout(int seconds, bool persist) = 0;

  // GetWindowsDirectory as Windows gives it (no "\" added).
  virtual std::string WindowsFolder() = 0;
  // GetSystemDirectory likewise: the folder of the system's own libraries (for a 32-bit program on
  // a 64-bit system, the one of its 32-bit libraries).
  virtual std::string SystemFolder() = 0;
  virtual Point ScreenSize() = 0;  // primary screen, x = width, y = height
  virtual Rect WorkArea() = 0;     // primary screen without the taskbar
  // Every monitor, the primary one first; never empty.
  virtual std::vector<Monitor> Monitors() = 0;
};

}  // namespace platform

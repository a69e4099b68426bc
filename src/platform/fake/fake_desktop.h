// A simulated desktop: windows registered by tests under a class name with an optional message
// handler, top-level or as the child of another window, global atoms with Windows' reference counting and integer atoms, and a record of
// every message, beep, key press and cursor move. User input (a key, a cursor move, a broadcast
// key-down) is reported through OnUserInput, which the fake platform passes to the processes.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform::fake {

class FakeDesktop : public Desktop {
 public:
  using Handler = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
  struct Message {
    WindowId window;  // 0xFFFF for a broadcast
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    bool posted;
  };
  static constexpr WindowId kBroadcast = 0xFFFF;

  WindowId AddWindow(const std::string& className, Rect rect = {}, Handler handler = {});
  // A window inside `parent`; like on Windows, FindWindowByClass does not see it.
  WindowId AddChildWindow(WindowId parent, const std::string& className, Rect rect = {}, Handler handler = {});
  // Removes the window and, as DestroyWindow does, every window inside it.
  void RemoveWindow(WindowId window);
  void SetWindowTitle(WindowId window, const std::string& title);
  void SetWindowsFolder(const std::string& folder) { windowsFolder_ = folder; }
  // One monitor of this size and work area.
  void SetScreen(Point size, Rect workArea) {
    screen_ = size;
    workArea_ = workArea;
    monitors_.clear();
  }
  // Several monitors, the primary one first; the screen size and work area become the primary's.
  void SetMonitors(std::vector<Monitor> monitors);
  // Number of live global atoms (leak checks).
  size_t AtomCount() const { return atoms_.size(); }

  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<uint32_t>& Beeps() const { return beeps_; }
  const std::vector<uint8_t>& KeysPressed() const { return keys_; }
  const std::vector<Point>& CursorMoves() const { return cursorMoves_; }
  // Whether the last screen-saver change was stored in the profile.
  bool ScreenSaverPersisted() const { return persisted_; }

  std::function<void()> OnUserInput;

  std::optional<WindowId> FindWindowByClass(const std::string& className) override;
  std::optional<WindowId> FindWindowOrChildByClass(const std::string& className) override;
  std::optional<Rect> WindowRect(WindowId window) override;
  // The most recently added top-level window whose rectangle holds the point.
  WindowId WindowAt(Point point) override;
  std::string WindowTitle(WindowId window) override;
  intptr_t Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  uint16_t AddGlobalAtom(const std::string& name) override;
  std::optional<std::string> GlobalAtomName(uint16_t atom) override;
  void DeleteGlobalAtom(uint16_t atom) override;
  void Beep(uint32_t type) override { beeps_.push_back(type); }
  std::optional<Point> CursorPos() override { return cursor_; }
  void MoveCursor(Point position) override;
  uint32_t LastInputTick() override { return lastInput_; }
  void PressKey(uint8_t virtualKey) override;
  std::optional<bool> ScreenSaverActive() override { return screenSaverActive_; }
  OsResult SetScreenSaverActive(bool active, bool persist) override;
  std::optional<int> ScreenSaverTimeout() override { return screenSaverTimeout_; }
  OsResult SetScreenSaverTimeout(int seconds, bool persist) override;
  std::string WindowsFolder() override { return windowsFolder_; }
  std::string SystemFolder() override { return windowsFolder_ + "\\SYSTEM32"; }
  Point ScreenSize() override { return screen_; }
  Rect WorkArea() override { return workArea_; }
  std::vector<Monitor> Monitors() override;

 private:
  struct Window {
    WindowId id;
    std::string className;
    Rect rect;
    Handler handler;
    std::string title;
    WindowId parent;  // 0 for a top-level window
  };
  struct Atom {
    std::string name;
    int references;
  };
  void UserInput();

  std::vector<Window> windows_;
  WindowId nextWindow_ = 0x10010;
  std::map<uint16_t, Atom> atoms_;
  uint16_t nextAtom_ = 0xC000;
  std::vector<Message> messages_;
  std::vector<uint32_t> beeps_;
  std::vector<uint8_t> keys_;
  std::vector<Point> cursorMoves_;
  Point cursor_{512, 384};
  uint32_t lastInput_ = 0;
  bool screenSaverActive_ = true;
  int screenSaverTimeout_ = 600;
  bool persisted_ = false;
  std::string windowsFolder_ = "C:\\WINDOWS";
  Point screen_{1024, 768};
  Rect workArea_{0, 0, 1024, 728};
  std::vector<Monitor> monitors_;  // empty: the one screen above
};

}  // namespace platform::fake

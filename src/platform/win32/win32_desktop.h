// Desktop on user32: window look-up and messages, global atoms, input injection and
// SystemParametersInfo.
#pragma once
#include "platform/desktop.h"

namespace platform::win32 {

class Win32Desktop : public Desktop {
 public:
  std::optional<WindowId> FindWindowByClass(const std::string& className) override;
  std::optional<WindowId> FindWindowOrChildByClass(const std::string& className) override;
  std::optional<Rect> WindowRect(WindowId window) override;
  WindowId WindowAt(Point point) override;
  std::string WindowTitle(WindowId window) override;
  intptr_t Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  uint16_t AddGlobalAtom(const std::string& name) override;
  std::optional<std::string> GlobalAtomName(uint16_t atom) override;
  void DeleteGlobalAtom(uint16_t atom) override;
  void Beep(uint32_t type) override;
  std::optional<Point> CursorPos() override;
  uint32_t LastInputTick() override;
  void MoveCursor(Point position) override;
  void PressKey(uint8_t virtualKey) override;
  std::optional<bool> ScreenSaverActive() override;
  OsResult SetScreenSaverActive(bool active, bool persist) override;
  std::optional<int> ScreenSaverTimeout() override;
  OsResult SetScreenSaverTimeout(int seconds, bool persist) override;
  std::string WindowsFolder() override;
  std::string SystemFolder() override;
  Point ScreenSize() override;
  Rect WorkArea() override;
  std::vector<Monitor> Monitors() override;
};

}  // namespace platform::win32

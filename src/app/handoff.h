// The hand-off between a second start and the running manager: the second process puts its
// command line into a global atom and sends the manager message 1025; the manager comes to the
// front and shows the text it was given.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/desktop.h"

namespace gui {
class Application;
class Form;
}  // namespace gui

namespace common {
class TMKBoxDlg;
}

namespace app {

// Hands `text` to the running manager and returns once the manager has handled it (including
// the time its message box stays open). A text too long for an atom arrives as an empty one.
void SendHandOff(platform::Desktop& desktop, const std::string& text);

// The manager's side: installs the handler of message 1025 on the manager form.
class HandOffReceiver {
 public:
  HandOffReceiver(gui::Application& app, gui::Form& manager, platform::Desktop& desktop, common::TMKBoxDlg& box);

  // The tray icon, once there is one: whether the manager sits in the notification area, and
  // how it comes back from there.
  std::function<bool()> TrayRegistered;
  std::function<void()> RestoreFromTray;

  // Brings the manager to the front (out of the tray, or restored from the taskbar).
  void BringToFront();
  std::intptr_t Receive(std::uintptr_t wParam);

 private:
  gui::Application& app_;
  gui::Form& manager_;
  platform::Desktop& desktop_;
  common::TMKBoxDlg& box_;
};

}  // namespace app

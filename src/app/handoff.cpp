#include "app/handoff.h"

#include "app/launch.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "gui/application.h"
#include "gui/form.h"

namespace app {

void SendHandOff(platform::Desktop& desktop, const std::string& text) {
  auto manager = desktop.FindWindowByClass(kManagerClass);
  if (!manager) return;
  // A text longer than an atom can hold gives atom 0: the manager then only comes to the front.
  uint16_t atom = desktop.AddGlobalAtom(text);
  desktop.Send(*manager, kHandOffMessage, atom, 0);
  if (atom != 0) desktop.DeleteGlobalAtom(atom);
}

HandOffReceiver::HandOffReceiver(gui::Application& app, gui::Form& manager, platform::Desktop& desktop,
                                 common::TMKBoxDlg& box)
    : app_(app), manager_(manager), desktop_(desktop), box_(box) {
  manager_.SetMessageHandler(kHandOffMessage, [this](std::uintptr_t wParam, std::intptr_t) { return Receive(wParam); });
}

void HandOffReceiver::BringToFront() {
  if (TrayRegistered && TrayRegistered()) {
    if (RestoreFromTray) RestoreFromTray();
    return;
  }
  if (app_.Minimized()) {
    app_.Restore();
  } else {
    // Minimising and restoring at once is what lets a background process come to the front.
    app_.Minimize();
    app_.Restore();
  }
  manager_.BringToFront();
}

std::intptr_t HandOffReceiver::Receive(std::uintptr_t wParam) {
  std::string received;
  if (wParam != 0 && wParam <= 0xFFFF) {
    received = text::LeftCut(desktop_.GlobalAtomName(static_cast<uint16_t>(wParam)).value_or(""), 257);
  }
  BringToFront();
  if (received.empty()) return 0;
  std::string message = HandOffText(received);
  if (!message.empty()) box_.MsgOKTimer(message, 1);
  return 0;
}

}  // namespace app

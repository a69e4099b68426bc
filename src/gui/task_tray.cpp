#include "gui/task_tray.h"

#include <exception>
#include <algorithm>
#include <utility>
#include <vector>

#include "gui/application.h"
#include "gui/menu.h"

namespace gui {

const char kTrayNoIconError[] = "アイコンが指定されていません";
const char kTrayIdTooSmallError[] = "0以下は指定できません";
const char kTrayIdInUseError[] = "同じアイコン識別子が有ります";

namespace {

// The identifiers in use in this process, in the order they were taken, with their icons.
std::vector<std::pair<int, TTaskTray*>>& Identifiers() {
  static std::vector<std::pair<int, TTaskTray*>> ids;
  return ids;
}

// Set while a shell callback is handled.
bool handlingCallback = false;

}  // namespace

TTaskTray::TTaskTray(Form& owner, std::string name) : Component(&owner, std::move(name)) {
  auto& ids = Identifiers();
  id_ = ids.empty() ? 1 : ids.back().first + 1;
  ids.emplace_back(id_, this);
}

TTaskTray::~TTaskTray() {
  registered_ = false;
  peer_.reset();
  auto& ids = Identifiers();
  ids.erase(std::remove_if(ids.begin(), ids.end(), [this](const auto& e) { return e.second == this; }), ids.end());
}

void TTaskTray::Changed() {
  if (peer_ == nullptr) {
    if (!registered_) return;
    peer_ = App().GetBackend().CreateTaskTrayPeer(*this);
  }
  peer_->Changed();
}

void TTaskTray::SetTipString(const std::string& tip) {
  if (tip_ == tip) return;
  tip_ = tip;
  Changed();
}

void TTaskTray::SetIcon(TrayIcon icon) {
  icon_ = std::move(icon);
  if (icon_.Empty()) registered_ = false;
  Changed();
}

void TTaskTray::SetIconID(int id) {
  if (id <= 0) throw TaskTrayError(kTrayIdTooSmallError);
  if (id == id_) return;
  auto& ids = Identifiers();
  for (const auto& e : ids) {
    if (e.first == id) throw TaskTrayError(kTrayIdInUseError);
  }
  // The shell knows the icon by its identifier: take it away under the old one first.
  const bool wasRegistered = registered_;
  if (wasRegistered) SetRegistered(false);
  for (auto& e : ids) {
    if (e.second == this) e.first = id;
  }
  id_ = id;
  if (wasRegistered) SetRegistered(true);
}

void TTaskTray::SetRegistered(bool registered) {
  if (registered && icon_.Empty()) throw TaskTrayError(kTrayNoIconError);
  if (registered_ == registered) return;
  registered_ = registered;
  Changed();
}

void TTaskTray::ShellCallback(int iconId, int mouseMessage, int x, int y) {
  if (handlingCallback) return;
  auto& ids = Identifiers();
  auto it = std::find_if(ids.begin(), ids.end(), [iconId](const auto& e) { return e.first == iconId; });
  if (it == ids.end()) return;
  handlingCallback = true;
  struct Clear {
    ~Clear() { handlingCallback = false; }
  } clear;
  // Called from the system's code: what escapes the tray's handlers goes to the last resort.
  Guarded(&it->second->App(), [&] {
    it->second->MouseMessage(mouseMessage, x, y);
    return true;
  });
}

void TTaskTray::MouseMessage(int mouseMessage, int x, int y) {
  switch (mouseMessage) {
    case kNotifyMouseMove:
      if (OnMouseMove) OnMouseMove(*this, 0, x, y);
      break;
    case kNotifyLeftDown: ButtonDown(MouseButton::Left, kLeftButton, x, y); break;
    case kNotifyRightDown: ButtonDown(MouseButton::Right, kRightButton, x, y); break;
    case kNotifyMiddleDown: ButtonDown(MouseButton::Middle, kMiddleButton, x, y); break;
    case kNotifyLeftUp:
    case kNotifyRightUp:
    case kNotifyMiddleUp: {
      const MouseButton button = mouseMessage == kNotifyLeftUp    ? MouseButton::Left
                                 : mouseMessage == kNotifyRightUp ? MouseButton::Right
                                                                  : MouseButton::Middle;
      if (OnMouseUp) OnMouseUp(*this, button, 0, x, y);
      break;
    }
    case kNotifyLeftDblClick:
      if (OnDblClick) OnDblClick(*this, MouseButton::Left);
      break;
    case kNotifyRightDblClick:
      if (OnDblClick) OnDblClick(*this, MouseButton::Right);
      break;
    default: break;
  }
}

// The backend brings the menu's owner to the foreground as it pops a menu up, so that the menu
// closes when the user clicks elsewhere; letting messages run first lets the shell finish with
// the click.
void TTaskTray::ButtonDown(MouseButton button, ShiftState shift, int x, int y) {
  App().ProcessMessages();
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  PopupMenu* menu = button == MouseButton::Left ? popupL_ : button == MouseButton::Right ? popupR_ : nullptr;
  if (menu != nullptr) menu->Popup(x, y);
}

}  // namespace gui

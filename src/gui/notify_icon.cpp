#include "gui/notify_icon.h"

#include "gui/application.h"

namespace gui {

NotifyIcon::NotifyIcon(Form& owner, std::string name) : Component(&owner, std::move(name)) {}

NotifyIcon::~NotifyIcon() {
  shown_ = false;
  Changed();
}

void NotifyIcon::Changed() {
  if (peer_ == nullptr) {
    if (!shown_) return;
    peer_ = App().GetBackend().CreateNotifyIconPeer(*this);
  }
  peer_->Changed();
}

void NotifyIcon::SetPicture(std::shared_ptr<const Bitmap> picture) {
  picture_ = std::move(picture);
  Changed();
}

void NotifyIcon::SetTip(const std::string& tip) {
  if (tip_ == tip) return;
  tip_ = tip;
  Changed();
}

void NotifyIcon::SetId(int id) {
  if (id_ == id) return;
  // The shell knows the icon by its identifier: take it away under the old one first.
  const bool wasShown = shown_;
  if (wasShown) SetShown(false);
  id_ = id;
  if (wasShown) SetShown(true);
}

void NotifyIcon::SetShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  Changed();
}

void NotifyIcon::UserMouseMessage(int mouseMessage, int x, int y) {
  if (shown_ && OnMouseMessage) OnMouseMessage(*this, mouseMessage, x, y);
}

}  // namespace gui

// An icon in the notification area of the taskbar. The component owns the state (picture,
// tip, identifier, shown or not) and hands the shell's mouse callbacks to OnMouseMessage with
// the cursor position; what a click means is the owner's business.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "gui/bitmap.h"
#include "gui/component.h"

namespace gui {

class NotifyIcon;

// The mouse messages the shell reports (the window message numbers).
constexpr int kNotifyMouseMove = 512;
constexpr int kNotifyLeftDown = 513;
constexpr int kNotifyLeftUp = 514;
constexpr int kNotifyLeftDblClick = 515;
constexpr int kNotifyRightDown = 516;
constexpr int kNotifyRightUp = 517;
constexpr int kNotifyRightDblClick = 518;
constexpr int kNotifyMiddleDown = 519;
constexpr int kNotifyMiddleUp = 520;
// The window message the shell's callbacks arrive with (the first user message + 102).
constexpr unsigned kNotifyCallbackMessage = 1024 + 102;

class NotifyIconPeer {
 public:
  virtual ~NotifyIconPeer() = default;
  // Adds, modifies or removes the icon to match the component.
  virtual void Changed() = 0;
};

using NotifyMouseEvent = std::function<void(Component& sender, int mouseMessage, int x, int y)>;

class NotifyIcon : public Component {
 public:
  NotifyIcon(Form& owner, std::string name);
  ~NotifyIcon() override;

  // The picture; null shows the program's own icon.
  std::shared_ptr<const Bitmap> Picture() const { return picture_; }
  void SetPicture(std::shared_ptr<const Bitmap> picture);
  // The tool tip; empty shows none. The shell keeps at most 63 characters.
  const std::string& Tip() const { return tip_; }
  void SetTip(const std::string& tip);
  // The identifier towards the shell.
  int Id() const { return id_; }
  void SetId(int id);
  // Whether the icon is in the notification area.
  bool Shown() const { return shown_; }
  void SetShown(bool shown);

  NotifyMouseEvent OnMouseMessage;
  // A mouse message from the shell at screen point (x, y).
  void UserMouseMessage(int mouseMessage, int x, int y);

 private:
  void Changed();
  std::unique_ptr<NotifyIconPeer> peer_;
  std::shared_ptr<const Bitmap> picture_;
  std::string tip_;
  int id_ = 1;
  bool shown_ = false;
};

}  // namespace gui

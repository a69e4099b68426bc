// An icon in the notification area of the taskbar. The component owns the state (picture, tip,
// identifier, shown or not) and turns the shell's callbacks into mouse events, popping up its
// left or right menu on a button press; what a click means beyond that is the owner's business.
#pragma once
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "gui/bitmap.h"
#include "gui/component.h"

namespace gui {

class PopupMenu;
class TTaskTray;

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
// Flags of the shell record: callback message and icon, plus the tip when there is one.
constexpr int kNotifyFlagsNoTip = 3;
constexpr int kNotifyFlagsWithTip = 7;

// The texts of the property errors.
extern const char kTrayNoIconError[];      // Registered without an icon
extern const char kTrayIdTooSmallError[];  // IconID of 0 or less
extern const char kTrayIdInUseError[];     // IconID of another icon of this process

// A property that cannot take the value given; what() is the Shift-JIS text.
class TaskTrayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The picture of a tray icon: the program's own icon (the one its windows show) or pixels.
struct TrayIcon {
  static TrayIcon Program() { return TrayIcon{nullptr, true}; }
  static TrayIcon Pixels(std::shared_ptr<const Bitmap> picture) { return TrayIcon{std::move(picture), false}; }
  std::shared_ptr<const Bitmap> pixels;
  bool program = false;
  bool Empty() const { return !program && (pixels == nullptr || pixels->Empty()); }
};

class TaskTrayPeer {
 public:
  virtual ~TaskTrayPeer() = default;
  // Adds, modifies or removes the icon to match the component.
  virtual void Changed() = 0;
};

using TrayButtonEvent = std::function<void(Component& sender, MouseButton button)>;

class TTaskTray : public Component {
 public:
  // Takes the identifier after the last one in use in this process (1 for the first).
  TTaskTray(Form& owner, std::string name);
  // Removes the icon and frees the identifier.
  ~TTaskTray() override;

  // Menus popped up at the cursor on a left or right button press (after OnMouseDown); null for
  // none. They must outlive the component (menus of the same form do).
  PopupMenu* PopupMenuL() const { return popupL_; }
  void SetPopupMenuL(PopupMenu* menu) { popupL_ = menu; }
  PopupMenu* PopupMenuR() const { return popupR_; }
  void SetPopupMenuR(PopupMenu* menu) { popupR_ = menu; }
  // The tool tip; empty shows none. The shell shows at most 63 characters of it.
  const std::string& TipString() const { return tip_; }
  void SetTipString(const std::string& tip);
  // The picture. A shown icon follows a new picture; an empty one takes the icon away and
  // clears Registered.
  const TrayIcon& Icon() const { return icon_; }
  void SetIcon(TrayIcon icon);
  // The identifier towards the shell. Throws TaskTrayError for 0 or less and for a number
  // another icon of this process uses; a shown icon moves to the new number.
  int IconID() const { return id_; }
  void SetIconID(int id);
  // Whether the icon is in the notification area. Showing it without a picture throws
  // TaskTrayError and leaves it hidden.
  bool Registered() const { return registered_; }
  void SetRegistered(bool registered);
  // The flags of the shell record: kNotifyFlagsWithTip or kNotifyFlagsNoTip.
  int ShellFlags() const { return tip_.empty() ? kNotifyFlagsNoTip : kNotifyFlagsWithTip; }

  TrayButtonEvent OnDblClick;
  MouseMoveEvent OnMouseMove;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;

  // The shell reports `mouseMessage` for the icon `iconId` with the cursor at screen point
  // (x, y). Dropped when no icon of this process has that identifier, and while an earlier
  // report is still being handled (a popup menu runs its own loop meanwhile).
  static void ShellCallback(int iconId, int mouseMessage, int x, int y);

 private:
  void MouseMessage(int mouseMessage, int x, int y);
  void ButtonDown(MouseButton button, ShiftState shift, int x, int y);
  void Changed();
  std::unique_ptr<TaskTrayPeer> peer_;
  PopupMenu* popupL_ = nullptr;
  PopupMenu* popupR_ = nullptr;
  std::string tip_;
  TrayIcon icon_;
  int id_ = 0;
  bool registered_ = false;
};

}  // namespace gui

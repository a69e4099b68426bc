// The manager's resident mode: its window hidden and its icon TaskTray1 in the notification
// area, with two menus on the icon that start, stop and set the play run. Covers going there
// (ButtonTRAY, 最小化立ち上げ) and back (TR_IconOFF, a second start), the icon's menus with
// their captions, and the tip that follows the window title.
#pragma once
#include <functional>
#include <string>

#include "gui/gui_types.h"

namespace gui {
class Application;
}

namespace platform {
struct Services;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace setup {

struct ManagerTrayHooks {
  // A bulk registration runs: the tray is neither entered nor left, and the tip stays.
  std::function<bool()> RegistrationRunning;
  // Whether a play run is active.
  std::function<bool()> Playing;
  // The manager's menu-pending flag, shared with the drop and right-click menus: set when a
  // menu is asked for, cleared when it opens. Without these the tray keeps a flag of its own.
  std::function<bool()> MenuPending;
  std::function<void(bool pending)> SetMenuPending;
};

class ManagerTray {
 public:
  // `scrVersion`: the screen-saver copy's settings window, which never shows a taskbar button.
  ManagerTray(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, bool scrVersion,
              ManagerTrayHooks hooks);

  // Gives the icon the window's icon and wires ButtonTRAY, the icon and both tray menus.
  void AttachEvents();

  // Hides the window and its taskbar button, shows the icon. Does nothing while a bulk
  // registration runs or when the manager is already in the tray.
  void ToTray();
  // Removes the icon and shows the window and ButtonTRAY again; nothing while a bulk
  // registration runs.
  void FromTray();
  bool InTray() const;
  // The title routine's tip; kept while a bulk registration runs.
  void SetTip(const std::string& title);

  // A button pressed on the icon: the left menu for the left button, the right menu for the
  // right one. Ignored while a menu of the manager is still to open.
  void TaskTray1MouseDown(gui::MouseButton button);
  // A tray menu opens: its captions and ticks from the current state.
  void TrayMenuPopup();

 private:
  bool Pending() const;
  void SetPending(bool pending);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  bool scrVersion_;
  ManagerTrayHooks hooks_;
  bool pending_ = false;
};

}  // namespace setup

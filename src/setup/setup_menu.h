// The manager's menu items of the installation: the start-up item through Program Manager, the
// desktop icon as a copy of the group's shortcut file, and the deletion of the version number
// that makes the next start open the installer.
#pragma once
#include <string>

namespace gui {
class Application;
class Component;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace store {
class ManagerSettings;
}

namespace setup {

class SetupMenu {
 public:
  // `programPath` is the running manager's executable.
  SetupMenu(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
            store::ManagerSettings& settings, std::string programPath);

  void AttachEvents();
  // MICON_SET adds the item to the start-up group, MICON_DEL deletes it.
  void MICON_SETClick(gui::Component& sender);
  // MDESK_SET copies the group's shortcut file to the desktop, MDESK_DEL deletes the copy.
  void MDESK_SETClick(gui::Component& sender);
  void help4Click();

 private:
  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  store::ManagerSettings& settings_;
  std::string programPath_;
};

}  // namespace setup

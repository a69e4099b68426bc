// Main menus, popup menus and their items. Items carry designer names; "&" in a caption marks
// the accelerator and a caption of "-" makes a separator. Checking an item by code runs nothing;
// picking it runs OnClick. Opening an item's sub-menu also runs that item's OnClick, which is
// where a menu updates its items before they show.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/backend.h"
#include "gui/component.h"

namespace gui {

class Menu;

class MenuItem : public Component {
 public:
  MenuItem(Menu& menu, std::string name, std::string caption = "");
  MenuItem(MenuItem& parent, std::string name, std::string caption = "");
  ~MenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsSeparator() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // The default item is shown in bold.
  bool Default() const { return default_; }
  void SetDefault(bool v);

  const std::vector<MenuItem*>& Items() const { return items_; }
  MenuItem* ParentItem() const { return parentItem_; }
  Menu& OwnerMenu() const { return menu_; }
  // The command number of the item in its menu (what the win32 menu reports).
  int Command() const { return command_; }

  NotifyEvent OnClick;

  // Enabled and visible, and so is every item above it.
  bool Available() const;
  // The user picks the item (or opens its sub-menu); false when it is not available.
  bool UserClick();

 private:
  void Changed();
  Menu& menu_;
  MenuItem* parentItem_ = nullptr;
  std::vector<MenuItem*> items_;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  int command_;
};

class Menu : public Component {
 public:
  ~Menu() override;
  const std::vector<MenuItem*>& Items() const { return items_; }
  bool HasVisibleItems() const;
  // The item of a command number (search through the whole tree), or null.
  MenuItem* FindCommand(int command) const;
  // The peer, created on first use.
  MenuPeer& GetPeer();
  bool HasPeer() const { return peer_ != nullptr; }
  // An item of the tree changed.
  void Changed();

 protected:
  Menu(Form& owner, std::string name);

 private:
  friend class MenuItem;
  int NextCommand() { return nextCommand_++; }
  std::vector<MenuItem*> items_;
  std::unique_ptr<MenuPeer> peer_;
  int nextCommand_ = 100;
};

class MainMenu : public Menu {
 public:
  MainMenu(Form& owner, std::string name);
  ~MainMenu() override;
};

class PopupMenu : public Menu {
 public:
  PopupMenu(Form& owner, std::string name);

  // Runs before the menu shows.
  NotifyEvent OnPopup;
  // Shows the menu at screen point (x, y): OnPopup, then the user's pick runs its OnClick.
  void Popup(int x, int y);
};

}  // namespace gui

#include "gui/menu.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/form.h"

namespace gui {

MenuItem::MenuItem(Menu& menu, std::string name, std::string caption)
    : Component(&menu.OwnerForm(), std::move(name)), menu_(menu), caption_(std::move(caption)), command_(menu.NextCommand()) {
  menu_.items_.push_back(this);
  Changed();
}

MenuItem::MenuItem(MenuItem& parent, std::string name, std::string caption)
    : Component(&parent.OwnerForm(), std::move(name)),
      menu_(parent.menu_),
      parentItem_(&parent),
      caption_(std::move(caption)),
      command_(parent.menu_.NextCommand()) {
  parent.items_.push_back(this);
  Changed();
}

MenuItem::~MenuItem() {
  auto& list = parentItem_ != nullptr ? parentItem_->items_ : menu_.items_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  for (MenuItem* child : items_) child->parentItem_ = nullptr;
  Changed();
}

void MenuItem::Changed() { menu_.Changed(); }

void MenuItem::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

void MenuItem::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  Changed();
}

void MenuItem::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Changed();
}

void MenuItem::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Changed();
}

void MenuItem::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  Changed();
}

bool MenuItem::Available() const {
  for (const MenuItem* i = this; i != nullptr; i = i->parentItem_) {
    if (!i->enabled_ || !i->visible_) return false;
  }
  return true;
}

bool MenuItem::UserClick() {
  if (!Available() || IsSeparator()) return false;
  if (dynamic_cast<MainMenu*>(&menu_) != nullptr) {
    Form& form = OwnerForm();
    if (!form.Showing() || !form.Enabled()) return false;
    Form* modal = form.FormApp().ModalForm();
    if (modal != nullptr && modal != &form) return false;
  }
  if (OnClick) OnClick(*this);
  return true;
}

Menu::Menu(Form& owner, std::string name) : Component(&owner, std::move(name)) {}

Menu::~Menu() { peer_.reset(); }

bool Menu::HasVisibleItems() const {
  return std::any_of(items_.begin(), items_.end(), [](const MenuItem* i) { return i->Visible(); });
}

namespace {
MenuItem* FindIn(const std::vector<MenuItem*>& items, int command) {
  for (MenuItem* i : items) {
    if (i->Command() == command) return i;
    if (MenuItem* found = FindIn(i->Items(), command)) return found;
  }
  return nullptr;
}
}  // namespace

MenuItem* Menu::FindCommand(int command) const { return FindIn(items_, command); }

MenuPeer& Menu::GetPeer() {
  if (peer_ == nullptr) peer_ = App().GetBackend().CreateMenuPeer(*this);
  return *peer_;
}

void Menu::Changed() {
  if (peer_ != nullptr) peer_->Changed();
}

MainMenu::MainMenu(Form& owner, std::string name) : Menu(owner, std::move(name)) {}

MainMenu::~MainMenu() {
  if (OwnerForm().Menu() == this) OwnerForm().SetMenu(nullptr);
}

PopupMenu::PopupMenu(Form& owner, std::string name) : Menu(owner, std::move(name)) {}

void PopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(*this);
  MenuItem* picked = App().GetBackend().TrackPopup(*this, x, y);
  if (picked != nullptr) picked->UserClick();
}

}  // namespace gui

// Menus on HMENUs. Every item with sub-items keeps one HMENU for its lifetime; a change of any
// item updates the menus in place (hidden items are left out, as Windows menus cannot hide an
// item), so a menu being opened can be changed by its item's OnClick.
#include <map>

#include "gui/application.h"
#include "gui/form.h"
#include "gui/menu.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Wide;

namespace {

class Win32MenuPeer : public MenuPeer {
 public:
  Win32MenuPeer(Backend& backend, Menu& menu) : backend_(backend), menu_(menu) {
    root_ = dynamic_cast<MainMenu*>(&menu) != nullptr ? CreateMenu() : CreatePopupMenu();
    Update();
  }
  ~Win32MenuPeer() override {
    for (auto& [item, handle] : subMenus_) {
      Detach(handle);
      backend_.ForgetSubMenu(handle);
    }
    Detach(root_);
    for (auto& [item, handle] : subMenus_) DestroyMenu(handle);
    DestroyMenu(root_);
  }

  HMENU Root() const { return root_; }

  void Changed() override {
    Update();
    Form& form = menu_.OwnerForm();
    if (form.Menu() == &menu_ && form.HasPeer()) DrawMenuBar(reinterpret_cast<HWND>(form.GetHandle()));
  }

 private:
  // Removes the entries without destroying the sub-menus they point to.
  static void Detach(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  }

  HMENU SubMenuOf(MenuItem* item) {
    auto it = subMenus_.find(item);
    if (it != subMenus_.end()) return it->second;
    HMENU h = CreatePopupMenu();
    subMenus_[item] = h;
    backend_.RegisterSubMenu(h, item);
    return h;
  }

  void Update() {
    // Items that went away take their sub-menus with them.
    for (auto it = subMenus_.begin(); it != subMenus_.end();) {
      if (!Exists(menu_.Items(), it->first)) {
        Detach(it->second);
        backend_.ForgetSubMenu(it->second);
        DestroyMenu(it->second);
        it = subMenus_.erase(it);
      } else {
        ++it;
      }
    }
    Fill(root_, menu_.Items());
  }

  static bool Exists(const std::vector<MenuItem*>& items, const MenuItem* wanted) {
    for (const MenuItem* i : items) {
      if (i == wanted || Exists(i->Items(), wanted)) return true;
    }
    return false;
  }

  void Fill(HMENU menu, const std::vector<MenuItem*>& items) {
    int position = 0;
    for (MenuItem* item : items) {
      if (!item->Visible()) continue;
      std::wstring text = Wide(item->Caption());
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
      info.fType = item->IsSeparator() ? MFT_SEPARATOR : MFT_STRING;
      info.fState = (item->Checked() ? MFS_CHECKED : 0u) | (item->Enabled() ? 0u : MFS_DISABLED | MFS_GRAYED) | (item->Default() ? MFS_DEFAULT : 0u);
      info.wID = static_cast<UINT>(item->Command());
      info.hSubMenu = item->Items().empty() ? nullptr : SubMenuOf(item);
      info.dwTypeData = item->IsSeparator() ? nullptr : text.data();
      if (item->IsSeparator()) info.fMask &= ~static_cast<UINT>(MIIM_STRING);
      if (position < GetMenuItemCount(menu)) {
        SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
      } else {
        InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
      }
      if (info.hSubMenu != nullptr) Fill(info.hSubMenu, item->Items());
      ++position;
    }
    while (GetMenuItemCount(menu) > position) RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
  }

  Backend& backend_;
  Menu& menu_;
  HMENU root_;
  std::map<MenuItem*, HMENU> subMenus_;
};

}  // namespace

std::unique_ptr<MenuPeer> CreateMenuPeer(Backend& backend, Menu& menu) { return std::make_unique<Win32MenuPeer>(backend, menu); }

HMENU MenuHandleOf(Menu& menu) { return static_cast<Win32MenuPeer&>(menu.GetPeer()).Root(); }

}  // namespace gui::win32

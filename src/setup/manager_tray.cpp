#include "setup/manager_tray.h"

#include "common/about_box.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/settings_key.h"

namespace setup {

namespace {

// "1．6）" for version 16, "?.?）" when the version is unknown.
std::string VersionTail(platform::Registry& registry) {
  std::string text = common::VersionText(registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version"));
  const size_t dot = text.find('.');
  if (text != "?.?" && dot != std::string::npos) text.replace(dot, 1, "．");
  return text + "）";
}

}  // namespace

ManagerTray::ManagerTray(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, bool scrVersion,
                         ManagerTrayHooks hooks)
    : app_(app), f_(form), os_(os), scrVersion_(scrVersion), hooks_(std::move(hooks)) {}

void ManagerTray::AttachEvents() {
  // Every window of the program shows the program's icon.
  f_.TaskTray1.SetIcon(gui::TrayIcon::Program());
  f_.TaskTray1.OnMouseDown = [this](gui::Component&, gui::MouseButton button, gui::ShiftState, int, int) {
    TaskTray1MouseDown(button);
  };
  f_.ButtonTRAY.OnClick = [this](gui::Component&) { ToTray(); };
  f_.TR_IconOFF.OnClick = [this](gui::Component&) { FromTray(); };
  f_.PopupMenu_TL.OnPopup = [this](gui::Component&) { TrayMenuPopup(); };
  f_.PopupMenu_TR.OnPopup = f_.PopupMenu_TL.OnPopup;
  // Start and stop as the buttons do (the window may be hidden, so not as a user's click on
  // them). The stop also ends a bulk loop, as 中断 does.
  auto play = [this](gui::Component&) {
    if (f_.Button2.OnClick) f_.Button2.OnClick(f_.Button2);
  };
  auto stop = [this](gui::Component&) {
    if (f_.Button5.OnClick) f_.Button5.OnClick(f_.Button5);
  };
  f_.TL1.OnClick = f_.TR1.OnClick = play;
  f_.TL2.OnClick = f_.TR2.OnClick = stop;
  for (gui::MenuItem* item : {&f_.TRM0, &f_.TRM1, &f_.TRM2, &f_.TRM3}) {
    item->OnClick = [this, item](gui::Component&) { f_.RadioGroup1.SetItemIndex(static_cast<int>(item->Tag())); };
  }
  f_.TR3.OnClick = [this](gui::Component&) {
    if (f_.ButtonTIMER.OnClick) f_.ButtonTIMER.OnClick(f_.ButtonTIMER);
  };
  f_.TR5.OnClick = [this](gui::Component&) {
    f_.TR5.SetChecked(!f_.TR5.Checked());
    if (f_.TR5.Checked()) {
      f_.RadioButton1.SetChecked(true);
    } else {
      f_.RadioButton2.SetChecked(true);
    }
  };
  f_.TR6.OnClick = [this](gui::Component&) {
    if (f_.FT.OnClick) f_.FT.OnClick(f_.FT);
  };
  f_.TRX.OnClick = [this](gui::Component&) { f_.Close(); };
}

bool ManagerTray::InTray() const { return f_.TaskTray1.Registered(); }

void ManagerTray::ToTray() {
  if ((hooks_.RegistrationRunning && hooks_.RegistrationRunning()) || InTray()) return;
  f_.ButtonTRAY.Hide();
  // The opening banner has served its purpose once the window goes away.
  f_.PanelOPEN.Hide();
  f_.TaskTray1.SetRegistered(true);
  f_.Hide();
  // A hidden main window has no taskbar button.
  app_.ShowTaskbarButton(false);
}

void ManagerTray::FromTray() {
  if (hooks_.RegistrationRunning && hooks_.RegistrationRunning()) return;
  f_.TaskTray1.SetRegistered(false);
  if (!scrVersion_) app_.ShowTaskbarButton(true);
  f_.Show();
  f_.BringToFront();
  f_.ButtonTRAY.Show();
}

void ManagerTray::SetTip(const std::string& title) {
  if (hooks_.RegistrationRunning && hooks_.RegistrationRunning()) return;
  f_.TaskTray1.SetTipString(title);
}

bool ManagerTray::Pending() const { return hooks_.MenuPending ? hooks_.MenuPending() : pending_; }

void ManagerTray::SetPending(bool pending) {
  if (hooks_.SetMenuPending) {
    hooks_.SetMenuPending(pending);
  } else {
    pending_ = pending;
  }
}

void ManagerTray::TaskTray1MouseDown(gui::MouseButton button) {
  // The middle button opens no menu, so it must not leave the flag set that only a menu's
  // opening clears.
  if (Pending() || button == gui::MouseButton::Middle) return;
  app_.ProcessMessages();
  const platform::Point at = os_.desktop.CursorPos().value_or(platform::Point{});
  SetPending(true);
  app_.ProcessMessages();
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  (button == gui::MouseButton::Left ? f_.PopupMenu_TL : f_.PopupMenu_TR).Popup(at.x, at.y);
}

void ManagerTray::TrayMenuPopup() {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  const std::string version = VersionTail(os_.registry);
  const std::string interval = f_.Label9.Caption();
  f_.TR3.SetCaption("表示時間 " + interval + (interval != "OFF" ? "秒" : "") + " (&T)");
  f_.TR4.SetCaption(f_.ST.Caption());
  f_.TR5.SetChecked(f_.RadioButton1.Checked());
  f_.TR6.SetChecked(f_.FT.Checked());
  f_.TRKINSI.SetChecked(f_.KINSI.Checked());
  for (gui::MenuItem* item : {&f_.TRM0, &f_.TRM1, &f_.TRM2, &f_.TRM3}) {
    item->SetChecked(item->Tag() == f_.RadioGroup1.ItemIndex());
  }
  const std::string stop =
      std::string("中断　－　") + (hooks_.Playing && hooks_.Playing() ? "(再生中)" : "(停止中)") + " (&K)";
  f_.TR2.SetCaption(stop);
  f_.TL2.SetCaption(stop);
  f_.TR1.SetCaption("再生　－　（QUOVEL32 V" + version + " (&P)");
  f_.TL1.SetCaption("再生開始　－　（QUOVEL32 V" + version + " (&P)");
  app_.ProcessMessages();
  SetPending(false);
  app_.GetScreen().SetCursor(gui::Cursor::Default);
}

}  // namespace setup

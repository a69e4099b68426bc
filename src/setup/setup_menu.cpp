#include "setup/setup_menu.h"

#include "common/mkbox.h"
#include "fileops/file_copy.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "setup/install_plan.h"
#include "setup/program_groups.h"
#include "store/manager_settings.h"
#include "store/settings_key.h"

namespace setup {

SetupMenu::SetupMenu(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                     common::TMKBoxDlg& box, store::ManagerSettings& settings, std::string programPath)
    : app_(app), f_(form), os_(os), box_(box), settings_(settings), programPath_(std::move(programPath)) {}

void SetupMenu::AttachEvents() {
  f_.MICON_SET.OnClick = [this](gui::Component& sender) { MICON_SETClick(sender); };
  f_.MICON_DEL.OnClick = f_.MICON_SET.OnClick;
  f_.MDESK_SET.OnClick = [this](gui::Component& sender) { MDESK_SETClick(sender); };
  f_.MDESK_DEL.OnClick = f_.MDESK_SET.OnClick;
  f_.help4.OnClick = [this](gui::Component&) { help4Click(); };
}

namespace {

// Busy cursor and no other menu command until the item's work is done.
class MenuWork {
 public:
  MenuWork(gui::Application& app, gui::Form& form, store::ManagerSettings& settings)
      : app_(app), form_(form), settings_(settings) {
    app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
    settings_.SetMenuEventsSuppressed(true);
  }
  ~MenuWork() {
    settings_.SetMenuEventsSuppressed(false);
    form_.Invalidate();
    app_.GetScreen().SetCursor(gui::Cursor::Default);
  }
  MenuWork(const MenuWork&) = delete;
  MenuWork& operator=(const MenuWork&) = delete;

 private:
  gui::Application& app_;
  gui::Form& form_;
  store::ManagerSettings& settings_;
};

}  // namespace

void SetupMenu::MICON_SETClick(gui::Component& sender) {
  if (settings_.MenuEventsSuppressed()) return;
  MenuWork work(app_, f_, settings_);
  app_.ProcessMessages();
  const std::string group = StartupGroup(os_.registry);
  if (group.empty()) {
    box_.MsgOK(kStartupUnknown);
    return;
  }
  ProgramManager programManager(os_.dde);
  // An existing group is only opened.
  programManager.Execute(CreateGroupCommand(group));
  app_.ProcessMessages();
  // A program path that cannot be named without a blank makes no command, which Execute refuses.
  const std::optional<std::string> item = UnsplitPath(os_.fs, programPath_);
  const std::string command = &sender == &f_.MICON_DEL ? DeleteItemCommand() : item ? AddItemCommand(*item) : "";
  const std::string error = programManager.Execute(command);
  if (!error.empty()) box_.MsgOK(error);
}

void SetupMenu::MDESK_SETClick(gui::Component& sender) {
  if (settings_.MenuEventsSuppressed()) return;
  MenuWork work(app_, f_, settings_);
  const std::string& groupShortcut = settings_.ShortcutPaths()[0];
  const std::string& desktopShortcut = settings_.ShortcutPaths()[1];
  if (&sender == &f_.MDESK_DEL) {
    if (os_.fs.FileExists(desktopShortcut)) os_.fs.Delete(desktopShortcut);
    return;
  }
  if (os_.fs.FileExists(desktopShortcut)) {
    box_.MsgOK("デスクトップには、既に登録されています☆☆☆");
    return;
  }
  if (!fileops::CopyFile(os_.fs, groupShortcut, desktopShortcut, [this] { app_.ProcessMessages(); }).empty()) {
    box_.MsgOK(std::string(kItemName) + "\n" + "デスクトップへの登録に失敗しました・・・");
  }
}

void SetupMenu::help4Click() {
  if (box_.MsgYesNo("バージョン番号削除：\nインストールソフトを再起動させたい時に使います。\n"
                    "なお、バージョンが違う時は、インストールソフトが自動起動するので、\n"
                    "バージョン番号を削除する必要無しです。\nバージョン番号を削除してもよろしいですか？？？") == gui::kMrYes) {
    store::SettingsKey(os_.registry, store::ScrKey()).Write("Version", "");
  } else {
    box_.MsgOKTimer("バージョン番号削除を中止しました・・・", gui::kMrOk);
  }
}

}  // namespace setup

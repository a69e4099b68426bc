// The manager's resident mode on its own: the icon's clicks and the menu-pending flag, the tray
// menus' captions, and a bulk registration that keeps the manager where it is.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/manager/manager_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "setup/manager_tray.h"
#include "store/settings_key.h"
#include "support/sjis_text.h"

namespace setup {
namespace {

struct ManagerTrayTest : testing::Test {
  ManagerTrayTest() {
    ManagerTrayHooks hooks;
    hooks.RegistrationRunning = [this] { return registering; };
    hooks.Playing = [this] { return playing; };
    hooks.MenuPending = [this] { return pending; };
    hooks.SetMenuPending = [this](bool on) { pending = on; };
    tray = std::make_unique<ManagerTray>(h.app, form, os, false, hooks);
    tray->AttachEvents();
    form.Show();
    tray->ToTray();
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  bool registering = false, playing = false, pending = false;
  std::unique_ptr<ManagerTray> tray;
};

TEST_F(ManagerTrayTest, IconClicksOpenTheMenusUnlessOneIsPending) {
  struct Case {
    const char* what;
    bool pendingBefore;
    std::vector<int> clicks;
    std::vector<std::string> popups;
  };
  const std::vector<Case> cases = {
      {"left", false, {gui::kNotifyLeftDown, gui::kNotifyLeftUp}, {"PopupMenu_TL"}},
      {"right", false, {gui::kNotifyRightDown}, {"PopupMenu_TR"}},
      {"middle, then left", false, {gui::kNotifyMiddleDown, gui::kNotifyLeftDown}, {"PopupMenu_TL"}},
      {"a drop's menu still to open", true, {gui::kNotifyLeftDown, gui::kNotifyRightDown}, {}},
  };
  for (const Case& c : cases) {
    pending = c.pendingBefore;
    const size_t before = h.backend.PopupHistory().size();
    for (int message : c.clicks) gui::TTaskTray::ShellCallback(form.TaskTray1.IconID(), message, 0, 0);
    const auto& all = h.backend.PopupHistory();
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), c.popups) << c.what;
    EXPECT_EQ(pending, c.pendingBefore) << c.what;  // an opened menu clears what its click set
    EXPECT_EQ(h.app.GetScreen().Cursor(), gui::Cursor::Default) << c.what;
  }
}

TEST_F(ManagerTrayTest, MenuCaptionsShowTheRunAndTheVersion) {
  struct Case {
    std::optional<std::string> version;
    bool playing;
    const char* interval;
    const char* tl1;
    const char* stop;
    const char* tr3;
  };
  const std::vector<Case> cases = {
      {"16", false, "5", "再生開始　－　（QUOVEL32 V1．6） (&P)", "中断　－　(停止中) (&K)", "表示時間 5秒 (&T)"},
      {"9", true, "OFF", "再生開始　－　（QUOVEL32 V0．9） (&P)", "中断　－　(再生中) (&K)", "表示時間 OFF (&T)"},
      {"255", false, "0", "再生開始　－　（QUOVEL32 V?.?） (&P)", "中断　－　(停止中) (&K)", "表示時間 0秒 (&T)"},
      {std::nullopt, false, "5", "再生開始　－　（QUOVEL32 V?.?） (&P)", "中断　－　(停止中) (&K)", "表示時間 5秒 (&T)"},
  };
  for (const Case& c : cases) {
    p.registry.DeleteValue(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version");
    if (c.version) p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version", *c.version);
    playing = c.playing;
    form.Label9.SetCaption(c.interval);
    form.PopupMenu_TR.Popup(0, 0);
    const std::string v = c.version.value_or("missing");
    EXPECT_EQ(testsupport::Utf8(form.TL1.Caption()), testsupport::Utf8(c.tl1)) << v;
    EXPECT_EQ(form.TR1.Caption(), "再生" + form.TL1.Caption().substr(std::string("再生開始").size())) << v;
    EXPECT_EQ(testsupport::Utf8(form.TR2.Caption()), testsupport::Utf8(c.stop)) << v;
    EXPECT_EQ(form.TL2.Caption(), form.TR2.Caption()) << v;
    EXPECT_EQ(testsupport::Utf8(form.TR3.Caption()), testsupport::Utf8(c.tr3)) << v;
  }
  // The ticks and the power-saving caption mirror the window.
  form.ST.SetCaption("省電力タイマー設定　60秒 (&L)");
  form.RadioGroup1.SetItemIndex(3);
  form.RadioButton1.SetChecked(true);
  form.FT.SetChecked(true);
  form.KINSI.SetChecked(true);
  form.PopupMenu_TL.Popup(0, 0);
  EXPECT_EQ(form.TR4.Caption(), form.ST.Caption());
  std::vector<bool> ticks;
  for (const gui::MenuItem* item : {&form.TRM0, &form.TRM1, &form.TRM2, &form.TRM3, &form.TR5, &form.TR6, &form.TRKINSI}) {
    ticks.push_back(item->Checked());
  }
  EXPECT_EQ(ticks, (std::vector<bool>{false, false, false, true, true, true, true}));
}

TEST_F(ManagerTrayTest, ABulkRegistrationKeepsTheManagerAndTheTipWhereTheyAre) {
  tray->SetTip("QUOVEL32 EXE版");
  registering = true;
  tray->SetTip("QUOVEL32EXE A.SCR (表示中)");
  form.TR_IconOFF.UserClick();
  EXPECT_TRUE(form.TaskTray1.Registered());
  EXPECT_EQ(h.backend.TrayIcons().at(form.TaskTray1.IconID()), "QUOVEL32 EXE版");
  registering = false;
  form.TR_IconOFF.UserClick();
  registering = true;
  form.ButtonTRAY.UserClick();
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(form.TaskTray1.Registered());
}

}  // namespace
}  // namespace setup

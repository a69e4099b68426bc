// The notification-area icon: identifiers per process, the property errors, the shell's mouse
// messages as events and menus, and callbacks dropped while one is handled.
#include <gtest/gtest.h>

#include <stdexcept>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/gui_testing.h"
#include "gui/menu.h"
#include "gui/task_tray.h"

namespace {

struct TaskTrayTest : ::testing::Test {
  guitest::HeadlessApp h;
  gui::Form f{h.app, "TTray"};
};

// The error text a property change throws, or "" when it throws none.
template <class F>
std::string ErrorOf(F change) {
  try {
    change();
  } catch (const gui::TaskTrayError& e) {
    return e.what();
  }
  return "";
}

TEST_F(TaskTrayTest, IdentifiersAreSharedByTheProcessAndTheIconNeedsAPicture) {
  auto first = std::make_unique<gui::TTaskTray>(f, "TaskTray1");
  gui::TTaskTray second(f, "TaskTray2");
  EXPECT_EQ(second.IconID(), 2);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(1); }), gui::kTrayIdInUseError);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(0); }), gui::kTrayIdTooSmallError);
  second.SetIconID(5);
  first.reset();  // frees 1; a new icon follows the last identifier in use
  EXPECT_EQ(gui::TTaskTray(f, "TaskTray3").IconID(), 6);
  EXPECT_EQ(ErrorOf([&] { second.SetRegistered(true); }), gui::kTrayNoIconError);
  EXPECT_FALSE(second.Registered());
  second.SetIcon(gui::TrayIcon::Program());
  second.SetRegistered(true);
  EXPECT_EQ(second.ShellFlags(), 3);
  second.SetTipString("QUOVEL32");
  EXPECT_EQ(second.ShellFlags(), 7);
  second.SetIcon(gui::TrayIcon::Pixels(nullptr));  // no picture: the icon goes
  EXPECT_FALSE(second.Registered());
  EXPECT_TRUE(h.backend.TrayIcons().empty());
}

TEST_F(TaskTrayTest, ShellMouseMessagesBecomeEventsAndMenus) {
  gui::TTaskTray tray(f, "TaskTray1");
  gui::PopupMenu left(f, "MenuL"), right(f, "MenuR");
  tray.SetPopupMenuL(&left);
  tray.SetPopupMenuR(&right);
  std::vector<std::string> seen;
  auto name = [](gui::MouseButton b) { return b == gui::MouseButton::Left ? "L" : b == gui::MouseButton::Right ? "R" : "M"; };
  tray.OnMouseMove = [&](gui::Component&, gui::ShiftState, int x, int y) {
    seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  tray.OnMouseDown = [&](gui::Component&, gui::MouseButton b, gui::ShiftState s, int, int) {
    seen.push_back(std::string("down ") + name(b) + " " + std::to_string(s));
  };
  tray.OnMouseUp = [&](gui::Component&, gui::MouseButton b, gui::ShiftState, int, int) { seen.push_back(std::string("up ") + name(b)); };
  tray.OnDblClick = [&](gui::Component&, gui::MouseButton b) { seen.push_back(std::string("dbl ") + name(b)); };
  const std::vector<std::pair<int, std::string>> cases = {
      {gui::kNotifyMouseMove, "move 7,9"},   {gui::kNotifyLeftDown, "down L 8"},  {gui::kNotifyLeftUp, "up L"},
      {gui::kNotifyLeftDblClick, "dbl L"},   {gui::kNotifyRightDown, "down R 16"}, {gui::kNotifyRightUp, "up R"},
      {gui::kNotifyRightDblClick, "dbl R"},  {gui::kNotifyMiddleDown, "down M 32"}, {gui::kNotifyMiddleUp, "up M"},
  };
  for (const auto& [message, event] : cases) gui::TTaskTray::ShellCallback(tray.IconID(), message, 7, 9);
  std::vector<std::string> events;
  for (const auto& c : cases) events.push_back(c.second);
  EXPECT_EQ(seen, events);
  EXPECT_EQ(h.backend.PopupHistory(), (std::vector<std::string>{"MenuL", "MenuR"}));
}

// Called from the system's code, the tray hands whatever escapes its handlers to the last resort.
TEST_F(TaskTrayTest, WhatEscapesAHandlerGoesToTheLastResort) {
  gui::TTaskTray tray(f, "TaskTray1");
  std::vector<std::string> reported;
  h.app.OnHandlerFailed = [&](const std::string& what) { reported.push_back(what); };
  tray.OnMouseMove = [](gui::Component&, gui::ShiftState, int, int) { throw std::runtime_error("moved"); };
  tray.OnMouseDown = [](gui::Component&, gui::MouseButton, gui::ShiftState, int, int) { throw 7; };
  for (int message : {gui::kNotifyMouseMove, gui::kNotifyLeftDown}) {
    EXPECT_NO_THROW(gui::TTaskTray::ShellCallback(tray.IconID(), message, 0, 0));
  }
  EXPECT_EQ(reported, (std::vector<std::string>{"moved", ""}));
}

TEST_F(TaskTrayTest, CallbacksWhileOneIsHandledAreDropped) {
  gui::TTaskTray tray(f, "TaskTray1");
  std::vector<gui::MouseButton> downs;
  tray.OnMouseDown = [&](gui::Component&, gui::MouseButton b, gui::ShiftState, int, int) { downs.push_back(b); };
  // A right click arrives while the left one lets messages run.
  h.backend.Post([&] { gui::TTaskTray::ShellCallback(tray.IconID(), gui::kNotifyRightDown, 0, 0); });
  gui::TTaskTray::ShellCallback(tray.IconID(), gui::kNotifyLeftDown, 0, 0);
  gui::TTaskTray::ShellCallback(tray.IconID() + 1, gui::kNotifyLeftDown, 0, 0);  // no such icon
  gui::TTaskTray::ShellCallback(tray.IconID(), gui::kNotifyRightDown, 0, 0);
  EXPECT_EQ(downs, (std::vector<gui::MouseButton>{gui::MouseButton::Left, gui::MouseButton::Right}));
}

}  // namespace

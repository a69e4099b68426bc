// The manager in the tray as the program wires it: the icon's menus act on the run while the
// window stays hidden, the tip follows the title, and a second start brings the window back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "store/settings_key.h"
#include "support/installed.h"
#include "support/manager_start.h"

namespace app {
namespace {

// 50 letters and then a two-byte character that the 63-byte tip cannot hold whole.
const std::string kLongName = std::string(50, 'A') + "表示.SCR";

struct ProgramTrayTest : testing::Test {
  ProgramTrayTest() {
    testsupport::Installed(p);
    Set("CPATH", "C:\\SAVERS");
    Set("MEMORY", "1,-1,0,1,0,1,0");           // file list, names not shown
    Set("SAISEIM", "0,1,0,0,-1,-1,-1,-1,1,0");  // 連続, endless
    Set("TIMER", "3");
    for (const std::string& name : {kLongName, std::string("B.SCR")}) p.fs.AddFile("C:\\SAVERS\\" + name, "MZ");
    p.processes.SetDefaultBehaviour({.endsOnInput = true});
  }
  void Set(const std::string& name, const std::string& text) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), name, text);
  }
  forms::TQUOVEL32KAPUL& Start() { return testsupport::StartManager(h, p, program); }
  // A press of `button` on the icon that picks `item` from the menu it opens.
  void Pick(forms::TQUOVEL32KAPUL& m, int button, const std::string& item) {
    h.backend.ExpectPopup(button == gui::kNotifyLeftDown ? "PopupMenu_TL" : "PopupMenu_TR", item);
    gui::TTaskTray::ShellCallback(m.TaskTray1.IconID(), button, 10, 10);
    EXPECT_TRUE(h.backend.VerifyExpectations()) << item;
  }
  std::string Tip(const forms::TQUOVEL32KAPUL& m) const {
    auto it = h.backend.TrayIcons().find(m.TaskTray1.IconID());
    return it == h.backend.TrayIcons().end() ? "<no icon>" : it->second;
  }
  size_t Started() const { return p.processes.Started().size(); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::unique_ptr<Program> program;
};

TEST_F(ProgramTrayTest, TheIconsMenusRunTheManagerWhileItsWindowIsHidden) {
  forms::TQUOVEL32KAPUL& m = Start();
  m.ButtonTRAY.UserClick();
  ASSERT_FALSE(m.Visible());
  for (const auto& [play, stop] : {std::pair{gui::kNotifyLeftDown, "TL"}, std::pair{gui::kNotifyRightDown, "TR"}}) {
    const size_t before = Started();
    Pick(m, play, std::string(stop) + "1");
    h.backend.Advance(8000);
    EXPECT_TRUE(program->Engine()->Playing()) << stop;
    EXPECT_GE(Started(), before + 2) << stop;
    EXPECT_FALSE(m.Visible()) << stop;
    Pick(m, play, std::string(stop) + "2");
    h.backend.Advance(5000);
    EXPECT_FALSE(program->Engine()->Playing()) << stop;
  }
  EXPECT_EQ(Tip(m), "QUOVEL32 EXE版");
  // The tip follows the title, cut to 63 bytes without splitting a character.
  m.ListBox4.SetTag(0);
  Pick(m, gui::kNotifyLeftDown, "TL1");
  h.backend.Advance(700);
  ASSERT_EQ(p.processes.Started().back().program, "C:\\SAVERS\\" + kLongName);
  EXPECT_EQ(Tip(m), "QUOVEL32EXE " + std::string(50, 'A'));
  EXPECT_EQ(Tip(m), m.Caption());
  Pick(m, gui::kNotifyLeftDown, "TL2");
  h.backend.Advance(5000);
  // A second start of the program brings the window back from the tray.
  program->Receiver()->Receive(0);
  EXPECT_TRUE(m.Visible());
  EXPECT_TRUE(m.ButtonTRAY.Visible());
  EXPECT_TRUE(h.backend.TrayIcons().empty());
}

TEST_F(ProgramTrayTest, TheRightMenuSetsTheRunAndLeavesTheTray) {
  forms::TQUOVEL32KAPUL& m = Start();
  m.ButtonTRAY.UserClick();
  struct Case {
    const char* item;
    std::function<bool()> done;
  };
  const std::vector<Case> cases = {
      {"TRM1", [&] { return m.RadioGroup1.ItemIndex() == 1 && program->Engine()->GetOrder() == play::Order::kReverse; }},
      {"TR5", [&] { return m.RadioButton2.Checked() && program->Engine()->GetOrder() == play::Order::kSingle; }},
      {"TR6", [&] { return m.FT.Checked(); }},
      {"TRKINSI", [&] {
         return !m.KINSI.Checked() &&
                p.registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "KINSI") == "0";
       }},
      {"TR_IconOFF", [&] { return m.Visible() && !m.TaskTray1.Registered(); }},
  };
  for (const Case& c : cases) {
    Pick(m, gui::kNotifyRightDown, c.item);
    EXPECT_TRUE(c.done()) << c.item;
  }
  m.ButtonTRAY.UserClick();
  h.backend.ExpectModal("TTMSETBox").Answer(gui::kMrCancel);
  Pick(m, gui::kNotifyRightDown, "TR3");
  Pick(m, gui::kNotifyRightDown, "TRX");
  EXPECT_TRUE(h.app.Terminated());
}

}  // namespace
}  // namespace app

// The manager as the program wires it: the file information line shows a clicked entry's file
// timer, TSet writes the timer file, the tray's power-saving item opens its setting, and closing
// the manager closes the help file.
#include <gtest/gtest.h>

#include "app/program.h"
#include "forms/tmset_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/installed.h"
#include "store/file_timers.h"
#include "store/settings_key.h"

namespace app {
namespace {

TEST(ProgramTimersTest, FileInformationLineTSetAndTheHelpFile) {
  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  testsupport::Installed(p);
  p.fs.AddFile("C:\\WINDOWS\\STARS.SCR", "MZ stars");
  p.fs.AddFile("C:\\WINDOWS\\WAVES.SCR", "MZ waves");
  store::FileTimers timers(p.fs, "C:\\WINDOWS");
  timers.Write("C:\\WINDOWS\\WAVES.SCR", 25);
  Program program(h.app, p.Services(), DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
  ASSERT_TRUE(program.Start([](const std::string&) {}));
  forms::TQUOVEL32KAPUL& m = *program.Manager();
  m.Show();
  h.backend.Advance(1000);  // the start-up sequence opens the Windows folder's savers
  ASSERT_EQ(m.ListBox4.Count(), 2);
  m.SSN.SetChecked(false);

  // The list shows the names in the case the settings choose.
  const int waves = m.ListBox4.Item(0).find_first_of("Ww") == 0 ? 0 : 1;
  const std::string stars = "C:\\WINDOWS\\" + m.ListBox4.Item(1 - waves);
  m.ListBox4.UserSelect(waves);
  EXPECT_EQ(m.Label10.Caption(), "25");
  EXPECT_EQ(m.Label9.Caption(), "10");
  m.ListBox4.UserSelect(1 - waves);
  EXPECT_EQ(m.Label10.Caption(), "0");

  h.backend.ExpectModal("TTMSETBox", "STARS.SCR").Do([&](gui::Form& f) {
    auto& box = static_cast<forms::TTMSETBox&>(f);
    box.SpinButton2.UserMouseDown(gui::MouseButton::Left, gui::kLeftButton, 5, 2);
    box.SpinButton2.UserMouseUp(gui::MouseButton::Left, 0, 5, 2);
    h.backend.ExpectModal("TMKBox", "10秒").Answer(gui::kMrYes);
    box.Button1.UserClick();
  });
  m.ButtonTset.UserClick();
  EXPECT_EQ(timers.Read(stars), 10);

  // The tray menu's power-saving item opens the same setting as the timer menu's.
  h.backend.ExpectModal("TTMSETBox", "省電力タイマーの設定：").Do([](gui::Form& f) {
    static_cast<forms::TTMSETBox&>(f).Button4.UserClick();
  });
  h.backend.ExpectModal("TMKBox", "中止しました。").Answer(gui::kMrOk);
  m.TR4.UserClick();

  m.Close();
  ASSERT_FALSE(p.processes.HelpQuits().empty());
  EXPECT_EQ(p.processes.HelpQuits().back(), "C:\\QUOVEL32\\QUOVEL32.HLP");
}

}  // namespace
}  // namespace app

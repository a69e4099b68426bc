#include "app/program.h"
#include "store/settings_key.h"

#include <gtest/gtest.h>

#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace app {
namespace {

using testsupport::Utf8;

struct ProgramTest : testing::Test {
  void Installed() {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version", "16");
  }
  std::unique_ptr<Program> Start(const std::string& exe, const std::vector<std::string>& args, bool& runs) {
    auto program = std::make_unique<Program>(h.app, p.Services(), DecideLaunch(exe, args, p.desktop, p.registry));
    runs = program->Start([this](const std::string& m) { systemMessages.push_back(m); });
    return program;
  }
  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::vector<std::string> systemMessages;
};

TEST_F(ProgramTest, EachRoleCreatesItsForms) {
  Installed();
  bool runs = false;
  auto manager = Start("C:\\QUOVEL32\\QUOVEL32.EXE", {}, runs);
  EXPECT_TRUE(runs);
  ASSERT_NE(manager->Manager(), nullptr);
  EXPECT_EQ(h.app.MainForm(), manager->Manager());
  EXPECT_NE(h.app.FindForm("TQUOVEL32BACK"), nullptr);
  EXPECT_EQ(manager->Manager()->ClientWidth(), 401);
  EXPECT_EQ(manager->Manager()->ClientHeight(), 356);
  EXPECT_EQ(h.app.Title(), "QUOVEL32 EXE版");
  EXPECT_EQ(manager->Manager()->Caption(), "QUOVEL32 EXE版");
  EXPECT_TRUE(systemMessages.empty());
  EXPECT_NE(p.shell.OwnerWindow(), 0u);   // the shell's questions belong to the manager window
  EXPECT_EQ(p.shell.OwnerWindow(), manager->Manager()->GetHandle());
}

TEST_F(ProgramTest, RunnerAndPreviewAndInstaller) {
  Installed();
  bool runs = false;
  {
    guitest::HeadlessApp other;
    Program runner(other.app, p.Services(), DecideLaunch("C:\\WINDOWS\\QUOVEL32.SCR", {"/s"}, p.desktop, p.registry));
    EXPECT_TRUE(runner.Start([](const std::string&) {}));
    EXPECT_NE(runner.Runner(), nullptr);
    EXPECT_EQ(other.app.MainForm(), runner.Runner());
    EXPECT_NE(runner.Backdrop(), nullptr);
    ASSERT_NE(runner.RunnerPlay(), nullptr);
    // The runner reads the screen-saver key 300 ms later; an empty Windows folder has nothing
    // to play, so the program ends with a beep.
    other.backend.Advance(2000);
    EXPECT_EQ(runner.RunnerPlay()->GetStage(), play::Stage::kRunning);
    EXPECT_TRUE(other.app.Terminated());
    EXPECT_EQ(p.desktop.Beeps().size(), 1u);
  }
  platform::WindowId host = p.desktop.AddWindow("Host", {100, 100, 252, 212});
  auto preview = Start("C:\\WINDOWS\\QUOVEL32.SCR", {"/p", std::to_string(host)}, runs);
  ASSERT_NE(preview->HostedPreview(), nullptr);
  EXPECT_EQ(preview->HostedPreview()->Width(), 152);
  EXPECT_EQ(preview->HostedPreview()->Height(), 112);
  EXPECT_EQ(preview->HostedPreview()->Panel1.Width(), 152);   // the blue title fills the area
  EXPECT_EQ(preview->HostedPreview()->Panel1.Height(), 112);
  EXPECT_EQ(preview->HostedPreview()->ParentWindow(), host);
  h.app.Run();
  EXPECT_FALSE(h.app.TaskbarButtonShown());
  EXPECT_FALSE(h.app.Terminated());
  preview->HostedPreview()->PeerWindowGone();                   // the host window took it along
  EXPECT_TRUE(h.app.Terminated());
}

TEST_F(ProgramTest, PreviewEndsSilentlyBesideAnotherPreviewOrWithoutItsHost) {
  Installed();
  bool runs = true;
  platform::WindowId host = p.desktop.AddWindow("Host", {100, 100, 252, 212});
  p.desktop.AddChildWindow(host, kPreviewClass);
  auto second = Start("C:\\WINDOWS\\QUOVEL32.SCR", {"/p", std::to_string(host)}, runs);
  EXPECT_FALSE(runs);
  EXPECT_EQ(second->HostedPreview(), nullptr);
  p.desktop.RemoveWindow(host);
  auto gone = Start("C:\\WINDOWS\\QUOVEL32.SCR", {"/p", std::to_string(host)}, runs);
  EXPECT_FALSE(runs);
  EXPECT_EQ(gone->Manager(), nullptr);
  EXPECT_TRUE(systemMessages.empty());   // no "Parameter Error"
}

TEST_F(ProgramTest, PlainSystemMessages) {
  bool runs = true;
  auto password = Start("C:\\WINDOWS\\QUOVEL32.SCR", {"/a"}, runs);
  EXPECT_FALSE(runs);
  EXPECT_EQ(systemMessages, std::vector<std::string>{"Password not supported"});
  systemMessages.clear();
  {
    guitest::HeadlessApp other;
    Program noArgs(other.app, p.Services(), DecideLaunch("C:\\WINDOWS\\QUOVEL32.SCR", {}, p.desktop, p.registry));
    std::vector<std::string> seen;
    EXPECT_TRUE(noArgs.Start([&](const std::string& m) { seen.push_back(m); }));
    EXPECT_EQ(seen, std::vector<std::string>{"Parameter Error"});
    EXPECT_NE(noArgs.Installer(), nullptr);   // not installed: the installer follows
  }
}

TEST_F(ProgramTest, SecondStartHandsOverAndTheManagerShowsTheText) {
  Installed();
  bool runs = false;
  auto first = Start("C:\\QUOVEL32\\QUOVEL32.EXE", {}, runs);
  first->Manager()->Show();
  // The fake desktop delivers message 1025 to the manager form's own handler.
  p.desktop.AddWindow(kManagerClass, {0, 0, 100, 100}, [&](uint32_t msg, uintptr_t w, intptr_t l) {
    std::intptr_t result = 0;
    first->Manager()->HandleMessage(msg, w, l, result);
    return result;
  });
  h.backend.ExpectModal("TMKBox", "exe版").Do([](gui::Form& f) {
    EXPECT_NE(f.AllText().find("scr版"), std::string::npos) << Utf8(f.AllText());
    f.Close();
  });
  guitest::HeadlessApp second;
  Program configure(second.app, p.Services(), DecideLaunch("C:\\WINDOWS\\QUOVEL32.SCR", {"/c"}, p.desktop, p.registry));
  EXPECT_FALSE(configure.Start([](const std::string&) {}));
  EXPECT_EQ(p.desktop.AtomCount(), 0u);                     // the sender deleted its atom

  // A plain second start only brings the manager to the front: no box.
  h.app.Minimize();
  Program again(second.app, p.Services(), DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
  EXPECT_FALSE(again.Start([](const std::string&) {}));
  EXPECT_FALSE(h.app.Minimized());

  // From the tray, the tray's own restore brings it back.
  bool inTray = true, restored = false;
  first->Receiver()->TrayRegistered = [&] { return inTray; };
  first->Receiver()->RestoreFromTray = [&] { restored = true; inTray = false; };
  Program third(second.app, p.Services(), DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
  third.Start([](const std::string&) {});
  EXPECT_TRUE(restored);

  // Text too long for an atom: front only, nothing shown, nothing left behind.
  Program longText(second.app, p.Services(),
                   DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {std::string(300, 'x')}, p.desktop, p.registry));
  longText.Start([](const std::string&) {});
  EXPECT_EQ(p.desktop.AtomCount(), 0u);
}

}  // namespace
}  // namespace app

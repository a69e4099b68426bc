#include "app/launch.h"
#include "store/settings_key.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace app {
namespace {

using testsupport::Utf8;
using V = std::vector<std::string>;

class LaunchTest : public testing::Test {
 protected:
  void Installed(const std::string& version) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version", version);
  }
  Decision Decide(const std::string& exe, const V& args) { return DecideLaunch(exe, args, p.desktop, p.registry); }
  platform::fake::FakePlatform p;
  const std::string exe = "C:\\QUOVEL32\\QUOVEL32.EXE";
  const std::string scr = "C:\\WINDOWS\\QUOVEL32.SCR";
};

TEST_F(LaunchTest, ExeVersionOpensManagerOrInstallerByVersion) {
  struct Case {
    const char* version;   // nullptr: key missing
    Action action;
  } cases[] = {{"16", Action::kManager}, {"15", Action::kInstaller}, {nullptr, Action::kInstaller},
               {"", Action::kInstaller}, {"1x6", Action::kInstaller}, {"255", Action::kInstaller}};
  for (const Case& c : cases) {
    p.registry.DeleteTree(platform::RegistryRoot::kCurrentUser, store::ScrKey());
    if (c.version) Installed(c.version);
    Decision d = Decide(exe, {});
    EXPECT_EQ(d.action, c.action) << (c.version ? c.version : "(missing)");
    EXPECT_FALSE(d.startup.scrVersion);
    EXPECT_FALSE(d.parameterError);
    EXPECT_EQ(d.startup.setupMode, 0);
    EXPECT_EQ(d.startup.programFolder, "C:\\QUOVEL32\\");
    EXPECT_EQ(d.startup.title, c.action == Action::kManager ? "QUOVEL32 EXE版" : "QUOVEL32");
  }
}

TEST_F(LaunchTest, ScreenSaverSwitches) {
  Installed("16");
  struct Case {
    V args;
    Action action;
    bool parameterError;
  } cases[] = {
      {{"/s"}, Action::kRunner, false},
      {{"/S"}, Action::kRunner, false},
      {{"-s"}, Action::kRunner, false},
      {{"/c:5678"}, Action::kManager, false},
      {{"-C"}, Action::kManager, false},
      {{"/a"}, Action::kPasswordError, false},
      {{"-a"}, Action::kManager, true},          // only "/a" is the password switch
      {{}, Action::kManager, true},
      {{"/x"}, Action::kManager, true},
      {{"/p"}, Action::kManager, true},          // no host window given
      {{"/p", "abc"}, Action::kManager, true},
      {{"/p", "999"}, Action::kEnd, false},      // the host window has gone
  };
  for (const Case& c : cases) {
    Decision d = Decide(scr, c.args);
    std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(d.action, c.action) << what;
    EXPECT_EQ(d.parameterError, c.parameterError) << what;
    EXPECT_TRUE(d.startup.scrVersion) << what;
    EXPECT_EQ(d.startup.title, "QUOVEL32") << what;
  }
}

TEST_F(LaunchTest, ParameterErrorWithoutInstallationGoesToTheInstaller) {
  Decision d = Decide(scr, {});
  EXPECT_TRUE(d.parameterError);
  EXPECT_EQ(d.action, Action::kInstaller);
}

TEST_F(LaunchTest, PreviewTakesTheHostWindowAndItsRectangle) {
  Installed("16");
  platform::WindowId host = p.desktop.AddWindow("HostClass", {10, 20, 162, 132});
  Decision d = Decide(scr, {"/p", std::to_string(host)});
  ASSERT_EQ(d.action, Action::kPreview);
  EXPECT_EQ(d.startup.previewParent, host);
  EXPECT_EQ(d.startup.previewRect.width(), 152);
  EXPECT_EQ(d.startup.previewRect.height(), 112);
  p.desktop.AddWindow(kRunnerClass);
  EXPECT_EQ(Decide(scr, {"/p", std::to_string(host)}).action, Action::kEnd);
}

TEST_F(LaunchTest, APreviewInsideItsHostWindowIsFound) {
  Installed("16");
  platform::WindowId dialog = p.desktop.AddWindow("DialogClass", {0, 0, 400, 300});
  platform::WindowId host = p.desktop.AddChildWindow(dialog, "HostClass", {10, 20, 162, 132});
  p.desktop.AddChildWindow(host, kPreviewClass);
  EXPECT_EQ(Decide(scr, {"/p", std::to_string(host)}).action, Action::kEnd);
  EXPECT_EQ(Decide(exe, {"/uninstall"}).startup.setupMode, 999);
  p.registry.DeleteTree(platform::RegistryRoot::kCurrentUser, store::ScrKey());
  EXPECT_EQ(Decide(exe, {}).action, Action::kEnd);   // installer path while a preview shows
  p.desktop.RemoveWindow(dialog);                     // takes its host and the preview along
  EXPECT_EQ(Decide(exe, {}).action, Action::kInstaller);
}

TEST_F(LaunchTest, RunningInstancesDecide) {
  Installed("16");
  platform::WindowId manager = p.desktop.AddWindow(kManagerClass);
  Decision again = Decide(exe, {});
  EXPECT_EQ(again.action, Action::kHandOff);
  EXPECT_EQ(again.handOff, "?");
  EXPECT_EQ(Decide(exe, {"Hello", "World"}).handOff, "?Hello?World?");
  Decision configure = Decide(scr, {"/c"});
  EXPECT_EQ(configure.action, Action::kHandOff);
  EXPECT_EQ(configure.handOff, std::string(kHandOffConfigure) + "/c?");
  Decision saver = Decide(scr, {"/s"});
  EXPECT_EQ(saver.action, Action::kHandOff);
  EXPECT_EQ(saver.handOff, std::string(kHandOffSaver) + "/s?");
  Decision unknown = Decide(scr, {"/x"});
  EXPECT_TRUE(unknown.parameterError);
  EXPECT_EQ(unknown.handOff, "?/x?");
  p.desktop.RemoveWindow(manager);

  p.desktop.AddWindow(kRunnerClass);
  EXPECT_EQ(Decide(scr, {"/s"}).action, Action::kEnd);
  p.registry.DeleteTree(platform::RegistryRoot::kCurrentUser, store::ScrKey());
  EXPECT_EQ(Decide(exe, {}).action, Action::kEnd);   // installer path while a runner runs
}

TEST_F(LaunchTest, InstallerWindowSilencesEveryNormalStart) {
  Installed("16");
  p.desktop.AddWindow(kInstallerClass);
  EXPECT_EQ(Decide(exe, {}).action, Action::kEnd);
  EXPECT_EQ(Decide(scr, {"/s"}).action, Action::kEnd);
  Decision uninstall = Decide(exe, {"/uninstall"});
  EXPECT_EQ(uninstall.action, Action::kInstaller);
  EXPECT_EQ(uninstall.startup.setupMode, 999);
}

TEST_F(LaunchTest, UninstallModes) {
  Installed("16");
  Decision d = Decide(exe, {"/uninstall"});
  EXPECT_EQ(d.action, Action::kInstaller);
  EXPECT_EQ(d.startup.setupMode, 1);
  EXPECT_EQ(Decide(exe, {"/UNINSTALL"}).action, Action::kManager);   // case matters here
  Decision copy = Decide("C:\\WINDOWS\\UNIN_KAPUL000.EXE", {});
  EXPECT_EQ(copy.action, Action::kInstaller);
  EXPECT_EQ(copy.startup.setupMode, 2);
  p.desktop.AddWindow(kBackdropClass);
  EXPECT_EQ(Decide(exe, {"/uninstall"}).startup.setupMode, 999);
  EXPECT_EQ(Decide("C:\\WINDOWS\\unin_kapul000.exe", {}).startup.setupMode, 2);   // mode 2 probes nothing
}

TEST(HandOffText, FindsTheFirstNonEmptyPieceLowerCased) {
  EXPECT_EQ(HandOffText("?"), "");
  EXPECT_EQ(HandOffText(""), "");
  EXPECT_EQ(HandOffText("?Hello?World?"), "hello");
  EXPECT_EQ(HandOffText("???X"), "");                 // text after the last "?" is never taken
  EXPECT_EQ(HandOffText("ABC"), "");
  std::string message = HandOffText(BuildHandOff(kHandOffConfigure, {"/c"}));
  EXPECT_NE(message.find("exe版"), std::string::npos) << Utf8(message);
  EXPECT_NE(message.find("scr版"), std::string::npos) << Utf8(message);
  EXPECT_EQ(message.find("EXE"), std::string::npos);
  EXPECT_EQ(HandOffText("?アイウ?"), "アイウ");          // trail bytes that look like letters stay
}

}  // namespace
}  // namespace app

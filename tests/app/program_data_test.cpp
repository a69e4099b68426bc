// A user who may write neither the Windows folder nor Program Files: the manager, its hand-over,
// the timer file in the editor and the screen-saver runner all keep their files in the user's
// own folder, which took over the Windows folder's lists on its first use.
#include <gtest/gtest.h>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/installed.h"
#include "store/list_file.h"
#include "store/settings_key.h"

namespace app {
namespace {

constexpr char kUser[] = "C:\\Users\\User\\AppData\\Local\\KAPUL SOFT32\\QUOVEL32\\";
using V = std::vector<std::string>;

TEST(ProgramDataTest, EveryRoleKeepsItsFilesInTheUsersFolder) {
  platform::fake::FakePlatform p;
  testsupport::Installed(p);
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), "MEMORY", "0,-1,0,0,0,0,0");
  p.fs.AddFile("C:\\SAVERS\\A.SCR", "MZ a");
  p.fs.AddFile("C:\\WINDOWS\\QVLA32M0.LIS", "C:\\SAVERS\\A.SCR\r\n");
  p.fs.AddFile("C:\\Program Files\\QUOVEL32\\QUOVEL32.EXE", "MZ");
  p.fs.AddFolder("C:\\Users\\User\\AppData\\Local");
  p.fs.ProtectFolder("C:\\WINDOWS");
  p.fs.ProtectFolder("C:\\Program Files\\QUOVEL32");
  {
    guitest::HeadlessApp h;
    Program manager(h.app, p.Services(),
                    DecideLaunch("C:\\Program Files\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
    ASSERT_TRUE(manager.Start([](const std::string&) {}));
    forms::TQUOVEL32KAPUL& m = *manager.Manager();
    m.Show();
    h.backend.Advance(1000);
    EXPECT_EQ(m.ListBox2.Items(), V{"C:\\SAVERS\\A.SCR"});  // copied from the Windows folder
    h.backend.ExpectModal("TMKBox", "データを転送しました").Answer(gui::kMrOk);
    m.F1.UserClick();
    EXPECT_EQ(store::LoadList(p.fs, kUser + std::string("QVLA32MH.LIS")), V{});
    EXPECT_TRUE(p.fs.FileExists(kUser + std::string("QUOVEL32CD.LIS")));
    m.K9.UserClick();
    EXPECT_EQ(p.processes.Started().back().request.commandLine,
              "notepad.exe \"" + std::string(kUser) + "QUOVEL32.Tim\" ");
    m.Close();
    EXPECT_TRUE(p.fs.FileExists(kUser + std::string("QVLE32MH.LIS")));
  }
  guitest::HeadlessApp h;
  Program runner(h.app, p.Services(), DecideLaunch("C:\\WINDOWS\\QUOVEL32.SCR", {"/s"}, p.desktop, p.registry));
  ASSERT_TRUE(runner.Start([](const std::string&) {}));
  for (int i = 0; i < 100 && p.processes.Started().back().program != "C:\\SAVERS\\A.SCR"; ++i) {
    h.backend.Advance(100);
  }
  EXPECT_EQ(p.processes.Started().back().program, "C:\\SAVERS\\A.SCR");
}

}  // namespace
}  // namespace app

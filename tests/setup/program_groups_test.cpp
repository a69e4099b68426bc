// Program Manager groups: the installer's group list, the replies and failures of the
// conversation, the start-up group, and the manager's start-up, desktop and version menu items.
#include <gtest/gtest.h>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "setup/program_groups.h"
#include "store/settings_key.h"
#include "support/installed.h"

namespace setup {
namespace {

using V = std::vector<std::string>;
using platform::RegistryRoot;
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

TEST(InstallerGroups, SortedWithTheMakersGroupsLast) {
  platform::fake::FakeCollation collation;
  struct Case {
    V names, rows;
  };
  for (const Case& c : {Case{{"b", "KAPUL SOFT32", "A"}, {"A", "b", "KAPUL SOFT32"}},
                        Case{{"KAPUL SOFT", "kapul soft32", "Z", "A"}, {"A", "Z", "KAPUL SOFT", "KAPUL SOFT32"}},
                        Case{{}, {"KAPUL SOFT32"}}}) {
    EXPECT_EQ(InstallerGroups(c.names, collation), c.rows);
  }
}

// Names stand between double quotes, brackets and commas in them included; a name with a double
// quote makes no command, which is refused unsent.
TEST(ProgramManager, CommandsQuoteEveryName) {
  EXPECT_EQ(CreateGroupCommand("Tools (x86)"), "[CreateGroup(\"Tools (x86)\")]\r\n");
  EXPECT_EQ(ShowGroupCommand("A, B [1]"), "[ShowGroup(\"A, B [1]\",1)]\r\n");
  EXPECT_EQ(ShowGroupCommand("a\"b") + AddItemCommand("C:\\a\"b.exe"), "");
  platform::fake::FakeDde dde;
  EXPECT_EQ(ProgramManager(dde).Execute(CreateGroupCommand("a\"b")), kSendFailed);
  EXPECT_TRUE(dde.Commands().empty());
}

TEST(ProgramManager, RepliesAndFailures) {
  platform::fake::FakeDde dde;
  ProgramManager pm(dde);
  dde.SetItem("GROUPS", "Accessories\r\nゲーム\r\n\r\nLast");
  EXPECT_EQ(pm.Groups(), (V{"Accessories", "ゲーム", "Last"}));
  EXPECT_EQ(pm.Execute("[X]\r\n"), "");
  dde.OnExecute = [](const std::string&) { return platform::DdeStatus::kRefused; };
  EXPECT_EQ(pm.Execute("[X]\r\n"), kSendFailed);
  dde.SetServerRunning(false);
  EXPECT_EQ(pm.Execute("[X]\r\n"), kOpenFailed);
  EXPECT_EQ(pm.Groups(), std::nullopt);
}

TEST(StartupGroup, MapGroupsElseTheStartupFolderInsideTheProgramsFolder) {
  struct Case {
    const char *mapped, *programs, *startup, *group;
  };
  for (const Case& c : {Case{"Autostart", "C:\\P", "C:\\P\\StartUp", "Autostart"},
                        Case{nullptr, "C:\\P", "C:\\P\\スタートアップ", "スタートアップ"},
                        Case{nullptr, "C:\\P", "C:\\Elsewhere\\StartUp", ""},
                        Case{nullptr, nullptr, "C:\\P\\StartUp", ""}}) {
    platform::fake::FakeRegistry registry;
    if (c.mapped) registry.WriteString(kUser, kExplorer + "\\MapGroups", "StartUp", c.mapped);
    if (c.programs) registry.WriteString(kUser, kExplorer + "\\Shell Folders", "Programs", c.programs);
    registry.WriteString(kUser, kExplorer + "\\Shell Folders", "Startup", c.startup);
    EXPECT_EQ(StartupGroup(registry), c.group) << c.startup;
  }
}

// The manager's Options menu and its help menu item, as the program wires them.
struct SetupMenuTest : testing::Test {
  SetupMenuTest() {
    testsupport::Installed(p);
    p.registry.WriteString(kUser, store::ScrKey(), "Group", "KAPUL SOFT32");
    p.registry.WriteString(kUser, kExplorer + "\\Shell Folders", "Programs", "C:\\P");
    p.registry.WriteString(kUser, kExplorer + "\\Shell Folders", "Startup", "C:\\P\\StartUp");
    p.registry.WriteString(kUser, kExplorer + "\\Shell Folders", "Desktop", "C:\\D");
    p.fs.AddFolder("C:\\D");
    program = std::make_unique<app::Program>(h.app, p.Services(),
                                             app::DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
    program->Start([](const std::string&) {});
    program->Manager()->Show();
    h.backend.Advance(1000);
  }
  // Opens the Options menu and picks `item`; false when it is not offered.
  bool Pick(const std::string& item) {
    program->Manager()->MOption0.UserClick();
    return program->Manager()->UserPickMenu(item);
  }
  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::unique_ptr<app::Program> program;
};

TEST_F(SetupMenuTest, StartupItemThroughProgramManager) {
  ASSERT_TRUE(Pick("MICON_SET"));
  EXPECT_EQ(p.dde.Commands(),
            (V{"[CreateGroup(\"StartUp\")]\r\n", "[AddItem(\"C:\\QUOVEL32\\QUOVEL32.EXE\",\"QUOVEL32 EXE版\")]\r\n"}));
  // The shell made the shortcut: only the deletion is offered now, and a refusal is shown.
  p.fs.AddFile("C:\\P\\StartUp\\QUOVEL32 EXE版.lnk", "link");
  p.dde.OnExecute = [](const std::string& c) {
    return c.starts_with("[DeleteItem") ? platform::DdeStatus::kRefused : platform::DdeStatus::kOk;
  };
  EXPECT_FALSE(Pick("MICON_SET"));
  h.backend.ExpectModal("TMKBox", "DDE:送信に失敗しました・・・").Answer(gui::kMrOk);
  EXPECT_TRUE(Pick("MICON_DEL"));
}

TEST_F(SetupMenuTest, DesktopIconIsACopyOfTheGroupsShortcut) {
  h.backend.ExpectModal("TMKBox", "QUOVEL32 EXE版\nデスクトップへの登録に失敗しました・・・").Answer(gui::kMrOk);
  ASSERT_TRUE(Pick("MDESK_SET"));   // the group's shortcut is missing
  p.fs.AddFile("C:\\P\\KAPUL SOFT32\\QUOVEL32 EXE版.lnk", "link");
  ASSERT_TRUE(Pick("MDESK_SET"));
  EXPECT_EQ(p.fs.ReadFile("C:\\D\\QUOVEL32 EXE版.lnk"), "link");
  ASSERT_TRUE(Pick("MDESK_DEL"));
  EXPECT_FALSE(p.fs.FileExists("C:\\D\\QUOVEL32 EXE版.lnk"));
}

TEST_F(SetupMenuTest, VersionNumberDeletion) {
  forms::TQUOVEL32KAPUL& m = *program->Manager();
  h.backend.ExpectModal("TMKBox", "バージョン番号を削除してもよろしいですか？？？").Answer(gui::kMrNo);
  h.backend.ExpectModal("TMKBox", "バージョン番号削除を中止しました・・・").Answer(gui::kMrOk);
  m.MHelp0.UserClick();
  ASSERT_TRUE(m.UserPickMenu("help4"));
  EXPECT_EQ(p.registry.ReadString(kUser, store::ScrKey(), "Version"), "16");
  h.backend.ExpectModal("TMKBox", "バージョン番号削除：").Answer(gui::kMrYes);
  ASSERT_TRUE(m.UserPickMenu("help4"));
  EXPECT_EQ(p.registry.ReadString(kUser, store::ScrKey(), "Version"), "");
  EXPECT_EQ(app::DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry).action, app::Action::kInstaller);
}

}  // namespace
}  // namespace setup

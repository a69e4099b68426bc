// What only the fakes of the other areas offer: planted values and injected failures, the
// simulated programs and their ends, windows with message handlers, display names, and the
// wiring of FakePlatform.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace {

using platform::OsError;
using platform::RegistryRoot;
using platform::fake::FakePlatform;
using platform::fake::ProgramBehaviour;

TEST(FakeRegistry, OtherValueTypesAreNotStringsAndChangesAreLogged) {
  platform::fake::FakeRegistry reg;
  reg.SetNonString(RegistryRoot::kCurrentUser, "Control Panel\\Desktop", "ScreenSaveTimeOut");
  EXPECT_EQ(reg.ReadString(RegistryRoot::kCurrentUser, "Control Panel\\Desktop", "ScreenSaveTimeOut"), std::nullopt);
  EXPECT_EQ(reg.HasContent(RegistryRoot::kCurrentUser, "Control Panel"), true);

  reg.FailNextChange(platform::code::kAccessDenied);
  EXPECT_EQ(reg.WriteString(RegistryRoot::kLocalMachine, "Software\\X", "A", "1").error, OsError::kAccessDenied);
  EXPECT_FALSE(reg.KeyExists(RegistryRoot::kLocalMachine, "Software\\X"));
  ASSERT_TRUE(reg.WriteString(RegistryRoot::kLocalMachine, "Software\\X", "A", "1"));
  ASSERT_TRUE(reg.DeleteTree(RegistryRoot::kLocalMachine, "software\\x"));
  EXPECT_EQ(reg.Changes(), (std::vector<std::string>{"Write HKLM\\Software\\X[A]=1", "DeleteTree HKLM\\software\\x"}));
  // The roots are separate trees.
  ASSERT_TRUE(reg.WriteString(RegistryRoot::kUsers, ".Default\\Software\\Unin_KAPUL SOFT32", "File", "C:\\Q.EXE"));
  EXPECT_EQ(reg.ReadString(RegistryRoot::kCurrentUser, ".Default\\Software\\Unin_KAPUL SOFT32", "File"), std::nullopt);
}

TEST(FakeProfile, KeysJoinTheirSectionAndCommentsAreNoKeys) {
  FakePlatform os;
  ASSERT_TRUE(os.fs.WriteFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n;SCRNSAVE.EXE=old\r\nshell=Explorer.exe\r\n\r\n[drivers]\r\nwave=x\r\n"));
  EXPECT_EQ(os.profile.ReadString("system.ini", "boot", "SCRNSAVE.EXE", "none  "), "none");
  ASSERT_TRUE(os.profile.WriteString("SYSTEM.INI", "boot", "SCRNSAVE.EXE", "C:\\WINDOWS\\QUOVEL32.SCR"));
  ASSERT_TRUE(os.profile.WriteString("SYSTEM.INI", "new", "k", "v"));
  EXPECT_EQ(os.fs.ReadFile("C:\\WINDOWS\\SYSTEM.INI"),
            "[boot]\r\n;SCRNSAVE.EXE=old\r\nshell=Explorer.exe\r\nSCRNSAVE.EXE=C:\\WINDOWS\\QUOVEL32.SCR\r\n\r\n"
            "[drivers]\r\nwave=x\r\n[new]\r\nk=v\r\n");
  os.fs.FailNext(platform::fake::FsOp::kOpen, "C:\\WINDOWS\\SYSTEM.INI", platform::code::kSharingViolation);
  EXPECT_EQ(os.profile.ReadString("SYSTEM.INI", "boot", "shell", "-"), "-");
}

TEST(FakeProcesses, SaversEndOnUserInputThroughTheDesktop) {
  FakePlatform os;
  os.fs.AddFile("C:\\My Savers\\Stars.scr", "MZ\x90");
  os.processes.SetBehaviour("stars.SCR", ProgramBehaviour{true, -1, 0});
  platform::StartRequest request;
  request.commandLine = "C:\\My Savers\\Stars.scr /s";  // unquoted, with a blank, as the play engine builds it
  request.currentFolder = "C:\\My Savers";
  platform::StartedProcess saver = os.processes.Start(request);
  ASSERT_TRUE(saver.result);
  EXPECT_EQ(os.processes.Started().back().program, "C:\\My Savers\\Stars.scr");
  EXPECT_TRUE(os.processes.StillRunning(saver.process));
  EXPECT_EQ(os.processes.RunningExecutables(), (std::vector<std::string>{"QUOVEL32.EXE", "STARS.SCR"}));

  os.desktop.MoveCursor(*os.desktop.CursorPos());  // no movement, no input
  EXPECT_TRUE(os.processes.StillRunning(saver.process));
  os.desktop.PressKey(platform::vk::kShift);
  EXPECT_FALSE(os.processes.StillRunning(saver.process));
  EXPECT_EQ(os.processes.ExitCode(saver.process), 0u);
  EXPECT_EQ(os.processes.OpenHandles(), 1);
  os.processes.Close(saver.process);
  EXPECT_EQ(os.processes.OpenHandles(), 0);
}

TEST(FakeProcesses, ProgramsEndWhenTheTestSays) {
  FakePlatform os;
  os.processes.SetDefaultBehaviour(ProgramBehaviour{false, 3, 1});
  platform::StartRequest request;
  request.commandLine = "notepad.exe C:\\WINDOWS\\QUOVEL32.Tim";
  platform::StartedProcess polled = os.processes.Start(request);
  ASSERT_TRUE(polled.result);
  EXPECT_EQ(os.processes.Started().back().program, "C:\\WINDOWS\\notepad.exe");
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(os.processes.StillRunning(polled.process)) << i;
  EXPECT_FALSE(os.processes.StillRunning(polled.process));
  EXPECT_EQ(os.processes.ExitCode(polled.process), 1u);

  os.processes.FailNextStart(platform::code::kAccessDenied);
  EXPECT_EQ(os.processes.Start(request).result.error, OsError::kAccessDenied);
  os.processes.SetDefaultBehaviour(ProgramBehaviour{});
  platform::StartedProcess held = os.processes.Start(request);
  EXPECT_TRUE(os.processes.StillRunning(held.process));
  os.processes.Exit(held.process.id, 42);
  EXPECT_EQ(os.processes.ExitCode(held.process), 42u);
}

TEST(FakeProcesses, ViewersAndShellOpenAreRecorded) {
  FakePlatform os;
  ASSERT_TRUE(os.fs.SetCurrentFolder("C:\\WINDOWS"));
  EXPECT_EQ(os.processes.StartViewer("winhlp32.exe C:\\QUOVEL32\\QUOVEL32.HLP", ""), 33u);
  EXPECT_EQ(os.processes.Started().back().request.currentFolder, "C:\\WINDOWS");
  EXPECT_TRUE(os.processes.Started().back().viewer);
  EXPECT_EQ(os.processes.StartViewer("C:\\NOWHERE\\viewer.exe", ""), 2u);
  os.fs.AddFile("C:\\DATA\\README.EXE", "text");
  EXPECT_EQ(os.processes.StartViewer("C:\\DATA\\README.EXE", ""), 11u);

  EXPECT_TRUE(os.processes.ShellOpen("mailto:someone@example.com"));
  os.processes.FailNextShellOpen(1155);
  EXPECT_FALSE(os.processes.ShellOpen("http://example.com/"));
  EXPECT_EQ(os.processes.ShellOpened().size(), 2u);
}

TEST(FakeDesktop, WindowsFoundByClassAnswerMessages) {
  platform::fake::FakeDesktop desktop;
  std::string handedOver;
  platform::WindowId manager = desktop.AddWindow("TQUOVEL32KAPUL", {10, 20, 410, 320},
                                                 [&](uint32_t message, uintptr_t wParam, intptr_t) -> intptr_t {
                                                   if (message == platform::msg::kUser + 1) {
                                                     handedOver = desktop.GlobalAtomName(static_cast<uint16_t>(wParam)).value_or("");
                                                   }
                                                   return 1;
                                                 });
  EXPECT_EQ(desktop.FindWindowByClass("tquovel32kapul"), manager);
  EXPECT_EQ(desktop.WindowRect(manager)->width(), 400);
  uint16_t atom = desktop.AddGlobalAtom("?/c?");
  EXPECT_EQ(desktop.Send(manager, platform::msg::kUser + 1, atom, 0), 1);
  EXPECT_EQ(handedOver, "?/c?");
  desktop.DeleteGlobalAtom(atom);
  EXPECT_EQ(desktop.AtomCount(), 0u);

  desktop.Broadcast(platform::msg::kKeyDown, platform::vk::kEscape, 0);
  EXPECT_EQ(desktop.Messages().back().window, platform::fake::FakeDesktop::kBroadcast);
  desktop.RemoveWindow(manager);
  EXPECT_EQ(desktop.FindWindowByClass("TQUOVEL32KAPUL"), std::nullopt);
  EXPECT_FALSE(desktop.Post(manager, 0, 0, 0));
}

TEST(FakeDesktop, ChildWindowsAreSeenOnlyBelowTheTopLevelAndGoWithTheirParent) {
  platform::fake::FakeDesktop desktop;
  platform::WindowId dialog = desktop.AddWindow("Dialog", {0, 0, 400, 300});
  platform::WindowId area = desktop.AddChildWindow(dialog, "Area", {10, 10, 162, 122});
  platform::WindowId title = desktop.AddChildWindow(area, "TQUOVEL32TITLE", {10, 10, 162, 122});
  EXPECT_EQ(desktop.FindWindowByClass("TQUOVEL32TITLE"), std::nullopt);
  EXPECT_EQ(desktop.FindWindowOrChildByClass("tquovel32title"), title);
  EXPECT_EQ(desktop.FindWindowOrChildByClass("Dialog"), dialog);
  EXPECT_EQ(desktop.WindowAt({20, 20}), dialog);   // the top-level window holding the point
  desktop.RemoveWindow(dialog);
  EXPECT_EQ(desktop.FindWindowOrChildByClass("TQUOVEL32TITLE"), std::nullopt);
  EXPECT_EQ(desktop.WindowRect(area), std::nullopt);
}

TEST(FakeDesktop, ScreenSaverSettingsRemember) {
  platform::fake::FakeDesktop desktop;
  ASSERT_TRUE(desktop.SetScreenSaverActive(false, false));
  EXPECT_EQ(desktop.ScreenSaverActive(), false);
  EXPECT_FALSE(desktop.ScreenSaverPersisted());
  ASSERT_TRUE(desktop.SetScreenSaverTimeout(120, true));
  EXPECT_EQ(desktop.ScreenSaverTimeout(), 120);
  EXPECT_TRUE(desktop.ScreenSaverPersisted());
  EXPECT_FALSE(desktop.SetScreenSaverTimeout(0, true));
}

TEST(FakeShell, DisplayNamesAndFailuresAreTheTestsChoice) {
  FakePlatform os;
  os.fs.AddFolder("C:\\Users\\User\\Documents");
  os.shell.SetDisplayName("c:\\users\\user\\documents", "ドキュメント");
  platform::ShellListing listing = os.shell.Folders("C:\\Users\\User", false, true);
  ASSERT_TRUE(listing.ok());
  ASSERT_EQ(listing.items.size(), 1u);
  EXPECT_EQ(listing.items[0].name, "ドキュメント");
  EXPECT_EQ(listing.items[0].parsingName, "C:\\Users\\User\\Documents");

  os.shell.FailNext(0x80004005);
  EXPECT_EQ(os.shell.Folders("C:\\Users\\User", false, true).error, 0x80004005u);
  EXPECT_TRUE(os.shell.Folders("C:\\", false, false).ok());
  EXPECT_EQ(os.shell.Listings(), 3);
  EXPECT_TRUE(os.shell.SpecialFolderPath(platform::SpecialFolder::kStartup)->ends_with("\\Startup"));
}

TEST(ShellFolders, OnlyFileSystemFoldersThatAreNoStreamsCount) {
  using namespace platform::sfgao;
  struct Case {
    uint32_t attributes;
    bool folder;
  } cases[] = {
      {kFolder | kFileSystem, true},             // a folder on a drive
      {kFolder | kFileSystem | kStream, false},  // a zip or cab file
      {kFolder, false},                          // a virtual folder (the control panel, say)
      {kFileSystem | kStream, false},            // a plain file
  };
  for (const Case& c : cases) EXPECT_EQ(platform::IsFileSystemFolder(c.attributes), c.folder) << std::hex << c.attributes;
}

TEST(FakeShell, CompressedFilesAreNoFolders) {
  FakePlatform os;
  os.fs.AddFolder("C:\\Data\\Real");
  os.fs.AddFile("C:\\Data\\Savers.zip", "PK");
  os.shell.SetCompressedFolder("c:\\data\\savers.zip");
  platform::ShellListing listing = os.shell.Folders("C:\\Data", true, true);
  ASSERT_TRUE(listing.ok());
  ASSERT_EQ(listing.items.size(), 1u);
  EXPECT_EQ(listing.items[0].name, "Real");
}

}  // namespace

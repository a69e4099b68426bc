// The installer and the uninstaller on the fake machine, driven as a user drives them: the
// copies by folder, the folder questions, the settings and Program Manager commands written, the
// removal through the uninstaller copy, and the fallbacks for a user who may not write the
// Windows folder, HKEY_LOCAL_MACHINE or HKEY_USERS.
#include <gtest/gtest.h>

#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/setup_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "setup/install_plan.h"
#include "setup/installer.h"
#include "setup/program_groups.h"
#include "store/settings_key.h"

namespace setup {
namespace {

using V = std::vector<std::string>;
using platform::RegistryRoot;
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
const std::string kPrograms = "C:\\Users\\User\\Start Menu\\Programs";
const std::string kLocal = "C:\\Users\\User\\AppData\\Local";

TEST(PlanCopies, ByTheFoldersOfSourceTargetAndWindows) {
  struct Case {
    const char *source, *target;
    bool writable;
    V copies;  // "from>to", folders shortened to their letter (the Windows folder is given in lower case)
  };
  const Case cases[] = {
      {"S", "T", true, {"S:E>T:E", "S:D>T:D", "S:T1>T:T1", "S:T2>T:T2", "S:E>W:E", "S:D>W:D", "S:T1>W:T1", "S:E>W:SCR"}},
      {"T", "T", true, {"T:E>W:E", "T:D>W:D", "T:T1>W:T1", "T:E>W:SCR"}},
      {"W", "T", true, {"W:E>T:E", "W:D>T:D", "W:T1>T:T1", "W:T2>T:T2"}},  // no screen saver
      {"S", "T", false, {"S:E>T:E", "S:D>T:D", "S:T1>T:T1", "S:T2>T:T2", "S:E>T:SCR"}},
      {"T", "T", false, {"T:E>T:SCR"}},
  };
  auto full = [](const char* folder) { return std::string("C:\\") + folder + "\\"; };
  auto brief = [](std::string path) {
    for (auto [from, to] : {std::pair{"QUOVEL32.EXE", "E"}, {"UnLha32.DLL", "D"}, {"QUOVEL32.TXT", "T1"}, {"QvLA解凍.TXT", "T2"},
                            {"QUOVEL32.SCR", "SCR"}}) {
      if (path.ends_with(from)) path = std::string(1, static_cast<char>(toupper(path[3]))) + ":" + to;
    }
    return path;
  };
  for (const Case& c : cases) {
    // The second text file is missing beside the program: only the copies to the program
    // folder insist on it.
    const CopyPlan plan = PlanCopies(full(c.source), full(c.target), "c:\\w\\", c.writable,
                                     [](const std::string& p) { return !p.ends_with("解凍.TXT"); });
    V got;
    for (const FileCopy& f : plan.copies) got.push_back(brief(f.from) + ">" + brief(f.to));
    EXPECT_EQ(got, c.copies) << c.source << c.target << c.writable;
    EXPECT_EQ(plan.inWindowsFolder, c.writable && std::string(c.source) != "W");
  }
}

// A library already at the target is replaced only when the record shows it as ours and older.
TEST(ChooseCopy, ALibraryIsReplacedOnlyWhenOursAndOlder) {
  struct Case {
    bool recorded, changed;
    uint64_t thereTime;
    CopyChoice choice;
  };
  for (const Case& c : {Case{false, false, 1, CopyChoice::kKeepForeign}, Case{true, true, 1, CopyChoice::kKeepForeign},
                        Case{true, false, 1, CopyChoice::kCopy}, Case{true, false, 9, CopyChoice::kKeepOurs}}) {
    platform::fake::FakePlatform p;
    const FileCopy copy{"C:\\S\\X.DLL", "C:\\T\\X.DLL", true};
    p.fs.AddFile(copy.from, "MZ new");
    p.fs.SetLastWriteTime(copy.from, platform::FileTime{5});
    p.fs.AddFile(copy.to, "MZ there");
    p.fs.SetLastWriteTime(copy.to, platform::FileTime{c.thereTime});
    InstalledFiles record(p.registry, p.fs);
    if (c.recorded) record.Note(copy.to);
    record.Write(RegistryRoot::kCurrentUser);
    if (c.changed) p.fs.AddFile(copy.to, "MZ changed");
    EXPECT_EQ(ChooseCopy(p.fs, InstalledFiles(p.registry, p.fs), copy), c.choice) << c.recorded << c.changed << c.thereTime;
  }
}

// Beyond the texts and screen saver beside the program, only what the record shows as ours goes; an
// older version's record names no files, and then the texts and screen saver in Windows go too.
TEST(FilesToRemove, TheRecordDecidesBeyondTheProgramsOwnFiles) {
  platform::fake::FakePlatform p;
  InstalledFiles record(p.registry, p.fs);
  for (const char* folder : {"C:\\P\\", "C:\\WINDOWS\\"}) {
    for (const char* name : {"QUOVEL32.TXT", "QvLA解凍.TXT", "QUOVEL32.SCR", "UnLha32.DLL", "QUOVEL32.EXE"}) {
      p.fs.AddFile(std::string(folder) + name, "x");
      record.Note(std::string(folder) + name);
    }
  }
  const V own = {"C:\\P\\QUOVEL32.TXT", "C:\\P\\QvLA解凍.TXT", "C:\\P\\QUOVEL32.SCR"};
  auto removed = [&] { return FilesToRemove(InstalledFiles(p.registry, p.fs), "C:\\P\\", "C:\\WINDOWS\\"); };
  EXPECT_EQ(removed(), (V{own[0], "C:\\WINDOWS\\QUOVEL32.TXT", own[1], "C:\\WINDOWS\\QvLA解凍.TXT", own[2],
                          "C:\\WINDOWS\\QUOVEL32.SCR"}));
  record.Write(RegistryRoot::kLocalMachine);
  p.fs.AddFile("C:\\WINDOWS\\UnLha32.DLL", "MZ another program's");
  p.fs.AddFile("C:\\WINDOWS\\QUOVEL32.TXT", "changed");
  EXPECT_EQ(removed(), (V{own[0], own[1], "C:\\WINDOWS\\QvLA解凍.TXT", own[2], "C:\\WINDOWS\\QUOVEL32.SCR",
                          "C:\\P\\UnLha32.DLL", "C:\\WINDOWS\\QUOVEL32.EXE"}));
}

// One start of the program in a setup mode: its own application, form and installer.
struct Start {
  Start(platform::fake::FakePlatform& p, int mode, const std::string& folder, const std::string& arg = "")
      : os(p.Services()),
        paths(p.fs, p.shell, p.collation, p.desktop.WindowsFolder()),
        form(h.app.CreateForm<forms::TSCR32SETUPForm>()),
        installer(h.app, form, os, box, paths, SetupContext{mode, folder, arg, 16}) {
    p.processes.SetExecutablePath(folder + (mode == 2 ? kUninstallerFile : kProgramFile));
    installer.Create();
  }
  // The next message box shows `text` and is answered with `result`.
  void Expect(const std::string& text, int result) { h.backend.ExpectModal("TMKBox", text).Answer(result); }

  guitest::HeadlessApp h;
  platform::Services os;
  common::TMKBoxDlg box{h.app, os.desktop};
  browse::ShellPaths paths;
  forms::TSCR32SETUPForm& form;
  Installer installer;
};

struct InstallerTest : testing::Test {
  InstallerTest() {
    p.fs.AddFile("C:\\DL\\QUOVEL32.EXE", "MZ program");
    p.fs.AddFile("C:\\DL\\UnLha32.DLL", "MZ library");
    for (const char* text : kTextFiles) p.fs.AddFile(std::string("C:\\DL\\") + text, "text");
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    p.registry.WriteString(kUser, shellFolders, "Programs", kPrograms);
    p.registry.WriteString(kUser, shellFolders, "Startup", kPrograms + "\\StartUp");
    p.registry.WriteString(kUser, shellFolders, "Desktop", "C:\\Users\\User\\Desktop");
    p.fs.AddFolder(kPrograms + "\\StartUp");
    p.fs.AddFile("C:\\Users\\User\\Desktop\\QUOVEL32 EXE版.lnk", "link");
    p.dde.SetItem("GROUPS", "Accessories\r\nKAPUL SOFT32\r\n");
  }
  std::string Value(RegistryRoot root, const std::string& key, const std::string& name) {
    return p.registry.ReadString(root, key, name).value_or("<missing>");
  }
  std::string Scr(const std::string& name) { return Value(kUser, store::ScrKey(), name); }
  std::string Boot() { return p.profile.ReadString("SYSTEM.INI", "boot", "SCRNSAVE.EXE", "<missing>"); }
  // Installs from C:\DL into `target`, a folder that does not exist yet.
  void Install(const std::string& target, bool startup) {
    Start run(p, 0, "C:\\DL\\");
    EXPECT_EQ(run.form.Caption(), "QUOVEL32 V1．6 インストール");
    EXPECT_EQ(run.form.ComboBox1.Items(), (V{"Accessories", "KAPUL SOFT32"}));
    EXPECT_EQ(run.form.ComboBox1.Text(), "KAPUL SOFT32");
    EXPECT_EQ(run.form.Edit2.Text(), "C:\\KaPULT32\\TmPQVLA");
    run.form.Show();
    run.form.Edit1.UserType(target);
    run.form.CheckBoxST.UserCheck(startup);
    run.form.SpinButtonSS.OnUpClick(run.form.SpinButtonSS);
    run.Expect("C:\\KaPULT32\\TmPQVLA\nフォルダーを作成します", gui::kMrYes);
    run.Expect(target + "\nフォルダーを作成します", gui::kMrYes);
    run.Expect("[ KAPUL SOFT32 ]\nグループに登録しました☆☆", gui::kMrOk);
    run.form.Button3.UserClick();
    EXPECT_TRUE(run.h.app.Terminated());
  }
  void Uninstall(const std::string& folder, int memoryAnswer) {
    Start run(p, 1, folder);
    run.Expect("KAPULSOFT QUOVEL32 V1.6\nを、アンインストールしてよろしいですか？？？", gui::kMrYes);
    run.Expect("LIS/TIM等のﾒﾓﾘｰﾃﾞｰﾀﾌｧｲﾙも削除して", memoryAnswer);
    run.Expect("当ソフトのレジストリー情報も削除してよろしいですか？？", gui::kMrYes);
    run.h.app.Run();
    EXPECT_FALSE(run.form.Visible());
    EXPECT_TRUE(run.h.app.Terminated());
  }
  // The uninstaller copy takes over from the started command line.
  void RunCopy(const std::string& commandLine) {
    const std::string copy = commandLine.substr(1, commandLine.find('"', 1) - 1);
    std::string folder = copy.substr(0, copy.rfind('\\') + 1);
    Start run(p, 2, folder, "/deletefile");
    run.Expect("削除が完了しました☆☆☆", gui::kMrOk);
    run.h.app.Run();
    EXPECT_EQ(run.form.Caption(), "QUOVEL32 V1．6 アンインストール");
  }
  platform::fake::FakePlatform p;
};

TEST_F(InstallerTest, InstallThenUninstallThroughTheCopy) {
  p.desktop.SetScreenSaverActive(false, true);
  p.desktop.SetScreenSaverTimeout(300, true);
  p.fs.AddFile("C:\\WINDOWS\\UnLha32.DLL", "MZ another program's library");
  Install("C:\\A\\B C\\D", true);   // three missing levels, one question
  EXPECT_EQ(p.fs.ReadFile("C:\\WINDOWS\\UnLha32.DLL"), "MZ another program's library");
  for (const char* file : {"C:\\A\\B C\\D\\QUOVEL32.EXE", "C:\\A\\B C\\D\\QvLA解凍.TXT", "C:\\WINDOWS\\QUOVEL32.TXT",
                           "C:\\WINDOWS\\QUOVEL32.SCR", kPrograms.c_str()}) {
    EXPECT_TRUE(p.fs.Attributes(file)) << file;
  }
  EXPECT_TRUE(p.fs.DirectoryExists(kPrograms + "\\KAPUL SOFT32"));
  EXPECT_EQ(Boot(), "C:\\WINDOWS\\QUOVEL32.SCR");
  EXPECT_EQ((V{Scr("TMPQVLA"), Scr("EXEPATH"), Scr("Group"), Scr("Version"), Scr("BackColor")}),
            (V{"C:\\KaPULT32\\TmPQVLA", "C:\\A\\B C\\D", "KAPUL SOFT32", "16", "1"}));
  EXPECT_EQ(Value(RegistryRoot::kLocalMachine, kUninstallKey, "UninstallString"),
            "\"C:\\A\\B C\\D\\QUOVEL32.EXE\" /uninstall");
  EXPECT_EQ(Value(RegistryRoot::kLocalMachine, kUninstallKey, "DisplayName"), "KAPULSOFT QUOVEL32 V1.6");
  const std::string add = "[AddItem(\"C:\\A\\BC~1\\D\\QUOVEL32.EXE\",\"QUOVEL32 EXE版\")]\r\n";
  EXPECT_EQ(p.dde.Commands(), (V{"[CreateGroup(\"KAPUL SOFT32\")]\r\n", add, "[CreateGroup(\"StartUp\")]\r\n", add}));
  EXPECT_EQ(p.desktop.ScreenSaverTimeout(), 360);
  EXPECT_EQ(p.desktop.ScreenSaverActive(), true);

  // Another product of the maker, the lists of the program, and an older uninstaller copy.
  p.registry.WriteString(kUser, "Software\\KAPUL SOFT32\\OTHER", "Version", "3");
  p.fs.AddFile("C:\\A\\B C\\D\\QVLE32M0.LIS", "");
  p.fs.AddFile("C:\\WINDOWS\\QVLA32M0.LIS", "");
  p.fs.AddFile("C:\\WINDOWS\\QVNAME32.DAT", "");
  p.fs.AddFile("C:\\WINDOWS\\QVLIST32.DAT", "");
  p.dde.Clear();
  Uninstall("C:\\A\\B C\\D\\", gui::kMrNo);
  EXPECT_TRUE(p.fs.FileExists("C:\\WINDOWS\\UnLha32.DLL"));
  for (const char* gone : {"C:\\WINDOWS\\QVNAME32.DAT", "C:\\WINDOWS\\QVLIST32.DAT", "C:\\WINDOWS\\QUOVEL32.SCR", "C:\\WINDOWS\\QUOVEL32.TXT", "C:\\WINDOWS\\QUOVEL32.EXE",
                           "C:\\A\\B C\\D\\UnLha32.DLL",
                           "C:\\A\\B C\\D\\QvLA解凍.TXT", "C:\\Users\\User\\Desktop\\QUOVEL32 EXE版.lnk"}) {
    EXPECT_FALSE(p.fs.Attributes(gone)) << gone;
  }
  EXPECT_TRUE(p.fs.FileExists("C:\\WINDOWS\\QVLA32M0.LIS"));   // the lists were kept
  EXPECT_FALSE(p.fs.DirectoryExists("C:\\KaPULT32"));            // the empty working folder was not
  EXPECT_EQ(p.dde.Commands(), (V{"[ShowGroup(\"KAPUL SOFT32\",1)]\r\n", "[DeleteItem(\"QUOVEL32 EXE版\")]\r\n",
                                 "[ShowGroup(\"StartUp\",1)]\r\n", "[DeleteItem(\"QUOVEL32 EXE版\")]\r\n"}));
  EXPECT_FALSE(p.registry.KeyExists(kUser, store::BaseKey()));
  EXPECT_TRUE(p.registry.KeyExists(kUser, "Software\\KAPUL SOFT32"));
  EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::kLocalMachine, kUninstallKey));
  EXPECT_EQ(Boot(), "");
  EXPECT_EQ(p.desktop.ScreenSaverActive(), false);
  ASSERT_EQ(p.processes.Started().size(), 1u);
  const std::string command = p.processes.Started()[0].request.commandLine;
  EXPECT_EQ(command, "\"C:\\WINDOWS\\unin_kapul000.exe\" \"/DeleteFile\"");
  EXPECT_EQ(Value(RegistryRoot::kUsers, kHandOverKey, "File"), "C:\\A\\B C\\D\\QUOVEL32.EXE");

  RunCopy(command);
  EXPECT_FALSE(p.fs.Attributes("C:\\A\\B C\\D\\QUOVEL32.EXE"));
  EXPECT_TRUE(p.fs.DirectoryExists("C:\\A\\B C\\D"));   // it still holds a list, so its parents stay too
  EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::kUsers, kHandOverKey));
}

// Every value Windows runs names exactly the program in a folder with a blank: quoted where Windows
// honours quotes (the uninstall entry), by the 8.3 form where it splits at blanks anyway (the
// screen saver, Program Manager's items in the group and in StartUp); a folder with a blank and no
// 8.3 form is refused before anything is written.
struct BlankFolder {
  bool shortNames;   // whether the volume makes 8.3 names
  const char *saver, *uninstall, *item;
};
struct CommandsForWindows : InstallerTest, testing::WithParamInterface<BlankFolder> {};
TEST_P(CommandsForWindows, NameTheProgramWhateverItsFolder) {
  const BlankFolder& c = GetParam();
  p.fs.ProtectFolder("C:\\WINDOWS");   // a plain user: the screen saver goes beside the program
  p.registry.ProtectRoot(RegistryRoot::kLocalMachine);
  p.registry.ProtectRoot(RegistryRoot::kUsers);
  if (!c.shortNames) p.fs.SetNoShortNames('C');
  V commands;
  if (c.item != nullptr) {
    Install("C:\\My Tools\\QUOVEL32", true);
    const std::string add = "[AddItem(\"" + std::string(c.item) + "\",\"QUOVEL32 EXE版\")]\r\n";
    commands = {"[CreateGroup(\"KAPUL SOFT32\")]\r\n", add, "[CreateGroup(\"StartUp\")]\r\n", add};
  } else {
    Start run(p, 0, "C:\\DL\\");
    run.form.Show();
    run.form.Edit1.UserType("C:\\My Tools\\QUOVEL32");
    run.Expect("C:\\KaPULT32\\TmPQVLA\nフォルダーを作成します", gui::kMrYes);
    run.Expect("C:\\My Tools\\QUOVEL32\nフォルダーを作成します", gui::kMrYes);
    run.Expect("EXE登録フォルダーを設定して下さい。", gui::kMrOk);
    run.form.Button3.UserClick();
  }
  EXPECT_EQ(Value(kUser, kDesktopKey, "SCRNSAVE.EXE"), c.saver);
  EXPECT_EQ(Value(kUser, kUninstallKey, "UninstallString"), c.uninstall);
  EXPECT_EQ(p.dde.Commands(), commands);
  if (c.item == nullptr) return;
  p.fs.AddFolder(kLocal);
  Uninstall("C:\\My Tools\\QUOVEL32\\", gui::kMrYes);   // the removal knows the 8.3 name for ours
  EXPECT_EQ(Value(kUser, kDesktopKey, "SCRNSAVE.EXE"), "");
}
INSTANTIATE_TEST_SUITE_P(Folders, CommandsForWindows,
                         testing::Values(BlankFolder{true, "C:\\MYTOOL~1\\QUOVEL32\\QUOVEL32.SCR",
                                                     "\"C:\\My Tools\\QUOVEL32\\QUOVEL32.EXE\" /uninstall",
                                                     "C:\\MYTOOL~1\\QUOVEL32\\QUOVEL32.EXE"},
                                         BlankFolder{false, "<missing>", "<missing>", nullptr}));

TEST_F(InstallerTest, UserWhoMayNotWriteTheWindowsFolderOrTheMachinesKeys) {
  p.fs.ProtectFolder("C:\\WINDOWS");
  p.registry.ProtectRoot(RegistryRoot::kLocalMachine);
  p.registry.ProtectRoot(RegistryRoot::kUsers);
  Install("C:\\KaPULP32\\QUOVEL32", false);
  const std::string saver = "C:\\KaPULP32\\QUOVEL32\\QUOVEL32.SCR";
  EXPECT_TRUE(p.fs.FileExists(saver));
  EXPECT_FALSE(p.fs.Attributes("C:\\WINDOWS\\QUOVEL32.SCR"));
  EXPECT_EQ(Value(kUser, kDesktopKey, "SCRNSAVE.EXE"), saver);
  EXPECT_EQ(Value(kUser, kUninstallKey, "UninstallString"), "C:\\KaPULP32\\QUOVEL32\\QUOVEL32.EXE /uninstall");
  EXPECT_EQ(Scr("Version"), "16");
  // Other users of the machine may not change the folders made at the drive's root.
  EXPECT_EQ(p.fs.AccessProtected(), (V{"C:\\KaPULT32", "C:\\KaPULT32\\TmPQVLA", "C:\\KaPULP32", "C:\\KaPULP32\\QUOVEL32"}));

  // The lists live in the user's own folder, which goes with them.
  const std::string data = kLocal + "\\KAPUL SOFT32\\QUOVEL32";
  p.fs.AddFile(data + "\\QVLA32M0.LIS", "");
  p.fs.AddFile(data + "\\QVNAME32.DAT", "");
  p.fs.AddFile(data + "\\QVLIST32.DAT", "");
  p.fs.AddFile("C:\\KaPULT32\\TmPQVLA\\EXTRACTED.SCR", "");
  Uninstall("C:\\KaPULP32\\QUOVEL32\\", gui::kMrYes);
  EXPECT_TRUE(p.fs.FileExists("C:\\KaPULT32\\TmPQVLA\\EXTRACTED.SCR"));
  EXPECT_FALSE(p.fs.Attributes(saver));
  EXPECT_FALSE(p.fs.Attributes(data));
  EXPECT_EQ(Value(kUser, kDesktopKey, "SCRNSAVE.EXE"), "");
  EXPECT_FALSE(p.registry.KeyExists(kUser, kUninstallKey));
  const std::string command = p.processes.Started().at(0).request.commandLine;
  EXPECT_EQ(command, "\"" + kLocal + "\\KAPUL SOFT32\\unin_kapul000.exe\" \"/DeleteFile\"");
  EXPECT_EQ(Value(kUser, kUserHandOverKey, "File"), "C:\\KaPULP32\\QUOVEL32\\QUOVEL32.EXE");

  RunCopy(command);
  EXPECT_FALSE(p.fs.Attributes("C:\\KaPULP32"));   // the program file and both folders are gone
  EXPECT_FALSE(p.registry.KeyExists(kUser, kUserHandOverKey));
}

// Folders the user made stay, empty or not; those the installer made go when empty.
TEST_F(InstallerTest, UninstallRemovesOnlyTheFoldersTheInstallerMade) {
  p.fs.AddFolder("C:\\KaPULT32");
  p.fs.AddFolder("C:\\Mine");
  Install("C:\\Mine\\QV\\QUOVEL32", false);
  Uninstall("C:\\Mine\\QV\\QUOVEL32\\", gui::kMrYes);
  RunCopy(p.processes.Started().at(0).request.commandLine);
  for (const char* gone : {"C:\\KaPULT32\\TmPQVLA", "C:\\Mine\\QV"}) EXPECT_FALSE(p.fs.Attributes(gone)) << gone;
  for (const char* kept : {"C:\\KaPULT32", "C:\\Mine"}) EXPECT_TRUE(p.fs.DirectoryExists(kept)) << kept;
}

// A step that fails is reported, the later steps still run, and the installation is not called
// complete: 設定 is offered again.
TEST_F(InstallerTest, AFailedStepIsReportedAndTheInstallationNotCalledComplete) {
  struct Case {
    const char* what;
    const char* group;
    std::function<void()> fail;
    std::string message;
  };
  const Case cases[] = {
      {"a group name Program Manager cannot take", "A\"B", [] {}, kSendFailed},
      {"Program Manager refuses", "KAPUL SOFT32",
       [&] { p.dde.OnExecute = [](const std::string&) { return platform::DdeStatus::kRefused; }; }, kSendFailed},
      {"no uninstall entry may be written", "KAPUL SOFT32",
       [&] {
         p.dde.OnExecute = nullptr;
         for (RegistryRoot root : {RegistryRoot::kLocalMachine, kUser}) p.registry.ProtectKey(root, kUninstallKey);
       },
       "データ格納処理に失敗しました・・・"},
  };
  p.fs.AddFolder("C:\\P");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.fail();
    Start run(p, 0, "C:\\DL\\");
    run.form.Show();
    run.form.ComboBox1.UserType(c.group);
    run.form.Edit1.UserType("C:\\P");
    run.form.Edit2.UserType("C:\\P");
    run.Expect(c.message, gui::kMrOk);
    run.form.Button3.UserClick();
    EXPECT_FALSE(run.h.app.Terminated());
    EXPECT_TRUE(run.form.Button3.Visible());
    EXPECT_EQ(Scr("Version"), "16");
  }
}

TEST_F(InstallerTest, MissingTextFileEndsTheInstallationWithTheCopyError) {
  p.fs.Delete("C:\\DL\\QvLA解凍.TXT");
  Start run(p, 0, "C:\\DL\\");
  run.Expect("フォルダーを作成します", gui::kMrYes);
  run.Expect("フォルダーを作成します", gui::kMrYes);
  run.Expect("C:\\DL\\QvLA解凍.TXT\n", gui::kMrOk);
  run.form.Show();
  run.form.Button3.UserClick();
  EXPECT_TRUE(p.fs.FileExists("C:\\KaPULP32\\QUOVEL32\\QUOVEL32.EXE"));   // nothing is rolled back
  // What was copied is recorded: the next installation takes the library for its own.
  EXPECT_TRUE(InstalledFiles(p.registry, p.fs).Ours("C:\\KaPULP32\\QUOVEL32\\UnLha32.DLL"));
  EXPECT_TRUE(run.form.Button3.Visible());
  EXPECT_FALSE(run.form.Button5.Visible());
  EXPECT_EQ(Scr("Version"), "<missing>");
  EXPECT_FALSE(run.h.app.Terminated());
}

// The line under the folders names where the screen saver goes: the Windows folder for a user who
// may write it, else the program folder as typed, shortened to what the line holds.
TEST_F(InstallerTest, TheScreenSaverLineFollowsTheProgramFolder) {
  struct Case {
    bool windowsWritable;
    const char *typed, *shown;
  };
  const Case cases[] = {
      {true, "C:\\A\\B C\\D", "C:\\WINDOWS"},
      {false, "C:\\KaPULP32\\QUOVEL32", "C:\\KaPULP32\\QUOVEL32"},
      {false, "C:\\Users\\User\\Documents\\QV\\QUOVEL32", "C:\\…\\QV\\QUOVEL32"},
  };
  for (const Case& c : cases) {
    if (!c.windowsWritable) p.fs.ProtectFolder("C:\\WINDOWS");
    Start run(p, 0, "C:\\DL\\");
    run.form.Show();
    run.form.Edit1.UserType(c.typed);
    EXPECT_EQ(run.form.Label3.Caption(), std::string("QUOVEL32.SCR版は、[") + c.shown + "]ﾌｫﾙﾀﾞｰに置かれます。") << c.typed;
  }
}

TEST_F(InstallerTest, WaitingTimeStepsByMinutesWithinItsLimits) {
  p.desktop.SetScreenSaverTimeout(120, false);
  Start run(p, 0, "C:\\DL\\");
  EXPECT_EQ(run.form.LabelSS.Caption(), "2分");
  for (int i = 0; i < 3; ++i) run.form.SpinButtonSS.OnDownClick(run.form.SpinButtonSS);
  EXPECT_EQ(run.installer.ScreenSaverSeconds(), 60);
  EXPECT_EQ(run.form.LabelSS.Caption(), "1分");
  for (int i = 0; i < 600; ++i) run.form.SpinButtonSS.OnUpClick(run.form.SpinButtonSS);
  EXPECT_EQ(run.installer.ScreenSaverSeconds(), 32000);
  EXPECT_EQ(run.form.LabelSS.Caption(), "533分");
}

TEST_F(InstallerTest, HiddenModesThatOnlyReport) {
  struct Case {
    int mode;
    const char* arg;
    const char* text;
  };
  for (const Case& c : {Case{999, "/uninstall", "ソフトが起動中です。"},
                        Case{2, "", "パラメーターが不正です・・・"},
                        Case{2, "/deletefile", "パラメーターが不正です・・・"}}) {   // no hand-over record
    Start run(p, c.mode, "C:\\WINDOWS\\", c.arg);
    run.Expect(c.text, gui::kMrOk);
    run.h.app.Run();
    EXPECT_TRUE(run.h.app.Terminated()) << c.mode;
    EXPECT_TRUE(p.processes.Started().empty());
  }
}

}  // namespace
}  // namespace setup

// Registry, profile files, processes, atoms, the order of names and shell folders, checked
// against every implementation so the fakes answer as Windows does.
#include <algorithm>
#include <vector>

#include "platform/contract_environment.h"
#include "platform/fake/fold.h"
#include "platform/profile_files.h"
#include "support/sjis_text.h"

namespace platformtest {
namespace {

using platform::OsError;
using platform::RegistryRoot;
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

std::string Quoted(const std::string& path) {
  std::string out(1, '"');
  out.append(path);
  out.push_back('"');
  return out;
}

template <typename Env>
class ServicesContract : public Contract<Env> {};
TYPED_TEST_SUITE(ServicesContract, Environments, EnvironmentName);

// --- Registry ---------------------------------------------------------------------------------

TYPED_TEST(ServicesContract, RegistryStringsRoundTripWithCaseInsensitiveNames) {
  platform::Registry& reg = this->os.registry;
  const std::string key = this->env.registryKey + "\\KAPUL SOFT32\\QUOVEL32\\SCR";
  EXPECT_EQ(reg.ReadString(kUser, key, "Version"), std::nullopt);
  EXPECT_FALSE(reg.KeyExists(kUser, key));  // reading never creates the key

  ASSERT_TRUE(reg.WriteString(kUser, key, "Version", "16"));
  ASSERT_TRUE(reg.WriteString(kUser, key, "TMPQVLA", "C:\\作業用\\表示"));
  ASSERT_TRUE(reg.WriteString(kUser, key, "", "default"));
  ASSERT_TRUE(reg.WriteString(kUser, key, "Empty", ""));
  EXPECT_EQ(reg.ReadString(kUser, key, "VERSION"), "16");
  EXPECT_EQ(reg.ReadString(kUser, key, "tmpqvla"), "C:\\作業用\\表示");
  EXPECT_EQ(reg.ReadString(kUser, key, ""), "default");
  EXPECT_EQ(reg.ReadString(kUser, key, "Empty"), "");
  EXPECT_EQ(reg.ReadString(kUser, key, "Missing", "255"), "255");
  EXPECT_EQ(reg.ReadString(kUser, this->env.registryKey + "\\kapul soft32\\quovel32\\scr", "Version"), "16");

  ASSERT_TRUE(reg.WriteString(kUser, key, "version", "17"));
  EXPECT_EQ(reg.ReadString(kUser, key, "Version"), "17");
}

TYPED_TEST(ServicesContract, RegistryValuesAndTreesAreDeleted) {
  platform::Registry& reg = this->os.registry;
  const std::string base = this->env.registryKey + "\\KAPUL SOFT32";
  const std::string product = base + "\\QUOVEL32";
  ASSERT_TRUE(reg.WriteString(kUser, product + "\\SCR", "Version", "16"));
  ASSERT_TRUE(reg.WriteString(kUser, product + "\\EXE", "TIMER", "10"));
  EXPECT_EQ(reg.HasContent(kUser, base), true);

  EXPECT_EQ(reg.DeleteValue(kUser, product + "\\SCR", "Missing").error, OsError::kNotFound);
  EXPECT_EQ(reg.DeleteValue(kUser, product + "\\NOKEY", "Version").error, OsError::kNotFound);
  ASSERT_TRUE(reg.DeleteValue(kUser, product + "\\SCR", "VERSION"));
  EXPECT_EQ(reg.ReadString(kUser, product + "\\SCR", "Version"), std::nullopt);
  EXPECT_EQ(reg.HasContent(kUser, product + "\\SCR"), false);

  ASSERT_TRUE(reg.DeleteTree(kUser, product));
  EXPECT_FALSE(reg.KeyExists(kUser, product + "\\EXE"));
  EXPECT_FALSE(reg.KeyExists(kUser, product));
  EXPECT_EQ(reg.HasContent(kUser, base), false);
  EXPECT_EQ(reg.HasContent(kUser, product), std::nullopt);
  EXPECT_EQ(reg.DeleteTree(kUser, product).error, OsError::kNotFound);
  EXPECT_FALSE(reg.DeleteTree(kUser, ""));  // never a whole root
}

// --- Profile files ----------------------------------------------------------------------------

TYPED_TEST(ServicesContract, ProfileWritesReadsAndDeletesKeys) {
  platform::Profile& ini = this->os.profile;
  const std::string file = this->At("QUOVEL32.Tim");
  const std::string saver = "C:\\SAVERS\\表示.SCR";
  EXPECT_EQ(ini.ReadString(file, "Timer", saver, "0"), "0");

  ASSERT_TRUE(ini.WriteString(file, "Timer", saver, "30"));
  EXPECT_EQ(this->os.fs.ReadFile(file), "[Timer]\r\n" + saver + "=30\r\n");
  ASSERT_TRUE(ini.WriteString(file, "Timer", "C:\\SAVERS\\B.SCR", "45"));
  ASSERT_TRUE(ini.WriteString(file, "timer", "c:\\savers\\表示.scr", "60"));
  EXPECT_EQ(ini.ReadString(file, "TIMER", saver, "0"), "60");
  EXPECT_EQ(ini.ReadString(file, "Timer", "C:\\SAVERS\\b.scr", "0"), "45");
  EXPECT_EQ(ini.ReadString(file, "Other", saver, "none"), "none");

  ASSERT_TRUE(ini.DeleteKey(file, "Timer", saver));
  EXPECT_EQ(ini.ReadString(file, "Timer", saver, "0"), "0");
  EXPECT_EQ(ini.ReadString(file, "Timer", "C:\\SAVERS\\B.SCR", "0"), "45");
  EXPECT_TRUE(ini.DeleteKey(file, "Timer", saver));
  EXPECT_TRUE(ini.DeleteKey(this->At("none.ini"), "Timer", saver));
}

TYPED_TEST(ServicesContract, ProfileTrimsBlanksAndQuotes) {
  const std::string file = this->At("hand.ini");
  ASSERT_TRUE(this->os.fs.WriteFile(file, "[boot]\r\n  SCRNSAVE.EXE =  C:\\WIN\\Q.SCR  \r\nq=\"quoted\"\r\n"));
  EXPECT_EQ(this->os.profile.ReadString(file, "Boot", "scrnsave.exe", ""), "C:\\WIN\\Q.SCR");
  EXPECT_EQ(this->os.profile.ReadString(file, "boot", "q", ""), "quoted");
}

// The program writes its timer file with its own code, whatever code page Windows runs with; the
// profile API (and so the user's editor) must read the same file, and the other way round.
TYPED_TEST(ServicesContract, TheProgramsOwnProfileFilesAreThoseOfTheProfileApi) {
  platform::ProfileFiles own(this->os.fs);
  const std::string file = this->At("own.ini");
  const std::string saver = "C:\\ソフト\\表示.SCR";
  ASSERT_TRUE(own.WriteString(file, "ゾーン", saver, "30"));
  EXPECT_EQ(this->os.profile.ReadString(file, "ゾーン", "c:\\ソフト\\表示.scr", "0"), "30");
  ASSERT_TRUE(this->os.profile.WriteString(file, "ゾーン", "C:\\B.SCR", "45"));
  EXPECT_EQ(own.ReadString(file, "ゾーン", "c:\\b.scr", "0"), "45");
  ASSERT_TRUE(this->os.profile.DeleteKey(file, "ゾーン", saver));
  EXPECT_EQ(own.ReadString(file, "ゾーン", saver, "0"), "0");
  ASSERT_TRUE(own.WriteString(file, "ゾーン", "C:\\B.SCR", "60"));
  EXPECT_EQ(this->os.profile.ReadString(file, "ゾーン", "C:\\B.SCR", "0"), "60");
}

TYPED_TEST(ServicesContract, ProfileWithoutFolderLivesInTheWindowsFolder) {
  const std::string name = "qvtest-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + ".ini";
  ASSERT_TRUE(this->os.profile.WriteString(name, "S", "K", "V"));
  const std::string inWindows = this->os.desktop.WindowsFolder() + "\\" + name;
  EXPECT_EQ(this->os.fs.ReadFile(inWindows), "[S]\r\nK=V\r\n");
  EXPECT_EQ(this->os.profile.ReadString(name, "S", "K", ""), "V");
  EXPECT_TRUE(this->os.fs.Delete(inWindows));
}

// --- Processes --------------------------------------------------------------------------------

// Polls until the process has ended, for at most 400 pauses of the environment (20 s for real).
template <typename Env>
bool WaitForEnd(Env& env, platform::Processes& processes, const platform::ProcessRef& p) {
  for (int i = 0; i < 400; ++i) {
    if (!processes.StillRunning(p)) return true;
    env.Pause();
  }
  return false;
}

TYPED_TEST(ServicesContract, StartedProcessIsPolledToItsExitCode) {
  platform::Processes& processes = this->os.processes;
  platform::StartRequest request;
  request.commandLine = this->env.ExitSevenCommand();
  request.currentFolder = this->env.root;
  request.showMode = platform::show::kHide;
  platform::StartedProcess started = processes.Start(request);
  ASSERT_TRUE(started.result) << started.result.osError;
  ASSERT_TRUE(started.process.valid());
  EXPECT_NE(started.process.id, 0u);
  ASSERT_TRUE(WaitForEnd(this->env, processes, started.process));
  EXPECT_EQ(processes.ExitCode(started.process), 7u);
  processes.Close(started.process);
  EXPECT_FALSE(started.process.valid());
  EXPECT_FALSE(processes.StillRunning(started.process));
  EXPECT_EQ(processes.ExitCode(started.process), std::nullopt);
}

TYPED_TEST(ServicesContract, StartFailsForMissingAndNonPrograms) {
  platform::Processes& processes = this->os.processes;
  ASSERT_TRUE(this->os.fs.WriteFile(this->At("text.exe"), "just text, no program"));
  struct Case {
    std::string commandLine;
    std::string folder;
    OsError error;
  };
  const Case cases[] = {
      {Quoted(this->At("missing.exe")) + " /s", "", OsError::kNotFound},
      {this->At("missing.scr") + " /s", "", OsError::kNotFound},
      {Quoted(this->At("text.exe")), "", OsError::kBadFormat},
  };
  for (const Case& c : cases) {
    platform::StartRequest request;
    request.commandLine = c.commandLine;
    request.currentFolder = c.folder;
    platform::StartedProcess started = processes.Start(request);
    EXPECT_FALSE(started.process.valid()) << testsupport::Utf8(c.commandLine);
    EXPECT_EQ(started.result.error, c.error) << testsupport::Utf8(c.commandLine) << " " << started.result.osError;
  }
  platform::StartRequest inMissingFolder;
  inMissingFolder.commandLine = this->env.QuickCommand();
  inMissingFolder.currentFolder = this->At("no such folder");
  EXPECT_FALSE(processes.Start(inMissingFolder).result);
}

TYPED_TEST(ServicesContract, ViewerStartAnswersTheClassicValues) {
  platform::Processes& processes = this->os.processes;
  EXPECT_GE(processes.StartViewer(this->env.QuickCommand(), ""), 32u);
  EXPECT_EQ(processes.StartViewer(Quoted(this->At("nothere.exe")) + " x", ""), 2u);
}

TYPED_TEST(ServicesContract, ClosingAHelpFileNobodyShowsStartsNothing) {
  platform::Processes& processes = this->os.processes;
  processes.QuitHelp(this->At("QUOVEL32.HLP"));
  std::vector<std::string> after = processes.RunningExecutables();
  EXPECT_EQ(std::count(after.begin(), after.end(), "WINHLP32.EXE"), 0);
}

TYPED_TEST(ServicesContract, RunningExecutablesNameThisProgram) {
  platform::Processes& processes = this->os.processes;
  std::string own = processes.ExecutablePath();
  ASSERT_TRUE(this->os.fs.FileExists(own)) << testsupport::Utf8(own);
  own = own.substr(own.find_last_of('\\') + 1);
  own = platform::fake::UpperAscii(own);
  std::vector<std::string> running = processes.RunningExecutables();
  EXPECT_NE(std::find(running.begin(), running.end(), own), running.end()) << own;
}

// --- Desktop ----------------------------------------------------------------------------------

TYPED_TEST(ServicesContract, GlobalAtomsCarryTheHandOffText) {
  platform::Desktop& desktop = this->os.desktop;
  const std::string text = "QUOVEL EXE版が、起動中です☆\nSCR版セーバー表示を強制終了しました。?/s?" +
                           std::to_string(reinterpret_cast<uintptr_t>(this));
  uint16_t atom = desktop.AddGlobalAtom(text);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(desktop.GlobalAtomName(atom), text);
  EXPECT_EQ(desktop.AddGlobalAtom(platform::fake::UpperAscii(text)), atom);  // same name, one more reference
  desktop.DeleteGlobalAtom(atom);
  EXPECT_EQ(desktop.GlobalAtomName(atom), text);
  desktop.DeleteGlobalAtom(atom);
  EXPECT_EQ(desktop.GlobalAtomName(atom), std::nullopt);

  const std::string longest = std::string(254, 'a') + std::to_string(reinterpret_cast<uintptr_t>(this) % 10);
  uint16_t big = desktop.AddGlobalAtom(longest);
  EXPECT_NE(big, 0);
  EXPECT_EQ(desktop.GlobalAtomName(big), longest);
  desktop.DeleteGlobalAtom(big);
  EXPECT_EQ(desktop.AddGlobalAtom(longest + "b"), 0);
  EXPECT_EQ(desktop.AddGlobalAtom(""), 0);
  EXPECT_EQ(desktop.AddGlobalAtom("#123"), 123);
  EXPECT_EQ(desktop.GlobalAtomName(123), "#123");
}

TYPED_TEST(ServicesContract, WindowsFolderIsAnExistingFolderWithoutBackslash) {
  const std::string folder = this->os.desktop.WindowsFolder();
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ(folder[1], ':');
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(this->os.fs.DirectoryExists(folder));
}

TYPED_TEST(ServicesContract, ThePrimaryMonitorComesFirstAndIsTheScreen) {
  platform::Desktop& desktop = this->os.desktop;
  const std::vector<platform::Monitor> monitors = desktop.Monitors();
  ASSERT_FALSE(monitors.empty());
  const platform::Point screen = desktop.ScreenSize();
  EXPECT_TRUE(monitors.front().primary);
  EXPECT_EQ(monitors.front().bounds, (platform::Rect{0, 0, screen.x, screen.y}));
  EXPECT_EQ(monitors.front().workArea, desktop.WorkArea());
  for (size_t i = 1; i < monitors.size(); ++i) EXPECT_FALSE(monitors[i].primary);
}

TYPED_TEST(ServicesContract, NoWindowOfAnUnknownClass) {
  EXPECT_EQ(this->os.desktop.FindWindowByClass("TQvNoSuchClass" + std::to_string(reinterpret_cast<uintptr_t>(this))),
            std::nullopt);
  EXPECT_EQ(this->os.desktop.WindowRect(0), std::nullopt);
}

// --- Collation --------------------------------------------------------------------------------

TYPED_TEST(ServicesContract, NamesSortByWordsWithoutCase) {
  platform::Collation& collation = this->os.collation;
  struct Case {
    const char* first;
    const char* second;
  } cases[] = {
      {"_a", "b"},     // punctuation before letters
      {"~x", "1"},     // punctuation before digits
      {"9", "a"},      // digits before letters
      {"a", "B"},      // letters without case
      {"ab", "a-c"},   // the hyphen counts only when all else is equal
      {"ab", "abc"},
      {"Z", "ア"},     // Latin letters before kana
      {"ア", "イ"},
  };
  for (const Case& c : cases) {
    EXPECT_LT(collation.SortKey(c.first), collation.SortKey(c.second)) << testsupport::Utf8(c.first) << " / "
                                                                        << testsupport::Utf8(c.second);
  }
  EXPECT_EQ(collation.SortKey("Quovel.scr"), collation.SortKey("QUOVEL.SCR"));
}

// --- Shell ------------------------------------------------------------------------------------

TYPED_TEST(ServicesContract, ShellListsSubfoldersWithHiddenOnesOnRequest) {
  platform::FileSystem& fs = this->os.fs;
  const std::string japanese = "日本語フォルダ表";
  for (const std::string& name : {std::string("Sub1"), japanese, std::string("Hid")}) {
    ASSERT_TRUE(fs.CreateFolder(this->At(name))) << testsupport::Utf8(name);
  }
  ASSERT_TRUE(fs.SetAttributes(this->At("Hid"), platform::attr::kHidden));
  ASSERT_TRUE(fs.WriteFile(this->At("file.txt"), "not a folder"));

  auto names = [](const platform::ShellListing& listing) {
    std::vector<std::string> out;
    for (const platform::ShellItem& item : listing.items) out.push_back(item.name);
    std::sort(out.begin(), out.end());
    return out;
  };
  platform::ShellListing visible = this->os.shell.Folders(this->env.root, false, false);
  ASSERT_TRUE(visible.ok()) << std::hex << visible.error;
  EXPECT_EQ(names(visible), (std::vector<std::string>{"Sub1", japanese}));
  for (const platform::ShellItem& item : visible.items) EXPECT_EQ(item.parsingName, "");

  platform::ShellListing all = this->os.shell.Folders(this->env.root, true, true);
  ASSERT_TRUE(all.ok()) << std::hex << all.error;
  EXPECT_EQ(names(all), (std::vector<std::string>{"Hid", "Sub1", japanese}));
  for (const platform::ShellItem& item : all.items) {
    EXPECT_TRUE(platform::fake::SameText(item.parsingName, this->At(item.name))) << testsupport::Utf8(item.parsingName);
  }

  platform::ShellListing missing = this->os.shell.Folders(this->At("missing"), true, true);
  EXPECT_FALSE(missing.ok());
  EXPECT_TRUE(missing.items.empty());
}

}  // namespace
}  // namespace platformtest

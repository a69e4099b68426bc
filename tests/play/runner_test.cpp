// The screen-saver runner on the headless backend and the fake platform: the exclusion check,
// the settings of the screen-saver key with their fallbacks, the list it fills, whole runs that
// end when the user comes back, and what the close keeps for the next start.
#include "play/runner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/mkbox.h"
#include "forms/role_forms.h"
#include "gui/gui_testing.h"
#include "play/backdrop.h"
#include "platform/fake/fake_platform.h"
#include "store/list_file.h"
#include "store/settings_key.h"
#include "support/sjis_text.h"

namespace play {
namespace {

using V = std::vector<std::string>;
using testsupport::Utf8;

constexpr char kWindows[] = "C:\\WINDOWS\\";
constexpr char kSavers[] = "C:\\SAVERS\\";

struct RunnerFixture : testing::Test {
  RunnerFixture() { p.processes.SetDefaultBehaviour({.endsOnInput = true}); }

  void Set(const std::string& name, const std::string& value) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), name, value);
  }
  std::string Get(const std::string& name) {
    return p.registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), name).value_or("<none>");
  }
  // Savers in C:\SAVERS, handed over as memory list `n`.
  void MemoryList(int n, const V& names, const V& missing = {}) {
    V paths;
    for (const std::string& name : names) {
      if (std::find(missing.begin(), missing.end(), name) == missing.end()) p.fs.AddFile(kSavers + name, "MZ saver");
      paths.push_back(kSavers + name);
    }
    store::SaveList(p.fs, kWindows + std::string("QVLA32M") + std::to_string(n) + ".LIS", paths);
    Set("MEMORY", "0,1,1,1," + std::to_string(n) + ",1,0");
  }
  // Creates the runner as the start-up does; the initialisation runs 300 ms later.
  void Create() {
    form = &h.app.CreateForm<forms::TQUOVEL32SUBFORM>();
    backForm = &h.app.CreateForm<forms::TQUOVEL32BACK>();
    box = std::make_unique<common::TMKBoxDlg>(h.app, p.desktop);
    backdrop = std::make_unique<Backdrop>(h.app, *backForm);
    runner = std::make_unique<Runner>(h.app, *form, os, *box, backdrop.get(), "C:\\WINDOWS", "C:\\WINDOWS");
    form->Show();
  }
  void Start() {
    Create();
    h.backend.Advance(300);
  }
  // File names of the started programs, in order.
  V Played() const {
    V names;
    for (const auto& r : p.processes.Started()) names.push_back(r.program.substr(r.program.rfind('\\') + 1));
    return names;
  }
  // Runs the clock until the program has ended or `launches` savers have started.
  bool RunUntil(size_t launches = SIZE_MAX, uint64_t boundMs = 3600000) {
    for (uint64_t t = 0; t < boundMs; t += 100) {
      if (h.app.Terminated() || p.processes.Started().size() >= launches) return true;
      h.backend.Advance(100);
    }
    return false;
  }
  // The showing saver has had a second to appear; then the user moves the mouse.
  void UserReturns() {
    h.backend.Advance(1000);
    p.processes.UserInput();
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32SUBFORM* form = nullptr;
  forms::TQUOVEL32BACK* backForm = nullptr;
  std::unique_ptr<common::TMKBoxDlg> box;
  std::unique_ptr<Backdrop> backdrop;
  std::unique_ptr<Runner> runner;
};

// --- The exclusion check ---------------------------------------------------------------------

struct ExclusionCase {
  const char* name;
  const char* kinsi;           // nullptr: not stored (default "1")
  bool entryOnDisk;
  bool programRuns;
  bool refused;
};

class ExclusionTest : public RunnerFixture, public testing::WithParamInterface<ExclusionCase> {};

TEST_P(ExclusionTest, AProgramOfTheListKeepsTheSaverFromStarting) {
  const ExclusionCase& c = GetParam();
  if (c.kinsi != nullptr) Set("KINSI", c.kinsi);
  MemoryList(0, {"A.SCR"});
  if (c.entryOnDisk) p.fs.AddFile("C:\\GAMES\\Game.exe", "MZ game");
  if (c.programRuns) p.processes.AddRunning("GAME.EXE");
  store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32MX.LIS", {"C:\\TOOLS\\EDIT.EXE", "C:\\GAMES\\Game.exe"});
  Start();
  ASSERT_TRUE(RunUntil(1, 10000));
  if (c.refused) {
    EXPECT_EQ(runner->GetStage(), Stage::kRefused);
    EXPECT_TRUE(h.app.Terminated());
    EXPECT_TRUE(p.processes.Started().empty());
    EXPECT_FALSE(backForm->Visible());          // nothing shown, no message either
    EXPECT_EQ(Get("INDEX"), "<none>");
  } else {
    EXPECT_EQ(runner->GetStage(), Stage::kRunning);
    EXPECT_EQ(Played(), V{"A.SCR"});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinsi, ExclusionTest,
    testing::Values(ExclusionCase{"RunningEntryRefuses", nullptr, true, true, true},
                    ExclusionCase{"KinsiOneRefuses", "1", true, true, true},
                    ExclusionCase{"KinsiZeroStarts", "0", true, true, false},
                    ExclusionCase{"StaleEntryIsIgnored", "1", false, true, false},
                    ExclusionCase{"EntryNotRunningStarts", "1", true, false, false}),
    [](const testing::TestParamInfo<ExclusionCase>& info) { return std::string(info.param.name); });

// --- Settings and the list -------------------------------------------------------------------

using RunnerTest = RunnerFixture;

TEST_F(RunnerTest, CreationWaitsUnseenThenMinimisesAtItsCentredPlace) {
  MemoryList(0, {"A.SCR"});
  Create();
  EXPECT_EQ(runner->GetStage(), Stage::kCreated);
  EXPECT_EQ(runner->StageLabel(), "エラー：１");
  EXPECT_EQ(form->Bounds(), (gui::Rect{0, -40, 0, 0}));
  EXPECT_FALSE(h.app.TaskbarButtonShown());
  h.backend.Advance(300);
  EXPECT_EQ(form->WindowState(), gui::WindowState::Minimized);
  gui::Size screen = h.backend.ScreenSize();
  EXPECT_EQ(form->Bounds().left, (screen.width - form->Bounds().width) / 2);
  EXPECT_EQ(form->ClientWidth(), forms::TQUOVEL32SUBFORM::kClientWidth);
  EXPECT_FALSE(h.app.TaskbarButtonShown());
  EXPECT_EQ(runner->GetStage(), Stage::kRunning);
}

struct CaptionCase {
  const char* name;
  int list;
  size_t entries;
  const char* caption;
};

class ComboLabelTest : public RunnerFixture, public testing::WithParamInterface<CaptionCase> {};

TEST_P(ComboLabelTest, NamesTheListAndItsCount) {
  const CaptionCase& c = GetParam();
  V names;
  for (size_t i = 0; i < c.entries; ++i) names.push_back(std::to_string(i).append(".SCR"));
  MemoryList(c.list, names);
  if (c.list == 10) store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS", std::vector<std::string>(c.entries, "C:\\SAVERS\\S0.SCR"));
  Start();
  EXPECT_EQ(form->ComboLabel.Caption(), c.caption) << Utf8(form->ComboLabel.Caption());
  EXPECT_EQ(form->ListBox4.Count(), static_cast<int>(c.entries));
}

INSTANTIATE_TEST_SUITE_P(Lists, ComboLabelTest,
                         testing::Values(CaptionCase{"M3", 3, 15, "M3 : 15ｺ"}, CaptionCase{"M0", 0, 1, "M0 : 1ｺ"},
                                         CaptionCase{"History", 10, 4, "HIS: 4ｺ"}),
                         [](const testing::TestParamInfo<CaptionCase>& info) { return std::string(info.param.name); });

struct FolderCase {
  const char* name;
  const char* memory;
  const char* all;
  const char* fileShitei;
  const char* fileName;
  V rows;
};

class FolderTest : public RunnerFixture, public testing::WithParamInterface<FolderCase> {};

TEST_P(FolderTest, ScansTheFolderInTheOrderOfTheNamesShown) {
  const FolderCase& c = GetParam();
  p.fs.AddFile("C:\\SAVERS\\A.SCR", "MZ no name here");
  p.fs.AddFile("C:\\SAVERS\\B.SCR", std::string("MZ....SCRNSAVE : Bee garden\0more", 33));
  p.fs.AddFile("C:\\SAVERS\\C.TXT", "text");
  p.fs.AddFile("C:\\SAVERS\\D.SCR", std::string("MZ..SCRNSAVE: a Dance\0", 22));
  Set("CPATH", "C:\\SAVERS");
  Set("MEMORY", c.memory);
  Set("ALL", c.all);
  Set("FILESHITEI", c.fileShitei);
  Set("FILENAME", c.fileName);
  Start();
  EXPECT_EQ(form->ListBox4.Items(), c.rows);
  EXPECT_EQ(form->ComboLabel.Caption(), "C:\\SAVERS　：　" + std::to_string(c.rows.size()) + "ｺ")
      << Utf8(form->ComboLabel.Caption());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderTest,
    testing::Values(
        // Names shown: savers with a description by description, then the rest by file name.
        FolderCase{"NamesShownAll", "1,1,1,1,0,1,1", "1", "1", "", {"D.SCR", "B.SCR", "A.SCR", "C.TXT"}},
        FolderCase{"NamesHiddenAll", "1,1,1,1,0,1,0", "1", "1", "", {"A.SCR", "B.SCR", "C.TXT", "D.SCR"}},
        FolderCase{"ExtensionFlagOnly", "1,1,1,1,0,1,0", "0", "1", "", {"A.SCR", "B.SCR", "D.SCR"}},
        FolderCase{"OwnPattern", "1,1,1,1,0,1,0", "1", "0", "*.TXT", {"C.TXT"}}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, AFolderThatIsGonePlaysTheWindowsFolder) {
  p.fs.AddFile("C:\\WINDOWS\\W.SCR", "MZ");
  Set("CPATH", "C:\\NOWHERE");
  Start();
  EXPECT_EQ(form->ListBox4.Items(), V{"W.SCR"});
  ASSERT_TRUE(RunUntil(1));
  ASSERT_EQ(Played(), V{"W.SCR"});
  EXPECT_EQ(p.processes.Started()[0].request.commandLine, "\"C:\\WINDOWS\\W.SCR\" /s");
}

struct FallbackCase {
  const char* name;
  const char* value;
  const char* text;
  int timer;
  int order;          // SAISEIM field 0
  bool fileTimers;    // SAISEIM field 9
};

class FallbackTest : public RunnerFixture, public testing::WithParamInterface<FallbackCase> {};

TEST_P(FallbackTest, AValueThatIsNoNumberTakesTheRunnersDefault) {
  const FallbackCase& c = GetParam();
  MemoryList(1, {"A.SCR"});
  Set(c.value, c.text);
  Start();
  EXPECT_EQ(runner->Settings().timer, c.timer);
  EXPECT_EQ(runner->Settings().saiseim[0], c.order);
  EXPECT_EQ(runner->Settings().FileTimers(), c.fileTimers);
  EXPECT_EQ(runner->GetStage(), Stage::kRunning);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FallbackTest,
    testing::Values(FallbackCase{"TimerText", "TIMER", "ten", 10, 3, true},
                    FallbackCase{"TimerStored", "TIMER", "25", 25, 3, true},
                    FallbackCase{"SaiseimTooShort", "SAISEIM", "0,1,0", 10, 3, true},
                    FallbackCase{"SaiseimStored", "SAISEIM", "1,0,0,0,0,0,0,0,0,0", 10, 1, false},
                    FallbackCase{"SaiseimText", "SAISEIM", "a,b,c,d,e,f,g,h,i,j", 10, 3, true}),
    [](const testing::TestParamInfo<FallbackCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, MalformedMemoryAndIndexPlayTheWindowsFolderFromItsFirstRow) {
  p.fs.AddFile("C:\\WINDOWS\\W1.SCR", "MZ");
  p.fs.AddFile("C:\\WINDOWS\\W2.SCR", "MZ");
  Set("MEMORY", "0,1");
  Set("INDEX", "5;1");
  Start();
  EXPECT_EQ(form->ListBox4.Items(), (V{"W1.SCR", "W2.SCR"}));
  EXPECT_EQ(form->ListBox4.ItemIndex(), 0);
}

TEST_F(RunnerTest, AnAllThatIsNoNumberStopsTheReadingAndTheEmptyListClosesWithABeep) {
  Set("ALL", "x");
  Set("INDEX", "3,7");
  store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS", {"C:\\OLD.SCR"});
  h.backend.ExpectModal("TMKBox", "初期化処理に失敗しました").Answer(1);
  Start();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_TRUE(p.processes.Started().empty());
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kExclamation});
  // Nothing was read, so nothing the manager handed over is overwritten.
  EXPECT_EQ(Get("INDEX"), "3,7");
  EXPECT_EQ(store::LoadList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS"), V{"C:\\OLD.SCR"});
}

// --- Runs ------------------------------------------------------------------------------------

struct ReturnCase {
  const char* name;
  const char* saiseim;
  const char* index;
  size_t launchesBeforeReturn;
  V played;
  const char* savedIndex;
};

class UserReturnTest : public RunnerFixture, public testing::WithParamInterface<ReturnCase> {};

TEST_P(UserReturnTest, TheUsersReturnEndsTheProgramAndTheNextStartGoesOn) {
  const ReturnCase& c = GetParam();
  MemoryList(2, {"A.SCR", "B.SCR", "C.SCR", "D.SCR", "E.SCR", "F.SCR"});
  Set("SAISEIM", c.saiseim);
  Set("INDEX", c.index);
  Set("TIMER", "10");
  Start();
  ASSERT_TRUE(RunUntil(c.launchesBeforeReturn));
  UserReturns();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 60000));
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(Played(), c.played);
  EXPECT_EQ(Get("INDEX"), c.savedIndex);
  EXPECT_EQ(p.processes.OpenHandles(), 0);
  EXPECT_FALSE(backForm->Visible());
  EXPECT_EQ(h.app.Title(), "QUOVEL32");
  for (const auto& r : p.processes.Started()) EXPECT_TRUE(r.request.commandLine.ends_with("\" /s"));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, UserReturnTest,
    testing::Values(
        ReturnCase{"ContinuousAfterTheFourth", "0,0,0,0,0,0,0,0,0,0", "0,0", 4, {"A.SCR", "B.SCR", "C.SCR", "D.SCR"}, "4,0"},
        ReturnCase{"ContinuousWrapsAtTheEnd", "0,0,0,0,0,0,0,0,0,0", "4,9", 3, {"E.SCR", "F.SCR", "A.SCR"}, "1,9"},
        ReturnCase{"ReverseWrapsToTheLast", "1,0,0,0,0,0,0,0,0,0", "1,0", 2, {"B.SCR", "A.SCR"}, "5,0"},
        ReturnCase{"SingleStays", "2,0,0,0,0,0,0,0,0,0", "2,0", 1, {"C.SCR"}, "2,0"},
        ReturnCase{"IndexBeyondTheEndStartsAtTheLast", "0,0,0,0,0,0,0,0,0,0", "40,0", 1, {"F.SCR"}, "0,0"}),
    [](const testing::TestParamInfo<ReturnCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, EachSaverEndsByTheShiftKeyAfterItsDisplayTimeAndTheTitleNamesIt) {
  MemoryList(0, {"A.SCR", "B.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Set("TIMER", "3");
  p.desktop.MoveCursor({40, 50});
  Start();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(h.app.Title(), "QUOVEL32 A.SCR (表示中)");
  EXPECT_EQ(form->Caption(), "QUOVEL32 A.SCR (表示中)");
  EXPECT_EQ(form->Label9.Caption(), "3");
  h.backend.Advance(2500);
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  ASSERT_TRUE(RunUntil(3, 20000));
  EXPECT_EQ(Played(), (V{"A.SCR", "B.SCR", "A.SCR"}));
  EXPECT_EQ(p.desktop.KeysPressed(), (std::vector<uint8_t>{platform::vk::kShift, platform::vk::kShift}));
  EXPECT_EQ(p.desktop.CursorPos(), (platform::Point{40, 50}));
  EXPECT_TRUE(runner->Playing());
}

TEST_F(RunnerTest, BesideTheShowingSaverTheBackdropIsBlackUntilItsTimeIsUp) {
  MemoryList(0, {"A.SCR", "B.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Set("TIMER", "3");
  p.processes.SetDefaultBehaviour({.endsOnInput = true, .windows = {{0, 0, 320, 200}}});
  h.backend.SetVirtualScreen({-320, 0, 640, 200});
  Start();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(1100);
  EXPECT_EQ(backForm->Image1.BlankParts(), (std::vector<gui::Rect>{{0, 0, 320, 200}}));
  ASSERT_TRUE(RunUntil(2, 20000));
  EXPECT_TRUE(backForm->Image1.BlankParts().empty());
}

// A saver that would not end had to be ended by force: the run goes on without it.
TEST_F(RunnerTest, ASaverEndedByForceIsNotStartedAgainInThatRun) {
  MemoryList(0, {"A.SCR", "B.SCR"});
  p.processes.SetBehaviour("A.SCR", {.endsOnClose = false});
  Set("SAISEIM", "0,-1,0,0,0,0,0,0,0,0");  // continuous, endless
  Set("TIMER", "1");
  Start();
  ASSERT_TRUE(RunUntil(4, 120000));
  EXPECT_EQ(Played(), (V{"A.SCR", "B.SCR", "B.SCR", "B.SCR"}));
  EXPECT_TRUE(p.processes.Started()[0].endedByForce);
  EXPECT_GE(p.processes.Started()[0].closeRequests, 1);
}

TEST_F(RunnerTest, RandomOrderDrawsFromAllRowsEveryTimeSoASaverMayFollowItself) {
  MemoryList(0, {"A.SCR", "B.SCR"});
  Set("SAISEIM", "3,0,0,0,0,0,0,0,0,0");
  Set("TIMER", "1");
  Start();
  ASSERT_TRUE(RunUntil(40));
  V played = Played();
  bool repeated = false;
  for (size_t i = 1; i < played.size(); ++i) repeated = repeated || played[i] == played[i - 1];
  EXPECT_TRUE(repeated);
  EXPECT_NE(std::find(played.begin(), played.end(), "A.SCR"), played.end());
  EXPECT_NE(std::find(played.begin(), played.end(), "B.SCR"), played.end());
  p.processes.UserInput();   // the fortieth saver has just started
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_TRUE(h.app.Terminated());
}

struct NothingCase {
  const char* name;
  const char* saiseim;
};

class NothingPlayableTest : public RunnerFixture, public testing::WithParamInterface<NothingCase> {};

TEST_P(NothingPlayableTest, BeepsAndCloses) {
  MemoryList(0, {"GONE.SCR", "TEXT.SCR", "PIC.BMP"}, {"GONE.SCR"});
  p.fs.AddFile("C:\\SAVERS\\TEXT.SCR", "plain text");
  Set("SAISEIM", GetParam().saiseim);
  Start();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 60000));
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_TRUE(p.processes.Started().empty());
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kExclamation});
}

INSTANTIATE_TEST_SUITE_P(Orders, NothingPlayableTest,
                         testing::Values(NothingCase{"Continuous", "0,0,0,0,0,0,0,0,0,0"},
                                         NothingCase{"Reverse", "1,0,0,0,0,0,0,0,0,0"},
                                         NothingCase{"Random", "3,0,0,0,0,0,0,0,0,0"}),
                         [](const testing::TestParamInfo<NothingCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, MissingRowsAreSkippedAndTheHiddenOnesPlay) {
  MemoryList(0, {"GONE.SCR", "B.SCR"}, {"GONE.SCR"});
  p.fs.AddFile("C:\\SAVERS\\B.SCR", "MZ", platform::attr::kHidden | platform::attr::kSystem);
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Start();
  ASSERT_TRUE(RunUntil(2));
  EXPECT_EQ(Played(), (V{"B.SCR", "B.SCR"}));
}

struct HistoryCase {
  const char* name;
  int list;
  const char* fileHis;
  V saved;
};

class HistoryTest : public RunnerFixture, public testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryTest, LaunchesGoIntoTheHistoryUpToItsLimit) {
  const HistoryCase& c = GetParam();
  store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS", {"C:\\SAVERS\\OLD.SCR"});
  MemoryList(c.list, {"A.SCR", "B.SCR", "C.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Set("FILEHIS", c.fileHis);
  Set("TIMER", "2");
  Start();
  ASSERT_TRUE(RunUntil(3));
  UserReturns();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_EQ(store::LoadList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS"), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, HistoryTest,
    testing::Values(HistoryCase{"Off", 4, "0", {"C:\\SAVERS\\OLD.SCR"}},
                    HistoryCase{"LimitTwo", 4, "2", {"C:\\SAVERS\\B.SCR", "C:\\SAVERS\\C.SCR"}},
                    HistoryCase{"LimitTen", 4, "10",
                                {"C:\\SAVERS\\OLD.SCR", "C:\\SAVERS\\A.SCR", "C:\\SAVERS\\B.SCR", "C:\\SAVERS\\C.SCR"}}),
    [](const testing::TestParamInfo<HistoryCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, PlayingTheHistoryLeavesItAlone) {
  p.fs.AddFile("C:\\SAVERS\\A.SCR", "MZ");
  store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS", {"C:\\SAVERS\\A.SCR"});
  Set("MEMORY", "0,1,1,1,10,1,0");
  Set("FILEHIS", "10");
  Start();
  ASSERT_TRUE(RunUntil(2));
  UserReturns();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_EQ(store::LoadList(p.fs, "C:\\WINDOWS\\QVLA32MH.LIS"), V{"C:\\SAVERS\\A.SCR"});
  EXPECT_TRUE(runner->History().empty());
}

TEST_F(RunnerTest, FileTimersSetTheDisplayTimeWhileSwitchedOn) {
  MemoryList(0, {"A.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,1");
  Set("TIMER", "5");
  std::vector<std::string> asked;
  Create();
  runner->FileTimer = [&asked](const std::string& path) {
    asked.push_back(path);
    return 30;
  };
  h.backend.Advance(300);
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(form->Label9.Caption(), "30");
  h.backend.Advance(20000);
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  h.backend.Advance(11000);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 1u);
  EXPECT_EQ(asked.front(), "C:\\SAVERS\\A.SCR");
}

TEST_F(RunnerTest, TheUsersReturnDuringPowerSavingEndsTheProgramToo) {
  MemoryList(0, {"A.SCR", "B.SCR", "C.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Set("TIMER", "5");
  Set("STIMER", "12");
  Start();
  ASSERT_TRUE(RunUntil(3));
  // The third saver reaches 12 s of display: it is left running, no key ends it.
  h.backend.Advance(60000);
  EXPECT_EQ(p.processes.Started().size(), 3u);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 2u);
  EXPECT_FALSE(h.app.Terminated());
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(Get("INDEX"), "0,0");
}

struct ForcedCase {
  const char* name;
  int answer;
};

class ForcedExitTest : public RunnerFixture, public testing::WithParamInterface<ForcedCase> {};

TEST_P(ForcedExitTest, AsksAndEndsTheProgramEitherWay) {
  MemoryList(0, {"A.SCR", "B.SCR"});
  Set("SAISEIM", "0,0,0,0,0,0,0,0,0,0");
  Start();
  ASSERT_TRUE(RunUntil(1));
  h.backend.ExpectModal("TMKBox", "緊急脱出装置").Answer(GetParam().answer);
  if (GetParam().answer != 6) h.backend.ExpectModal("TMKBox", "緊急脱出を中止しました").Answer(1);
  form->Button1.UserClick();
  EXPECT_TRUE(runner->StopRequested());
  EXPECT_EQ(h.app.Terminated(), GetParam().answer == 6);
  EXPECT_EQ(runner->ForcedExit(), GetParam().answer == 6);
  ASSERT_TRUE(RunUntil(SIZE_MAX, 30000));
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(Played(), V{"A.SCR"});
  EXPECT_EQ(p.processes.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, ForcedExitTest,
                         testing::Values(ForcedCase{"Yes", 6}, ForcedCase{"No", 7}),
                         [](const testing::TestParamInfo<ForcedCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, ClosedBeforeItsInitialisationItSaysSoAndSavesNothing) {
  MemoryList(0, {"A.SCR"});
  Create();
  h.backend.ExpectModal("TMKBox", "エラー：１メモリーが確保できませんでした。\n強制終了します。").Answer(1);
  form->Close();
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(Get("INDEX"), "<none>");
}

TEST_F(RunnerTest, AnIndexThatCannotBeWrittenIsReported) {
  MemoryList(0, {"A.SCR"});
  Set("SAISEIM", "2,0,0,0,0,0,0,0,0,0");
  Start();
  ASSERT_TRUE(RunUntil(1));
  h.backend.ExpectModal("TMKBox", "クローズ処理に失敗しました").Answer(1);
  p.registry.FailNextChange(5);
  UserReturns();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 10000));
  EXPECT_TRUE(h.app.Terminated());
}

}  // namespace
}  // namespace play

// Whole runs: the four orders with and without endless play, the random pools, the ends of the
// list, restarts and stops.
#include <algorithm>
#include <set>

#include "forms/tmset_form.h"
#include "play_fixture.h"

namespace play {
namespace {

using V = std::vector<std::string>;

struct OrderCase {
  const char* name;
  int order;        // RadioGroup1 item
  bool endless;
  bool scrVersion;
  int startRow;
  size_t launches;  // stop after this many (when the run goes on)
  V expected;
  bool endsByItself;
};

class OrderTest : public PlayFixture, public testing::WithParamInterface<OrderCase> {};

TEST_P(OrderTest, PlaysRowsInOrder) {
  const OrderCase& c = GetParam();
  Start(c.scrVersion);
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(c.order, c.endless);
  form.ListBox4.SetTag(c.startRow);
  Play();
  ASSERT_TRUE(RunUntil(c.launches));
  if (c.order == 2) {
    // A single item runs until the user ends it.
    h.backend.Advance(60000);
    EXPECT_TRUE(engine->Playing());
    p.processes.UserInput();
  }
  ASSERT_TRUE(RunUntil(c.launches + 1, 120000));
  EXPECT_EQ(!engine->Playing(), c.endsByItself);
  if (engine->Playing()) Stop();
  V played = Played();
  played.resize(std::min(played.size(), c.expected.size()));
  EXPECT_EQ(played, c.expected);
  EXPECT_EQ(Played().size(), c.endsByItself ? c.expected.size() : c.launches + 1);
  for (const auto& r : p.processes.Started()) EXPECT_TRUE(r.request.commandLine.ends_with(" /s"));
  EXPECT_EQ(p.processes.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OrderTest,
    testing::Values(
        OrderCase{"ContinuousEndsAtTheLastRow", 0, false, false, 0, 9, {"A.SCR", "B.SCR", "C.SCR"}, true},
        OrderCase{"ContinuousEndlessWraps", 0, true, false, 0, 5, {"A.SCR", "B.SCR", "C.SCR", "A.SCR", "B.SCR"}, false},
        OrderCase{"ContinuousScrVersionAlwaysWraps", 0, false, true, 1, 4, {"B.SCR", "C.SCR", "A.SCR", "B.SCR"}, false},
        OrderCase{"ContinuousScrVersionEndless", 0, true, true, 0, 4, {"A.SCR", "B.SCR", "C.SCR", "A.SCR"}, false},
        OrderCase{"ReverseFromRowZeroEndless", 1, true, false, 0, 4, {"A.SCR", "C.SCR", "B.SCR", "A.SCR"}, false},
        OrderCase{"ReverseEndsAtRowZero", 1, false, false, 2, 9, {"C.SCR", "B.SCR", "A.SCR"}, true},
        OrderCase{"ReverseScrVersionWraps", 1, false, true, 0, 3, {"A.SCR", "C.SCR", "B.SCR"}, false},
        OrderCase{"SinglePlaysTheCurrentRowOnce", 2, false, false, 1, 1, {"B.SCR"}, true},
        OrderCase{"SingleIgnoresEndless", 2, true, true, 2, 1, {"C.SCR"}, true}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

using PlayEngineTest = PlayFixture;

TEST_F(PlayEngineTest, RandomPlaysEveryRowOncePerPassAndKeepsItsPool) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR", "D.SCR"});
  Order(3, false);
  for (int run = 1; run <= 2; ++run) {
    Play();
    ASSERT_TRUE(RunUntil());
    V played = Played();
    ASSERT_EQ(played.size(), 4u * run) << "run " << run;
    V pass(played.end() - 4, played.end());
    std::sort(pass.begin(), pass.end());
    EXPECT_EQ(pass, (V{"A.SCR", "B.SCR", "C.SCR", "D.SCR"})) << "run " << run;
    EXPECT_EQ(form.ListBoxRD.Count(), 4);  // full again for the next run
  }
  EXPECT_EQ(form.ListBoxRM.Count(), 0);
}

TEST_F(PlayEngineTest, RandomEndlessStartsANewPassAtOnce) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(3, true);
  Play();
  ASSERT_TRUE(RunUntil(9));
  Stop();
  V played = Played();
  ASSERT_GE(played.size(), 9u);
  for (int pass = 0; pass < 3; ++pass) {
    std::set<std::string> rows(played.begin() + pass * 3, played.begin() + pass * 3 + 3);
    EXPECT_EQ(rows.size(), 3u) << "pass " << pass;
  }
}

TEST_F(PlayEngineTest, RowsAddedDuringARandomPassWaitForTheNextPass) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(3, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  p.fs.AddFile(Path("D.SCR"), "MZ");
  form.ListBox4.AddItem("D.SCR");
  ASSERT_TRUE(RunUntil());
  V first = Played();
  EXPECT_EQ(first.size(), 3u);
  EXPECT_EQ(std::count(first.begin(), first.end(), "D.SCR"), 0);
  Play();
  ASSERT_TRUE(RunUntil());
  V all = Played();
  EXPECT_EQ(all.size(), 7u);
  EXPECT_EQ(std::count(all.begin(), all.end(), "D.SCR"), 1);
}

TEST_F(PlayEngineTest, StalePoolEntriesAreDropped) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR", "D.SCR", "E.SCR"});
  Order(3, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  Stop();
  // The list shrinks while its pass is under way.
  form.ListBox4.SetItems({"A.SCR", "B.SCR", "C.SCR"});
  V expected;
  for (const std::string& entry : form.ListBoxRD.Items()) {
    int row = std::stoi(entry);
    if (row < 3) expected.push_back(form.ListBox4.Item(row));
  }
  ASSERT_EQ(form.ListBoxRD.Count(), 4);
  Play();
  ASSERT_TRUE(RunUntil());
  V all = Played();
  V second(all.begin() + 1, all.end());
  std::sort(second.begin(), second.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(second, expected);
  EXPECT_EQ(form.ListBoxRD.Count(), 3);  // the next pass covers the list as it is now
}

TEST_F(PlayEngineTest, MemoryModeUsesTheOtherPool) {
  Start();
  settings->MemoryModeOn();
  p.fs.AddFile("D:\\X\\A.SCR", "MZ");
  p.fs.AddFile("D:\\Y\\B.SCR", "MZ");
  form.ListBox2.SetItems({"D:\\X\\A.SCR", "D:\\Y\\B.SCR"});
  Order(3, false);
  Play();
  ASSERT_TRUE(RunUntil());
  V played = Played();
  std::sort(played.begin(), played.end());
  EXPECT_EQ(played, (V{"A.SCR", "B.SCR"}));
  EXPECT_EQ(form.ListBoxRM.Count(), 2);
  EXPECT_EQ(form.ListBoxRD.Count(), 0);
}

TEST_F(PlayEngineTest, TwoPassesWithoutALaunchEndWithAMessage) {
  Start();
  Rows({"A.SCR", "B.TXT"}, {"A.SCR"});
  p.fs.AddFile(Path("B.TXT"), "MZ");
  Order(0, true);
  h.backend.ExpectModal("TMKBox", "再生対象データがありません・・・").Answer(1);
  Play();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 60000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_TRUE(p.processes.Started().empty());
}

TEST_F(PlayEngineTest, OneLaunchablePerPassKeepsTheRunGoing) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"}, {"A.SCR", "C.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(3));
  EXPECT_TRUE(engine->Playing());
  Stop();
  EXPECT_EQ(Played(), (V{"B.SCR", "B.SCR", "B.SCR"}));
}

TEST_F(PlayEngineTest, EmptyListBeepsAndEnds) {
  Start();
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kExclamation});
}

TEST_F(PlayEngineTest, DoubleClickDuringARunRestartsWithThatRowAlone) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(2000);
  form.ListBox4.UserDblClick(2);
  EXPECT_TRUE(engine->Playing());
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 2);
  EXPECT_EQ(engine->GetOrder(), Order::kSingle);
  ASSERT_TRUE(RunUntil(2, 5000));
  EXPECT_EQ(Played(), (V{"A.SCR", "C.SCR"}));
  EXPECT_FALSE(p.processes.Started()[0].running);  // ended by the key before the restart
  h.backend.Advance(60000);
  EXPECT_TRUE(engine->Playing());
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(Played().size(), 2u);
}

TEST_F(PlayEngineTest, RestartGivesUpWhenTheRunDoesNotStop) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  form.RadioButton2.SetChecked(true);  // a settings dialog: the run waits until the user closes it
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(12000);
  h.backend.ExpectModal("TMKBox", "中断ボタンを押して下さい。").Answer(1);
  form.ListBox4.UserDblClick(1);
  EXPECT_TRUE(engine->Playing());
  EXPECT_EQ(engine->BusyGuard(), 0);
  EXPECT_EQ(Played(), V{"A.SCR"});
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kExclamation});
}

TEST_F(PlayEngineTest, AStartWhileARestartWaitsOnlyBeeps) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  form.RadioButton2.SetChecked(true);  // a settings dialog: the run waits until the user closes it
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Post([&] { form.Button2.UserClick(); }, 50);
  h.backend.ExpectModal("TMKBox", "中断ボタンを押して下さい。").Answer(1);
  form.ListBox4.UserDblClick(1);
  EXPECT_EQ(p.desktop.Beeps(), (std::vector<uint32_t>{platform::beep::kExclamation, platform::beep::kExclamation}));
  EXPECT_EQ(Played(), V{"A.SCR"});
}

TEST_F(PlayEngineTest, DoubleClickInTheTrashPlaysThatEntry) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  p.fs.AddFile("C:\\OLD\\T.SCR", "MZ");
  form.PanelGomi.SetVisible(true);  // the trash panel is open
  form.ListBox6.SetVisible(true);
  form.ListBox6.SetItems({"C:\\OLD\\GONE.SCR", "C:\\OLD\\T.SCR"});
  Order(0, true);
  ASSERT_TRUE(form.ListBox6.UserDblClick(1));
  ASSERT_TRUE(RunUntil(1, 5000));
  EXPECT_EQ(p.processes.Started().at(0).request.commandLine, "\"C:\\OLD\\T.SCR\" /s");
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(Played(), V{"T.SCR"});
}

TEST_F(PlayEngineTest, DoubleClickOnANameRowPlaysItsPath) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  form.SSN.SetChecked(true);
  form.ListBox7.SetVisible(true);
  form.ListBox7.SetItems({"A", "B", "C"});
  form.ListBox7.SetTag(0);
  Order(0, true);
  ASSERT_TRUE(form.ListBox7.UserDblClick(2));
  ASSERT_TRUE(RunUntil(1, 5000));
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(Played(), V{"C.SCR"});
  EXPECT_EQ(form.ListBox4.Tag(), 2);
}

TEST_F(PlayEngineTest, ScrVersionTitles) {
  Start(true);
  Rows({"A.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(h.app.Title(), "QUOVEL32 A.SCR (表示中)");
  Stop();
  EXPECT_EQ(h.app.Title(), "QUOVEL32");
}

TEST_F(PlayEngineTest, ClickingAnotherRowRedirectsTheWalk) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR", "D.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  form.ListBox4.SetTag(2);  // the user's click sets the list's current row
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(Played(), (V{"A.SCR", "D.SCR"}));
}

TEST_F(PlayEngineTest, IntervalOffRunsTheFirstSaverUntilTheUserEndsIt) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  form.ButtonTOFF.SetVisible(true);
  form.ButtonTOFF.UserClick();
  EXPECT_EQ(form.Label9.Caption(), "OFF");
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(120000);
  EXPECT_TRUE(engine->Playing());
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(Played(), V{"A.SCR"});
  EXPECT_EQ(form.ListBox4.Tag(), 1);  // the index advanced one step before the end
}

struct EarlyEndCase {
  int order;
  intptr_t tagAfter;
};

class EarlyEndTest : public PlayFixture, public testing::WithParamInterface<EarlyEndCase> {};

TEST_P(EarlyEndTest, TheUserComingBackEndsTheRun) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(GetParam().order, true);
  form.ListBox4.SetTag(1);
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(3000);
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil(2, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(Played().size(), 1u);
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  if (GetParam().tagAfter >= 0) {
    EXPECT_EQ(form.ListBox4.Tag(), GetParam().tagAfter);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, EarlyEndTest,
                         testing::Values(EarlyEndCase{0, 2}, EarlyEndCase{1, 0}, EarlyEndCase{2, 1},
                                         EarlyEndCase{3, -1}));

TEST_F(PlayEngineTest, StopDuringTheDisplayEndsTheSaverAtOnce) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(2500);
  form.Button5.UserClick();
  h.backend.Advance(1000);
  EXPECT_EQ(p.desktop.KeysPressed(), std::vector<uint8_t>{platform::vk::kShift});
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(Played(), V{"A.SCR"});
}

TEST_F(PlayEngineTest, StopBeforeTheFirstSelectionStartsNothing) {
  Start();
  Rows({"A.SCR"});
  Order(0, true);
  Play();
  form.Button5.UserClick();  // before Timer2 has fired
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_TRUE(Played().empty());
}

// A saver that does not end on the key has its windows asked to close some seconds later (at
// once after 中断), and is ended by force when it does not listen to that either; the run goes
// on, and the information line names it after the run.
struct GuardCase {
  bool endsOnClose;
  bool stopDuringTheWait;
  int secondsToClose;  // from the key to the close request
  std::vector<std::string> played;
};

class ExitGuardTest : public PlayFixture, public testing::WithParamInterface<GuardCase> {};

TEST_P(ExitGuardTest, ASaverThatIgnoresTheKeyIsClosedThenEnded) {
  const GuardCase& c = GetParam();
  p.processes.SetBehaviour("A.SCR", {.endsOnClose = c.endsOnClose});
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  const size_t a = 0;
  int waited = 0;  // tenths of a second
  while (p.desktop.KeysPressed().empty() && waited < 6000) h.backend.Advance(100), ++waited;
  ASSERT_FALSE(p.desktop.KeysPressed().empty());
  if (c.stopDuringTheWait) form.Button5.UserClick();
  waited = 0;
  while (p.processes.Started()[a].closeRequests == 0 && waited < 600) h.backend.Advance(100), ++waited;
  EXPECT_NEAR(waited / 10.0, c.secondsToClose, 1.0);
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(p.processes.Started()[a].endedByForce, !c.endsOnClose);
  EXPECT_EQ(Played(), c.played);
  EXPECT_EQ(p.processes.OpenHandles(), 0);
  EXPECT_EQ(form.Label4.Caption() == std::string(kForcedEnd) + "A.SCR", !c.endsOnClose);
}

INSTANTIATE_TEST_SUITE_P(Savers, ExitGuardTest,
                         testing::Values(GuardCase{true, false, 10, {"A.SCR", "B.SCR"}},
                                         GuardCase{false, false, 10, {"A.SCR", "B.SCR"}},
                                         GuardCase{false, true, 1, {"A.SCR"}}));

class SystemSaverTest : public PlayFixture, public testing::WithParamInterface<bool> {};

TEST_P(SystemSaverTest, OffDuringTheRunAndRestoredOnlyIfItWasOn) {
  Start();
  p.desktop.SetScreenSaverActive(GetParam(), true);
  Rows({"A.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(p.desktop.ScreenSaverActive(), false);
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(p.desktop.ScreenSaverActive(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(WasOn, SystemSaverTest, testing::Bool());

TEST_F(PlayEngineTest, SettingModeStartsWithSlashCAndPlaysSingle) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  form.RadioButton2.SetChecked(true);
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 2);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_TRUE(p.processes.Started()[0].request.commandLine.ends_with(" /c"));
  EXPECT_EQ(h.app.Title(), "QUOVEL32EXE A.SCR (設定中)");
  h.backend.Advance(60000);
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  EXPECT_FALSE(backForm.Visible());
  p.processes.Exit(p.processes.Started()[0].process.id, 0);
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
}

TEST_F(PlayEngineTest, ClosingDuringARunReleasesTheSaver) {
  Start();
  Rows({"A.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_TRUE(engine->RunningItem().valid());
  bool canClose = true;
  form.OnCloseQuery(form, canClose);
  EXPECT_TRUE(canClose);
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(p.processes.OpenHandles(), 0);  // released, the saver goes on
  EXPECT_TRUE(p.processes.Started()[0].running);
  h.backend.Advance(20000);
  EXPECT_EQ(Played().size(), 1u);
}

// 緊急脱出装置 ends a run even when the user declines; accepted, it closes the manager although
// an operation is busy.
TEST_F(PlayEngineTest, EmergencyExitStopsTheRunAndClosesWhateverIsBusy) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.ExpectModal("TMKBox", "緊急終了してもよろしいですか？？？").Answer(gui::kMrNo);
  h.backend.ExpectModal("TMKBox", "緊急脱出を中止しました・・・").Answer(1);
  form.MHelp3.UserClick();
  ASSERT_TRUE(RunUntil());
  EXPECT_FALSE(engine->Playing());
  settings->Busy = [] { return true; };
  bool canClose = true;
  form.OnCloseQuery(form, canClose);
  EXPECT_FALSE(canClose);
  Play();
  ASSERT_TRUE(RunUntil(2));
  h.backend.ExpectModal("TMKBox", "緊急終了してもよろしいですか？？？").Answer(gui::kMrYes);
  form.MHelp3.UserClick();
  EXPECT_TRUE(h.backend.VerifyExpectations());
  EXPECT_FALSE(engine->Playing());
  EXPECT_FALSE(form.Visible());
}

TEST_F(PlayEngineTest, IntervalButtonTakesTheConfirmedValueOnly) {
  Start();
  for (auto [answer, expected] : {std::pair{gui::kMrYes, "20"}, std::pair{gui::kMrNo, "20"}}) {
    h.backend.ExpectModal("TTMSETBox", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ表示時間設定：").Do([&, answer = answer](gui::Form& f) {
      auto& box = static_cast<forms::TTMSETBox&>(f);
      EXPECT_EQ(box.Caption(), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ表示時間");
      const int y = box.SpinButton2.Height() - 2;  // the lower half of the step-10 button
      box.SpinButton2.UserMouseDown(gui::MouseButton::Left, gui::kLeftButton, 5, answer == gui::kMrYes ? 2 : y);
      box.SpinButton2.UserMouseUp(gui::MouseButton::Left, 0, 5, answer == gui::kMrYes ? 2 : y);
      h.backend.ExpectModal("TMKBox", "に、設定します").Answer(answer);
      box.Button1.UserClick();
      if (answer != gui::kMrYes) box.Button4.UserClick();
    });
    form.ButtonTIMER.UserClick();
    EXPECT_EQ(form.Label9.Caption(), expected);
    EXPECT_EQ(engine->Interval(), 20);
  }
}

}  // namespace
}  // namespace play

// Power saving in a run: the count, the wait that leaves savers running, the Escape broadcast and
// the alternating cursor move on a stop, and the settings-dialog mode.
#include "play_fixture.h"

namespace play {
namespace {

struct PlayPowerTest : PlayFixture {
  void Begin(int interval, int powerSaving, std::vector<std::string> rows) {
    Start();
    Rows(rows);
    Order(0, true);
    settings->Values().timer = interval;
    settings->Values().stimer = powerSaving;
  }
  // Runs the clock until the power-saving wait is scheduled; the milliseconds it took.
  uint64_t UntilWait(uint64_t boundMs = 120000) {
    const uint64_t from = h.backend.Now();
    while (!h.backend.IsScheduled(form.TimerST) && h.backend.Now() < from + boundMs) h.backend.Advance(100);
    EXPECT_TRUE(h.backend.IsScheduled(form.TimerST));
    return h.backend.Now() - from;
  }
  void Idle(uint64_t ms) {
    for (uint64_t t = 0; t < ms; t += 100) h.backend.Advance(100);
  }
  int EscapeBroadcasts() const {
    int n = 0;
    for (const auto& m : p.desktop.Messages()) {
      n += m.window == platform::fake::FakeDesktop::kBroadcast && m.message == platform::msg::kKeyDown &&
           m.wParam == platform::vk::kEscape && m.lParam == 0;
    }
    return n;
  }
};

TEST_F(PlayPowerTest, AfterSixtySecondsTheSixthSaverStaysAndTheSeventhIsLeftAfterEight) {
  Begin(10, 60, {"A.SCR", "B.SCR", "C.SCR", "D.SCR", "E.SCR", "F.SCR", "G.SCR", "H.SCR"});
  Play();
  ASSERT_TRUE(RunUntil(6));
  EXPECT_EQ(p.desktop.KeysPressed().size(), 5u);  // five savers ended by the Shift key
  EXPECT_NEAR(static_cast<double>(UntilWait()), 10000.0, 400.0);  // the sixth's tenth tick
  Idle(60000);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 5u);  // the sixth is not ended by a key
  EXPECT_EQ(p.processes.Started().size(), 6u);
  EXPECT_EQ(engine->Power().Count(), 60);
  EXPECT_EQ(EscapeBroadcasts(), 0);

  p.processes.UserInput();  // the user comes back and ends it; the run goes on
  ASSERT_TRUE(RunUntil(7));
  EXPECT_TRUE(engine->Playing());
  EXPECT_NEAR(static_cast<double>(UntilWait()), 8000.0, 400.0);
  Idle(30000);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 5u);
  EXPECT_EQ(p.processes.Started().size(), 7u);
  EXPECT_TRUE(p.processes.StillRunning(engine->RunningItem()));

  Stop();  // the saver left running ends by the Escape broadcast
  EXPECT_EQ(EscapeBroadcasts(), 1);
  EXPECT_EQ(p.processes.OpenHandles(), 0);
  EXPECT_EQ(Played(), (std::vector<std::string>{"A.SCR", "B.SCR", "C.SCR", "D.SCR", "E.SCR", "F.SCR", "G.SCR"}));
}

TEST_F(PlayPowerTest, ZeroNeverCountsNorWaits) {
  Begin(10, 0, {"A.SCR", "B.SCR"});
  Play();
  for (int i = 0; i < 300 && p.processes.Started().size() < 8; ++i) {
    h.backend.Advance(1000);
    EXPECT_FALSE(h.backend.IsScheduled(form.TimerST));
  }
  EXPECT_EQ(p.processes.Started().size(), 8u);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 7u);
  EXPECT_EQ(engine->Power().Count(), 0);
  Stop();
}

TEST_F(PlayPowerTest, EachStopDuringAWaitMovesTheCursorTheOtherWay) {
  Begin(10, 10, {"A.SCR"});
  p.desktop.MoveCursor({300, 200});
  const std::vector<platform::Point> expected = {{305, 205}, {300, 200}, {305, 205}};
  for (const platform::Point& at : expected) {
    Play();
    ASSERT_TRUE(RunUntil(p.processes.Started().size() + 1));
    UntilWait();
    Idle(5000);
    EXPECT_TRUE(p.processes.StillRunning(engine->RunningItem()));
    Stop();
    EXPECT_EQ(p.desktop.CursorPos(), at);
  }
  EXPECT_EQ(EscapeBroadcasts(), 3);
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
}

TEST_F(PlayPowerTest, ACountStartsWithEachRun) {
  Begin(10, 30, {"A.SCR", "B.SCR"});
  Play();
  ASSERT_TRUE(RunUntil(2));
  Idle(5000);
  Stop();
  EXPECT_GT(engine->Power().Count(), 10);
  Play();
  ASSERT_TRUE(RunUntil(p.processes.Started().size() + 1));
  Idle(1500);
  EXPECT_EQ(engine->Power().Count(), 1);  // one second of the new run's first saver
  Stop();
}

TEST_F(PlayPowerTest, SettingsDialogsAreNotEndedAndTheirCloseEndsASingleRun) {
  Begin(10, 10, {"A.SCR"});
  form.RadioButton2.SetChecked(true);  // 設定: the settings dialogs, alone
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(p.processes.Started().at(0).request.commandLine, "\"" + Path("A.SCR") + "\" /c");
  UntilWait();
  Idle(20000);
  ASSERT_TRUE(engine->Playing());
  p.processes.Exit(p.processes.Started().at(0).process.id, 0);  // the user closes the dialog
  ASSERT_TRUE(RunUntil());
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(engine->Power().Count(), 0);
  EXPECT_EQ(EscapeBroadcasts(), 0);
  EXPECT_TRUE(p.desktop.CursorMoves().empty());
  EXPECT_EQ(p.processes.OpenHandles(), 0);
}

}  // namespace
}  // namespace play

// A saver on each monitor: which rows a round gives the monitors in each order, and a manager's
// run over two monitors on the fake platform (the windows, the round's change, the user's return,
// a list with no saver that can play in a window).
#include <set>

#include "forms/role_forms.h"
#include "play/screen_round.h"
#include "play_fixture.h"

namespace play {
namespace {

TEST(RoundRowsTest, EachOrderGivesItsRowsAndWhereTheWalkStands) {
  struct Case {
    Order order;
    int count, first, monitors;
    std::vector<int> rows;
    int last;
  } cases[] = {
      {Order::kContinuous, 5, 3, 2, {3, 4, 0, 1, 2}, 4},
      {Order::kContinuous, 5, 4, 3, {4, 0, 1, 2, 3}, 4},  // the round crosses the end: so does the next step
      {Order::kReverse, 5, 1, 2, {1, 0, 4, 3, 2}, 0},
      {Order::kSingle, 5, 2, 3, {2}, 2},
      {Order::kContinuous, 1, 0, 2, {0}, 0},
      {Order::kContinuous, 0, 0, 2, {}, 0},
  };
  std::mt19937 random(1);
  for (const Case& c : cases) {
    EXPECT_EQ(RoundRows(c.order, c.count, c.first, random), c.rows) << static_cast<int>(c.order) << " " << c.first;
    EXPECT_EQ(RoundLast(c.order, c.count, c.first, c.monitors), c.last) << static_cast<int>(c.order) << " " << c.first;
  }
  // Random: the drawn row first, then every other row once.
  std::vector<int> rows = RoundRows(Order::kRandom, 6, 2, random);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], 2);
  EXPECT_EQ(std::set<int>(rows.begin(), rows.end()).size(), 6u);
}

struct ScreenRoundTest : PlayFixture {
  void SetUp() override {
    p.desktop.SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, false}});
    Start();
    settings->Values().timer = 5;
    settings->Values().fileHis = 10;
    form.MONITORS.SetChecked(true);
    platform::fake::ProgramBehaviour preview, full, slow;
    p.processes.SetDefaultBehaviour(preview);  // a preview ends only when its window goes
    full.windows = {{0, 0, 1024, 768}};        // shows full screen whatever it is asked
    for (const char* name : {"FULL1.SCR", "FULL2.SCR"}) p.processes.SetBehaviour(name, full);
    slow.previewInside = false;                // has not shown yet
    p.processes.SetBehaviour("SLOW.SCR", slow);
  }
  // The screen windows of the round, by monitor.
  std::vector<gui::Form*> Screens() const {
    std::vector<gui::Form*> screens;
    for (gui::Form* f : h.app.Forms()) {
      if (dynamic_cast<forms::TQUOVEL32SCREEN*>(f) != nullptr) screens.push_back(f);
    }
    return screens;
  }
  std::vector<std::string> Running() const {
    std::vector<std::string> names;
    for (const auto& r : p.processes.Started()) {
      if (r.running) names.push_back(r.program.substr(r.program.rfind('\\') + 1) + r.request.commandLine.substr(r.request.commandLine.rfind('"') + 1));
    }
    return names;
  }
  std::string Args(gui::Form* screen) const { return " /p " + std::to_string(screen->GetHandle()); }
};

TEST_F(ScreenRoundTest, EachMonitorPlaysTheNextSaverAndTheRoundChangesTogetherUntilTheUserComesBack) {
  Rows({"A.SCR", "B.SCR", "C.SCR", "D.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(2));
  p.desktop.PressKey(0x10);  // as showing our windows under the cursor may count: not the user yet
  h.backend.Advance(300);
  std::vector<gui::Form*> screens = Screens();
  ASSERT_EQ(screens.size(), 2u);
  EXPECT_EQ(screens[0]->Bounds(), (gui::Rect{0, 0, 1024, 768}));
  EXPECT_EQ(screens[1]->Bounds(), (gui::Rect{-1280, 0, 1280, 1024}));
  EXPECT_TRUE(screens[0]->Visible() && screens[1]->Visible());
  EXPECT_EQ(Running(), (std::vector<std::string>{"A.SCR" + Args(screens[0]), "B.SCR" + Args(screens[1])}));
  EXPECT_EQ(lists.History(), (std::vector<std::string>{Path("A.SCR"), Path("B.SCR")}));

  // After the display time both are asked to close and the next two start together.
  ASSERT_TRUE(RunUntil(4, 10000));
  EXPECT_EQ(p.processes.Started()[0].closeRequests, 1);
  EXPECT_EQ(p.processes.Started()[1].closeRequests, 1);
  h.backend.Advance(300);
  EXPECT_EQ(Running(), (std::vector<std::string>{"C.SCR" + Args(screens[0]), "D.SCR" + Args(screens[1])}));

  // A cursor that jitters goes on; a key ends both savers and the run at once.
  p.desktop.MoveCursor({515, 390});
  h.backend.Advance(kSettleMs);
  EXPECT_EQ(Running().size(), 2u);
  p.desktop.PressKey(0x41);
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_TRUE(Running().empty());
  EXPECT_FALSE(screens[0]->Visible() || screens[1]->Visible());
  EXPECT_EQ(p.processes.Started().size(), 4u);
}

TEST_F(ScreenRoundTest, TheRoundChangesWhenTheLongestOfItsSaversTimesIsOver) {
  Rows({"A.SCR", "B.SCR", "C.SCR", "D.SCR"});
  Order(0, true);
  form.FT.SetChecked(true);
  engine->FileTimer = [this](const std::string& path) { return path == Path("B.SCR") ? 9 : 0; };
  Play();
  ASSERT_TRUE(RunUntil(2));
  const uint64_t started = h.backend.Now();
  while (p.processes.Started()[0].closeRequests == 0 && h.backend.Now() < started + 20000) h.backend.Advance(100);
  EXPECT_NEAR(static_cast<double>(h.backend.Now() - started), 9000.0, 600.0);
  Stop();
}

TEST_F(ScreenRoundTest, AListWithNoSaverThatCanShareFallsBackToTheWholeDesktopOnce) {
  Rows({"FULL1.SCR", "FULL2.SCR"});
  Order(0, true);
  h.backend.ExpectModal("TMKBox", "モニターごとに再生できるセーバーがありません").Answer(1);
  Play();
  ASSERT_TRUE(RunUntil(3, 5000));
  EXPECT_EQ(p.processes.Started()[2].request.commandLine, "\"" + Path("FULL1.SCR") + "\" /s");
  ASSERT_TRUE(RunUntil(4, 20000));
  EXPECT_EQ(p.processes.Started()[3].request.commandLine, "\"" + Path("FULL2.SCR") + "\" /s");
  Stop();
}

using OneMonitorTest = PlayFixture;

TEST_F(OneMonitorTest, TheSettingIsGreyedAndARunPlaysOverTheWholeDesktop) {
  Start();
  form.MONITORS.SetChecked(true);
  form.MOption0.UserClick();
  EXPECT_FALSE(form.MONITORS.Enabled());
  Rows({"A.SCR", "B.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(p.processes.Started()[0].request.commandLine, "\"" + Path("A.SCR") + "\" /s");
  Stop();
}

TEST_F(ScreenRoundTest, TheUserComingBackBeforeAnySaverShowedEndsTheRunWithoutFallingBack) {
  Rows({"SLOW.SCR", "SLOW.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(2));
  h.backend.Advance(kSettleMs + 200);
  p.desktop.PressKey(0x41);
  h.backend.Advance(3000);
  EXPECT_FALSE(engine->Playing());
  EXPECT_EQ(p.processes.Started().size(), 2u);
}

}  // namespace
}  // namespace play

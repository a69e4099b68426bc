// Timers and the virtual clock of the headless backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/gui_testing.h"
#include "gui/timer.h"

namespace {

struct TimerTest : ::testing::Test {
  guitest::HeadlessApp h;
  gui::Form form{h.app, "TTimers"};
  std::vector<std::string> fired;  // "name@time"

  void Watch(gui::Timer& t) {
    t.OnTimer = [this, &t](gui::Component&) { fired.push_back(t.Name() + "@" + std::to_string(h.app.Now())); };
  }
};

TEST_F(TimerTest, FiresEveryIntervalInDeadlineOrderAtItsDeadline) {
  gui::Timer a(form, "A", 300), b(form, "B", 200);
  Watch(a);
  Watch(b);
  h.backend.Advance(650);
  EXPECT_EQ(fired, (std::vector<std::string>{"B@200", "A@300", "B@400", "A@600", "B@600"}));
  EXPECT_EQ(h.app.Now(), 650u);
}

TEST_F(TimerTest, EnablingOrChangingTheIntervalRestartsTheCountdown) {
  gui::Timer t(form, "T", 100);
  Watch(t);
  h.backend.Advance(80);
  t.SetInterval(50);  // restarts at 80: next at 130
  h.backend.Advance(60);
  t.SetEnabled(false);
  h.backend.Advance(100);  // 240: nothing
  t.SetEnabled(true);      // restarts at 240
  h.backend.Advance(49);
  t.SetInterval(50);       // same interval: no restart
  h.backend.Advance(1);
  EXPECT_EQ(fired, (std::vector<std::string>{"T@130", "T@290"}));
}

TEST_F(TimerTest, IntervalZeroNeverFires) {
  gui::Timer t(form, "T", 0);
  Watch(t);
  h.backend.Advance(100000);
  EXPECT_TRUE(fired.empty());
  EXPECT_FALSE(h.backend.IsScheduled(t));
  t.SetInterval(10);
  h.backend.Advance(10);
  EXPECT_EQ(fired.size(), 1u);
}

// A chain of one-shot timers: each handler stops itself and starts its successor.
TEST_F(TimerTest, OneShotChainsRunInOrder) {
  gui::Timer t1(form, "T1", 300, false), t2(form, "T2", 500, false);
  t1.OnTimer = [&](gui::Component&) {
    t1.SetEnabled(false);
    fired.push_back("T1@" + std::to_string(h.app.Now()));
    t2.SetEnabled(true);
  };
  t2.OnTimer = [&](gui::Component&) {
    t2.SetEnabled(false);
    fired.push_back("T2@" + std::to_string(h.app.Now()));
    if (fired.size() < 4) t1.SetEnabled(true);
  };
  t1.SetEnabled(true);
  h.backend.Advance(5000);
  EXPECT_EQ(fired, (std::vector<std::string>{"T1@300", "T2@800", "T1@1100", "T2@1600"}));
}

TEST_F(TimerTest, AHandlerThatLetsMessagesRunSeesLaterTimersFire) {
  gui::Timer slow(form, "slow", 100), fast(form, "fast", 30, false);
  Watch(fast);
  slow.OnTimer = [&](gui::Component&) {
    slow.SetEnabled(false);
    fast.SetEnabled(true);
    while (fired.size() < 2) h.app.ProcessMessages();
    fast.SetEnabled(false);
  };
  h.backend.Advance(200);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@130", "fast@160"}));
  EXPECT_EQ(h.app.Now(), 200u);
}

TEST_F(TimerTest, ProcessMessagesRunsQueuedActionsAndStepsTheClock) {
  std::vector<std::string> ran;
  h.backend.Post([&] { ran.push_back("now@" + std::to_string(h.app.Now())); });
  h.backend.Post([&] { ran.push_back("later@" + std::to_string(h.app.Now())); }, 25);
  h.app.ProcessMessages();
  EXPECT_EQ(ran, std::vector<std::string>{"now@0"});
  EXPECT_EQ(h.app.Now(), 10u);
  h.app.ProcessMessages();
  h.app.ProcessMessages();
  EXPECT_EQ(ran, (std::vector<std::string>{"now@0", "later@25"}));
}

TEST_F(TimerTest, ADestroyedTimerIsForgotten) {
  {
    gui::Timer t(form, "T", 10);
    Watch(t);
  }
  h.backend.Advance(100);
  EXPECT_TRUE(fired.empty());
}

TEST_F(TimerTest, RunEndsWhenTheMainFormCloses) {
  gui::Form& main = h.app.CreateForm<gui::Form>("TMain");
  gui::Timer closer(main, "closer", 1000);
  closer.OnTimer = [&](gui::Component&) { main.Close(); };
  h.app.Run();
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(h.app.Now(), 1000u);
  EXPECT_FALSE(main.Visible());
}

}  // namespace

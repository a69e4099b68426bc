#include "play/power_saving.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_desktop.h"

namespace play {
namespace {

TEST(PowerSavingTest, CountReachesTheLimitAndResumesEightSecondsShortOfIt) {
  struct Case {
    int limit;
    int ticksUntilWait;  // -1: never
    int afterWait;
  } cases[] = {{0, -1, 0}, {10, 10, 2}, {60, 60, 52}, {5, 5, 0}};
  for (const Case& c : cases) {
    PowerSaving ps;
    ps.StartRun();
    int ticks = 0;
    while (ticks < 1000 && !ps.Tick(c.limit)) ++ticks;
    EXPECT_EQ(ticks == 1000 ? -1 : ticks + 1, c.ticksUntilWait) << c.limit;
    if (c.limit == 0) {
      EXPECT_EQ(ps.Count(), 0);
      continue;
    }
    ps.AfterWait(c.limit);
    EXPECT_EQ(ps.Count(), c.afterWait) << c.limit;
    int grace = 0;
    while (!ps.Tick(c.limit)) ++grace;
    EXPECT_EQ(grace + 1, c.limit - c.afterWait) << c.limit;
    ps.StartRun();
    EXPECT_EQ(ps.Count(), 0);
  }
}

TEST(PowerSavingTest, EachStopSendsEscapeAndMovesTheCursorTheOtherWay) {
  platform::fake::FakeDesktop desktop;
  desktop.MoveCursor({100, 200});
  PowerSaving ps;
  int pumped = 0;
  ps.EndSaverInputs(desktop, [&] { ++pumped; });
  ps.EndSaverInputs(desktop);
  ps.EndSaverInputs(desktop);
  ASSERT_EQ(desktop.CursorMoves().size(), 4u);
  EXPECT_EQ(desktop.CursorMoves()[1], (platform::Point{105, 205}));
  EXPECT_EQ(desktop.CursorMoves()[2], (platform::Point{100, 200}));
  EXPECT_EQ(desktop.CursorMoves()[3], (platform::Point{105, 205}));
  EXPECT_EQ(ps.Sign(), -1);
  EXPECT_EQ(pumped, 1);
  int escapes = 0;
  for (const auto& m : desktop.Messages()) {
    if (m.window == platform::fake::FakeDesktop::kBroadcast && m.message == platform::msg::kKeyDown &&
        m.wParam == platform::vk::kEscape && m.lParam == 0) {
      ++escapes;
    }
  }
  EXPECT_EQ(escapes, 3);
  EXPECT_TRUE(desktop.KeysPressed().empty());  // no key goes to the focus window
}

}  // namespace
}  // namespace play

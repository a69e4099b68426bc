#include "common/work_area.h"

#include <gtest/gtest.h>

#include <map>

namespace common {
namespace {

// A screen of 1024 x 768 with some windows; windowAt answers from a table of corners.
struct Screen {
  std::map<uintptr_t, WindowEdges> windows;
  std::map<uintptr_t, std::string> titles;
  std::map<std::pair<int, int>, uintptr_t> at;
  WindowQueries Queries() {
    return {
        [this](int x, int y) {
          auto it = at.find({x, y});
          return it == at.end() ? uintptr_t{0} : it->second;
        },
        [this](uintptr_t w) -> std::optional<WindowEdges> {
          auto it = windows.find(w);
          if (it == windows.end()) return std::nullopt;
          return it->second;
        },
        [this](uintptr_t w) { return titles[w]; },
    };
  }
};

TEST(WorkArea, TaskbarOnEachEdge) {
  struct Case {
    WindowEdges bar;
    std::pair<int, int> corner;
    Rect expected;
  } cases[] = {
      {{-2, -2, 60, 770}, {1, 1}, {60, 0, 964, 768}},           // left
      {{-2, 740, 1026, 770}, {1, 767}, {0, 0, 1024, 740}},      // bottom
      {{-2, -2, 1026, 30}, {1023, 1}, {0, 30, 1024, 738}},      // top
      {{990, -2, 1026, 770}, {1023, 767}, {0, 0, 990, 768}},    // right
  };
  for (const Case& c : cases) {
    Screen s;
    s.windows[100] = c.bar;
    s.at[c.corner] = 100;
    WorkAreaProbe probe;
    EXPECT_TRUE(probe.Probe(1024, 768, s.Queries()));
    const Rect& a = probe.Area();
    EXPECT_EQ(a.left, c.expected.left);
    EXPECT_EQ(a.top, c.expected.top);
    EXPECT_EQ(a.width, c.expected.width);
    EXPECT_EQ(a.height, c.expected.height);
    EXPECT_EQ(probe.Taskbar(), 100u);
  }
}

TEST(WorkArea, WindowsThatAreNoTaskbar) {
  Screen s;
  s.windows[10] = {0, 0, 1024, 768};        // full-screen window: left is 0
  s.windows[11] = {-2, 740, 1026, 770};     // taskbar-shaped, but has a title
  s.titles[11] = "Editor";
  s.windows[12] = {-2, 300, 1026, 470};     // centred, but taller than half the screen? no: 170
  s.windows[13] = {-2, 0, 1026, 768};       // centred across the width, too tall
  s.at[{1, 1}] = 10;
  s.at[{1, 767}] = 11;
  s.at[{1023, 1}] = 13;
  WorkAreaProbe probe;
  EXPECT_FALSE(probe.Probe(1024, 768, s.Queries()));
  EXPECT_EQ(probe.Area().width, 1024);
  EXPECT_EQ(probe.Area().height, 768);
  EXPECT_EQ(probe.Taskbar(), 0u);
}

TEST(WorkArea, RemembersTheTaskbarAndSearchesAgainWhenItIsGone) {
  Screen s;
  s.windows[100] = {-2, 740, 1026, 770};
  s.at[{1, 767}] = 100;
  WorkAreaProbe probe;
  ASSERT_TRUE(probe.Probe(1024, 768, s.Queries()));
  s.at.clear();                              // no longer under a corner: the remembered one counts
  s.windows[100] = {-2, 700, 1026, 770};
  ASSERT_TRUE(probe.Probe(1024, 768, s.Queries()));
  EXPECT_EQ(probe.Area().height, 700);
  s.windows.erase(100);                      // destroyed: corners again, none found
  EXPECT_FALSE(probe.Probe(1024, 768, s.Queries()));
  EXPECT_EQ(probe.Area().height, 768);
}

TEST(WorkArea, LowestHandleWinsAmongCandidatesAndStaysChosen) {
  Screen s;
  s.windows[200] = {-2, -2, 60, 770};        // found first (top-left corner)
  s.windows[150] = {-2, 740, 1026, 770};
  s.at[{1, 1}] = 200;
  s.at[{1, 767}] = 150;
  WorkAreaProbe probe;
  ASSERT_TRUE(probe.Probe(1024, 768, s.Queries()));
  EXPECT_EQ(probe.Area().height, 740);
  // The next probe starts from the remembered window and must give the same area.
  ASSERT_TRUE(probe.Probe(1024, 768, s.Queries()));
  EXPECT_EQ(probe.Area().height, 740);
  EXPECT_EQ(probe.Area().left, 0);
}

}  // namespace
}  // namespace common

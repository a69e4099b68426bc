#include "gui/spin_button.h"

#include <gtest/gtest.h>

#include "gui/canvas.h"
#include "gui/form.h"
#include "gui/gui_testing.h"

namespace gui {
namespace {

struct SpinButtonTest : testing::Test {
  SpinButtonTest() {
    spin.SetBounds(10, 10, 20, 25);
    spin.OnUpClick = [this](Component&) { events += 'U'; };
    spin.OnDownClick = [this](Component&) { events += 'D'; };
    form.Show();
  }
  void Press(int x, int y) { spin.UserMouseDown(MouseButton::Left, kLeftButton, x, y); }
  void Release(int x, int y) { spin.UserMouseUp(MouseButton::Left, 0, x, y); }

  guitest::HeadlessApp h;
  Form form{h.app, "TTest"};
  SpinButton spin{form, "SpinButton1"};
  std::string events;
};

TEST_F(SpinButtonTest, PressingAHalfClicksItOnce) {
  // 25 pixels high: rows 0 to 11 are the up half, 12 to 24 the down half.
  struct Case {
    int x, y;
    const char* events;
  } cases[] = {{10, 0, "U"}, {0, 11, "U"}, {19, 12, "D"}, {10, 24, "D"}, {20, 5, ""}, {5, 25, ""}};
  for (const Case& c : cases) {
    events.clear();
    Press(c.x, c.y);
    Release(c.x, c.y);
    EXPECT_EQ(events, c.events) << c.x << "," << c.y;
    EXPECT_EQ(spin.HeldHalf(), SpinHalf::None);
  }
  events.clear();
  spin.UserMouseDown(MouseButton::Right, kRightButton, 10, 5);
  spin.UserMouseUp(MouseButton::Right, 0, 10, 5);
  spin.SetEnabled(false);
  Press(10, 5);
  Release(10, 5);
  EXPECT_EQ(events, "");
}

TEST_F(SpinButtonTest, HoldingRepeatsWhileThePointerStaysOnTheHalf) {
  Press(10, 20);
  EXPECT_EQ(spin.PressedHalf(), SpinHalf::Down);
  h.backend.Advance(SpinButton::kRepeatPause - 1);
  EXPECT_EQ(events, "D");
  h.backend.Advance(1);
  EXPECT_EQ(events, "DD");
  h.backend.Advance(3 * SpinButton::kRepeatInterval);
  EXPECT_EQ(events, "DDDDD");
  spin.UserMouseMove(kLeftButton, 10, 3);       // onto the other half: released look, no clicks
  EXPECT_EQ(spin.PressedHalf(), SpinHalf::None);
  EXPECT_EQ(spin.HeldHalf(), SpinHalf::Down);
  h.backend.Advance(1000);
  EXPECT_EQ(events, "DDDDD");
  spin.UserMouseMove(kLeftButton, 10, 20);      // back: it goes on
  h.backend.Advance(SpinButton::kRepeatInterval);
  EXPECT_EQ(events, "DDDDDD");
  Release(10, 20);
  h.backend.Advance(1000);
  EXPECT_EQ(events, "DDDDDD");
}

TEST_F(SpinButtonTest, ControlThatStopsTakingInputLetsGo) {
  Press(10, 5);
  spin.SetEnabled(false);
  h.backend.Advance(2000);
  EXPECT_EQ(events, "U");
  EXPECT_EQ(spin.HeldHalf(), SpinHalf::None);
  spin.SetEnabled(true);
  Press(10, 5);                                  // the next press works as usual
  EXPECT_EQ(events, "UU");
}

// The arrow of a half: its tip and the y of its base.
struct Arrow {
  Point tip;
  int baseY;
};
Arrow ArrowOf(const DrawOp& op) {
  const Point tip = op.points[op.points[0].y == op.points[1].y ? 2 : 0];
  const int base = op.points[op.points[0].y == op.points[1].y ? 0 : 1].y;
  return {tip, base};
}

TEST_F(SpinButtonTest, PaintShowsArrowsAndThePressedHalf) {
  RecordingCanvas idle;
  spin.PaintTo(idle);
  auto arrows = idle.OpsOf(DrawOp::Kind::Polygon);
  auto bevels = idle.OpsOf(DrawOp::Kind::Bevel);
  ASSERT_EQ(arrows.size(), 2u);
  ASSERT_EQ(bevels.size(), 2u);
  const Arrow up = ArrowOf(arrows[0]), down = ArrowOf(arrows[1]);
  EXPECT_LT(up.tip.y, up.baseY);                 // points up
  EXPECT_GT(down.tip.y, down.baseY);             // points down
  EXPECT_TRUE(spin.UpRect().Contains(up.tip) && spin.UpRect().Contains(Point{up.tip.x, up.baseY}));
  EXPECT_TRUE(spin.DownRect().Contains(down.tip) && spin.DownRect().Contains(Point{down.tip.x, down.baseY}));
  EXPECT_EQ(up.tip.x, down.tip.x);
  for (const DrawOp& b : bevels) EXPECT_EQ(b.colors[0], colors::kBtnHighlight);

  Press(10, 3);
  RecordingCanvas pressed;
  spin.PaintTo(pressed);
  bevels = pressed.OpsOf(DrawOp::Kind::Bevel);
  EXPECT_EQ(bevels[0].colors[0], colors::kBtnShadow);   // the up half is lowered
  EXPECT_EQ(bevels[1].colors[0], colors::kBtnHighlight);
  const Arrow upPressed = ArrowOf(pressed.OpsOf(DrawOp::Kind::Polygon)[0]);
  EXPECT_EQ(upPressed.tip, (Point{up.tip.x + 1, up.tip.y + 1}));
  Release(10, 3);

  spin.SetEnabled(false);
  RecordingCanvas disabled;
  spin.PaintTo(disabled);
  EXPECT_EQ(disabled.OpsOf(DrawOp::Kind::Polygon)[0].brush.color, colors::kGrayText);
}

}  // namespace
}  // namespace gui

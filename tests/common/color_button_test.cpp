#include "gui/color_button.h"

#include <gtest/gtest.h>

#include "gui/edit.h"
#include "gui/form.h"
#include "gui/gui_testing.h"

namespace gui {
namespace {

struct ColorButtonTest : testing::Test {
  ColorButtonTest() {
    form.SetColor(Rgb(100, 20, 200));
    a.SetBounds(10, 10, 89, 33);
    b.SetBounds(110, 10, 89, 33);
    a.SetDefault(true);
    a.OnClick = [this](Component&) { ++clicksA; };
    b.OnClick = [this](Component&) { ++clicksB; };
    form.Show();
  }
  guitest::HeadlessApp h;
  Form form{h.app, "TTest"};
  TColorBtn a{form, "A"};
  TColorBtn b{form, "B"};
  Edit edit{form, "Edit1"};
  int clicksA = 0, clicksB = 0;
};

TEST_F(ColorButtonTest, PressLookAndReleaseClick) {
  ASSERT_EQ(a.Color(), Rgb(100, 20, 200));   // the parent's colour
  a.UserMouseDown(MouseButton::Left, kLeftButton, 5, 5);
  EXPECT_EQ(a.Color(), Rgb(68, 0, 168));      // 32 darker, not below 0
  EXPECT_EQ(a.Font().color, 0x333333u);       // window text resolves to black
  EXPECT_EQ(a.BevelOuter(), Bevel::Lowered);
  EXPECT_EQ(a.Left(), 11);
  EXPECT_EQ(a.Top(), 11);
  a.UserMouseUp(MouseButton::Left, 0, 5, 5);
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(a.Left(), 10);
  EXPECT_EQ(a.BevelOuter(), Bevel::Raised);
  EXPECT_TRUE(a.ParentColor());
  form.SetColor(colors::kSilver);                // still follows the parent afterwards
  EXPECT_EQ(a.Color(), colors::kSilver);
}

TEST_F(ColorButtonTest, DraggingOutCancelsTheClick) {
  a.UserMouseDown(MouseButton::Left, kLeftButton, 5, 5);
  a.UserMouseMove(kLeftButton, 1, 5);          // x not greater than 1: outside
  EXPECT_FALSE(a.ShowsPressed());
  EXPECT_EQ(a.Left(), 10);
  a.UserMouseMove(kLeftButton, 20, 20);        // back in
  EXPECT_TRUE(a.ShowsPressed());
  a.UserMouseMove(kLeftButton, 89, 20);        // not less than the width
  a.UserMouseUp(MouseButton::Left, 0, 95, 20);
  EXPECT_EQ(clicksA, 0);
  EXPECT_EQ(a.Left(), 10);
}

TEST_F(ColorButtonTest, LightFontGetsTheLightPressedColour) {
  Font f = a.Font();
  f.color = colors::kYellow;
  a.SetFont(f);
  a.UserKeyDown(kKeySpace);
  EXPECT_EQ(a.Font().color, 0xDDDDDDu);
  a.UserKeyUp(kKeySpace);
  EXPECT_EQ(a.Font().color, colors::kYellow);
  EXPECT_FALSE(a.ParentFont());
  EXPECT_EQ(clicksA, 1);
}

TEST_F(ColorButtonTest, ActiveDefaultFollowsTheFocus) {
  EXPECT_TRUE(a.ActiveDefault());
  EXPECT_EQ(a.BevelWidth(), 2);
  EXPECT_EQ(b.BevelWidth(), 1);
  b.SetFocus();
  EXPECT_FALSE(a.ActiveDefault());
  EXPECT_TRUE(b.ActiveDefault());
  EXPECT_EQ(b.BevelWidth(), 2);
  form.UserKeyDown(kKeyReturn);
  EXPECT_EQ(clicksB, 1);
  edit.SetFocus();                              // another control: Default decides again
  EXPECT_TRUE(a.ActiveDefault());
  EXPECT_FALSE(b.ActiveDefault());
  edit.UserKeyDown(kKeyReturn);
  EXPECT_EQ(clicksA, 1);
  edit.UserKeyDown(kKeyReturn, kShift);         // not with Shift
  EXPECT_EQ(clicksA, 1);
}

TEST_F(ColorButtonTest, EscapeClicksTheVisibleCancelButton) {
  b.SetCancel(true);
  edit.UserKeyDown(kKeyEscape);
  EXPECT_EQ(clicksB, 1);
  b.Hide();
  edit.UserKeyDown(kKeyEscape);
  EXPECT_EQ(clicksB, 1);
}

}  // namespace
}  // namespace gui

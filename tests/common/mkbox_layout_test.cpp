#include "common/mkbox_layout.h"

#include <gtest/gtest.h>

namespace common {
namespace {

const Placement kScreen{{0, 0, 1024, 768}, {}};

MKBoxMetrics Text(int width, int height) {
  MKBoxMetrics m;
  m.textWidth = width;
  m.textHeight = height;
  m.countWidth = 30;
  m.countHeight = 13;
  m.frameWidth = 6;
  m.frameHeight = 25;
  return m;
}

TEST(MKBoxLayout, PlainOkBoxCentresItsButtonAndItself) {
  Placement p{{0, 0, 1024, 768}, {100, 100, 400, 300}};
  MKBoxLayout l = LayoutMKBox({0, 0, false, 0}, Text(200, 13), p);
  EXPECT_EQ(l.memo.left, 64);
  EXPECT_EQ(l.memo.width, 210);
  EXPECT_EQ(l.memo.height, 39);      // 26 taller than the text
  EXPECT_EQ(l.outerWidth, 306);
  EXPECT_EQ(l.outerHeight, 152);
  EXPECT_EQ(l.icon.top, 16);         // 15 computed, 16 at least
  EXPECT_EQ(l.ok.top, 74);
  EXPECT_EQ(l.ok.left, 105);
  EXPECT_TRUE(l.okVisible);
  EXPECT_FALSE(l.yesVisible || l.noVisible || l.abortVisible || l.pauseVisible || l.barVisible || l.countVisible);
  EXPECT_EQ(l.left, 147);
  EXPECT_EQ(l.top, 174);
}

TEST(MKBoxLayout, ShortTextLetsTheIconDecideTheHeight) {
  MKBoxLayout l = LayoutMKBox({0, 0, false, 0}, Text(200, 4), kScreen);
  EXPECT_EQ(l.outerHeight, 3 * 32 + 33 + 16);
}

TEST(MKBoxLayout, DesignSizesFollowTheDensityAroundTheMeasuredText) {
  // The text comes measured in the box's scaled font; icon, margins and buttons scale with it.
  struct Case {
    int ppi;
    Rect memo, icon, ok;
    int outerWidth, outerHeight;
  } cases[] = {
      {96, {64, 16, 210, 39}, {16, 16, 32, 32}, {105, 74, 89, 33}, 306, 152},
      {144, {96, 24, 215, 60}, {24, 24, 48, 48}, {109, 119, 134, 50}, 359, 230},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    MKBoxMetrics m = Text(200, gui::Dpi{c.ppi}.Scale(13));
    m.memoFontHeight = gui::Dpi{c.ppi}.Scale(-13);
    m.dpi = {c.ppi};
    const MKBoxLayout l = LayoutMKBox({0, 0, false, 0}, m, kScreen);
    EXPECT_EQ(l.memo, c.memo);
    EXPECT_EQ(l.icon, c.icon);
    EXPECT_EQ(l.ok, c.ok);
    EXPECT_EQ(l.outerWidth, c.outerWidth);
    EXPECT_EQ(l.outerHeight, c.outerHeight);
  }
}

TEST(MKBoxLayout, TimedYesNoWidensForTheCountAndMarksTheDefault) {
  MKBoxLayout l = LayoutMKBox({1, 1, true, 7}, Text(40, 13), kScreen);
  EXPECT_EQ(l.yes.left, 10);         // negative gap raised to 10
  EXPECT_EQ(l.no.left, 109);
  EXPECT_EQ(l.pause.left, 208);
  EXPECT_TRUE(l.barVisible);
  EXPECT_EQ(l.bar.left, 109);        // above いいえ
  EXPECT_EQ(l.bar.top, l.no.top - 3);
  EXPECT_EQ(l.outerWidth, 333);      // client = pause right 297 + count 30
  EXPECT_EQ(l.memo.width, 210);      // 22 * 3 + 208 - 64
  EXPECT_EQ(l.count.left, 297);
  EXPECT_EQ(l.count.top, 127 - 13);
  EXPECT_TRUE(l.countVisible && l.pauseVisible);
  EXPECT_FALSE(l.okVisible || l.abortVisible);
}

TEST(MKBoxLayout, BarPositionFollowsTheDefault) {
  // Error OK box: OK, 中 断, pause.
  MKBoxLayout err1 = LayoutMKBox({0, 2, true, 1}, Text(300, 13), kScreen);
  EXPECT_TRUE(err1.abortVisible);
  EXPECT_TRUE(err1.barVisible);
  EXPECT_EQ(err1.bar.left, err1.ok.left);
  MKBoxLayout err3 = LayoutMKBox({0, 2, true, 3}, Text(300, 13), kScreen);
  EXPECT_EQ(err3.bar.left, err3.abort.left);
  // Default 2 (closed) puts the bar at the top edge beside the pause button.
  MKBoxLayout closed = LayoutMKBox({0, 1, true, 2}, Text(300, 13), kScreen);
  EXPECT_TRUE(closed.barVisible);
  EXPECT_EQ(closed.bar.left, closed.pause.left + 89);
  EXPECT_EQ(closed.bar.top, 3);
  // Defaults without a button of their own leave the bar hidden.
  EXPECT_FALSE(LayoutMKBox({0, 1, true, 3}, Text(300, 13), kScreen).barVisible);   // timed OK: no 中 断
  EXPECT_FALSE(LayoutMKBox({1, 1, true, 1}, Text(300, 13), kScreen).barVisible);   // Yes/No: no ＯＫ
  EXPECT_TRUE(LayoutMKBox({1, 2, true, 3}, Text(300, 13), kScreen).barVisible);
  // Without a countdown a timed request is a plain box.
  MKBoxLayout off = LayoutMKBox({0, 1, false, 1}, Text(200, 13), kScreen);
  EXPECT_FALSE(off.barVisible || off.pauseVisible || off.countVisible);
  EXPECT_EQ(off.ok.left, 105);
}

TEST(MKBoxLayout, NarrowYesNoWidensForTheRightmostButton) {
  MKBoxLayout l = LayoutMKBox({1, 0, false, 0}, Text(40, 13), kScreen);
  EXPECT_EQ(l.no.Right(), 198);
  EXPECT_EQ(l.outerWidth, 214);
  EXPECT_EQ(l.memo.width, 111);
  MKBoxLayout wide = LayoutMKBox({1, 0, false, 0}, Text(200, 13), kScreen);
  EXPECT_EQ(wide.yes.left, 40);      // (300 - 178) / 3
  EXPECT_EQ(wide.no.left, 169);
  EXPECT_EQ(wide.outerWidth, 306);
}

TEST(MKBoxLayout, StaysInsideTheWorkArea) {
  Placement offScreen{{0, 0, 1024, 740}, {900, 700, 400, 300}};
  MKBoxLayout l = LayoutMKBox({0, 0, false, 0}, Text(200, 13), offScreen);
  EXPECT_EQ(l.left, 1024 - 306);
  EXPECT_EQ(l.top, 740 - 152);
  Placement small{{60, 0, 300, 100}, {}};   // box larger than the area: top-left stays visible
  MKBoxLayout big = LayoutMKBox({0, 0, false, 0}, Text(600, 200), small);
  EXPECT_EQ(big.left, 60);
  EXPECT_EQ(big.top, 0);
}

}  // namespace
}  // namespace common

#include "common/tmset_box.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "forms/tmset_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_desktop.h"
#include "support/sjis_text.h"

namespace common {
namespace {

using testsupport::Utf8;

forms::TTMSETBox& Box(gui::Form& f) { return static_cast<forms::TTMSETBox&>(f); }

// Clicks one half of a spin button the way the mouse does.
void Spin(gui::SpinButton& s, bool up, int times = 1) {
  const int y = up ? 2 : s.Height() - 2;
  for (int i = 0; i < times; ++i) {
    s.UserMouseDown(gui::MouseButton::Left, gui::kLeftButton, 5, y);
    s.UserMouseUp(gui::MouseButton::Left, 0, 5, y);
  }
}

struct TmSetTest : testing::Test {
  TmSetTest() {
    dlg.Msg0 = "表示時間を設定して下さい";
    dlg.Msg1 = "ファイルタイマーの設定：";
  }
  // Expects the confirmation for `value` and answers it.
  void ExpectQuestion(const std::string& value, int answer) {
    h.backend.ExpectModal("TMKBox", "表示時間を、\n" + value + "に、設定します").Answer(answer);
  }

  guitest::HeadlessApp h;
  platform::fake::FakeDesktop desktop;
  TTmSETBoxDlg dlg{h.app, desktop};
};

TEST(SpinValue, StaysWithinTheRange) {
  struct Case {
    int value, delta, expected;
  } cases[] = {{5, -60, 0},       {32695, 10, 32700}, {32700, 1, 32700},      {0, -1, 0},
               {100, 60, 160},    {61, -60, 1},       {INT_MAX, 60, 32700},   {INT_MIN, -60, 0}};
  for (const Case& c : cases) EXPECT_EQ(SpinValue(c.value, c.delta), c.expected) << c.value << " " << c.delta;
}

TEST(PlaceDialog, CentresThenClampsIntoTheWorkArea) {
  const Rect screen{0, 0, 1024, 768};
  const Rect aboveBar{0, 0, 1024, 740};
  struct Case {
    const char* what;
    Rect reference, work;
    gui::Point expected;
  } cases[] = {
      {"centred on the owner", {100, 100, 400, 300}, aboveBar, {131, 178}},
      {"halves truncate toward zero", {100, 100, 301, 101}, screen, {82, 79}},
      {"owner past the bottom right", {900, 650, 400, 250}, aboveBar, {686, 597}},
      {"owner past the top left", {-500, -400, 400, 300}, aboveBar, {0, 0}},
      {"no owner: the work area", {}, {60, 0, 964, 768}, {373, 312}},
      {"larger than the area: top left shows", {}, {0, 0, 300, 100}, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceDialog(c.reference, c.work, 338, 143), c.expected) << c.what;
}

TEST_F(TmSetTest, SpinButtonsStepAndClamp) {
  struct Step {
    int button;  // 1, 2, 3: steps 1, 10, 60
    bool up;
    int times;
  };
  struct Case {
    int start;
    std::vector<Step> steps;
    int expected;
  } cases[] = {
      {5, {{3, false, 1}}, 0},
      {32695, {{2, true, 1}}, 32700},
      {32700, {{3, true, 2}, {1, true, 1}}, 32700},
      {0, {{1, false, 3}}, 0},
      {100, {{3, true, 1}, {2, false, 1}, {1, true, 3}}, 153},
  };
  for (const Case& c : cases) {
    dlg.TCount = c.start;
    h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
      auto& b = Box(f);
      EXPECT_EQ(b.Label2.Caption(), std::to_string(c.start) + "秒");
      const int right = b.Label2.Left() + b.Label2.Width();
      gui::SpinButton* buttons[] = {&b.SpinButton1, &b.SpinButton2, &b.SpinButton3};
      for (const Step& s : c.steps) Spin(*buttons[s.button - 1], s.up, s.times);
      EXPECT_EQ(b.Label2.Caption(), std::to_string(c.expected) + "秒") << c.start;
      EXPECT_EQ(b.Label2.Left() + b.Label2.Width(), right) << "the value stays right-justified";
      ExpectQuestion(std::to_string(c.expected) + "秒", gui::kMrYes);
      b.Button1.UserClick();
    });
    EXPECT_EQ(dlg.Execute("表示時間"), 1);
    EXPECT_EQ(dlg.TCount, c.expected);
  }
}

TEST_F(TmSetTest, MinimumRaisesSmallNonZeroValues) {
  dlg.MinCount = 10;
  struct Case {
    int start, stored;
  } cases[] = {{3, 10}, {0, 0}, {10, 10}, {11, 11}};
  for (const Case& c : cases) {
    dlg.TCount = c.start;
    h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
      ExpectQuestion(std::to_string(c.stored) + "秒", gui::kMrYes);
      Box(f).Button1.UserClick();
    });
    EXPECT_EQ(dlg.Execute("表示時間"), 1);
    EXPECT_EQ(dlg.TCount, c.stored) << c.start;
  }
}

TEST_F(TmSetTest, OnlyYesClosesTheDialog) {
  dlg.TCount = 20;
  dlg.MinCount = 30;
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    for (int refusal : {gui::kMrNo, gui::kMrCancel}) {
      ExpectQuestion("30秒", refusal);
      b.Button1.UserClick();
      EXPECT_TRUE(b.Visible());
      EXPECT_EQ(b.ModalResult(), gui::kMrNone);
    }
    EXPECT_EQ(b.Label2.Caption(), "30秒");   // the minimum shows even though it was refused
    Spin(b.SpinButton1, true);
    ExpectQuestion("31秒", gui::kMrYes);
    b.UserKeyDown(gui::kKeyReturn);          // Enter: the default button 設 定
  });
  EXPECT_EQ(dlg.Execute("表示時間"), 1);
  EXPECT_EQ(dlg.TCount, 31);
}

TEST_F(TmSetTest, UnansweredConfirmationAcceptsAfterItsCountdown) {
  dlg.TCount = 45;
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    h.backend.ExpectModal("TMKBox", "45秒に、設定します").LetRun(11000);
    Box(f).Button1.UserClick();
  });
  EXPECT_EQ(dlg.Execute("表示時間"), 1);
  EXPECT_EQ(dlg.TCount, 45);
}

TEST_F(TmSetTest, CancelAndCloseKeepTheValue) {
  struct Case {
    const char* what;
    std::function<void(forms::TTMSETBox&)> act;
    int result;
  } cases[] = {
      {"中 止", [](forms::TTMSETBox& b) { b.Button4.UserClick(); }, 3},
      {"Escape", [](forms::TTMSETBox& b) { b.UserKeyDown(gui::kKeyEscape); }, 3},
      {"close button", [](forms::TTMSETBox& b) { b.Close(); }, 2},
  };
  for (const Case& c : cases) {
    dlg.TCount = 7;
    h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
      Spin(Box(f).SpinButton3, true);
      c.act(Box(f));
    });
    EXPECT_EQ(dlg.Execute("表示時間"), c.result) << c.what;
    EXPECT_EQ(dlg.TCount, 7) << c.what;
  }
}

TEST_F(TmSetTest, UnitFollowsMsg0) {
  struct Case {
    const char* msg0;
    const char* hms;
    const char* shown;
  } cases[] = {{"", "秒", "12個"}, {"表示時間", "秒", "12秒"}, {"待ち時間", "分", "12分"}, {"", "分", "12個"}};
  for (const Case& c : cases) {
    dlg.Msg0 = c.msg0;
    dlg.HMS = c.hms;
    dlg.TCount = 12;
    h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
      EXPECT_EQ(Box(f).Label2.Caption(), c.shown) << Utf8(c.msg0);
      EXPECT_EQ(Box(f).LMsg0.Caption(), c.msg0);
      Box(f).Button4.UserClick();
    });
    dlg.Execute("履歴の数");
  }
}

TEST_F(TmSetTest, TitleTextsAndWidth) {
  h.app.SetTitle("QUOVEL32 EXE版");
  int designWidth = 0;
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_EQ(b.Caption(), "QUOVEL32 EXE版");
    EXPECT_EQ(b.LMsg1.Caption(), "ファイルタイマーの設定：");
    EXPECT_EQ(b.ClientWidth(), 332);
    designWidth = b.Width();
    b.Button4.UserClick();
  });
  dlg.Execute("表示時間");

  // A first line wider than the window widens it to the line's end plus 10.
  dlg.Title = "タイマー";
  dlg.Msg0 = std::string(40, 'W') + "のファイルの表示時間を設定して下さい";
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_EQ(b.Caption(), "タイマー");
    ASSERT_GT(b.LMsg0.Left() + b.LMsg0.Width(), designWidth);
    EXPECT_EQ(b.Width(), b.LMsg0.Left() + b.LMsg0.Width() + 10);
    b.Button4.UserClick();
  });
  dlg.Execute("表示時間");
}

TEST_F(TmSetTest, PlacedOnTheOwnerInsideTheWorkArea) {
  desktop.AddWindow("Shell_TrayWnd", {-2, 740, 1026, 770});   // a taskbar at the bottom
  struct Case {
    const char* what;
    platform::Rect owner;
    bool centred;
  } cases[] = {
      {"owner in the middle", {200, 150, 800, 600}, true},
      {"owner past the bottom right", {700, 600, 1300, 900}, false},
      {"owner past the top left", {-600, -500, 100, 50}, false},
  };
  for (const Case& c : cases) {
    dlg.SourceHandle = desktop.AddWindow("TOwner", c.owner);
    h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
      EXPECT_GE(f.Left(), 0) << c.what;
      EXPECT_GE(f.Top(), 0) << c.what;
      EXPECT_LE(f.Left() + f.Width(), 1024) << c.what;
      EXPECT_LE(f.Top() + f.Height(), 740) << c.what;
      if (c.centred) {
        EXPECT_LE(std::abs(2 * f.Left() + f.Width() - (c.owner.left + c.owner.right)), 1) << c.what;
        EXPECT_LE(std::abs(2 * f.Top() + f.Height() - (c.owner.top + c.owner.bottom)), 1) << c.what;
      }
      Box(f).Button4.UserClick();
    });
    dlg.Execute("表示時間");
    EXPECT_EQ(dlg.WorkArea(), (Rect{0, 0, 1024, 740}));
  }
}

TEST_F(TmSetTest, WithoutATaskbarThePlatformWorkAreaCounts) {
  desktop.SetScreen({1024, 768}, {0, 0, 1024, 600});
  dlg.SourceHandle = desktop.AddWindow("TOwner", {0, 500, 400, 760});
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    EXPECT_EQ(f.Top() + f.Height(), 600);
    Box(f).Button4.UserClick();
  });
  dlg.Execute("表示時間");
}

TEST_F(TmSetTest, TakesTheMainWindowsColoursAndHintSetting) {
  gui::Form& main = h.app.CreateForm<gui::Form>("TMain");
  main.SetColor(gui::Rgb(255, 200, 220));
  gui::Font font = main.Font();
  font.color = gui::colors::kNavy;
  main.SetFont(font);
  main.SetShowHint(false);
  h.backend.ExpectModal("TTMSETBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_EQ(b.Color(), gui::Rgb(255, 200, 220));
    EXPECT_EQ(b.Button1.Color(), gui::Rgb(255, 200, 220));
    EXPECT_EQ(b.Label2.Font().color, gui::colors::kNavy);
    EXPECT_FALSE(b.SpinButton1.ShowHint());
    b.Button4.UserClick();
  });
  dlg.Execute("表示時間");
}

}  // namespace
}  // namespace common

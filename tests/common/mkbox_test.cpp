#include "common/mkbox.h"

#include <gtest/gtest.h>

#include "forms/mkbox_form.h"
#include "gui/canvas.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_desktop.h"
#include "support/sjis_text.h"

namespace common {
namespace {

using testsupport::Utf8;

struct MKBoxTest : testing::Test {
  guitest::HeadlessApp h;
  platform::fake::FakeDesktop desktop;
  TMKBoxDlg dlg{h.app, desktop};

  forms::TMKBox& Box(gui::Form& f) { return static_cast<forms::TMKBox&>(f); }
  const gui::headless::ModalRecord& Last() { return h.backend.ModalHistory().back(); }
  uint64_t ShownFor() { return Last().closedAt - Last().shownAt; }
  // The tick lets pending messages run first, which moves the virtual clock a step or two.
  void ExpectShownFor(uint64_t ms) {
    EXPECT_GE(ShownFor(), ms);
    EXPECT_LT(ShownFor(), ms + 50);
  }
};

TEST_F(MKBoxTest, ButtonsGiveTheirResults) {
  struct Case {
    const char* what;
    std::function<int(TMKBoxDlg&)> call;
    std::function<void(forms::TMKBox&)> act;
    int result;
  } cases[] = {
      {"OK", [](TMKBoxDlg& d) { return d.MsgOK("a"); }, [](forms::TMKBox& b) { b.Btn_OK.UserClick(); }, 1},
      {"Enter on OK", [](TMKBoxDlg& d) { return d.MsgOK("a"); }, [](forms::TMKBox& b) { b.UserKeyDown(gui::kKeyReturn); }, 1},
      {"Yes", [](TMKBoxDlg& d) { return d.MsgYesNo("a"); }, [](forms::TMKBox& b) { b.Btn_Yes.UserClick(); }, 6},
      {"No", [](TMKBoxDlg& d) { return d.MsgYesNo("a"); }, [](forms::TMKBox& b) { b.Btn_No.UserClick(); }, 7},
      {"Enter on Yes/No", [](TMKBoxDlg& d) { return d.MsgYesNo("a"); }, [](forms::TMKBox& b) { b.UserKeyDown(gui::kKeyReturn); }, 6},
      {"Escape on Yes/No", [](TMKBoxDlg& d) { return d.MsgYesNo("a"); }, [](forms::TMKBox& b) { b.UserKeyDown(gui::kKeyEscape); }, 7},
      {"Abort", [](TMKBoxDlg& d) { return d.MsgOKError("a", 1); }, [](forms::TMKBox& b) { b.Btn_Abort.UserClick(); }, 3},
      {"Escape on error", [](TMKBoxDlg& d) { return d.MsgOKError("a", 1); }, [](forms::TMKBox& b) { b.UserKeyDown(gui::kKeyEscape); }, 3},
      {"close button", [](TMKBoxDlg& d) { return d.MsgOK("a"); }, [](forms::TMKBox& b) { b.Close(); }, 2},
      {"close timed", [](TMKBoxDlg& d) { return d.MsgYesNoTimer("a", 6); }, [](forms::TMKBox& b) { b.Close(); }, 2},
  };
  for (const Case& c : cases) {
    h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) { c.act(Box(f)); });
    EXPECT_EQ(c.call(dlg), c.result) << c.what;
  }
  // Escape on a plain OK box does nothing: the box stays until OK.
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    f.UserKeyDown(gui::kKeyEscape);
    EXPECT_TRUE(f.Visible());
    Box(f).Btn_OK.UserClick();
  });
  EXPECT_EQ(dlg.MsgOK("a"), 1);
}

TEST_F(MKBoxTest, CountdownClosesWithTheDefaultAfterTenTicks) {
  h.backend.ExpectModal("TMKBox").Do([](gui::Form& f) {
    auto& b = static_cast<forms::TMKBox&>(f);
    EXPECT_EQ(b.Label_TM.Caption(), "10秒");
    EXPECT_TRUE(b.Btn_TM_STOP.Visible());
    EXPECT_FALSE(b.Btn_TM_OPEN.Visible());
  });
  EXPECT_EQ(dlg.MsgOKTimer("消えます", 1), 1);
  ExpectShownFor(10000);
}

TEST_F(MKBoxTest, PausingDelaysTheTimeOut) {
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    h.backend.Advance(3000);
    b.Btn_TM_STOP.UserClick();
    EXPECT_TRUE(b.Btn_TM_OPEN.Visible());
    h.backend.Advance(30000);
    EXPECT_EQ(b.Label_TM.Caption(), "7秒");
    b.Btn_TM_OPEN.UserClick();
  });
  EXPECT_EQ(dlg.MsgYesNoTimer("待ちます", 7), 7);
  ExpectShownFor(40000);
}

TEST_F(MKBoxTest, ZeroOrNegativeCountClosesOnTheFirstTick) {
  for (int count : {0, -3}) {
    dlg.TimerCount = count;
    h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
      EXPECT_EQ(Box(f).Label_TM.Caption(), std::to_string(count) + "秒");
    });
    EXPECT_EQ(dlg.MsgOKTimer("x", 2), 2);
    ExpectShownFor(1000);
  }
}

TEST_F(MKBoxTest, WithoutCountdownTimedBoxesArePlain) {
  dlg.Timer = false;
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_FALSE(b.Btn_TM_STOP.Visible() || b.Label_TM.Visible() || b.Label_Select.Visible());
    h.backend.Advance(60000);   // nothing happens by itself
    EXPECT_TRUE(b.Visible());
    b.Btn_OK.UserClick();
  });
  EXPECT_EQ(dlg.MsgOKTimer("x", 2), 1);
  dlg.ERTimer = false;
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    EXPECT_FALSE(Box(f).Btn_Abort.Visible());
    Box(f).Btn_OK.UserClick();
  });
  EXPECT_EQ(dlg.MsgOKError("x", 1), 1);
}

TEST_F(MKBoxTest, BarMarksTheDefaultButton) {
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_TRUE(b.Label_Select.Visible());
    EXPECT_EQ(b.Label_Select.Left(), b.Btn_No.Left());
    EXPECT_EQ(b.Label_Select.Top() + 3, b.Btn_No.Top());
    EXPECT_EQ(b.Label_Select.Color(), gui::colors::kRed);
  });
  EXPECT_EQ(dlg.MsgYesNoTimer("x", 7), 7);
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_EQ(b.Label_Select.Left(), b.Btn_OK.Left());
    b.Btn_Abort.UserClick();
  });
  EXPECT_EQ(dlg.MsgOKError("x", 1), 3);
}

TEST_F(MKBoxTest, ElevenNestedBoxesUseTenSlots) {
  int depth = 0;
  int eleventh = -1;
  std::function<void(gui::Form&)> nest = [&](gui::Form& f) {
    ++depth;
    EXPECT_TRUE(dlg.B[static_cast<size_t>(depth - 1)]);
    if (depth < 10) {
      h.backend.ExpectModal("TMKBox").Do(nest);
      EXPECT_EQ(dlg.MsgOK("入れ子"), 1);
    } else {
      eleventh = dlg.MsgOK("11個目");
    }
    Box(f).Btn_OK.UserClick();
  };
  h.backend.ExpectModal("TMKBox").Do(nest);
  EXPECT_EQ(dlg.MsgOK("入れ子"), 1);
  EXPECT_EQ(eleventh, 0);
  EXPECT_EQ(h.backend.ModalHistory().size(), 10u);
  for (bool used : dlg.B) EXPECT_FALSE(used);
}

TEST_F(MKBoxTest, TextCaptionAndPlacement) {
  h.app.SetTitle("QUOVEL32 EXE版");
  // A classic taskbar at the bottom, found by the corner probe.
  platform::WindowId bar = desktop.AddWindow("Shell_TrayWnd", {-2, 740, 1026, 770});
  (void)bar;
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    auto& b = Box(f);
    EXPECT_EQ(b.Caption(), "QUOVEL32 EXE版");
    EXPECT_EQ(b.MemoMsg.Text(), "一行目\r\n二行目\r\r\n三行目");
    EXPECT_LE(b.Top() + b.Height(), 740);
    EXPECT_GE(b.Top(), 0);
    b.Btn_OK.UserClick();
  });
  dlg.MsgOK("一行目\n二行目\r\n三行目");
  EXPECT_EQ(dlg.WorkArea().height, 740);
  dlg.Title = "確認";
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    EXPECT_EQ(f.Caption(), "確認");
    Box(f).Btn_OK.UserClick();
  });
  dlg.MsgOK("x");
}

TEST_F(MKBoxTest, WithoutATaskbarThePlatformWorkAreaCounts) {
  desktop.SetScreen({1024, 768}, {0, 0, 1024, 700});
  h.backend.ExpectModal("TMKBox").Answer(1);
  dlg.MsgOK("x");
  EXPECT_EQ(dlg.WorkArea().height, 700);
}

// Two monitors, the second left of the primary at negative coordinates; the box keeps to the
// work area of its owner's monitor.
TEST_F(MKBoxTest, StaysOnTheMonitorOfItsOwner) {
  const platform::Monitor primary{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true};
  const platform::Monitor left{{-1280, 0, 0, 1024}, {-1280, 30, 0, 1024}, false};
  desktop.SetMonitors({primary, left});
  struct Case {
    const char* what;
    platform::Rect owner;
    const platform::Monitor& monitor;
  } cases[] = {
      {"owner on the left monitor", {-900, 300, -300, 700}, left},
      {"owner at the left monitor's top corner", {-1400, -100, -1000, 200}, left},
      {"owner mostly on the primary", {-100, 100, 500, 400}, primary},
      {"no owner: the primary", {0, 0, 0, 0}, primary},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dlg.SourceHandle = c.owner.width() > 0 ? desktop.AddWindow("TOwner", c.owner) : 0;
    h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
      const platform::Rect& w = c.monitor.workArea;
      EXPECT_GE(f.Left(), w.left);
      EXPECT_GE(f.Top(), w.top);
      EXPECT_LE(f.Left() + f.Width(), w.right);
      EXPECT_LE(f.Top() + f.Height(), w.bottom);
      Box(f).Btn_OK.UserClick();
    });
    dlg.MsgOK("x");
  }
}

// Opened at 150 %, or opened at 100 % and moved to a monitor at 150 % while it shows.
TEST_F(MKBoxTest, AtHigherDensityTheBoxGrowsWithItsText) {
  for (int opened : {144, 96}) {
    h.backend.SetPixelsPerInch(opened);
    h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
      f.ChangeDpi(144);
      forms::TMKBox& box = Box(f);
      EXPECT_EQ(box.MemoMsg.Font().height, -20);  // 13 design pixels at 150 %
      EXPECT_EQ(box.MemoMsg.Height(), box.Msg.Height() + 2 * 20);
      EXPECT_EQ(box.Btn_OK.Bounds().width, 134);
      EXPECT_EQ(box.Image_Box.Width(), 48);
      box.Btn_OK.UserClick();
    });
    dlg.MsgOK("x");
  }
}

TEST(MKBoxIcon, DiscColourTellsTheKind) {
  gui::RecordingCanvas info, question;
  DrawMKBoxIcon(info, MKBoxIcon::kInformation, 0x123456);
  DrawMKBoxIcon(question, MKBoxIcon::kQuestion, 0x123456);
  auto discOf = [](const gui::RecordingCanvas& c) { return c.OpsOf(gui::DrawOp::Kind::Ellipse).at(1).brush.color; };
  EXPECT_EQ(gui::BlueOf(discOf(info)) > gui::RedOf(discOf(info)), true);
  EXPECT_EQ(gui::RedOf(discOf(question)) > gui::BlueOf(discOf(question)), true);
  // The corners take the background colour.
  EXPECT_EQ(info.Ops().front().brush.color, 0x123456u);
}

}  // namespace
}  // namespace common

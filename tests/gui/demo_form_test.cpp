// The demonstration form driven headless, the same way the win32 test drives it on windows.
#include <gtest/gtest.h>

#include "gui/canvas.h"
#include "gui/demo_form.h"
#include "gui/gui_testing.h"
#include "support/sjis_text.h"

namespace {

using guitest::DemoForm;
using Log = std::vector<std::string>;

struct DemoFormTest : ::testing::Test {
  guitest::HeadlessApp h;
  DemoForm& demo = h.app.CreateForm<DemoForm>();
};

TEST_F(DemoFormTest, DesignStateNeedsNoEvents) {
  EXPECT_TRUE(demo.log.empty());
  EXPECT_TRUE(demo.RadioButton1.Checked());
  EXPECT_EQ(demo.RadioGroup1.ItemIndex(), 3);
  EXPECT_EQ(demo.ComboBox1.Text(), "スクリーンセーバー (*.SCR)") << testsupport::Utf8(demo.ComboBox1.Text());
  EXPECT_EQ(demo.ClientWidth(), 520);
  EXPECT_EQ(demo.ClientHeight(), 340);
}

TEST_F(DemoFormTest, UserActionsRunTheirHandlers) {
  demo.Show();
  demo.ListBox1.UserSelect(1);
  demo.Button3.UserClick();
  demo.CheckBox1.UserClick();
  demo.RadioButton2.UserClick();
  demo.RadioGroup1.UserSelect(0);
  demo.Edit1.UserType("星空");
  demo.ComboBox1.UserSelect(2);
  demo.Image1.UserMouseDown(gui::MouseButton::Left, 0, 5, 5);
  demo.Image1.UserMouseUp(gui::MouseButton::Left, 0, 5, 5);
  EXPECT_EQ(demo.log, (Log{"ListBox1Click", "Button3Click", "CheckBox1Click", "RadioButton2Click", "RadioGroup1Click", "Edit1Change",
                           "ComboBox1Change", "Image1Click"}));
  EXPECT_EQ(demo.LabelStatus.Caption(), "再生中: C:\\WINDOWS\\星空.SCR") << testsupport::Utf8(demo.LabelStatus.Caption());
  EXPECT_FALSE(demo.RadioButton1.Checked());
  EXPECT_EQ(demo.ListBox1.Tag(), 1);
}

TEST_F(DemoFormTest, ShownModallyTheOkButtonAndEnterEndIt) {
  h.backend.ExpectModal(DemoForm::kClassName, "見本").Do([](gui::Form& f) {
    auto& d = static_cast<DemoForm&>(f);
    d.Edit1.SetFocus();
    d.Edit1.UserKeyDown(gui::kKeyReturn);  // the default button
  });
  EXPECT_EQ(demo.ShowModal(), gui::kMrOk);
  EXPECT_EQ(demo.log, (Log{"Button1Click", "FormCloseQuery"}));
}

TEST_F(DemoFormTest, TheTimerCountsSecondsOnTheVirtualClock) {
  demo.Show();
  demo.Timer1.SetEnabled(true);
  h.backend.Advance(3500);
  EXPECT_EQ(demo.ticks, 3);
  EXPECT_EQ(demo.Label4.Caption(), "3秒");
  gui::RecordingCanvas canvas;
  demo.PaintBox1.PaintTo(canvas);
  auto texts = canvas.OpsOf(gui::DrawOp::Kind::TextRect);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "30％");
}

TEST_F(DemoFormTest, RightClickOnTheListPopsUpItsMenu) {
  demo.Show();
  h.backend.ExpectPopup("PopupMenu1", "P2");
  demo.ListBox1.UserMouseDown(gui::MouseButton::Right, 0, 10, 10);
  demo.ListBox1.UserMouseUp(gui::MouseButton::Right, 0, 10, 10);
  EXPECT_EQ(demo.log, (Log{"PopupMenu1Popup", "P2Click"}));
}

TEST_F(DemoFormTest, ListRowsDropOnTheMemoOnly) {
  demo.Show();
  demo.ListBox1.UserSelect(2);
  EXPECT_FALSE(demo.Memo1.UserDrop(demo.Edit1, 5, 5));
  EXPECT_TRUE(demo.Memo1.UserDrop(demo.ListBox1, 5, 5));
  EXPECT_EQ(demo.log, (Log{"ListBox1Click", "Memo1DragDrop"}));
  EXPECT_EQ(demo.Memo1.Lines().back(), "C:\\SAVERS\\水槽.SCR");
}

TEST_F(DemoFormTest, AltWithAnAcceleratorClicksOrFocuses) {
  demo.Show();
  demo.ListBox1.SetFocus();
  demo.ListBox1.UserKeyDown('P', gui::kAlt);  // "再 生(&P)"
  demo.ListBox1.UserKeyDown('L', gui::kAlt);  // "無限に繰り返す(&L)"
  demo.ListBox1.UserKeyDown('N', gui::kAlt);  // the label "名前(&N):" focuses the edit
  demo.Edit1.UserKeyDown('Z', gui::kAlt);     // nobody's: nothing
  EXPECT_EQ(demo.log, (Log{"Button3Click", "CheckBox1Click"}));
  EXPECT_EQ(demo.ActiveControl(), &demo.Edit1);
  EXPECT_TRUE(demo.CheckBox1.Checked());
}

TEST_F(DemoFormTest, TheListFollowsTheWindowSize) {
  const gui::Rect before = demo.ListBox1.Bounds();
  demo.SetBounds(demo.Left(), demo.Top(), demo.Width() + 100, demo.Height() + 50);
  EXPECT_EQ(demo.ListBox1.Height(), before.height + 50);
  EXPECT_EQ(demo.ListBox1.Width(), before.width);
  EXPECT_EQ(demo.PanelList.Left(), 520 + 100 - 180);
  EXPECT_EQ(demo.Button3.Left(), 428);  // inside the bottom panel, not docked
}

TEST_F(DemoFormTest, TheCurrentRowIsDrawnBold) {
  demo.ListBox1.SetTag(2);
  gui::RecordingCanvas canvas;
  demo.ListBox1.PaintTo(canvas);
  auto texts = canvas.OpsOf(gui::DrawOp::Kind::Text);
  ASSERT_GE(texts.size(), 3u);
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].font.bold, i == 2) << i;
}

TEST_F(DemoFormTest, MenusAndTheHandOffMessage) {
  demo.Show();
  demo.MOption0.UserClick();
  EXPECT_TRUE(demo.UserPickMenu("F1"));
  EXPECT_FALSE(demo.UserPickMenu("N1"));  // a separator
  EXPECT_FALSE(demo.UserPickMenu("Button1"));
  std::intptr_t result = 0;
  ASSERT_TRUE(demo.HandleMessage(DemoForm::kHandOffMessage, 0xC001, 0, result));
  EXPECT_EQ(result, 0xC002);
  demo.FX.UserClick();
  EXPECT_EQ(demo.log, (Log{"MOption0Click", "F1Click", "WMUser1", "FXClick", "FormCloseQuery"}));
  EXPECT_TRUE(h.app.Terminated());
}

}  // namespace

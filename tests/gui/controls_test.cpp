// Control state and events on the headless backend: which changes run which events, and which
// user input is refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/canvas.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/gui_testing.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "gui/radio_group.h"
#include "support/sjis_text.h"

namespace {

struct Controls : gui::Form {
  explicit Controls(gui::Application& app) : gui::Form(app, "TControls") {
    auto count = [this](const char* n) { return [this, n](gui::Component&) { events.push_back(n); }; };
    Check.OnClick = count("Check");
    Radio1.OnClick = count("Radio1");
    Radio2.OnClick = count("Radio2");
    Group.OnClick = count("Group");
    Text.OnChange = count("Text");
    List.OnClick = count("List");
    List.OnDblClick = count("ListDbl");
    Combo.OnClick = count("ComboClick");
    Combo.OnChange = count("Combo");
    Ok.OnClick = count("Ok");
    Group.SetItems({"a", "b", "c"});
    List.SetItems({"r0", "r1", "r2", "r3"});
    Combo.SetItems({"x", "y"});
  }
  gui::CheckBox Check{*this, "Check"};
  gui::RadioButton Radio1{*this, "Radio1"};
  gui::RadioButton Radio2{*this, "Radio2"};
  gui::Panel Box{*this, "Box"};
  gui::RadioButton Radio3{Box, "Radio3"};
  gui::RadioGroup Group{*this, "Group"};
  gui::Edit Text{*this, "Text"};
  gui::ListBox List{*this, "List"};
  gui::ComboBox Combo{*this, "Combo"};
  gui::Button Ok{*this, "Ok"};
  std::vector<std::string> events;
};

struct ControlsTest : ::testing::Test {
  guitest::HeadlessApp h;
  Controls f{h.app};
  void SetUp() override { f.Show(); }
};

// Programmatic changes follow the designer conventions: check boxes, radio buttons, radio
// groups and edits report changes by code; list and combo selections by code do not.
TEST_F(ControlsTest, ProgrammaticChangesRunTheConventionalEvents) {
  struct Case {
    const char* what;
    std::function<void(Controls&)> change;
    std::vector<std::string> events;
  } cases[] = {
      {"check box checked", [](Controls& c) { c.Check.SetChecked(true); }, {"Check"}},
      {"check box unchanged", [](Controls& c) { c.Check.SetChecked(false); }, {}},
      {"radio checked", [](Controls& c) { c.Radio1.SetChecked(true); }, {"Radio1"}},
      {"radio unchecked", [](Controls& c) { c.Radio1.SetChecked(true); c.Radio1.SetChecked(false); }, {"Radio1"}},
      {"radio group index", [](Controls& c) { c.Group.SetItemIndex(1); }, {"Group"}},
      {"radio group same index", [](Controls& c) { c.Group.SetItemIndex(-1); }, {}},
      {"radio group out of range", [](Controls& c) { c.Group.SetItemIndex(9); }, {}},
      {"edit text", [](Controls& c) { c.Text.SetText("abc"); }, {"Text"}},
      {"edit same text", [](Controls& c) { c.Text.SetText(""); }, {}},
      {"list index", [](Controls& c) { c.List.SetItemIndex(2); }, {}},
      {"list selected", [](Controls& c) { c.List.SetSelected(1, true); }, {}},
      {"combo index", [](Controls& c) { c.Combo.SetItemIndex(1); }, {}},
  };
  for (const auto& c : cases) {
    guitest::HeadlessApp app;
    Controls form(app.app);
    c.change(form);
    EXPECT_EQ(form.events, c.events) << c.what;
  }
}

TEST_F(ControlsTest, UserInputRunsEventsOnce) {
  struct Case {
    const char* what;
    std::function<bool(Controls&)> input;
    std::vector<std::string> events;
  } cases[] = {
      {"check box click toggles", [](Controls& c) { return c.Check.UserClick() && c.Check.Checked(); }, {"Check"}},
      {"check box checked once", [](Controls& c) { return c.Check.UserCheck(true) && c.Check.UserCheck(true) && c.Check.Checked(); }, {"Check"}},
      {"radio click", [](Controls& c) { return c.Radio2.UserClick() && c.Radio2.Checked(); }, {"Radio2"}},
      {"radio click when checked", [](Controls& c) { c.Radio2.UserClick(); return c.Radio2.UserClick(); }, {"Radio2"}},
      {"group pick", [](Controls& c) { return c.Group.UserSelect(2) && c.Group.ItemIndex() == 2; }, {"Group"}},
      {"typing", [](Controls& c) { return c.Text.UserType("abc") && c.Text.Text() == "abc"; }, {"Text"}},
      {"list click", [](Controls& c) { return c.List.UserSelect(1) && c.List.ItemIndex() == 1; }, {"List"}},
      {"list double click", [](Controls& c) { return c.List.UserDblClick(3) && c.List.ItemIndex() == 3; }, {"List", "ListDbl"}},
      {"combo pick", [](Controls& c) { return c.Combo.UserSelect(1) && c.Combo.Text() == "y"; }, {"ComboClick", "Combo"}},
      {"button", [](Controls& c) { return c.Ok.UserClick(); }, {"Ok"}},
  };
  for (const auto& c : cases) {
    guitest::HeadlessApp app;
    Controls form(app.app);
    form.Show();
    EXPECT_TRUE(c.input(form)) << c.what;
    EXPECT_EQ(form.events, c.events) << c.what;
  }
}

TEST_F(ControlsTest, DisabledOrHiddenControlsRefuseInput) {
  struct Case {
    const char* what;
    std::function<void(Controls&)> block;
  } blocks[] = {
      {"disabled", [](Controls& c) { for (gui::Control* k : c.Children()) k->SetEnabled(false); }},
      {"hidden", [](Controls& c) { for (gui::Control* k : c.Children()) k->Hide(); }},
      {"form hidden", [](Controls& c) { c.Hide(); }},
      {"form disabled", [](Controls& c) { c.SetEnabled(false); }},
  };
  for (const auto& b : blocks) {
    guitest::HeadlessApp app;
    Controls form(app.app);
    form.Show();
    b.block(form);
    EXPECT_FALSE(form.Check.UserClick()) << b.what;
    EXPECT_FALSE(form.Radio1.UserClick()) << b.what;
    EXPECT_FALSE(form.Group.UserSelect(0)) << b.what;
    EXPECT_FALSE(form.Text.UserType("x")) << b.what;
    EXPECT_FALSE(form.List.UserSelect(0)) << b.what;
    EXPECT_FALSE(form.Combo.UserSelect(0)) << b.what;
    EXPECT_FALSE(form.Ok.UserClick()) << b.what;
    EXPECT_TRUE(form.events.empty()) << b.what;
    EXPECT_FALSE(form.Check.Checked()) << b.what;
  }
}

TEST_F(ControlsTest, AControlInsideADisabledPanelRefusesInput) {
  f.Box.SetEnabled(false);
  EXPECT_FALSE(f.Radio3.UserClick());
  f.Box.SetEnabled(true);
  EXPECT_TRUE(f.Radio3.UserClick());
}

TEST_F(ControlsTest, RadioButtonsUncheckTheirSiblingsOnly) {
  f.Radio1.SetChecked(true);
  f.Radio3.SetChecked(true);  // another parent: another group
  f.Radio2.UserClick();
  EXPECT_FALSE(f.Radio1.Checked());
  EXPECT_TRUE(f.Radio2.Checked());
  EXPECT_TRUE(f.Radio3.Checked());
  EXPECT_EQ(f.events, (std::vector<std::string>{"Radio1", "Radio2"}));
}

TEST_F(ControlsTest, MaxLengthCutsTypingOnlyAndNeverSplitsADoubleByteCharacter) {
  f.Text.SetMaxLength(5);
  f.Text.UserType("ab再生");  // 2 + 2 + 2 bytes
  EXPECT_EQ(f.Text.Text(), "ab再") << testsupport::Utf8(f.Text.Text());
  f.Text.SetText("abcdefgh");
  EXPECT_EQ(f.Text.Text(), "abcdefgh");
  f.Text.SetReadOnly(true);
  EXPECT_FALSE(f.Text.UserType("z"));
}

TEST(CutToBytes, KeepsWholeCharacters) {
  struct {
    std::string in;
    int limit;
    std::string out;
  } cases[] = {
      {"abc", 0, "abc"}, {"abc", 2, "ab"}, {"再生", 3, "再"}, {"再生", 4, "再生"}, {"a再", 2, "a"}, {"ｱｲｳ", 2, "ｱｲ"},
  };
  for (const auto& c : cases) EXPECT_EQ(gui::CutToBytes(c.in, c.limit), c.out) << testsupport::Utf8(c.in) << " " << c.limit;
}

TEST(Accelerators, TheMarkedCharacterInUpperCase) {
  guitest::HeadlessApp h;
  gui::Form form(h.app, "TAccel");
  gui::Button b(form, "b");
  struct {
    std::string caption;
    char accel;
  } cases[] = {{"再 生(&P)", 'P'}, {"&open", 'O'}, {"a&&b", 0}, {"a&&&b", 'B'}, {"&再生", 0}, {"ﾒﾓﾘｰ&1", '1'}, {"none", 0}, {"end&", 0}};
  for (const auto& c : cases) {
    b.SetCaption(c.caption);
    EXPECT_EQ(b.AcceleratorChar(), c.accel) << testsupport::Utf8(c.caption);
  }
}

TEST(MemoLines, SplitAndJoinWithCrLf) {
  guitest::HeadlessApp h;
  gui::Form form(h.app, "TMemo");
  gui::Memo memo(form, "Memo1");
  int changes = 0;
  memo.OnChange = [&](gui::Component&) { ++changes; };
  memo.SetLines({"一", "", "三"});
  EXPECT_EQ(memo.Text(), "一\r\n\r\n三");
  memo.AddLine("四");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"一", "", "三", "四"}));
  memo.SetText("a\nb\r\n");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(changes, 3);
}

// Row edits keep the selection on the same row, as the list window does.
TEST_F(ControlsTest, ListEditsKeepTheSelectedRow) {
  struct Case {
    const char* what;
    std::function<void(gui::ListBox&)> edit;
    int itemIndex;
  } cases[] = {
      {"insert before", [](gui::ListBox& l) { l.InsertItem(0, "new"); }, 3},
      {"insert after", [](gui::ListBox& l) { l.InsertItem(3, "new"); }, 2},
      {"delete before", [](gui::ListBox& l) { l.DeleteItem(1); }, 1},
      {"delete selected", [](gui::ListBox& l) { l.DeleteItem(2); }, -1},
      {"add", [](gui::ListBox& l) { l.AddItem("new"); }, 2},
      {"replace text", [](gui::ListBox& l) { l.SetItem(2, "R2"); }, 2},
      {"clear", [](gui::ListBox& l) { l.ClearItems(); }, -1},
  };
  for (const auto& c : cases) {
    guitest::HeadlessApp app;
    Controls form(app.app);
    form.List.SetItemIndex(2);
    c.edit(form.List);
    EXPECT_EQ(form.List.ItemIndex(), c.itemIndex) << c.what;
    if (c.itemIndex >= 0) {
      EXPECT_TRUE(form.List.Selected(c.itemIndex)) << c.what;
    }
  }
}

TEST_F(ControlsTest, ListBatchesNestAndAnUnmatchedEndIsHarmless) {
  guitest::HeadlessApp app;
  Controls form(app.app);
  form.List.EndUpdate();
  EXPECT_FALSE(form.List.Updating());
  {
    gui::ListUpdate outer{&form.List};
    form.List.BeginUpdate();
    form.List.EndUpdate();
    EXPECT_TRUE(form.List.Updating());
  }
  EXPECT_FALSE(form.List.Updating());
  form.List.BeginUpdate();
  EXPECT_TRUE(form.List.Updating());
}

TEST_F(ControlsTest, MultiSelectListKeepsSeveralRows) {
  f.List.SetMultiSelect(true);
  f.List.UserSelect(1);
  f.List.UserToggle(3);
  EXPECT_EQ(f.List.SelCount(), 2);
  EXPECT_TRUE(f.List.Selected(1));
  EXPECT_TRUE(f.List.Selected(3));
  EXPECT_EQ(f.List.ItemIndex(), 3);
  f.List.UserToggle(1);
  EXPECT_EQ(f.List.SelCount(), 1);
  f.List.UserSelect(0);  // a plain click selects only that row
  EXPECT_EQ(f.List.SelCount(), 1);
  EXPECT_EQ(f.events.size(), 4u);
}

TEST_F(ControlsTest, ItemAtPosUsesRowHeightAndTopIndex) {
  f.List.SetBounds(0, 0, 100, 52);
  f.List.SetItemHeight(13);
  EXPECT_EQ(f.List.VisibleRows(), 4);
  EXPECT_EQ(f.List.ItemAtPos({5, 0}), 0);
  EXPECT_EQ(f.List.ItemAtPos({5, 27}), 2);
  f.List.SetTopIndex(2);
  EXPECT_EQ(f.List.ItemAtPos({5, 14}), 3);
  EXPECT_EQ(f.List.ItemAtPos({5, 27}), -1);  // below the last row
  EXPECT_EQ(f.List.ItemAtPos({200, 1}), -1);
}

TEST_F(ControlsTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  gui::Button cancel(f, "Cancel");
  int cancels = 0;
  cancel.OnClick = [&](gui::Component&) { ++cancels; };
  cancel.SetCancel(true);
  f.Ok.SetDefault(true);
  f.Text.SetFocus();
  f.Text.UserKeyDown(gui::kKeyReturn);
  f.Text.UserKeyDown(gui::kKeyEscape);
  EXPECT_EQ(f.events, std::vector<std::string>{"Ok"});
  EXPECT_EQ(cancels, 1);
  // With another button focused, Enter clicks that one.
  cancel.SetFocus();
  f.Text.UserKeyDown(gui::kKeyReturn);
  EXPECT_EQ(cancels, 2);
  // Shift+Enter is not a dialog key.
  f.Text.SetFocus();
  f.Text.UserKeyDown(gui::kKeyReturn, gui::kShift);
  EXPECT_EQ(f.events.size(), 1u);
}

TEST_F(ControlsTest, TabMovesTheFocusInCreationOrderOverAcceptingControls) {
  f.Check.SetFocus();
  f.Radio1.SetEnabled(false);
  f.Check.UserKeyDown(gui::kKeyTab);
  EXPECT_EQ(f.ActiveControl(), &f.Radio2);
  f.Radio2.UserKeyDown(gui::kKeyTab, gui::kShift);
  EXPECT_EQ(f.ActiveControl(), &f.Check);
}

TEST_F(ControlsTest, KeyPreviewLetsTheFormConsumeKeysFirst) {
  std::vector<std::string> seen;
  f.SetKeyPreview(true);
  f.OnKeyDown = [&](gui::Component&, int& key, gui::ShiftState) {
    seen.push_back("form");
    if (key == 'Q') key = 0;
  };
  f.Text.OnKeyDown = [&](gui::Component&, int&, gui::ShiftState) { seen.push_back("edit"); };
  f.Text.UserKeyDown('A');
  f.Text.UserKeyDown('Q');
  EXPECT_EQ(seen, (std::vector<std::string>{"form", "edit", "form"}));
}

TEST_F(ControlsTest, DropsNeedAnAcceptingDragOver) {
  std::vector<std::string> seen;
  f.List.OnDragDrop = [&](gui::Component&, gui::Component& source, int x, int y) {
    seen.push_back(source.Name() + "@" + std::to_string(x) + "," + std::to_string(y));
  };
  EXPECT_FALSE(f.List.UserDrop(f.Combo, 1, 2));  // no OnDragOver: refused
  f.List.OnDragOver = [](gui::Component&, gui::Component& source, int, int, bool& accept) { accept = source.Name() == "Combo"; };
  EXPECT_FALSE(f.List.UserDrop(f.Text, 1, 2));
  EXPECT_TRUE(f.List.UserDrop(f.Combo, 3, 4));
  EXPECT_EQ(seen, std::vector<std::string>{"Combo@3,4"});
}

TEST_F(ControlsTest, OwnerDrawnComboRowsGoThroughOnDrawItem) {
  std::vector<int> drawn;
  f.Combo.OnDrawItem = [&](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect, gui::OwnerDrawState state) {
    drawn.push_back(state.selected ? 100 + index : index);
    canvas.FillRect(rect);
  };
  gui::RecordingCanvas canvas;
  f.Combo.DrawItem(canvas, 0, {0, 0, 50, 16}, {});
  EXPECT_TRUE(drawn.empty());  // a plain drop-down list draws itself
  EXPECT_EQ(canvas.OpsOf(gui::DrawOp::Kind::Text).size(), 1u);
  f.Combo.SetStyle(gui::ComboStyle::OwnerDrawFixed);
  gui::OwnerDrawState selected;
  selected.selected = true;
  f.Combo.DrawItem(canvas, 1, {0, 16, 50, 16}, selected);
  EXPECT_EQ(drawn, std::vector<int>{101});
  EXPECT_EQ(canvas.Ops().back().brush.color, gui::colors::kHighlight);
}

TEST_F(ControlsTest, ComboTextFollowsTheSelection) {
  f.Combo.SetItemIndex(1);
  EXPECT_EQ(f.Combo.Text(), "y");
  f.Combo.SetText("x");
  EXPECT_EQ(f.Combo.ItemIndex(), 0);
  f.Combo.SetText("nothing");  // a drop-down list shows only its rows
  EXPECT_EQ(f.Combo.Text(), "x");
  EXPECT_FALSE(f.Combo.UserType("typed"));
  f.Combo.SetStyle(gui::ComboStyle::DropDown);
  EXPECT_TRUE(f.Combo.UserType("typed"));
  EXPECT_EQ(f.Combo.ItemIndex(), -1);
  f.Combo.DeleteItem(0);
  EXPECT_TRUE(f.events.back() == "Combo");
}

}  // namespace

#include "browse/list_editing.h"

#include <gtest/gtest.h>

#include "forms/manager/manager_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"

namespace browse {
namespace {

using V = std::vector<std::string>;

struct ListEditingTest : testing::Test {
  ListEditingTest() {
    form.Show();
    for (gui::Control* c : std::initializer_list<gui::Control*>{&form.ListBox2, &form.ListBox8, &form.ListBox6,
                                                                &form.ListBox9, &form.Image1, &form.Button17}) {
      c->Show();
    }
    form.ListBox2.SetDragMode(gui::DragMode::Automatic);
    hooks.MemoryCaption = [this](size_t n) { caption = n; };
    hooks.SetClickSuppress = [this](bool on) { suppress = on; };
    hooks.MenuPending = [this] { return pending; };
    hooks.SetMenuPending = [this](bool on) { pending = on; };
    hooks.SetPlayList = [this](gui::ListBox& l) { playList = &l; };
    editing = std::make_unique<ListEditing>(h.app, form, p.desktop, hooks);
    editing->AttachEvents();
    form.SSN.SetChecked(false);
  }
  static void Rows(gui::ListBox& list, int n, std::initializer_list<int> selected) {
    V rows;
    for (int i = 0; i < n; ++i) rows.push_back("r" + std::to_string(i));
    list.SetItems(rows);
    for (int r : selected) list.SetSelected(r, true);
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  forms::TQUOVEL32KAPUL form{h.app};
  ListEditingHooks hooks;
  std::unique_ptr<ListEditing> editing;
  size_t caption = 99;
  bool suppress = true;
  bool pending = false;
  gui::ListBox* playList = nullptr;
};

struct DeleteCase {
  int rows;
  std::initializer_list<int> selected;
  int tag;
  V left;
  int current;
};

// The row after the deleted ones becomes current; none after the last row.
TEST_F(ListEditingTest, DeletingSelectedRowsLeavesTheFollowingRowCurrent) {
  for (const DeleteCase& c : {DeleteCase{6, {2, 4}, -1, {"r0", "r1", "r3", "r5"}, 3},
                              DeleteCase{3, {2}, 2, {"r0", "r1"}, -1},
                              DeleteCase{4, {1}, 1, {"r0", "r2", "r3"}, 1},
                              // A Ctrl-click took the current row 3 off again; row 1 is selected.
                              DeleteCase{5, {1}, 3, {"r0", "r2", "r3", "r4"}, 1},
                              DeleteCase{3, {0, 1, 2}, -1, {}, -1}}) {
    Rows(form.ListBox2, c.rows, c.selected);
    form.ListBox2.SetTag(c.tag);
    form.ButtonMCut.Show();
    form.ButtonMCut.UserClick();
    EXPECT_EQ(form.ListBox2.Items(), c.left) << c.rows;
    EXPECT_EQ(form.ListBox2.Tag(), c.current) << c.rows;
    EXPECT_EQ(caption, c.left.size());
    EXPECT_FALSE(suppress);
  }
}

// With names shown the selection is the twin's, and both lists lose the same rows.
TEST_F(ListEditingTest, NamesShownDeleteFromBothListsAndTheTrashCounts) {
  form.SSN.SetChecked(true);
  Rows(form.ListBox6, 3, {});
  Rows(form.ListBox9, 3, {1});
  form.ButtonGomiCUT.Show();
  form.PanelGomi.Show();
  form.ButtonGomiCUT.UserClick();
  EXPECT_EQ(form.ListBox6.Items(), (V{"r0", "r2"}));
  EXPECT_EQ(form.ListBox9.Items(), (V{"r0", "r2"}));
  EXPECT_EQ(form.ListBox9.Tag(), 1);
  EXPECT_EQ(form.Label7.Caption(), "2ｺ");
  EXPECT_EQ(form.Image1.Picture(), form.Image3.Picture());
  // "cls" empties the trash; its counters alone carry a leading blank.
  form.Button17.UserClick();
  EXPECT_EQ(form.ListBox6.Count() + form.ListBox9.Count(), 0);
  EXPECT_EQ(form.LabelGomiKosu2.Caption(), " 0ｺ");
  EXPECT_EQ(form.Image1.Picture(), form.Image2.Picture());
  // Deleting from an empty list only sounds the asterisk.
  form.ButtonGomiCUT.UserClick();
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kAsterisk});
}

TEST_F(ListEditingTest, TrashPanelReceiveModeAndDeleteButton) {
  form.LabelGomiSASIN.Show();
  form.LabelGomiSASIN.UserClick();
  EXPECT_FALSE(form.LabelGomiSASIN.Visible());   // add
  EXPECT_TRUE(form.LabelGomiTUIKA.Visible());
  form.LabelGomiTUIKA.UserClick();
  EXPECT_TRUE(form.LabelGomiSASIN.Visible());    // CLR again
  form.Image1.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_TRUE(form.PanelGomi.Visible());
  form.CheckBoxGomi.UserClick();
  EXPECT_TRUE(form.ButtonMCut.Visible());
  form.SSN.SetChecked(true);
  form.ButtonGomiOFF.UserClick();
  EXPECT_FALSE(form.PanelGomi.Visible());
  EXPECT_EQ(playList, &form.ListBox8);
}

// A right press opens the file menu (unless a menu is pending); its release went to the menu.
// A press whose release reaches the list marks the next click as one to skip.
TEST_F(ListEditingTest, RightPressOpensTheFileMenuAndPressesMarkTheNextClick) {
  Rows(form.ListBox4, 2, {});
  h.backend.ExpectPopup("PopupMenu2", "");
  form.ListBox4.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_EQ(editing->FileMenuSource(), &form.ListBox4);
  form.ListBox4.UserMouseUp(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_FALSE(suppress);
  pending = true;
  form.ListBox2.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);  // no second menu
  EXPECT_EQ(editing->FileMenuSource(), &form.ListBox4);
  form.ListBox2.UserMouseUp(gui::MouseButton::Right, 0, 5, 5);
  EXPECT_TRUE(suppress);
  // A left press on a list that drags by itself belongs to the drag: the click stays.
  form.ListBox2.UserMouseDown(gui::MouseButton::Left, gui::kLeftButton, 5, 5);
  form.ListBox2.UserMouseUp(gui::MouseButton::Left, 0, 5, 5);
  EXPECT_FALSE(suppress);
}

}  // namespace
}  // namespace browse

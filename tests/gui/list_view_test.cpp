// The report list and the header bar on the headless backend: which changes run events, and
// sorting that keeps the selected row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/gui_testing.h"
#include "gui/header_control.h"
#include "gui/list_view.h"

namespace {

using Log = std::vector<std::string>;

// Rows b, c, a, b; each row's size text is its first position.
struct Lists {
  guitest::HeadlessApp h;
  gui::Form form{h.app, "TListView"};
  gui::ListView list{form, "ListView1"};
  gui::HeaderControl header{form, "HeaderControl1"};
  Log seen;

  Lists() {
    form.Show();
    list.AddColumn("ファイル名", 100);
    list.AddColumn("サイズ", 60, gui::TextAlignment::Right);
    int n = 0;
    for (const char* name : {"b", "c", "a", "b"}) list.AddItem({name, {std::to_string(++n)}});
    list.OnClick = [this](gui::Component&) { seen.push_back("click " + std::to_string(list.ItemIndex())); };
    list.OnColumnClick = [this](gui::Component&, int c) { seen.push_back("column " + std::to_string(c)); };
    header.AddSection("フォルダー", 178);
    header.OnSectionClick = [this](gui::Component&, int s) { seen.push_back("section " + std::to_string(s)); };
  }
  std::string Rows() const {
    std::string out;
    for (const gui::ListItem& item : list.Items()) out += item.caption + item.subItems.at(0);
    return out;
  }
};

TEST(ListViewTest, OnlyTheUserRunsEvents) {
  Lists t;
  t.list.SetItemIndex(2);
  t.list.Column(0).SetCaption("4ｺ　ファイル名");
  t.header.SetSectionText(0, "3ｺ　フォルダー");
  EXPECT_TRUE(t.seen.empty());
  EXPECT_TRUE(t.list.UserSelect(1));
  EXPECT_TRUE(t.list.UserColumnClick(1));
  EXPECT_TRUE(t.header.UserSectionClick(0));
  EXPECT_EQ(t.seen, (Log{"click 1", "column 1", "section 0"}));
  EXPECT_TRUE(t.list.Focused());
}

TEST(ListViewTest, RefusedInput) {
  struct Case {
    const char* what;
    bool (*act)(Lists&);
  } cases[] = {
      {"row out of range", [](Lists& t) { return t.list.UserSelect(4); }},
      {"column out of range", [](Lists& t) { return t.list.UserColumnClick(2); }},
      {"section out of range", [](Lists& t) { return t.header.UserSectionClick(1); }},
      {"column clicks off", [](Lists& t) { t.list.SetColumnClick(false); return t.list.UserColumnClick(0); }},
      {"disabled list", [](Lists& t) { t.list.SetEnabled(false); return t.list.UserSelect(0); }},
      {"hidden header", [](Lists& t) { t.header.Hide(); return t.header.UserSectionClick(0); }},
  };
  for (const Case& c : cases) {
    Lists t;
    EXPECT_FALSE(c.act(t)) << c.what;
    EXPECT_TRUE(t.seen.empty()) << c.what;
  }
}

TEST(ListViewTest, DeletingRowsKeepsTheSelectionOnItsRow) {
  struct Case {
    int selected, deleted, after;
  } cases[] = {{2, 0, 1}, {2, 3, 2}, {2, 2, -1}};
  for (const Case& c : cases) {
    Lists t;
    t.list.SetItemIndex(c.selected);
    t.list.DeleteItem(c.deleted);
    EXPECT_EQ(t.list.ItemIndex(), c.after) << "deleted " << c.deleted;
  }
}

TEST(ListViewTest, SortingKeepsTheSelectedRowSelectedAndEqualRowsInOrder) {
  Lists t;
  t.list.SetItemIndex(3);  // the second b
  t.list.OnRowStyle = [](const gui::ListItem&, bool selected) { return gui::RowStyle{false, false, selected}; };
  t.list.Sort([](const gui::ListItem& a, const gui::ListItem& b) { return b.caption.compare(a.caption); });
  EXPECT_EQ(t.Rows(), "c2b1b4a3");
  EXPECT_EQ(t.list.ItemIndex(), 2);
  EXPECT_TRUE(t.list.RowStyleOf(2).bold);
  EXPECT_FALSE(t.list.RowStyleOf(1).bold);
  t.list.SetItemIndex(-1);
  t.list.Sort([](const gui::ListItem& a, const gui::ListItem& b) { return a.caption.compare(b.caption); });
  EXPECT_EQ(t.Rows(), "a3b1b4c2");
  EXPECT_EQ(t.list.ItemIndex(), -1);
  EXPECT_TRUE(t.seen.empty());
}

}  // namespace

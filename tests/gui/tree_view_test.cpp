// The folder tree on the headless backend: lazy children, selection and expansion events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/gui_testing.h"
#include "gui/tree_view.h"

namespace {

struct TreeTest : ::testing::Test {
  guitest::HeadlessApp h;
  gui::Form form{h.app, "TTree"};
  gui::TreeView tree{form, "TreeView1"};
  std::vector<std::string> seen;

  void SetUp() override {
    form.Show();
    tree.OnChange = [this](gui::Component&, gui::TreeNode& n) { seen.push_back("change " + n.Text()); };
    // Children are read when a node opens, as a folder tree reads sub-folders.
    tree.OnExpanding = [this](gui::Component&, gui::TreeNode& n, bool& allow) {
      seen.push_back("expanding " + n.Text());
      if (n.Text() == "locked") {
        allow = false;
        return;
      }
      if (n.Count() == 0) {
        n.AddChild(n.Text() + "\\a")->SetHasChildren(true);
        n.AddChild(n.Text() + "\\b");
      }
    };
  }
};

TEST_F(TreeTest, ChildrenAreReadWhenANodeOpens) {
  gui::TreeNode* c = tree.AddRoot("C:");
  c->SetHasChildren(true);
  EXPECT_TRUE(tree.UserExpand(*c));
  ASSERT_EQ(c->Count(), 2);
  EXPECT_TRUE(c->Expanded());
  EXPECT_EQ(c->Child(0)->Level(), 1);
  EXPECT_EQ(c->Child(1)->Index(), 1);
  EXPECT_FALSE(tree.UserExpand(*c));               // already open: nothing
  EXPECT_FALSE(tree.UserExpand(*c->Child(1)));     // no children: no button
  EXPECT_TRUE(tree.UserCollapse(*c));
  EXPECT_EQ(seen, std::vector<std::string>{"expanding C:"});
}

TEST_F(TreeTest, OnExpandingCanRefuse) {
  gui::TreeNode* locked = tree.AddRoot("locked");
  locked->SetHasChildren(true);
  EXPECT_FALSE(tree.UserExpand(*locked));
  EXPECT_FALSE(locked->Expanded());
}

TEST_F(TreeTest, SelectingByCodeRunsNothingTheUserRunsOnChangeOnce) {
  gui::TreeNode* c = tree.AddRoot("C:");
  gui::TreeNode* d = tree.AddRoot("D:");
  tree.SetSelected(c);
  EXPECT_TRUE(tree.UserSelect(*d));
  EXPECT_TRUE(tree.UserSelect(*d));
  EXPECT_EQ(tree.Selected(), d);
  EXPECT_EQ(seen, std::vector<std::string>{"change D:"});
  tree.SetEnabled(false);
  EXPECT_FALSE(tree.UserSelect(*c));
}

TEST_F(TreeTest, DeletingTheSelectedBranchClearsTheSelection) {
  gui::TreeNode* c = tree.AddRoot("C:");
  gui::TreeNode* sub = c->AddChild("C:\\WINDOWS")->AddChild("C:\\WINDOWS\\SYSTEM");
  tree.SetSelected(sub);
  c->DeleteChildren();
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(c->Count(), 0);
  tree.SetSelected(c);
  tree.Clear();
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(tree.Count(), 0);
}

}  // namespace

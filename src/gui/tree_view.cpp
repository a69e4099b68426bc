#include "gui/tree_view.h"

namespace gui {

TreeNode::TreeNode(TreeView& tree, TreeNode* parent, std::string text) : tree_(tree), parent_(parent), text_(std::move(text)) {}

void TreeNode::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  tree_.NodeChanged(this, Property::Caption);
}

int TreeNode::Level() const {
  int level = 0;
  for (const TreeNode* n = parent_; n != nullptr; n = n->parent_) ++level;
  return level;
}

int TreeNode::Index() const {
  const auto& siblings = parent_ != nullptr ? parent_->children_ : tree_.roots_;
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == this) return static_cast<int>(i);
  }
  return -1;
}

TreeNode* TreeNode::AddChild(const std::string& text) {
  children_.push_back(std::make_unique<TreeNode>(tree_, this, text));
  TreeNode* node = children_.back().get();
  tree_.NodeChanged(node, Property::ItemAdded);
  return node;
}

void TreeNode::DeleteChildren() {
  while (!children_.empty()) {
    TreeNode* last = children_.back().get();
    tree_.Forget(*last);
    tree_.NodeChanged(last, Property::ItemDeleted);
    children_.pop_back();
  }
}

void TreeNode::SetExpanded(bool v) {
  if (expanded_ == v) return;
  expanded_ = v;
  tree_.NodeChanged(this, Property::Style);
}

void TreeNode::SetHasChildren(bool v) {
  if (hasChildren_ == v) return;
  hasChildren_ = v;
  tree_.NodeChanged(this, Property::Style);
}

void TreeNode::SetBold(bool v) {
  if (bold_ == v) return;
  bold_ = v;
  tree_.NodeChanged(this, Property::Style);
}

void TreeNode::SetImages(int image, int selected) {
  if (imageIndex_ == image && selectedIndex_ == selected) return;
  imageIndex_ = image;
  selectedIndex_ = selected;
  tree_.NodeChanged(this, Property::Style);
}

TreeView::TreeView(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetColor(colors::kWindow);
  SetBoundsState(Rect{0, 0, 121, 97});
  SetTabStop(true);
  Realize();
}

TreeView::~TreeView() = default;

void TreeView::ChangeScale(int from, int to) {
  designImages_.resize(images_.size());
  for (size_t i = 0; i < images_.size(); ++i) images_[i] = Rescale(images_[i], designImages_[i], from, to);
  NodeChanged(nullptr, Property::Picture);
}

void TreeView::SetImages(std::vector<std::shared_ptr<const Bitmap>> images, gui::Color transparent) {
  images_ = std::move(images);
  transparent_ = transparent;
  NodeChanged(nullptr, Property::Picture);
}

void TreeView::NodeChanged(TreeNode* node, Property what) {
  changed_ = node;
  Push(what);
  changed_ = nullptr;
}

TreeNode* TreeView::AddRoot(const std::string& text) {
  roots_.push_back(std::make_unique<TreeNode>(*this, nullptr, text));
  TreeNode* node = roots_.back().get();
  NodeChanged(node, Property::ItemAdded);
  return node;
}

void TreeView::Clear() {
  roots_.clear();
  selected_ = nullptr;
  NodeChanged(nullptr, Property::Items);
}

// A node going away takes the selection with it when the selection is inside it.
void TreeView::Forget(TreeNode& node) {
  for (TreeNode* n = selected_; n != nullptr; n = n->parent_) {
    if (n == &node) {
      selected_ = nullptr;
      break;
    }
  }
}

void TreeView::SetSelected(TreeNode* node) {
  selected_ = node;
  NodeChanged(node, Property::ItemIndex);
}

bool TreeView::UserSelect(TreeNode& node) {
  if (!AcceptsInput() || &node.tree_ != this) return false;
  SetFocus();
  if (selected_ == &node) return true;
  SetSelected(&node);
  if (OnChange) OnChange(*this, node);
  return true;
}

void TreeView::PeerSelected(TreeNode* node, bool byUser) {
  if (node == nullptr || node == selected_) return;
  selected_ = node;
  if (byUser && OnChange) OnChange(*this, *node);
}

bool TreeView::UserExpand(TreeNode& node) {
  if (!AcceptsInput() || node.expanded_ || !node.HasChildren()) return false;
  bool allow = true;
  if (OnExpanding) OnExpanding(*this, node, allow);
  if (!allow) return false;
  node.SetExpanded(true);
  return true;
}

bool TreeView::UserCollapse(TreeNode& node) {
  if (!AcceptsInput() || !node.expanded_) return false;
  bool allow = true;
  if (OnCollapsing) OnCollapsing(*this, node, allow);
  if (!allow) return false;
  node.SetExpanded(false);
  return true;
}

}  // namespace gui

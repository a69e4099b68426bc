// A tree of text nodes (the folder tree). Nodes belong to the tree; selecting or expanding by
// code runs nothing, the user's selection runs OnChange and expanding asks OnExpanding first.
// A node can show an expand button before its children exist (HasChildren), so children can
// be read when the user opens it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/control.h"

namespace gui {

class TreeView;

class TreeNode {
 public:
  TreeNode(TreeView& tree, TreeNode* parent, std::string text);
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  TreeView& Tree() const { return tree_; }
  TreeNode* Parent() const { return parent_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Count() const { return static_cast<int>(children_.size()); }
  TreeNode* Child(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
  // 0 for a root node.
  int Level() const;
  // Position among its siblings.
  int Index() const;

  TreeNode* AddChild(const std::string& text);
  void DeleteChildren();

  bool Expanded() const { return expanded_; }
  void SetExpanded(bool v);
  // Shows the expand button even without children.
  bool HasChildren() const { return hasChildren_ || !children_.empty(); }
  void SetHasChildren(bool v);
  bool Bold() const { return bold_; }
  void SetBold(bool v);
  // Pictures from the tree's image list: shown normally and while selected; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  int SelectedIndex() const { return selectedIndex_; }
  void SetImages(int image, int selected);
  std::intptr_t Data() const { return data_; }
  void SetData(std::intptr_t d) { data_ = d; }

 private:
  friend class TreeView;
  TreeView& tree_;
  TreeNode* parent_;
  std::string text_;
  std::vector<std::unique_ptr<TreeNode>> children_;
  bool expanded_ = false;
  bool hasChildren_ = false;
  bool bold_ = false;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  std::intptr_t data_ = 0;
};

using TreeNodeEvent = std::function<void(Component& sender, TreeNode& node)>;
using TreeExpandingEvent = std::function<void(Component& sender, TreeNode& node, bool& allow)>;

class TreeView : public Control {
 public:
  TreeView(Control& parent, std::string name);
  ~TreeView() override;
  ControlKind Kind() const override { return ControlKind::TreeView; }

  int Count() const { return static_cast<int>(roots_.size()); }
  TreeNode* Root(int index) const { return roots_.at(static_cast<size_t>(index)).get(); }
  TreeNode* AddRoot(const std::string& text);
  void Clear();

  TreeNode* Selected() const { return selected_; }
  void SetSelected(TreeNode* node);
  // The user may not edit the node texts (always so here; kept for the designer setting).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  // The image list: pictures of one size; pixels of `transparent` let the tree show through.
  const std::vector<std::shared_ptr<const Bitmap>>& Images() const { return images_; }
  gui::Color ImagesTransparent() const { return transparent_; }
  void SetImages(std::vector<std::shared_ptr<const Bitmap>> images, gui::Color transparent);

  TreeNodeEvent OnChange;
  TreeExpandingEvent OnExpanding;
  TreeExpandingEvent OnCollapsing;

  // User input: pick a node, open or close it.
  bool UserSelect(TreeNode& node);
  bool UserExpand(TreeNode& node);
  bool UserCollapse(TreeNode& node);
  // From the win32 peer: `node` became selected in the window, by the user (OnChange runs) or
  // by the window itself (it selects a node when it gets the focus; the state only follows).
  void PeerSelected(TreeNode* node, bool byUser);

  // For the peer: the node whose change is being pushed (Property::ItemAdded, ItemDeleted,
  // Caption, Style); the whole tree for Property::Items.
  TreeNode* ChangedNode() const { return changed_; }
  void NodeChanged(TreeNode* node, Property what);

 protected:
  void ChangeScale(int from, int to) override;

 private:
  friend class TreeNode;
  void Forget(TreeNode& node);
  std::vector<std::unique_ptr<TreeNode>> roots_;
  TreeNode* selected_ = nullptr;
  TreeNode* changed_ = nullptr;
  bool readOnly_ = true;
  std::vector<std::shared_ptr<const Bitmap>> images_;
  std::vector<DesignPicture> designImages_;
  gui::Color transparent_ = 0;
};

}  // namespace gui

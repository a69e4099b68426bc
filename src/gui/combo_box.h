// A drop-down list (pick only), a drop-down with an edit field, or an owner-drawn drop-down
// list. Selecting by code (ItemIndex) runs nothing and shows the row's text; a user pick runs
// OnClick, then OnChange.
#pragma once
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/list_box.h"

namespace gui {

enum class ComboStyle { DropDown, DropDownList, OwnerDrawFixed };

class ComboBox : public Control {
 public:
  ComboBox(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::ComboBox; }

  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  int AddItem(const std::string& text);
  void DeleteItem(int index);
  void SetItems(std::vector<std::string> items);
  void ClearItems() { SetItems({}); }

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The text shown: the selected row's, or what the user typed (DropDown).
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text);

  ComboStyle Style() const { return style_; }
  void SetStyle(ComboStyle style);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n);

  NotifyEvent OnChange;
  NotifyEvent OnDropDown;
  DrawItemEvent OnDrawItem;

  bool UserSelect(int index);
  // The user types into the edit field of a DropDown combo.
  bool UserType(const std::string& text);
  // From the win32 peer: the user edited the text of a DropDown combo.
  void PeerTextEdited(const std::string& text);
  // From the win32 peer: the drop-down list opens.
  void PeerDroppedDown();

  void DrawItem(Canvas& canvas, int index, const Rect& rect, OwnerDrawState state);

 protected:
  void ChangeScale(int from, int to) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  ComboStyle style_ = ComboStyle::DropDownList;
  int itemHeight_ = 16;
  DesignLength designItemHeight_;
  int dropDownCount_ = 8;
};

}  // namespace gui

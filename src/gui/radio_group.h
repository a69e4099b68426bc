// A framed group of radio buttons made from a list of items. Assigning ItemIndex runs OnClick
// when the value changes, exactly like the user picking an item.
#pragma once
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

class RadioGroup : public Control {
 public:
  RadioGroup(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::RadioGroup; }

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  // -1: no item selected.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);

  // Where item i's button goes inside the group (the win32 peer places its buttons there).
  Rect ItemRect(int index) const;
  // The user picks item `index`.
  bool UserSelect(int index);
  // The frame and caption (the buttons are drawn by themselves).
  void PaintTo(Canvas& canvas) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int columns_ = 1;
};

}  // namespace gui

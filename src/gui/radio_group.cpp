#include "gui/radio_group.h"

#include <algorithm>

#include "gui/panel.h"

namespace gui {

RadioGroup::RadioGroup(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 185, 105});
  SetTabStop(true);
  Realize();
}

void RadioGroup::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
  Push(Property::Items);
}

void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Push(Property::ItemIndex);
  Click();
}

void RadioGroup::SetColumns(int columns) {
  columns_ = std::max(columns, 1);
  Push(Property::Items);
}

// Buttons fill the area below the caption row in columns, top to bottom, evenly spaced.
Rect RadioGroup::ItemRect(int index) const {
  const int n = static_cast<int>(items_.size());
  const int perColumn = (n + columns_ - 1) / columns_;
  const int captionHeight = Font().PixelHeight();
  const int top = captionHeight + 2;
  const int innerHeight = std::max(Height() - top - 4, 0);
  const int columnWidth = (Width() - 16) / columns_;
  const int column = perColumn > 0 ? index / perColumn : 0;
  const int row = perColumn > 0 ? index % perColumn : 0;
  const int rowHeight = perColumn > 0 ? innerHeight / perColumn : 0;
  const int buttonHeight = std::min(rowHeight, captionHeight + 4);
  return Rect{8 + column * columnWidth, top + row * rowHeight + (rowHeight - buttonHeight) / 2, columnWidth, buttonHeight};
}

void RadioGroup::PaintTo(Canvas& canvas) { PaintGroupFrame(canvas, *this); }

bool RadioGroup::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= static_cast<int>(items_.size())) return false;
  SetFocus();
  SetItemIndex(index);
  return true;
}

}  // namespace gui

#include "gui/combo_box.h"

#include <algorithm>

#include "gui/canvas.h"

namespace gui {

ComboBox::ComboBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetColor(colors::kWindow);
  SetBoundsState(Rect{0, 0, 145, 21});
  SetTabStop(true);
  Realize();
}

int ComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  Push(Property::ItemAdded, Count() - 1);
  return Count() - 1;
}

void ComboBox::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
    SetCaptionState("");
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  Push(Property::ItemDeleted, index);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  if (style_ != ComboStyle::DropDown) SetCaptionState("");
  Push(Property::Items);
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  SetCaptionState(index >= 0 ? items_[static_cast<size_t>(index)] : std::string());
  Push(Property::ItemIndex);
}

void ComboBox::SetText(const std::string& text) {
  auto it = std::find(items_.begin(), items_.end(), text);
  if (style_ != ComboStyle::DropDown) {
    if (it != items_.end()) SetItemIndex(static_cast<int>(it - items_.begin()));
    return;
  }
  itemIndex_ = it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
  Control::SetCaption(text);
}

void ComboBox::SetStyle(ComboStyle style) {
  style_ = style;
  Push(Property::Style);
}

void ComboBox::ChangeScale(int from, int to) { SetItemHeight(designItemHeight_.Rescale(itemHeight_, from, to)); }

void ComboBox::SetItemHeight(int height) {
  itemHeight_ = std::max(height, 1);
  Push(Property::Style);
}

void ComboBox::SetDropDownCount(int n) {
  dropDownCount_ = std::max(n, 1);
  Push(Property::Style);
}

bool ComboBox::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= Count()) return false;
  SetFocus();
  itemIndex_ = index;
  SetCaptionState(items_[static_cast<size_t>(index)]);
  Push(Property::ItemIndex);
  Click();
  if (OnChange) OnChange(*this);
  return true;
}

bool ComboBox::UserType(const std::string& text) {
  if (!AcceptsInput() || style_ != ComboStyle::DropDown) return false;
  SetFocus();
  auto it = std::find(items_.begin(), items_.end(), text);
  itemIndex_ = it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
  SetCaptionState(text);
  Push(Property::Caption);
  if (OnChange) OnChange(*this);
  return true;
}

void ComboBox::PeerTextEdited(const std::string& text) {
  auto it = std::find(items_.begin(), items_.end(), text);
  itemIndex_ = it != items_.end() ? static_cast<int>(it - items_.begin()) : -1;
  SetCaptionState(text);
  if (OnChange) OnChange(*this);
}

void ComboBox::PeerDroppedDown() {
  if (OnDropDown) OnDropDown(*this);
}

void ComboBox::DrawItem(Canvas& canvas, int index, const Rect& rect, OwnerDrawState state) {
  canvas.font = Font();
  canvas.brush.color = state.selected ? colors::kHighlight : Color();
  if (state.selected) canvas.font.color = colors::kHighlightText;
  if (style_ == ComboStyle::OwnerDrawFixed && OnDrawItem) {
    OnDrawItem(*this, canvas, index, rect, state);
    return;
  }
  canvas.FillRect(rect);
  if (index >= 0 && index < Count()) canvas.TextAt(rect.left + 2, rect.top, items_[static_cast<size_t>(index)]);
}

}  // namespace gui

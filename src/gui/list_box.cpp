#include "gui/list_box.h"

#include <algorithm>

#include "gui/canvas.h"

namespace gui {

ListBox::ListBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetColor(colors::kWindow);
  SetBoundsState(Rect{0, 0, 121, 97});
  SetTabStop(true);
  Realize();
}

int ListBox::AddItem(const std::string& text) {
  items_.push_back(text);
  selected_.push_back(false);
  Push(Property::ItemAdded, Count() - 1);
  return Count() - 1;
}

void ListBox::BeginUpdate() {
  if (updating_++ == 0) Push(Property::Updating, 1);
}

void ListBox::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) Push(Property::Updating, 0);
}

void ListBox::InsertItem(int index, const std::string& text) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, text);
  selected_.insert(selected_.begin() + index, false);
  if (itemIndex_ >= index) ++itemIndex_;
  Push(Property::ItemAdded, index);
}

void ListBox::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  if (topIndex_ >= Count()) topIndex_ = std::max(Count() - 1, 0);
  Push(Property::ItemDeleted, index);
}

void ListBox::SetItem(int index, const std::string& text) {
  if (index < 0 || index >= Count()) return;
  const bool sel = selected_[static_cast<size_t>(index)];
  const int keepIndex = itemIndex_;
  DeleteItem(index);
  InsertItem(index, text);
  selected_[static_cast<size_t>(index)] = sel;
  itemIndex_ = keepIndex;
  Push(Property::Selection, index);
  Push(Property::ItemIndex);
}

void ListBox::SetItems(std::vector<std::string> items) {
  const bool same = items == items_;
  items_ = std::move(items);
  selected_.assign(items_.size(), false);
  itemIndex_ = -1;
  topIndex_ = 0;
  Push(Property::Items, same ? 1 : 0);
}

void ListBox::ClearItems() { SetItems({}); }

void ListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (!multiSelect_) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0) selected_[static_cast<size_t>(index)] = true;
  }
  Push(Property::ItemIndex);
}

void ListBox::SetMultiSelect(bool v) {
  multiSelect_ = v;
  Push(Property::Style);
}

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= Count()) return false;
  return selected_[static_cast<size_t>(index)];
}

void ListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= Count()) return;
  if (!multiSelect_) {
    SetItemIndex(selected ? index : (itemIndex_ == index ? -1 : itemIndex_));
    return;
  }
  selected_[static_cast<size_t>(index)] = selected;
  Push(Property::Selection, index);
}

int ListBox::SelCount() const {
  if (!multiSelect_) return -1;
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

int ListBox::TopIndex() const {
  if (Peer() != nullptr) {
    int t = Peer()->QueryTopIndex();
    if (t >= 0) return t;
  }
  return topIndex_;
}

void ListBox::SetTopIndex(int index) {
  topIndex_ = std::clamp(index, 0, std::max(Count() - 1, 0));
  Push(Property::TopIndex);
}

void ListBox::ChangeScale(int from, int to) { SetItemHeight(designItemHeight_.Rescale(itemHeight_, from, to)); }

void ListBox::SetItemHeight(int height) {
  itemHeight_ = std::max(height, 1);
  Push(Property::Style);
}

int ListBox::VisibleRows() const { return ClientRect().height / itemHeight_; }

int ListBox::ItemAtPos(Point p) const {
  if (Peer() != nullptr) {
    int i = Peer()->QueryItemAtPos(p);
    if (i != -2) return i;
  }
  if (!ClientRect().Contains(p)) return -1;
  const int i = TopIndex() + p.y / itemHeight_;
  return i < Count() ? i : -1;
}

Rect ListBox::ItemRect(int index) const {
  return Rect{0, (index - TopIndex()) * itemHeight_, ClientRect().width, itemHeight_};
}

void ListBox::SetStyle(ListStyle style) {
  style_ = style;
  Push(Property::Style);
}

bool ListBox::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= Count()) return false;
  SetFocus();
  std::fill(selected_.begin(), selected_.end(), false);
  selected_[static_cast<size_t>(index)] = true;
  itemIndex_ = index;
  Push(Property::ItemIndex);
  Push(Property::Selection);
  Click();
  return true;
}

bool ListBox::UserToggle(int index) {
  if (!multiSelect_) return UserSelect(index);
  if (!AcceptsInput() || index < 0 || index >= Count()) return false;
  SetFocus();
  selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
  itemIndex_ = index;
  Push(Property::Selection, index);
  Push(Property::ItemIndex);
  Click();
  return true;
}

bool ListBox::UserDblClick(int index) {
  if (!UserSelect(index)) return false;
  if (OnDblClick) OnDblClick(*this);
  return true;
}

bool ListBox::UserDblClick() {
  if (!AcceptsInput()) return false;
  if (OnDblClick) OnDblClick(*this);
  return true;
}

void ListBox::PeerSelectionChanged(int itemIndex, const std::vector<int>& selectedRows) {
  itemIndex_ = itemIndex < Count() ? itemIndex : -1;
  std::fill(selected_.begin(), selected_.end(), false);
  for (int row : selectedRows) {
    if (row >= 0 && row < Count()) selected_[static_cast<size_t>(row)] = true;
  }
  if (Focused() == false) UserFocused();
  Click();
}

void ListBox::DrawItem(Canvas& canvas, int index, const Rect& rect, OwnerDrawState state) {
  canvas.font = Font();
  canvas.brush.color = state.selected ? colors::kHighlight : Color();
  if (state.selected) canvas.font.color = colors::kHighlightText;
  if (style_ == ListStyle::OwnerDrawFixed && OnDrawItem) {
    OnDrawItem(*this, canvas, index, rect, state);
    return;
  }
  canvas.FillRect(rect);
  if (index >= 0 && index < Count()) canvas.TextAt(rect.left + 2, rect.top, items_[static_cast<size_t>(index)]);
}

void ListBox::PaintTo(Canvas& canvas) {
  const int top = TopIndex();
  const int last = std::min(Count(), top + VisibleRows() + 1);
  for (int i = top; i < last; ++i) {
    OwnerDrawState state;
    state.selected = Selected(i);
    state.focused = Focused() && i == itemIndex_;
    state.disabled = !Enabled();
    DrawItem(canvas, i, ItemRect(i), state);
  }
}

}  // namespace gui

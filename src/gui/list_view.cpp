#include "gui/list_view.h"

#include <algorithm>
#include <numeric>

namespace gui {

ListColumn::ListColumn(ListView& view, std::string caption, int width, TextAlignment alignment)
    : view_(view), caption_(std::move(caption)), width_(width), alignment_(alignment) {}

int ListColumn::Index() const {
  for (int i = 0; i < view_.ColumnCount(); ++i) {
    if (&view_.Column(i) == this) return i;
  }
  return -1;
}

void ListColumn::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  view_.ColumnChanged(*this, Property::Caption);
}

void ListColumn::SetWidth(int width) {
  width = std::max(width, 0);
  if (width_ == width) return;
  width_ = width;
  view_.ColumnChanged(*this, Property::Style);
}

void ListColumn::SetAlignment(TextAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  view_.ColumnChanged(*this, Property::Style);
}

ListView::ListView(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetColor(colors::kWindow);
  SetBoundsState(Rect{0, 0, 250, 150});
  SetTabStop(true);
  Realize();
}

ListView::~ListView() = default;

void ListView::ColumnChanged(const ListColumn& column, Property what) {
  changedColumn_ = column.Index();
  Push(what);
  changedColumn_ = -1;
}

void ListView::ChangeScale(int from, int to) {
  for (auto& column : columns_) column->SetWidth(column->designWidth_.Rescale(column->width_, from, to));
}

ListColumn& ListView::AddColumn(const std::string& caption, int width, TextAlignment alignment) {
  columns_.push_back(std::make_unique<ListColumn>(*this, caption, std::max(width, 0), alignment));
  ColumnChanged(*columns_.back(), Property::ItemAdded);
  return *columns_.back();
}

void ListView::ClearColumns() {
  columns_.clear();
  Push(Property::Style);
}

int ListView::AddItem(ListItem item) {
  items_.push_back(std::move(item));
  Push(Property::ItemAdded, Count() - 1);
  return Count() - 1;
}

void ListView::DeleteItem(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  Push(Property::ItemDeleted, index);
}

void ListView::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  Push(Property::Items);
}

void ListView::BeginUpdate() {
  if (updating_++ == 0) Push(Property::Updating, 1);
}

void ListView::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) Push(Property::Updating, 0);
}

void ListView::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  Push(Property::ItemIndex);
}

void ListView::Sort(const ListItemCompare& compare) {
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return compare(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]) < 0;
  });
  std::vector<ListItem> sorted;
  sorted.reserve(items_.size());
  int selected = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == itemIndex_) selected = static_cast<int>(i);
    sorted.push_back(std::move(items_[static_cast<size_t>(order[i])]));
  }
  items_ = std::move(sorted);
  itemIndex_ = selected;
  Push(Property::Items);
}

void ListView::SetRowSelect(bool v) {
  rowSelect_ = v;
  Push(Property::Style);
}

void ListView::SetReadOnly(bool v) {
  readOnly_ = v;
  Push(Property::Style);
}

void ListView::SetColumnClick(bool v) {
  columnClick_ = v;
  Push(Property::Style);
}

RowStyle ListView::RowStyleOf(int index) const {
  if (!OnRowStyle || index < 0 || index >= Count()) return RowStyle{};
  return OnRowStyle(items_[static_cast<size_t>(index)], index == itemIndex_);
}

bool ListView::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= Count()) return false;
  SetFocus();
  itemIndex_ = index;
  Push(Property::ItemIndex);
  Click();
  return true;
}

bool ListView::UserColumnClick(int column) {
  if (!AcceptsInput() || !columnClick_ || column < 0 || column >= ColumnCount()) return false;
  if (OnColumnClick) OnColumnClick(*this, column);
  return true;
}

void ListView::PeerDeselected() { itemIndex_ = -1; }

}  // namespace gui

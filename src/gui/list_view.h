// A report list: rows of a caption and sub-item texts under captioned columns, one selected row
// at most. Selecting by code (SetItemIndex) runs nothing; a user's selection runs OnClick and a
// click on a column header OnColumnClick. How a row is drawn (italic, struck out, bold) is decided
// by OnRowStyle as data, so the decision is testable; the win32 peer only applies it.
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

class ListView;

struct ListItem {
  std::string caption;
  std::vector<std::string> subItems;
  bool operator==(const ListItem&) const = default;
};

// The look of one row.
struct RowStyle {
  bool italic = false;
  bool strikeOut = false;
  bool bold = false;
  bool operator==(const RowStyle&) const = default;
};

class ListColumn {
 public:
  ListColumn(ListView& view, std::string caption, int width, TextAlignment alignment);
  ListColumn(const ListColumn&) = delete;
  ListColumn& operator=(const ListColumn&) = delete;

  // Its position among the columns.
  int Index() const;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Width() const { return width_; }
  void SetWidth(int width);
  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment alignment);

 private:
  friend class ListView;
  ListView& view_;
  std::string caption_;
  int width_;
  DesignLength designWidth_;
  TextAlignment alignment_;
};

using ColumnClickEvent = std::function<void(Component& sender, int column)>;
// The style of `item`; `selected` tells whether it is the selected row.
using RowStyleEvent = std::function<RowStyle(const ListItem& item, bool selected)>;
// Negative, zero or positive as `a` sorts before, with or after `b`.
using ListItemCompare = std::function<int(const ListItem& a, const ListItem& b)>;

class ListView : public Control {
 public:
  ListView(Control& parent, std::string name);
  ~ListView() override;
  ControlKind Kind() const override { return ControlKind::ListView; }

  // Columns, left to right. A column's caption, width and alignment may change at any time.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  ListColumn& Column(int index) const { return *columns_.at(static_cast<size_t>(index)); }
  ListColumn& AddColumn(const std::string& caption, int width, TextAlignment alignment = TextAlignment::Left);
  void ClearColumns();

  const std::vector<ListItem>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const ListItem& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  // Adding rows keeps the selection on its row; deleting the selected row leaves none.
  int AddItem(ListItem item);
  void DeleteItem(int index);
  void ClearItems();
  // A batch of row changes: the window is redrawn once at the end. Batches nest.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updating_ > 0; }

  // The selected row, or -1. Setting it selects and focuses the row and scrolls it into view.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

  // Sorts the rows by `compare` (equal rows keep their order); the selected row stays selected
  // and is scrolled into view.
  void Sort(const ListItemCompare& compare);

  // Designer settings: the whole row shows the selection; the user may not edit captions;
  // column headers are buttons that report clicks.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool ColumnClick() const { return columnClick_; }
  void SetColumnClick(bool v);

  ColumnClickEvent OnColumnClick;
  RowStyleEvent OnRowStyle;
  // The style of row `index` as OnRowStyle decides it (no handler: plain).
  RowStyle RowStyleOf(int index) const;

  // User input: select row `index` (runs OnClick), click column `column`'s header.
  bool UserSelect(int index);
  bool UserColumnClick(int column);
  // From the win32 peer: the window lost its selection by itself (a click beside the rows).
  void PeerDeselected();

  // For the peer: which column is being pushed with Property::Caption or Property::Style
  // (-1: the control's own).
  int ChangedColumn() const { return changedColumn_; }
  void ColumnChanged(const ListColumn& column, Property what);

 protected:
  void ChangeScale(int from, int to) override;

 private:
  std::deque<std::unique_ptr<ListColumn>> columns_;
  std::vector<ListItem> items_;
  int itemIndex_ = -1;
  int updating_ = 0;
  int changedColumn_ = -1;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool columnClick_ = true;
};

}  // namespace gui

// A list of text rows with single or multiple selection, optionally drawn by the program.
// Selecting rows by code (ItemIndex, Selected) runs no event; a user selection runs OnClick,
// a double click OnClick then OnDblClick. Each list's own bookkeeping number lives in Tag.
#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

class Canvas;

struct OwnerDrawState {
  bool selected = false;
  bool focused = false;
  bool disabled = false;
};
// Draws row `index` into `rect` (in the list's client coordinates).
using DrawItemEvent = std::function<void(Component& sender, Canvas& canvas, int index, const Rect& rect, OwnerDrawState state)>;

enum class ListStyle { Standard, OwnerDrawFixed };

class ListBox : public Control {
 public:
  ListBox(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::ListBox; }

  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  // Editing the rows keeps the selection on the same rows, as the window does; deleting the
  // selected row leaves no ItemIndex.
  int AddItem(const std::string& text);
  void InsertItem(int index, const std::string& text);
  void DeleteItem(int index);
  void SetItem(int index, const std::string& text);
  void SetItems(std::vector<std::string> items);
  void ClearItems();
  // A batch of row changes: the window is not redrawn per row but once at the end. Batches nest;
  // the outermost EndUpdate repaints.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updating_ > 0; }

  // The selected row (multi-select: the row with the focus rectangle); -1 for none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;

  // The first row shown (the window's, once the user may have scrolled it).
  int TopIndex() const;
  // The first row as last set by code.
  int TopIndexState() const { return topIndex_; }
  void SetTopIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  // Number of rows that fit in the client area.
  int VisibleRows() const;
  // The row at a client point; -1 when no row is there.
  int ItemAtPos(Point p) const;
  // Where row `index` is drawn in the client area.
  Rect ItemRect(int index) const;

  ListStyle Style() const { return style_; }
  void SetStyle(ListStyle style);
  DrawItemEvent OnDrawItem;

  // The user clicks row `index` (plain click: it becomes the only selected row).
  bool UserSelect(int index);
  // Ctrl+click in a multi-select list: toggles the row.
  bool UserToggle(int index);
  // Double click on row `index`.
  bool UserDblClick(int index);
  bool UserDblClick() override;
  // From the win32 peer: the user changed the selection in the window.
  void PeerSelectionChanged(int itemIndex, const std::vector<int>& selectedRows);

  // Draws one row: OnDrawItem when set, else the default look (text on highlight when selected).
  void DrawItem(Canvas& canvas, int index, const Rect& rect, OwnerDrawState state);
  // Draws every visible row, as a repaint of the window does.
  void PaintTo(Canvas& canvas) override;

 protected:
  void ChangeScale(int from, int to) override;

 private:
  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int itemIndex_ = -1;
  int topIndex_ = 0;
  int itemHeight_ = 13;
  DesignLength designItemHeight_;
  bool multiSelect_ = false;
  int updating_ = 0;
  ListStyle style_ = ListStyle::Standard;
};

// Holds a batch of row changes on some lists for the life of the object.
class ListUpdate {
 public:
  explicit ListUpdate(std::initializer_list<ListBox*> lists) : lists_(lists) {
    for (ListBox* l : lists_) l->BeginUpdate();
  }
  ~ListUpdate() {
    for (ListBox* l : lists_) l->EndUpdate();
  }
  ListUpdate(const ListUpdate&) = delete;
  ListUpdate& operator=(const ListUpdate&) = delete;

 private:
  std::vector<ListBox*> lists_;
};

}  // namespace gui

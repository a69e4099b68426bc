// Peers on native list boxes and combo boxes, owner-drawn rows included.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "gui/combo_box.h"
#include "gui/list_box.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

class ListPeer : public NativePeer {
 public:
  ListPeer(Backend& backend, ListBox& list) : NativePeer(backend, list, L"LISTBOX"), list_(list) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    // A list refilled while it is updated gets its rows once, when the update ends (a walk
    // refills the file list for every folder); until then the window keeps its old rows.
    if (itemsDue_ && (what == Property::ItemAdded || what == Property::ItemDeleted || what == Property::ItemIndex ||
                      what == Property::Selection || what == Property::TopIndex)) {
      if (what == Property::ItemIndex || what == Property::TopIndex) topIndexLast_ = what == Property::TopIndex;
      return;
    }
    pushing_ = true;
    switch (what) {
      case Property::Items:
        if (list_.Updating()) {
          itemsDue_ = topIndexLast_ = true;
        } else {
          FillItems(index == 1);
        }
        break;
      case Property::ItemAdded: {
        // The list box grows its rows a few at a time, copying all of them each time: rows
        // added one by one get room for as many again as there are.
        const size_t count = static_cast<size_t>(list_.Count());
        if (count > reserved_) {
          const std::string& row = list_.Item(index);
          SendMessageW(hwnd_, LB_INITSTORAGE, count, static_cast<LPARAM>(count * (row.size() + 1) * sizeof(wchar_t)));
          reserved_ = 2 * count;
        }
        SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Wide(list_.Item(index)).c_str()));
        break;
      }
      case Property::ItemDeleted: SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); break;
      // While the list is updated, the current row and the top row (which scroll the window,
      // drawn or not) reach the window once, when the update ends.
      case Property::ItemIndex:
        if (list_.Updating()) {
          itemIndexDue_ = true;
          topIndexLast_ = false;
        } else {
          PushItemIndex();
        }
        break;
      case Property::Selection: PushSelection(index); break;
      case Property::TopIndex:
        if (list_.Updating()) {
          topIndexDue_ = topIndexLast_ = true;
        } else {
          PushTopIndex();
        }
        break;
      case Property::Style: pushing_ = false; Recreate(); return;
      case Property::Updating:
        if (index == 0 && itemsDue_) {
          FillItems();
          break;
        }
        if (index == 0) PushDue();
        Redraw(index == 0);
        break;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }
  void OnCommand(int code, HWND) override {
    if (pushing_) return;
    if (code == LBN_SELCHANGE) {
      std::vector<int> rows;
      int caret;
      if (list_.MultiSelect()) {
        const int n = static_cast<int>(SendMessageW(hwnd_, LB_GETSELCOUNT, 0, 0));
        rows.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0) SendMessageW(hwnd_, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(rows.data()));
        caret = static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
      } else {
        caret = static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
        if (caret >= 0) rows.push_back(caret);
      }
      list_.PeerSelectionChanged(caret, rows);
    } else if (code == LBN_DBLCLK) {
      list_.UserDblClick();
    }
  }
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    const Rect r{item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
    if (static_cast<int>(item.itemID) < 0 || static_cast<int>(item.itemID) >= list_.Count()) {
      GdiCanvas canvas(item.hDC, backend_.Fonts());
      canvas.brush.color = list_.Color();
      canvas.FillRect(r);
    } else {
      GdiCanvas canvas(item.hDC, backend_.Fonts());
      OwnerDrawState state;
      state.selected = (item.itemState & ODS_SELECTED) != 0;
      state.focused = (item.itemState & ODS_FOCUS) != 0;
      state.disabled = (item.itemState & ODS_DISABLED) != 0;
      list_.DrawItem(canvas, static_cast<int>(item.itemID), r, state);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }
  int QueryTopIndex() const override {
    const bool current = hwnd_ != nullptr && !topIndexDue_ && !itemsDue_;
    return current ? static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)) : -1;
  }
  // A press on a selected row of a multi-select list that drags automatically keeps the
  // selection, so that all selected rows can be dragged; the window sees the press only when
  // the button is released without a drag (then it is an ordinary click on that row).
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The user acts on the rows the list holds now.
    if (itemsDue_ && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE) ||
                      (message >= WM_KEYFIRST && message <= WM_KEYLAST))) {
      FillItems();
    }
    // The second press of a double click counts as a double click only on the row the first
    // press chose. When the rows moved in between (a folder opened by the first click scrolls
    // its list), a quick click on the row now under the mouse would otherwise be lost: the
    // list only reports the double click and keeps its selection. It is a press of its own.
    if (message == WM_LBUTTONDBLCLK) {
      const int row = QueryItemAtPos(Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      const int chosen = static_cast<int>(SendMessageW(hwnd_, list_.MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
      if (row >= 0 && row != chosen) {
        HWND self = hwnd_;
        if (!OnMessage(WM_LBUTTONDOWN, wParam, lParam, result) && oldProc_ != nullptr) {
          result = CallWindowProcW(oldProc_, self, WM_LBUTTONDOWN, wParam, lParam);
        }
        return true;
      }
    }
    if (message == WM_LBUTTONDOWN && list_.DragMode() == DragMode::Automatic && list_.MultiSelect() &&
        (wParam & (MK_SHIFT | MK_CONTROL)) == 0) {
      const int row = QueryItemAtPos(Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (row >= 0 && list_.Selected(row)) {
        heldOnSelection_ = true;
        heldAt_ = lParam;
        ::SetFocus(hwnd_);
        SetCapture(hwnd_);
        NativePeer::OnMessage(message, wParam, lParam, result);
        result = 0;
        return true;
      }
    }
    if (message == WM_LBUTTONUP && heldOnSelection_) {
      heldOnSelection_ = false;
      const bool dropped = dragging_;
      HWND self = hwnd_;
      NativePeer::OnMessage(message, wParam, lParam, result);
      if (!dropped && oldProc_ != nullptr) {
        if (GetCapture() == self) ReleaseCapture();
        CallWindowProcW(oldProc_, self, WM_LBUTTONDOWN, MK_LBUTTON, heldAt_);
        CallWindowProcW(oldProc_, self, WM_LBUTTONUP, 0, lParam);
      }
      result = 0;
      return true;
    }
    return NativePeer::OnMessage(message, wParam, lParam, result);
  }

  int QueryItemAtPos(Point p) const override {
    if (hwnd_ == nullptr || itemsDue_) return -2;
    const LRESULT r = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    return HIWORD(r) != 0 ? -1 : static_cast<int>(LOWORD(r));
  }

 protected:
  DWORD Style(DWORD& exStyle) const override {
    exStyle = WS_EX_CLIENTEDGE;
    DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_HASSTRINGS;
    if (list_.MultiSelect()) style |= LBS_EXTENDEDSEL;
    if (list_.Style() == ListStyle::OwnerDrawFixed) style |= LBS_OWNERDRAWFIXED;
    return style;
  }
  void PushAll() override {
    NativePeer::PushAll();
    if (list_.Style() == ListStyle::OwnerDrawFixed) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, list_.ItemHeight());
    FillItems();
  }

 private:
  // Gives the window the list's rows, selection and top row; `sameRows`: the window holds
  // these rows already, only the selection and the top row are new.
  void FillItems(bool sameRows = false) {
    if (!list_.Updating()) Redraw(false);
    if (sameRows) {
      // As after a refill: no row selected, the caret on the first row.
      if (list_.MultiSelect()) {
        SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
        SendMessageW(hwnd_, LB_SETCARETINDEX, 0, FALSE);
      }
    } else {
      SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
      const std::vector<std::string>& items = list_.Items();
      size_t bytes = 0;
      for (const std::string& item : items) bytes += (item.size() + 1) * sizeof(wchar_t);
      SendMessageW(hwnd_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
      reserved_ = items.size();
      // Straight to the list box's own procedure: our subclass has nothing to do with these,
      // and a long list pays the message round for every row.
      std::wstring row;
      for (const std::string& item : items) {
        platform::win32::WideInto(item, row);
        CallWindowProcW(oldProc_, hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
      }
    }
    // The rows start unselected: only the selected ones are pushed. The row set last decides
    // what the window scrolls to.
    auto pushSelection = [this] {
      if (!list_.MultiSelect()) return PushSelection();
      for (int i = 0; i < list_.Count(); ++i) {
        if (list_.Selected(i)) SendMessageW(hwnd_, LB_SETSEL, TRUE, i);
      }
      PushCaret();
    };
    if (topIndexLast_) {
      pushSelection();
      PushTopIndex();
    } else {
      PushTopIndex();
      pushSelection();
    }
    itemsDue_ = itemIndexDue_ = topIndexDue_ = false;
    topIndexLast_ = true;
    if (!list_.Updating()) Redraw(true);
  }
  void PushItemIndex() {
    // In a multi-select list ItemIndex is only the focused row.
    if (list_.MultiSelect()) {
      PushCaret();
    } else {
      PushSelection();
    }
  }
  void PushTopIndex() { SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(list_.TopIndexState()), 0); }
  // What the update held back, in the order it was last set.
  void PushDue() {
    if (topIndexDue_ && !topIndexLast_) PushTopIndex();
    if (itemIndexDue_) PushItemIndex();
    if (topIndexDue_ && topIndexLast_) PushTopIndex();
    itemIndexDue_ = topIndexDue_ = false;
    topIndexLast_ = true;
  }
  // Switches the window's drawing off, or on again with one repaint.
  void Redraw(bool on) {
    if (!on) {
      SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
      return;
    }
    // Drawing back on makes the list set its scroll bar, and a visible list draws the bar at once
    // (under Wine that costs as much as filling thousands of rows). Seen as hidden for that moment
    // (the window's own redraw switch, which only clears its visible bit), it draws the bar with
    // the rest at the next paint.
    const bool visible = IsWindowVisible(hwnd_) != FALSE;
    if (visible) DefWindowProcW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    if (visible) DefWindowProcW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  // Pushes the selection: of one row (row >= 0) or of all rows.
  void PushSelection(int row = -1) {
    if (!list_.MultiSelect()) {
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
      return;
    }
    if (row >= 0) {
      SendMessageW(hwnd_, LB_SETSEL, list_.Selected(row), row);
    } else {
      for (int i = 0; i < list_.Count(); ++i) SendMessageW(hwnd_, LB_SETSEL, list_.Selected(i), i);
    }
    PushCaret();
  }
  void PushCaret() {
    if (list_.ItemIndex() >= 0) SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(list_.ItemIndex()), FALSE);
  }
  ListBox& list_;
  size_t reserved_ = 0;  // rows the list box has room for
  bool itemsDue_ = false, itemIndexDue_ = false, topIndexDue_ = false, topIndexLast_ = true;
  bool heldOnSelection_ = false;
  LPARAM heldAt_ = 0;
};

class ComboPeer : public NativePeer {
 public:
  ComboPeer(Backend& backend, ComboBox& combo) : NativePeer(backend, combo, L"COMBOBOX"), combo_(combo) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    pushing_ = true;
    switch (what) {
      case Property::Items: FillItems(); break;
      case Property::ItemAdded:
        SendMessageW(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Wide(combo_.Items()[static_cast<size_t>(index)]).c_str()));
        break;
      case Property::ItemDeleted: SendMessageW(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0); break;
      case Property::ItemIndex: SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0); break;
      case Property::Bounds: PushBounds(); break;
      case Property::Style: pushing_ = false; Recreate(); return;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }
  void OnCommand(int code, HWND) override {
    if (pushing_) return;
    if (code == CBN_SELCHANGE) {
      combo_.UserSelect(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    } else if (code == CBN_EDITCHANGE) {
      if (std::optional<std::string> typed = HeldWindowText(hwnd_)) {
        combo_.PeerTextEdited(*typed);
      } else {
        pushing_ = true;
        SetWindowTextW(hwnd_, Wide(combo_.Text()).c_str());
        pushing_ = false;
        combo_.App().TextRefused();
      }
    } else if (code == CBN_DROPDOWN) {
      combo_.PeerDroppedDown();
    }
  }
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    const Rect r{item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
    GdiCanvas canvas(item.hDC, backend_.Fonts());
    OwnerDrawState state;
    state.selected = (item.itemState & ODS_SELECTED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;
    combo_.DrawItem(canvas, static_cast<int>(item.itemID), r, state);
    return true;
  }

 protected:
  DWORD Style(DWORD&) const override {
    DWORD style = WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (combo_.Style()) {
      case ComboStyle::DropDown: style |= CBS_DROPDOWN; break;
      case ComboStyle::DropDownList: style |= CBS_DROPDOWNLIST; break;
      case ComboStyle::OwnerDrawFixed: style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    }
    return style;
  }
  void PushAll() override {
    NativePeer::PushAll();
    if (combo_.Style() == ComboStyle::OwnerDrawFixed) {
      SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), combo_.ItemHeight());
      SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, combo_.ItemHeight());
    }
    FillItems();
    PushBounds();
  }
  // The window's height includes its drop-down list.
  void PushBounds() {
    const Rect& r = combo_.Bounds();
    const int itemHeight = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
    MoveWindow(hwnd_, r.left, r.top, r.width, r.height + itemHeight * combo_.DropDownCount() + 2, TRUE);
  }

 private:
  void FillItems() {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo_.Items()) SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
    if (combo_.Style() == ComboStyle::DropDown) SetWindowTextW(hwnd_, Wide(combo_.Text()).c_str());
  }
  ComboBox& combo_;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateListPeer(Backend& backend, ListBox& list) { return std::make_unique<ListPeer>(backend, list); }

std::unique_ptr<ControlPeer> CreateComboPeer(Backend& backend, ComboBox& combo) { return std::make_unique<ComboPeer>(backend, combo); }

}  // namespace gui::win32

// Peers on native controls: buttons, check boxes, radio buttons, edits, memos, list boxes,
// combo boxes, and the radio group (our frame with native radio buttons inside).
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/list_box.h"
#include "gui/radio_group.h"
#include "gui/tree_view.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

#include <commctrl.h>

#include <unordered_map>

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

std::string WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, w.data(), n + 1);
  w.resize(static_cast<size_t>(n));
  return Narrow(w);
}

// A native control created with a class and a style; style changes that Windows cannot apply
// to a live window re-create it.
class NativePeer : public WindowPeer {
 public:
  NativePeer(Backend& backend, Control& control, const wchar_t* windowClass) : WindowPeer(backend, control), class_(windowClass) {}

 protected:
  void Create() {
    DWORD exStyle = 0;
    const DWORD style = Style(exStyle) | WS_CHILD | WS_CLIPSIBLINGS | (control_.TabStop() ? WS_TABSTOP : 0);
    HWND h = CreateWindowExW(exStyle, class_, L"", style, 0, 0, 0, 0, ParentHwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(backend_.NextControlId())), backend_.Instance(), nullptr);
    Attach(h, true);
  }
  void Recreate() {
    const bool hadFocus = GetFocus() == hwnd_;
    DestroyWindowNow();
    Create();
    if (hadFocus) ::SetFocus(hwnd_);
  }
  virtual DWORD Style(DWORD& exStyle) const = 0;

 private:
  const wchar_t* class_;
};

class ButtonPeer : public NativePeer {
 public:
  ButtonPeer(Backend& backend, Button& button) : NativePeer(backend, button, L"BUTTON"), button_(button) { Create(); }

  void Changed(Property what, int index) override {
    if (what == Property::Style && hwnd_ != nullptr) {
      SendMessageW(hwnd_, BM_SETSTYLE, button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      return;
    }
    NativePeer::Changed(what, index);
  }
  void OnCommand(int code, HWND) override {
    if (code == BN_CLICKED && !pushing_) button_.UserClick();
  }

 protected:
  DWORD Style(DWORD&) const override { return button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

 private:
  Button& button_;
};

// Check boxes and radio buttons are created without the automatic styles: the control decides
// the state and pushes it back.
class CheckPeer : public NativePeer {
 public:
  CheckPeer(Backend& backend, Control& control, bool radio) : NativePeer(backend, control, L"BUTTON"), radio_(radio) { Create(); }

  void Changed(Property what, int index) override {
    if (what == Property::Checked && hwnd_ != nullptr) {
      SendMessageW(hwnd_, BM_SETCHECK, Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      return;
    }
    NativePeer::Changed(what, index);
  }
  void OnCommand(int code, HWND) override {
    if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && !pushing_) control_.UserClick();
  }

 protected:
  DWORD Style(DWORD&) const override { return (radio_ ? BS_RADIOBUTTON : BS_CHECKBOX) | BS_NOTIFY; }
  void PushAll() override {
    NativePeer::PushAll();
    SendMessageW(hwnd_, BM_SETCHECK, Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  bool Checked() const {
    return radio_ ? static_cast<RadioButton&>(control_).Checked() : static_cast<CheckBox&>(control_).Checked();
  }
  bool radio_;
};

class EditPeer : public NativePeer {
 public:
  EditPeer(Backend& backend, Edit& edit) : NativePeer(backend, edit, L"EDIT"), edit_(edit) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    pushing_ = true;
    switch (what) {
      case Property::ReadOnly: SendMessageW(hwnd_, EM_SETREADONLY, edit_.ReadOnly(), 0); break;
      case Property::MaxLength: SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0); break;
      case Property::Selection: SendMessageW(hwnd_, EM_SETSEL, 0, -1); break;
      case Property::Style: pushing_ = false; Recreate(); return;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }
  void OnCommand(int code, HWND) override {
    if (code != EN_CHANGE || pushing_) return;
    std::string text = WindowText(hwnd_);
    // The window limits characters; the program limits bytes.
    std::string cut = CutToBytes(text, edit_.MaxLength());
    if (cut != text) {
      pushing_ = true;
      SetWindowTextW(hwnd_, Wide(cut).c_str());
      SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
      pushing_ = false;
    }
    edit_.PeerTextEdited(cut);
  }

 protected:
  DWORD Style(DWORD& exStyle) const override {
    exStyle = WS_EX_CLIENTEDGE;
    DWORD style = edit_.ReadOnly() ? ES_READONLY : 0;
    if (edit_.Kind() == ControlKind::Memo) {
      const auto& memo = static_cast<const Memo&>(edit_);
      style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
      if (!memo.WordWrap()) style |= ES_AUTOHSCROLL;
      if (memo.ScrollBars() == ScrollBars::Vertical || memo.ScrollBars() == ScrollBars::Both) style |= WS_VSCROLL;
      if (memo.ScrollBars() == ScrollBars::Horizontal || memo.ScrollBars() == ScrollBars::Both) style |= WS_HSCROLL;
    } else {
      style |= ES_AUTOHSCROLL;
    }
    return style;
  }
  void PushAll() override {
    NativePeer::PushAll();
    SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
  }

 private:
  Edit& edit_;
};

class ListPeer : public NativePeer {
 public:
  ListPeer(Backend& backend, ListBox& list) : NativePeer(backend, list, L"LISTBOX"), list_(list) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    pushing_ = true;
    switch (what) {
      case Property::Items: FillItems(); break;
      case Property::ItemAdded:
        SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(Wide(list_.Item(index)).c_str()));
        break;
      case Property::ItemDeleted: SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); break;
      case Property::ItemIndex:
        // In a multi-select list ItemIndex is only the focused row.
        if (list_.MultiSelect()) {
          PushCaret();
        } else {
          PushSelection();
        }
        break;
      case Property::Selection: PushSelection(index); break;
      case Property::TopIndex: SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(list_.TopIndexState()), 0); break;
      case Property::Style: pushing_ = false; Recreate(); return;
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
  int QueryTopIndex() const override { return hwnd_ != nullptr ? static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)) : -1; }
  int QueryItemAtPos(Point p) const override {
    if (hwnd_ == nullptr) return -2;
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
  void FillItems() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : list_.Items()) SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    PushSelection();
    SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(list_.TopIndexState()), 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
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
      combo_.PeerTextEdited(WindowText(hwnd_));
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

// The radio group: our own frame window with one native radio button per item. The buttons
// carry this peer, so their notifications come here with the button as source.
class RadioGroupPeer : public WindowPeer {
 public:
  RadioGroupPeer(Backend& backend, RadioGroup& group, std::unique_ptr<ControlPeer> frame)
      : WindowPeer(backend, group), group_(group), frame_(std::move(frame)) {
    hwnd_ = nullptr;
    Rebuild();
  }
  ~RadioGroupPeer() override {
    for (HWND b : buttons_) {
      RemovePropW(b, L"QvPeer");
      DestroyWindow(b);
    }
  }

  Handle GetHandle() const override { return frame_->GetHandle(); }
  void Invalidate() override { frame_->Invalidate(); }
  void SetFocus() override {
    const int i = group_.ItemIndex();
    HWND target = i >= 0 && i < static_cast<int>(buttons_.size()) ? buttons_[static_cast<size_t>(i)] : FrameHwnd();
    if (GetFocus() != target) ::SetFocus(target);
  }
  void Changed(Property what, int index) override {
    pushing_ = true;
    switch (what) {
      case Property::Items: Rebuild(); break;
      case Property::ItemIndex: PushChecks(); break;
      case Property::Bounds: frame_->Changed(what, index); PlaceButtons(); break;
      case Property::Font:
        frame_->Changed(what, index);
        for (HWND b : buttons_) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Fonts().Get(group_.Font())), TRUE);
        PlaceButtons();
        break;
      case Property::Enabled:
        frame_->Changed(what, index);
        for (HWND b : buttons_) EnableWindow(b, group_.Enabled());
        break;
      default: frame_->Changed(what, index); break;
    }
    for (HWND b : buttons_) InvalidateRect(b, nullptr, TRUE);
    pushing_ = false;
  }
  void OnCommand(int code, HWND source) override {
    if (pushing_ || (code != BN_CLICKED && code != BN_DOUBLECLICKED)) return;
    const int i = GetDlgCtrlID(source) - kFirstId;
    if (!group_.UserSelect(i)) PushChecks();
  }

 private:
  static constexpr int kFirstId = 1000;
  HWND FrameHwnd() const { return reinterpret_cast<HWND>(frame_->GetHandle()); }
  void Rebuild() {
    for (HWND b : buttons_) {
      RemovePropW(b, L"QvPeer");
      DestroyWindow(b);
    }
    buttons_.clear();
    for (size_t i = 0; i < group_.Items().size(); ++i) {
      HWND b = CreateWindowExW(0, L"BUTTON", Wide(group_.Items()[i]).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_RADIOBUTTON | BS_NOTIFY,
                               0, 0, 0, 0, FrameHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(i))),
                               backend_.Instance(), nullptr);
      SetPropW(b, L"QvPeer", static_cast<WindowPeer*>(this));
      SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Fonts().Get(group_.Font())), FALSE);
      EnableWindow(b, group_.Enabled());
      buttons_.push_back(b);
    }
    PlaceButtons();
    PushChecks();
  }
  void PlaceButtons() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
      const Rect r = group_.ItemRect(static_cast<int>(i));
      MoveWindow(buttons_[i], r.left, r.top, r.width - 4, r.height, TRUE);
    }
  }
  void PushChecks() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
      SendMessageW(buttons_[i], BM_SETCHECK, static_cast<int>(i) == group_.ItemIndex() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
  RadioGroup& group_;
  std::unique_ptr<ControlPeer> frame_;
  std::vector<HWND> buttons_;
};

class TreePeer : public NativePeer {
 public:
  TreePeer(Backend& backend, TreeView& tree) : NativePeer(backend, tree, WC_TREEVIEWW), tree_(tree) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    TreeNode* node = tree_.ChangedNode();
    pushing_ = true;
    switch (what) {
      case Property::Items: Rebuild(); break;
      case Property::ItemAdded: Insert(*node); break;
      case Property::ItemDeleted: {
        auto it = items_.find(node);
        if (it != items_.end()) {
          HTREEITEM h = it->second;
          ForgetTree(*node);
          SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
        }
        break;
      }
      case Property::Caption:
        if (node != nullptr) {
          UpdateItem(*node);
        } else {
          NativePeer::Changed(what, index);
        }
        break;
      case Property::Style:
        if (node != nullptr) UpdateItem(*node);
        break;
      case Property::ItemIndex: {
        auto it = items_.find(tree_.Selected());
        SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it != items_.end() ? it->second : nullptr));
        break;
      }
      case Property::Color:
      case Property::Font:
        TreeView_SetBkColor(hwnd_, ToColorRef(tree_.Color()));
        TreeView_SetTextColor(hwnd_, ToColorRef(tree_.Font().color));
        pushing_ = false;
        NativePeer::Changed(what, index);
        return;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }

  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case TVN_SELCHANGEDW: {
        const auto& n = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (!pushing_) tree_.PeerSelected(reinterpret_cast<TreeNode*>(n.itemNew.lParam), n.action == TVC_BYMOUSE || n.action == TVC_BYKEYBOARD);
        result = 0;
        return true;
      }
      case TVN_ITEMEXPANDINGW: {
        const auto& n = reinterpret_cast<const NMTREEVIEWW&>(header);
        auto* node = reinterpret_cast<TreeNode*>(n.itemNew.lParam);
        result = FALSE;
        if (pushing_ || node == nullptr || expanding_ != nullptr) return true;
        // The window expands or collapses by itself when allowed; the state follows without
        // being pushed back.
        expanding_ = node;
        const bool allowed = n.action == TVE_EXPAND ? tree_.UserExpand(*node) : tree_.UserCollapse(*node);
        expanding_ = nullptr;
        result = allowed ? FALSE : TRUE;
        return true;
      }
      case NM_DBLCLK:
        tree_.UserDblClick();
        result = 0;
        return true;
      default: return false;
    }
  }

 protected:
  DWORD Style(DWORD& exStyle) const override {
    exStyle = WS_EX_CLIENTEDGE;
    return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | (tree_.ReadOnly() ? 0 : TVS_EDITLABELS);
  }
  void PushAll() override {
    NativePeer::PushAll();
    TreeView_SetBkColor(hwnd_, ToColorRef(tree_.Color()));
    TreeView_SetTextColor(hwnd_, ToColorRef(tree_.Font().color));
    Rebuild();
  }

 private:
  void Rebuild() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    items_.clear();
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (int i = 0; i < tree_.Count(); ++i) InsertTree(*tree_.Root(i));
    auto it = items_.find(tree_.Selected());
    if (it != items_.end()) SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it->second));
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  }
  void InsertTree(TreeNode& node) {
    Insert(node);
    for (int i = 0; i < node.Count(); ++i) InsertTree(*node.Child(i));
    if (node.Expanded()) UpdateItem(node);
  }
  void Insert(TreeNode& node) {
    std::wstring text = Wide(node.Text());
    TVINSERTSTRUCTW ins{};
    auto parent = items_.find(node.Parent());
    ins.hParent = node.Parent() != nullptr && parent != items_.end() ? parent->second : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    ins.item.pszText = text.data();
    ins.item.lParam = reinterpret_cast<LPARAM>(&node);
    ins.item.cChildren = node.HasChildren() ? 1 : 0;
    ins.item.stateMask = TVIS_BOLD;
    ins.item.state = node.Bold() ? TVIS_BOLD : 0;
    items_[&node] = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (node.Parent() != nullptr) UpdateItem(*node.Parent());
  }
  void UpdateItem(TreeNode& node) {
    auto it = items_.find(&node);
    if (it == items_.end()) return;
    std::wstring text = Wide(node.Text());
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE | TVIF_HANDLE;
    item.hItem = it->second;
    item.pszText = text.data();
    item.cChildren = node.HasChildren() ? 1 : 0;
    item.stateMask = TVIS_BOLD;
    item.state = node.Bold() ? TVIS_BOLD : 0;
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (&node == expanding_) return;  // the window is expanding it already
    const bool shown = (SendMessageW(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(it->second), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (shown != node.Expanded()) SendMessageW(hwnd_, TVM_EXPAND, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(it->second));
  }
  void ForgetTree(TreeNode& node) {
    items_.erase(&node);
    for (int i = 0; i < node.Count(); ++i) ForgetTree(*node.Child(i));
  }

  TreeView& tree_;
  std::unordered_map<TreeNode*, HTREEITEM> items_;
  TreeNode* expanding_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateControlPeer(Backend& backend, Control& control) {
  switch (control.Kind()) {
    case ControlKind::Form: return CreateFormPeer(backend, static_cast<Form&>(control));
    case ControlKind::Button: return std::make_unique<ButtonPeer>(backend, static_cast<Button&>(control));
    case ControlKind::CheckBox: return std::make_unique<CheckPeer>(backend, control, false);
    case ControlKind::RadioButton: return std::make_unique<CheckPeer>(backend, control, true);
    case ControlKind::Edit:
    case ControlKind::Memo: return std::make_unique<EditPeer>(backend, static_cast<Edit&>(control));
    case ControlKind::ListBox: return std::make_unique<ListPeer>(backend, static_cast<ListBox&>(control));
    case ControlKind::ComboBox: return std::make_unique<ComboPeer>(backend, static_cast<ComboBox&>(control));
    case ControlKind::TreeView: return std::make_unique<TreePeer>(backend, static_cast<TreeView&>(control));
    case ControlKind::RadioGroup:
      return std::make_unique<RadioGroupPeer>(backend, static_cast<RadioGroup&>(control), CreatePaintPeer(backend, control));
    case ControlKind::Label:
    case ControlKind::Panel:
    case ControlKind::GroupBox:
    case ControlKind::Image:
    case ControlKind::PaintBox: return CreatePaintPeer(backend, control);
  }
  return CreatePaintPeer(backend, control);
}

}  // namespace gui::win32

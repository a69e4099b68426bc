// Peers on native buttons, check boxes, radio buttons, edits and memos, the native peer base,
// and the choice of peer for each kind of control.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/header_control.h"
#include "gui/list_box.h"
#include "gui/list_view.h"
#include "gui/radio_group.h"
#include "gui/tree_view.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

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
    std::optional<std::string> typed = HeldWindowText(hwnd_);
    if (!typed) {
      // A character the program's text cannot hold was typed or pasted: the edit keeps what it had.
      pushing_ = true;
      SetWindowTextW(hwnd_, Wide(edit_.Text()).c_str());
      SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
      pushing_ = false;
      edit_.App().TextRefused();
      return;
    }
    std::string text = std::move(*typed);
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

}  // namespace

std::optional<std::string> HeldWindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, w.data(), n + 1);
  w.resize(static_cast<size_t>(n));
  return Narrow(w);
}

void NativePeer::Create() {
  DWORD exStyle = 0;
  const DWORD style = Style(exStyle) | WS_CHILD | WS_CLIPSIBLINGS | (control_.TabStop() ? WS_TABSTOP : 0);
  Attach(CreateChild(exStyle, class_, style, nullptr), true);
}

void NativePeer::Recreate() {
  const bool hadFocus = GetFocus() == hwnd_;
  DestroyWindowNow();
  Create();
  if (hadFocus) ::SetFocus(hwnd_);
}

std::unique_ptr<ControlPeer> CreateControlPeer(Backend& backend, Control& control) {
  switch (control.Kind()) {
    case ControlKind::Form: return CreateFormPeer(backend, static_cast<Form&>(control));
    case ControlKind::Button: return std::make_unique<ButtonPeer>(backend, static_cast<Button&>(control));
    case ControlKind::CheckBox: return std::make_unique<CheckPeer>(backend, control, false);
    case ControlKind::RadioButton: return std::make_unique<CheckPeer>(backend, control, true);
    case ControlKind::Edit:
    case ControlKind::Memo: return std::make_unique<EditPeer>(backend, static_cast<Edit&>(control));
    case ControlKind::ListBox: return CreateListPeer(backend, static_cast<ListBox&>(control));
    case ControlKind::ComboBox: return CreateComboPeer(backend, static_cast<ComboBox&>(control));
    case ControlKind::TreeView: return CreateTreePeer(backend, static_cast<TreeView&>(control));
    case ControlKind::ListView: return CreateListViewPeer(backend, static_cast<ListView&>(control));
    case ControlKind::HeaderControl: return CreateHeaderPeer(backend, static_cast<HeaderControl&>(control));
    case ControlKind::RadioGroup:
      return CreateRadioGroupPeer(backend, static_cast<RadioGroup&>(control));
    case ControlKind::Label:
    case ControlKind::Panel:
    case ControlKind::GroupBox:
    case ControlKind::Image:
    case ControlKind::PaintBox: return CreatePaintPeer(backend, control);
  }
  return CreatePaintPeer(backend, control);
}

}  // namespace gui::win32

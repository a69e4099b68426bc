// The peer of a radio group: our own frame window with native radio buttons inside.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "gui/radio_group.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

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
      Unbind(b);
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
      Unbind(b);
      DestroyWindow(b);
    }
    buttons_.clear();
    for (size_t i = 0; i < group_.Items().size(); ++i) {
      HWND b = CreateWindowExW(0, L"BUTTON", Wide(group_.Items()[i]).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_RADIOBUTTON | BS_NOTIFY,
                               0, 0, 0, 0, FrameHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(i))),
                               backend_.Instance(), nullptr);
      Bind(b, this);
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

}  // namespace

std::unique_ptr<ControlPeer> CreateRadioGroupPeer(Backend& backend, RadioGroup& group) {
  return std::make_unique<RadioGroupPeer>(backend, group, CreatePaintPeer(backend, group));
}

}  // namespace gui::win32

#include "gui/button.h"

#include "gui/form.h"

namespace gui {

Button::Button(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBoundsState(Rect{0, 0, 75, 25});
  SetTabStop(true);
  Realize();
}

void Button::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  Push(Property::Style);
}

void Button::Click() {
  if (modalResult_ != kMrNone) OwnerForm().SetModalResult(modalResult_);
  Control::Click();
}

bool Button::DialogKey(int key, ShiftState shift) {
  if (shift & (kShift | kCtrl | kAlt)) return false;
  bool act = false;
  if (key == kKeyReturn) {
    const Control* focused = OwnerForm().ActiveControl();
    const bool otherButtonFocused = focused != nullptr && focused != this && focused->Kind() == ControlKind::Button;
    act = Focused() || (default_ && !otherButtonFocused);
  } else if (key == kKeyEscape) {
    act = cancel_;
  }
  if (!act) return false;
  UserClick();
  return true;
}

}  // namespace gui

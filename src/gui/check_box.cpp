#include "gui/check_box.h"

namespace gui {

CheckBox::CheckBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 97, 17});
  SetTabStop(true);
  Realize();
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Push(Property::Checked);
  Click();
}

bool CheckBox::UserClick() {
  if (!AcceptsInput()) return false;
  SetFocus();
  SetChecked(!checked_);
  return true;
}

RadioButton::RadioButton(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 113, 17});
  SetTabStop(true);
  Realize();
}

void RadioButton::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Push(Property::Checked);
  if (!checked) return;
  for (Control* sibling : Parent()->Children()) {
    auto* radio = dynamic_cast<RadioButton*>(sibling);
    if (radio != nullptr && radio != this && radio->checked_) {
      radio->checked_ = false;
      radio->Push(Property::Checked);
    }
  }
  Click();
}

bool RadioButton::UserClick() {
  if (!AcceptsInput()) return false;
  SetFocus();
  SetChecked(true);
  return true;
}

}  // namespace gui

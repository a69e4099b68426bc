// Check boxes and radio buttons. Assigning Checked runs OnClick when the value changes, as a
// user click does; a radio button that becomes checked unchecks its siblings (same parent)
// without running their OnClick. Clicking a checked radio button changes nothing.
#pragma once
#include "gui/control.h"

namespace gui {

class CheckBox : public Control {
 public:
  CheckBox(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::CheckBox; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A click toggles Checked (and so runs OnClick).
  bool UserClick() override;
  // The user clicks the box until it shows `checked` (at most once).
  bool UserCheck(bool checked) { return checked_ == checked ? AcceptsInput() : UserClick(); }
  bool AcceleratorPressed() override { return UserClick(); }

 private:
  bool checked_ = false;
};

class RadioButton : public Control {
 public:
  RadioButton(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::RadioButton; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A click checks the button (OnClick runs only when it was not checked).
  bool UserClick() override;
  bool AcceleratorPressed() override { return UserClick(); }

 private:
  bool checked_ = false;
};

}  // namespace gui

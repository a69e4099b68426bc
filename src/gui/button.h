// A push button. A click (user or Enter/Escape through Default/Cancel) first sets the form's
// ModalResult to the button's own, when it has one, then runs OnClick.
#pragma once
#include "gui/control.h"

namespace gui {

class Button : public Control {
 public:
  Button(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Button; }

  // The default button is clicked by Enter unless another button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  // The cancel button is clicked by Escape.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }

  bool DialogKey(int key, ShiftState shift) override;
  bool AcceleratorPressed() override { return UserClick(); }

 protected:
  void Click() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = kMrNone;
};

}  // namespace gui

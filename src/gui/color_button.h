// TColorBtn: a push button drawn by the program on a panel, so it can take any colour. It looks
// pressed while the left button or Space holds it, clicks on release inside it, and answers Enter
// when it is the active default button of its form and Escape when it is a cancel button.
#pragma once
#include "gui/panel.h"

namespace gui {

class TColorBtn : public Panel {
 public:
  // 75 x 25, a tab stop, in its parent's colour.
  TColorBtn(Control& parent, std::string name);

  // Enter clicks the active default button; the focused button is the active default while
  // it has the focus, otherwise each button's Default decides.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool ActiveDefault() const { return activeDefault_; }
  // Escape clicks a visible cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }

  bool Pressed() const { return mousePressed_ || keyPressed_; }
  // Whether the pressed look is shown now (the pointer can leave a held button).
  bool ShowsPressed() const { return lookPressed_; }

  bool DialogKey(int key, ShiftState shift) override;
  bool WantsKey(int key) const override;

 protected:
  bool ClicksOnMouseUp() const override { return false; }

 private:
  void PressLook();
  void ReleaseLook();
  void MouseDown(MouseButton button, int x, int y);
  void MouseUp(MouseButton button, int x, int y);
  void MouseMove(int x, int y);
  bool Inside(int x, int y) const;
  // Makes this button the active default and every other one not (or, with nullptr, lets each
  // button's Default decide).
  void UpdateDefaults(TColorBtn* focused);
  void SetActiveDefault(bool v);

  bool default_ = false;
  bool activeDefault_ = false;
  bool cancel_ = false;
  bool mousePressed_ = false;
  bool keyPressed_ = false;
  bool lookPressed_ = false;
  // What the pressed look replaced.
  gui::Color savedColor_ = 0;
  gui::Color savedFontColor_ = 0;
  bool savedParentColor_ = true;
  bool savedParentFont_ = true;
};

// The pressed fill: each of red, green and blue darkened by 32, not below 0.
Color Darken(Color rgb);

}  // namespace gui

#include "gui/color_button.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/form.h"

namespace gui {

Color Darken(Color rgb) {
  auto down = [](int v) { return std::max(0, v - 32); };
  return Rgb(down(RedOf(rgb)), down(GreenOf(rgb)), down(BlueOf(rgb)));
}

TColorBtn::TColorBtn(Control& parent, std::string name) : Panel(parent, std::move(name)) {
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
  SetParentColor(true);
  SetBevelOuter(Bevel::Raised);
  SetBevelWidth(1);
  OnMouseDown = [this](Component&, MouseButton b, ShiftState, int x, int y) { MouseDown(b, x, y); };
  OnMouseUp = [this](Component&, MouseButton b, ShiftState, int x, int y) { MouseUp(b, x, y); };
  OnMouseMove = [this](Component&, ShiftState, int x, int y) { MouseMove(x, y); };
  OnKeyDown = [this](Component&, int& key, ShiftState) {
    if (key == kKeySpace && !mousePressed_ && !keyPressed_) {
      keyPressed_ = true;
      PressLook();
    }
  };
  OnKeyUp = [this](Component&, int& key, ShiftState) {
    if (key == kKeySpace && keyPressed_) {
      keyPressed_ = false;
      ReleaseLook();
      Click();
    }
  };
  OnEnter = [this](Component&) { UpdateDefaults(this); };
  OnExit = [this](Component&) { UpdateDefaults(nullptr); };
}

void TColorBtn::SetDefault(bool v) {
  default_ = v;
  // Tell the form: the buttons' active-default state follows the focus or their Default.
  Control* focused = OwnerForm().ActiveControl();
  UpdateDefaults(dynamic_cast<TColorBtn*>(focused));
}

void TColorBtn::SetActiveDefault(bool v) {
  activeDefault_ = v;
  SetBevelWidth(v ? 2 : 1);
}

void TColorBtn::UpdateDefaults(TColorBtn* focused) {
  for (Component* c : OwnerForm().Components()) {
    auto* b = dynamic_cast<TColorBtn*>(c);
    if (b == nullptr) continue;
    b->SetActiveDefault(focused != nullptr ? b == focused : b->default_);
  }
}

void TColorBtn::PressLook() {
  if (lookPressed_) return;
  savedParentColor_ = ParentColor();
  savedParentFont_ = ParentFont();
  savedColor_ = Color();
  savedFontColor_ = Font().color;
  Backend& backend = GetBackend();
  SetColor(Darken(backend.ResolveColor(savedColor_)));
  gui::Font f = Font();
  f.color = backend.ResolveColor(savedFontColor_) != colors::kBlack ? 0xDDDDDD : 0x333333;
  SetFont(f);
  SetBevelOuter(Bevel::Lowered);
  SetBounds(Left() + 1, Top() + 1, Width(), Height());
  lookPressed_ = true;
}

void TColorBtn::ReleaseLook() {
  if (!lookPressed_) return;
  SetBevelOuter(Bevel::Raised);
  SetBounds(Left() - 1, Top() - 1, Width(), Height());
  if (savedParentColor_) {
    SetParentColor(true);
  } else {
    SetColor(savedColor_);
  }
  if (savedParentFont_) {
    SetParentFont(true);
  } else {
    gui::Font f = Font();
    f.color = savedFontColor_;
    SetFont(f);
  }
  lookPressed_ = false;
}

bool TColorBtn::Inside(int x, int y) const { return x > 1 && y > 1 && x < Width() && y < Height(); }

void TColorBtn::MouseDown(MouseButton button, int, int) {
  if (button != MouseButton::Left || mousePressed_) return;
  SetFocus();
  mousePressed_ = true;
  PressLook();
}

void TColorBtn::MouseMove(int x, int y) {
  if (!mousePressed_) return;
  if (Inside(x, y)) {
    PressLook();
  } else {
    ReleaseLook();
  }
}

void TColorBtn::MouseUp(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || !mousePressed_) return;
  mousePressed_ = false;
  bool wasShown = lookPressed_;
  ReleaseLook();
  if (wasShown && Inside(x, y)) Click();
}

bool TColorBtn::WantsKey(int key) const { return key != kKeyTab && key != kKeyReturn && key != kKeyEscape; }

bool TColorBtn::DialogKey(int key, ShiftState shift) {
  if ((shift & (kShift | kCtrl | kAlt)) != 0 || !AcceptsInput()) return false;
  if ((key == kKeyReturn && activeDefault_) || (key == kKeyEscape && cancel_)) {
    Click();
    return true;
  }
  return false;
}

}  // namespace gui

#include "gui/spin_button.h"

#include <algorithm>

#include "gui/canvas.h"
#include "gui/form.h"

namespace gui {

SpinButton::SpinButton(Control& parent, std::string name)
    : Control(parent, name), repeat_(OwnerForm(), name + "Repeat", kRepeatPause, false) {
  SetBoundsState(Rect{0, 0, 20, 25});
  Realize();
  OnMouseDown = [this](Component&, MouseButton b, ShiftState, int x, int y) { MouseDown(b, x, y); };
  OnMouseMove = [this](Component&, ShiftState, int x, int y) { MouseMove(x, y); };
  OnMouseUp = [this](Component&, MouseButton b, ShiftState, int, int) { MouseUp(b); };
  repeat_.OnTimer = [this](Component&) { RepeatTick(); };
}

Rect SpinButton::UpRect() const { return Rect{0, 0, Width(), Height() / 2}; }

Rect SpinButton::DownRect() const {
  const int top = Height() / 2;
  return Rect{0, top, Width(), Height() - top};
}

SpinHalf SpinButton::HalfAt(int x, int y) const {
  if (UpRect().Contains(Point{x, y})) return SpinHalf::Up;
  if (DownRect().Contains(Point{x, y})) return SpinHalf::Down;
  return SpinHalf::None;
}

void SpinButton::ClickHalf(SpinHalf half) {
  const NotifyEvent& event = half == SpinHalf::Up ? OnUpClick : OnDownClick;
  if (event) event(*this);
}

void SpinButton::MouseDown(MouseButton button, int x, int y) {
  if (button != MouseButton::Left || held_ != SpinHalf::None) return;
  const SpinHalf half = HalfAt(x, y);
  if (half == SpinHalf::None) return;
  held_ = half;
  lookPressed_ = true;
  Invalidate();
  repeat_.SetInterval(kRepeatPause);
  repeat_.SetEnabled(true);
  ClickHalf(half);
}

void SpinButton::MouseMove(int x, int y) {
  if (held_ == SpinHalf::None) return;
  const bool on = HalfAt(x, y) == held_;
  if (on == lookPressed_) return;
  lookPressed_ = on;
  Invalidate();
}

void SpinButton::MouseUp(MouseButton button) {
  if (button != MouseButton::Left || held_ == SpinHalf::None) return;
  held_ = SpinHalf::None;
  lookPressed_ = false;
  repeat_.SetEnabled(false);
  Invalidate();
}

void SpinButton::RepeatTick() {
  // A control that stopped taking input (disabled, hidden, behind a modal box) lets go.
  if (held_ == SpinHalf::None || !AcceptsInput()) {
    held_ = SpinHalf::None;
    lookPressed_ = false;
    repeat_.SetEnabled(false);
    Invalidate();
    return;
  }
  if (repeat_.Interval() != kRepeatInterval) repeat_.SetInterval(kRepeatInterval);
  if (lookPressed_) ClickHalf(held_);
}

void SpinButton::PaintTo(Canvas& canvas) {
  const gui::Color arrow = Enabled() ? colors::kBtnText : colors::kGrayText;
  auto half = [&](const Rect& r, SpinHalf which) {
    const bool pressed = PressedHalf() == which;
    canvas.brush.color = Color();
    canvas.FillRect(r);
    canvas.Bevel(r, pressed ? colors::kBtnShadow : colors::kBtnHighlight, pressed ? colors::kBtnHighlight : colors::kBtnShadow);
    // A small arrow (odd width, so it has a tip pixel, and half as high) in the middle; a
    // pressed half shows it one pixel right and down.
    int base = std::min(r.width - 12, r.height - 5);
    if (base % 2 == 0) --base;
    if (base < 3) base = 3;
    const int tall = (base + 1) / 2;
    const int shift = pressed ? 1 : 0;
    const int left = r.left + (r.width - base) / 2 + shift;
    const int top = r.top + (r.height - tall) / 2 + shift;
    const int tip = left + base / 2;
    canvas.brush.color = arrow;
    canvas.pen.color = arrow;
    if (which == SpinHalf::Up) {
      canvas.Polygon({{tip, top}, {left + base - 1, top + tall - 1}, {left, top + tall - 1}});
    } else {
      canvas.Polygon({{left, top}, {left + base - 1, top}, {tip, top + tall - 1}});
    }
  };
  half(UpRect(), SpinHalf::Up);
  half(DownRect(), SpinHalf::Down);
}

}  // namespace gui

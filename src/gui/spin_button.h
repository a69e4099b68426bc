// SpinButton: two arrow buttons stacked in one control, up above and down below, drawn by the
// program. Pressing a half clicks it at once (OnUpClick or OnDownClick); holding it repeats the
// click after a pause, for as long as the pointer stays on that half.
#pragma once
#include "gui/control.h"
#include "gui/timer.h"

namespace gui {

enum class SpinHalf { None, Up, Down };

class SpinButton : public Control {
 public:
  // 20 x 25, in the button face colour; not a tab stop.
  SpinButton(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::PaintBox; }

  NotifyEvent OnUpClick;
  NotifyEvent OnDownClick;

  // The two halves in the control's own coordinates; the down half takes the odd pixel.
  Rect UpRect() const;
  Rect DownRect() const;
  // The half under (x, y), or None outside the control.
  SpinHalf HalfAt(int x, int y) const;
  // The half held by the left button, and the half that looks pressed now (the pointer can
  // leave a held half: it then looks released and stops repeating).
  SpinHalf HeldHalf() const { return held_; }
  SpinHalf PressedHalf() const { return lookPressed_ ? held_ : SpinHalf::None; }

  // Both halves with their bevels (the pressed one lowered) and arrows.
  void PaintTo(Canvas& canvas) override;

  // Pause before the first repeated click, and between the following ones (milliseconds).
  static constexpr int kRepeatPause = 400;
  static constexpr int kRepeatInterval = 100;

 private:
  void MouseDown(MouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(MouseButton button);
  void ClickHalf(SpinHalf half);
  void RepeatTick();

  SpinHalf held_ = SpinHalf::None;
  bool lookPressed_ = false;
  Timer repeat_;
};

}  // namespace gui

// Containers: the panel (a coloured area with bevels and a centred caption, drawn by the program
// so its look is data) and the group box (a framed, captioned area). Children are laid out by
// their Align inside the container's client area less its frame.
#pragma once
#include "gui/control.h"

namespace gui {

class Panel : public Control {
 public:
  Panel(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Panel; }

  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(Bevel b);
  Bevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(Bevel b);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w);
  // Space between the outer and the inner bevel.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int w);
  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment a);

  // Fill, outer bevel, inner bevel, caption: the panel's whole look.
  void PaintTo(Canvas& canvas) override;

 protected:
  bool ClicksOnMouseUp() const override { return true; }
  Rect AlignRect() const override;

 private:
  int FrameInset() const;
  Bevel bevelOuter_ = Bevel::Raised;
  Bevel bevelInner_ = Bevel::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TextAlignment alignment_ = TextAlignment::Center;
};

class GroupBox : public Control {
 public:
  GroupBox(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::GroupBox; }
  void PaintTo(Canvas& canvas) override;

 protected:
  Rect AlignRect() const override;
};

// The etched frame of a group with its caption in the top edge (group boxes, radio groups).
void PaintGroupFrame(Canvas& canvas, const Control& group);

}  // namespace gui

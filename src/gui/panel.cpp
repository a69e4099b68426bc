#include "gui/panel.h"

#include "gui/canvas.h"

namespace gui {

Panel::Panel(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBoundsState(Rect{0, 0, 185, 41});
  Realize();
}

void Panel::SetBevelOuter(Bevel b) {
  bevelOuter_ = b;
  Push(Property::Style);
  Invalidate();
}

void Panel::SetBevelInner(Bevel b) {
  bevelInner_ = b;
  Push(Property::Style);
  Invalidate();
}

void Panel::SetBevelWidth(int w) {
  bevelWidth_ = w < 1 ? 1 : w;
  Push(Property::Style);
  Invalidate();
}

void Panel::SetBorderWidth(int w) {
  borderWidth_ = w < 0 ? 0 : w;
  Push(Property::Style);
  Invalidate();
}

void Panel::SetAlignment(TextAlignment a) {
  alignment_ = a;
  Invalidate();
}

int Panel::FrameInset() const {
  int inset = borderWidth_;
  if (bevelOuter_ != Bevel::None) inset += bevelWidth_;
  if (bevelInner_ != Bevel::None) inset += bevelWidth_;
  return inset;
}

Rect Panel::AlignRect() const {
  const int i = FrameInset();
  Rect r = ClientRect();
  return Rect{r.left + i, r.top + i, r.width - 2 * i, r.height - 2 * i};
}

void Panel::PaintTo(Canvas& canvas) {
  Rect r = ClientRect();
  canvas.brush.color = Color();
  canvas.FillRect(r);
  auto bevel = [&](Bevel b) {
    if (b == Bevel::None) return;
    const bool raised = b == Bevel::Raised;
    canvas.Bevel(r, raised ? colors::kBtnHighlight : colors::kBtnShadow, raised ? colors::kBtnShadow : colors::kBtnHighlight, bevelWidth_);
    r = Rect{r.left + bevelWidth_, r.top + bevelWidth_, r.width - 2 * bevelWidth_, r.height - 2 * bevelWidth_};
  };
  bevel(bevelOuter_);
  r = Rect{r.left + borderWidth_, r.top + borderWidth_, r.width - 2 * borderWidth_, r.height - 2 * borderWidth_};
  bevel(bevelInner_);
  if (Caption().empty()) return;
  canvas.font = Font();
  if (!Enabled()) canvas.font.color = colors::kGrayText;
  canvas.brush.color = colors::kNone;
  unsigned flags = text_flags::kSingleLine | text_flags::kVCenter;
  flags |= alignment_ == TextAlignment::Center ? text_flags::kCenter : alignment_ == TextAlignment::Right ? text_flags::kRight : text_flags::kLeft;
  canvas.TextIn(r, Caption(), flags);
}

GroupBox::GroupBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 185, 105});
  Realize();
}

void GroupBox::PaintTo(Canvas& canvas) { PaintGroupFrame(canvas, *this); }

void PaintGroupFrame(Canvas& canvas, const Control& group) {
  const Rect c = group.ClientRect();
  canvas.brush.color = group.Color();
  canvas.FillRect(c);
  canvas.font = group.Font();
  const int mid = group.Font().PixelHeight() / 2;
  const Rect frame{0, mid, c.width, c.height - mid};
  canvas.Bevel(Rect{frame.left + 1, frame.top + 1, frame.width - 1, frame.height - 1}, colors::kBtnHighlight, colors::kBtnHighlight);
  canvas.Bevel(Rect{frame.left, frame.top, frame.width - 1, frame.height - 1}, colors::kBtnShadow, colors::kBtnShadow);
  if (group.Caption().empty()) return;
  const Size text = canvas.TextExtent(StripAccelerator(group.Caption()));
  canvas.brush.color = group.Color();
  if (!group.Enabled()) canvas.font.color = colors::kGrayText;
  canvas.TextIn(Rect{8, 0, text.width + 4, text.height}, group.Caption(), text_flags::kCenter | text_flags::kSingleLine);
}

Rect GroupBox::AlignRect() const {
  const int top = Font().PixelHeight() + 2;
  return Rect{2, top, Width() - 4, Height() - top - 2};
}

}  // namespace gui

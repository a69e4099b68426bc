#include "gui/label.h"

#include "gui/application.h"
#include "gui/canvas.h"

namespace gui {

Label::Label(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 0, Font().PixelHeight()});
  Realize();
}

void Label::SetCaption(const std::string& caption) {
  Control::SetCaption(caption);
  AdjustSize();
}

void Label::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustSize();
}

void Label::SetWordWrap(bool v) {
  wordWrap_ = v;
  Push(Property::Style);
  AdjustSize();
}

void Label::SetAlignment(TextAlignment a) {
  alignment_ = a;
  Push(Property::Style);
}

void Label::SetTransparent(bool v) {
  transparent_ = v;
  Push(Property::Style);
}

void Label::SetShowAccelChar(bool v) {
  showAccelChar_ = v;
  Push(Property::Style);
  AdjustSize();
}

void Label::InheritedStateChanged(Property what) {
  if (what == Property::Font) AdjustSize();
}

Size Label::TextSize() const {
  const std::string text = showAccelChar_ ? StripAccelerator(Caption()) : Caption();
  return GetBackend().TextExtent(Font(), text);
}

void Label::AdjustSize() {
  if (!autoSize_) return;
  const Size s = TextSize();
  SetBounds(Left(), Top(), wordWrap_ ? Width() : s.width, s.height);
}

void Label::PaintTo(Canvas& canvas) {
  const Rect r = ClientRect();
  if (!transparent_) {
    canvas.brush.color = Color();
    canvas.FillRect(r);
  }
  canvas.font = Font();
  if (!Enabled()) canvas.font.color = colors::kGrayText;
  canvas.brush.color = colors::kNone;
  unsigned flags = alignment_ == TextAlignment::Center ? text_flags::kCenter
                   : alignment_ == TextAlignment::Right ? text_flags::kRight
                                                        : text_flags::kLeft;
  if (wordWrap_) flags |= text_flags::kWordBreak;
  if (!showAccelChar_) flags |= text_flags::kNoPrefix;
  canvas.TextIn(r, Caption(), flags);
}

}  // namespace gui

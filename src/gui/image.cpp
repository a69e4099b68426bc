#include "gui/image.h"

#include "gui/canvas.h"

namespace gui {

Image::Image(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 105, 105});
  Realize();
}

void Image::SetPicture(std::shared_ptr<const Bitmap> picture) {
  picture_ = std::move(picture);
  Push(Property::Picture);
  Invalidate();
}

// A stretched picture fills the control whatever its size; one shown at its own size grows
// with the form.
void Image::ChangeScale(int from, int to) {
  if (!stretch_) SetPicture(Rescale(picture_, designPicture_, from, to));
}

void Image::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void Image::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void Image::SetBlankParts(std::vector<Rect> parts) {
  if (parts == blankParts_) return;
  blankParts_ = std::move(parts);
  Invalidate();
}

Rect Image::PictureRect() const {
  const Rect c = ClientRect();
  if (picture_ == nullptr || picture_->Empty()) return Rect{};
  if (stretch_) return c;
  const int w = picture_->Width(), h = picture_->Height();
  if (center_) return Rect{(c.width - w) / 2, (c.height - h) / 2, w, h};
  return Rect{0, 0, w, h};
}

void Image::PaintTo(Canvas& canvas) {
  canvas.brush.color = Color();
  canvas.FillRect(ClientRect());
  if (picture_ != nullptr && !picture_->Empty()) canvas.DrawBitmap(PictureRect(), picture_);
  for (const Rect& part : blankParts_) canvas.FillRect(part);
}

PaintBox::PaintBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetParentColorState(true);
  SetBoundsState(Rect{0, 0, 105, 105});
  Realize();
}

void PaintBox::PaintTo(Canvas& canvas) {
  canvas.font = Font();
  canvas.brush.color = Color();
  if (OnPaint) OnPaint(*this, canvas);
}

}  // namespace gui

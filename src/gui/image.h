// Image shows a bitmap (a screen capture, an icon built by the program); PaintBox is an empty
// area whose OnPaint draws on a canvas. Both run OnClick on a left click.
#pragma once
#include <memory>
#include <vector>

#include "gui/bitmap.h"
#include "gui/control.h"

namespace gui {

class Image : public Control {
 public:
  Image(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::Image; }

  // The picture is shared, never copied; null or empty shows nothing.
  std::shared_ptr<const Bitmap> Picture() const { return picture_; }
  void SetPicture(std::shared_ptr<const Bitmap> picture);
  // Stretch: the picture fills the control; otherwise it keeps its size, at the top-left
  // corner or centred.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);

  // Parts of the client area painted in the control's colour instead of the picture; none by
  // default. Setting the parts they already are repaints nothing.
  const std::vector<Rect>& BlankParts() const { return blankParts_; }
  void SetBlankParts(std::vector<Rect> parts);

  // Where the picture lands in the client area.
  Rect PictureRect() const;
  void PaintTo(Canvas& canvas) override;

 protected:
  void ChangeScale(int from, int to) override;
  bool ClicksOnMouseUp() const override { return true; }

 private:
  std::shared_ptr<const Bitmap> picture_;
  DesignPicture designPicture_;
  bool stretch_ = false;
  bool center_ = false;
  std::vector<Rect> blankParts_;
};

class PaintBox : public Control {
 public:
  PaintBox(Control& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::PaintBox; }

  PaintEvent OnPaint;
  void PaintTo(Canvas& canvas) override;

 protected:
  bool ClicksOnMouseUp() const override { return true; }
};

}  // namespace gui

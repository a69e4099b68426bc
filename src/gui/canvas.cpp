#include "gui/canvas.h"

#include <algorithm>

namespace gui {

DrawOp Canvas::Make(DrawOp::Kind kind) const {
  DrawOp op;
  op.kind = kind;
  op.pen = pen;
  op.brush = brush;
  op.font = font;
  return op;
}

void Canvas::FillRect(const Rect& r) {
  DrawOp op = Make(DrawOp::Kind::FillRect);
  op.rect = r;
  Perform(op);
}

void Canvas::FrameRect(const Rect& r) {
  DrawOp op = Make(DrawOp::Kind::FrameRect);
  op.rect = r;
  Perform(op);
}

void Canvas::Bevel(const Rect& r, Color topLeft, Color bottomRight, int width) {
  DrawOp op = Make(DrawOp::Kind::Bevel);
  op.rect = r;
  op.colors[0] = topLeft;
  op.colors[1] = bottomRight;
  op.width = width;
  Perform(op);
}

void Canvas::Line(Point from, Point to) {
  DrawOp op = Make(DrawOp::Kind::Line);
  op.points = {from, to};
  Perform(op);
}

void Canvas::Rectangle(const Rect& r) {
  DrawOp op = Make(DrawOp::Kind::Rectangle);
  op.rect = r;
  Perform(op);
}

void Canvas::Ellipse(const Rect& r) {
  DrawOp op = Make(DrawOp::Kind::Ellipse);
  op.rect = r;
  Perform(op);
}

void Canvas::Polygon(const std::vector<Point>& points) {
  DrawOp op = Make(DrawOp::Kind::Polygon);
  op.points = points;
  Perform(op);
}

void Canvas::TextAt(int x, int y, const std::string& text) {
  DrawOp op = Make(DrawOp::Kind::Text);
  op.points = {Point{x, y}};
  op.text = text;
  Perform(op);
}

void Canvas::TextIn(const Rect& r, const std::string& text, unsigned flags) {
  DrawOp op = Make(DrawOp::Kind::TextRect);
  op.rect = r;
  op.text = text;
  op.flags = flags;
  Perform(op);
}

void Canvas::DrawBitmap(const Rect& r, std::shared_ptr<const gui::Bitmap> bitmap) {
  DrawOp op = Make(DrawOp::Kind::Bitmap);
  op.rect = r;
  op.bitmap = std::move(bitmap);
  Perform(op);
}

RecordingCanvas::RecordingCanvas() : measure_(FixedTextExtent) {}

RecordingCanvas::RecordingCanvas(std::function<Size(const gui::Font&, const std::string&)> measure)
    : measure_(std::move(measure)) {}

Size RecordingCanvas::TextExtent(const std::string& text) { return measure_(font, text); }

void RecordingCanvas::Perform(const DrawOp& op) { ops_.push_back(op); }

std::vector<DrawOp> RecordingCanvas::OpsOf(DrawOp::Kind kind) const {
  std::vector<DrawOp> out;
  std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(out), [kind](const DrawOp& op) { return op.kind == kind; });
  return out;
}

Size FixedTextExtent(const gui::Font& font, const std::string& text) {
  const int h = font.PixelHeight();
  int lines = 1, bytes = 0, widest = 0;
  for (char c : text) {
    if (c == '\n') {
      widest = std::max(widest, bytes * h / 2);
      bytes = 0;
      ++lines;
    } else if (c != '\r') {
      ++bytes;
    }
  }
  widest = std::max(widest, bytes * h / 2);
  return Size{widest, lines * h};
}

std::string StripAccelerator(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace gui

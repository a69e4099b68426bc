#include "gui/dpi.h"

#include <algorithm>

#include "gui/bitmap.h"

namespace gui {

int MulDivRound(int a, int b, int c) {
  long long p = static_cast<long long>(a) * b;
  long long half = c / 2;
  return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

Rect Dpi::Scale(const Rect& r) const {
  const int left = Scale(r.left), top = Scale(r.top);
  return Rect{left, top, Scale(r.Right()) - left, Scale(r.Bottom()) - top};
}

int DesignLength::Rescale(int current, int from, int to) {
  if (!known || current != laidOut) {
    design = MulDivRound(current, kPixelsPerInch, from);
    known = true;
  }
  laidOut = MulDivRound(design, to, kPixelsPerInch);
  return laidOut;
}

std::shared_ptr<const Bitmap> Rescale(const std::shared_ptr<const Bitmap>& current, DesignPicture& design, int from, int to) {
  if (current == nullptr || current->Empty()) return current;
  if (current != design.scaled) {
    design.given = current;
    design.givenPpi = from;
  }
  design.scaled = design.givenPpi == to ? design.given : ScaledPicture(*design.given, to, design.givenPpi);
  return design.scaled;
}

std::shared_ptr<Bitmap> ScaledPicture(const Bitmap& picture, int m, int d) {
  const int w = std::max(1, MulDivRound(picture.Width(), m, d)), h = std::max(1, MulDivRound(picture.Height(), m, d));
  auto out = std::make_shared<Bitmap>(w, h);
  for (int y = 0; y < h; ++y) {
    const int sy = y * picture.Height() / h;
    for (int x = 0; x < w; ++x) out->SetPixel(x, y, picture.Pixel(x * picture.Width() / w, sy));
  }
  return out;
}

}  // namespace gui

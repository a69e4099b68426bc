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

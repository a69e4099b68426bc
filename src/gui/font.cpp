#include "gui/font.h"

namespace gui {

namespace {
// MulDiv with rounding half away from zero, as Windows computes it.
int MulDivRound(int a, int b, int c) {
  long long p = static_cast<long long>(a) * b;
  long long half = c / 2;
  return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}
}  // namespace

int Font::Size() const { return -MulDivRound(height, 72, kPixelsPerInch); }

void Font::SetSize(int points) { height = -MulDivRound(points, kPixelsPerInch, 72); }

Font DefaultFont() {
  Font f;
  f.SetSize(9);
  return f;
}

}  // namespace gui

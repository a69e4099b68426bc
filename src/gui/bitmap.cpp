#include "gui/bitmap.h"

#include <cstddef>

namespace gui {

namespace {
std::uint32_t ToDib(Color c) {
  return static_cast<std::uint32_t>((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c));
}
Color FromDib(std::uint32_t p) { return Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
}  // namespace

Bitmap::Bitmap(int width, int height, Color fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), ToDib(fill)) {}

Color Bitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return colors::kBlack;
  return FromDib(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Bitmap::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = ToDib(c);
}

void Bitmap::ReplaceColor(Color from, Color to) {
  const std::uint32_t f = ToDib(from), t = ToDib(to);
  for (auto& p : pixels_) {
    if ((p & 0xFFFFFF) == f) p = t;
  }
}

}  // namespace gui

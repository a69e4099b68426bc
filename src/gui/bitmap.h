// A picture as plain pixels, so that portable code can build it (the message-box icons), the
// platform can fill it (a screen capture) and both backends can show it.
#pragma once
#include <cstdint>
#include <vector>

#include "gui/gui_types.h"

namespace gui {

class Bitmap {
 public:
  Bitmap() = default;
  // A bitmap of the given size filled with `fill`.
  Bitmap(int width, int height, Color fill = colors::kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // Pixel colours as Color (0x00BBGGRR); reads outside the bitmap give black, writes are ignored.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);
  // Replaces every pixel of colour `from` by `to` (system colours must be resolved first).
  void ReplaceColor(Color from, Color to);

  // Rows top-down, each pixel 0x00RRGGBB: the layout of a 32-bit top-down DIB, so the win32
  // backend hands it to GDI as it is.
  const std::uint32_t* Data() const { return pixels_.data(); }
  std::uint32_t* Data() { return pixels_.data(); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace gui

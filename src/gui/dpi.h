// Pixel density: the forms are designed at 96 pixels per inch and scaled once, when they are
// created, to the density of the display, as a designer form is. Lengths the program computes
// at run time from design values go through the same rule.
#pragma once
#include <memory>

#include "gui/gui_types.h"

namespace gui {

class Bitmap;

// Logical pixels per inch the layouts are designed for.
constexpr int kPixelsPerInch = 96;

// a * b / c rounded half away from zero, as Windows' MulDiv computes it.
int MulDivRound(int a, int b, int c);

struct Dpi {
  int ppi = kPixelsPerInch;
  // A length designed at 96 pixels per inch, in pixels at this density.
  int Scale(int designPixels) const { return MulDivRound(designPixels, ppi, kPixelsPerInch); }
  // A rectangle scaled by its edges, so that controls that touch at design size still touch.
  Rect Scale(const Rect& r) const;
};

// The picture enlarged or reduced by m/d, each pixel copied from the nearest source pixel: hard
// edges stay hard and colour keys stay exact, where smoothing would blur the little pictures.
std::shared_ptr<Bitmap> ScaledPicture(const Bitmap& picture, int m, int d);

}  // namespace gui

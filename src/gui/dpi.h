// Pixel density: the forms are designed at 96 pixels per inch and scaled when they are created,
// to the density of their monitor, as a designer form is, and again whenever the monitor's scale
// changes. Lengths the program computes at run time from design values go through the same rule.
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

// A length of the design kept beside the value it was last laid out at, so that scaling again,
// to any density, gives what scaling the design once gives.
struct DesignLength {
  int design = 0;
  int laidOut = 0;
  bool known = false;
  // `current` is the value at density `from`; when it is not the value last laid out (the
  // program changed it since, or it was never scaled), it becomes the design value, taken back
  // to 96 pixels per inch. Returns (and lays out) the value at `to`.
  int Rescale(int current, int from, int to);
};

// A picture kept the same way: the copy at a density is scaled from the picture as it was given,
// at the density it was given at.
struct DesignPicture {
  std::shared_ptr<const Bitmap> given;
  int givenPpi = kPixelsPerInch;
  std::shared_ptr<const Bitmap> scaled;  // what Rescale returned last
};
std::shared_ptr<const Bitmap> Rescale(const std::shared_ptr<const Bitmap>& current, DesignPicture& design, int from, int to);

// The picture enlarged or reduced by m/d, each pixel copied from the nearest source pixel: hard
// edges stay hard and colour keys stay exact, where smoothing would blur the little pictures.
std::shared_ptr<Bitmap> ScaledPicture(const Bitmap& picture, int m, int d);

}  // namespace gui

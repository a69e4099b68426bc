#include "gui/font.h"

namespace gui {

int Font::Size() const { return -MulDivRound(height, 72, kPixelsPerInch); }

void Font::SetSize(int points) { height = -MulDivRound(points, kPixelsPerInch, 72); }

Font DefaultFont() {
  Font f;
  f.SetSize(9);
  return f;
}

}  // namespace gui

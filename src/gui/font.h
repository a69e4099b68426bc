// A font description as forms and canvases use it: face name, character height, style, colour
// and character set. A value type; the win32 backend turns it into an HFONT when it paints.
#pragma once
#include <string>

#include "gui/dpi.h"
#include "gui/gui_types.h"

namespace gui {

constexpr int kShiftJisCharset = 128;
constexpr int kDefaultCharset = 1;
struct Font {
  std::string name = "ＭＳ Ｐゴシック";
  // Character height in pixels as a negative number, or cell height when positive (the Windows
  // LOGFONT convention). Size() and SetSize() convert from and to points at the design density.
  int height = -12;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = colors::kWindowText;
  int charset = kShiftJisCharset;

  // Point size, rounded as the Windows conversion does.
  int Size() const;
  void SetSize(int points);
  // Height of one line in pixels (the absolute height).
  int PixelHeight() const { return height < 0 ? -height : height; }

  bool operator==(const Font&) const = default;
};

// The usual UI font of the program's windows: "ＭＳ Ｐゴシック", 9 points, Shift-JIS.
Font DefaultFont();

}  // namespace gui

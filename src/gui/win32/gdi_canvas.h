// The canvas of the win32 backend: paints every DrawOp with GDI on a device context, and the
// cache of GDI fonts made from gui::Font values.
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "gui/canvas.h"

namespace gui::win32 {

// HFONTs by description; they live as long as the cache (the backend).
class FontCache {
 public:
  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  HFONT Get(const gui::Font& font);

 private:
  std::map<std::string, HFONT> fonts_;
};

// The RGB of a colour (system colours through GetSysColor).
COLORREF ToColorRef(gui::Color c);

class GdiCanvas : public Canvas {
 public:
  // Paints on `dc`, which the caller owns; the DC's objects are restored on destruction.
  GdiCanvas(HDC dc, FontCache& fonts);
  ~GdiCanvas() override;

  Size TextExtent(const std::string& text) override;

 protected:
  void Perform(const DrawOp& op) override;

 private:
  void UseFont(const gui::Font& font);
  HDC dc_;
  FontCache& fonts_;
  int saved_;
};

// Extent of `text` in `font` measured on the screen (line breaks start new lines).
Size MeasureText(FontCache& fonts, const gui::Font& font, const std::string& text);

}  // namespace gui::win32

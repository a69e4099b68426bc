// Drawing as data. Every call on a Canvas becomes a DrawOp carrying the current pen, brush and
// font; the win32 backend paints the op with GDI, the headless backend records it so tests can
// read what would have been drawn.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/bitmap.h"
#include "gui/font.h"
#include "gui/gui_types.h"

namespace gui {

struct Pen {
  Color color = colors::kBlack;
  int width = 1;
  bool operator==(const Pen&) const = default;
};

// A brush of colour kNone is hollow: shapes are not filled and text has no background.
struct Brush {
  Color color = colors::kWhite;
  bool operator==(const Brush&) const = default;
};

// Text layout flags of DrawTextIn (the meaning of the DrawText flags of the same names).
namespace text_flags {
constexpr unsigned kLeft = 0;
constexpr unsigned kCenter = 1;
constexpr unsigned kRight = 2;
constexpr unsigned kVCenter = 4;
constexpr unsigned kSingleLine = 0x20;
constexpr unsigned kWordBreak = 0x10;
// "&" is shown as is instead of underlining the next character.
constexpr unsigned kNoPrefix = 0x800;
}  // namespace text_flags

struct DrawOp {
  enum class Kind {
    FillRect,   // rect filled with the brush
    FrameRect,  // one-pixel frame of rect in the brush colour
    Bevel,      // frame of `width` pixels: colors[0] top-left, colors[1] bottom-right
    Line,       // points[0] to points[1] with the pen (end point excluded, as GDI draws)
    Rectangle,  // outline with the pen, inside with the brush
    Ellipse,    // inside rect, outline with the pen, inside with the brush
    Polygon,    // closed polygon through points
    Text,       // text with its top-left at points[0]
    TextRect,   // text laid out in rect by `flags`
    Bitmap,     // bitmap stretched to rect
  };
  Kind kind = Kind::FillRect;
  Rect rect;
  std::vector<Point> points;
  std::string text;
  unsigned flags = 0;
  int width = 0;
  Color colors[2] = {colors::kBlack, colors::kBlack};
  Pen pen;
  Brush brush;
  gui::Font font;
  std::shared_ptr<const gui::Bitmap> bitmap;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  gui::Pen pen;
  gui::Brush brush;
  gui::Font font = DefaultFont();

  void FillRect(const Rect& r);
  void FrameRect(const Rect& r);
  // A 3-D frame `width` pixels wide inside r, as panels and buttons draw their bevels.
  void Bevel(const Rect& r, Color topLeft, Color bottomRight, int width = 1);
  void Line(Point from, Point to);
  void Rectangle(const Rect& r);
  void Ellipse(const Rect& r);
  void Polygon(const std::vector<Point>& points);
  // Text with its top-left corner at (x, y), on the brush colour unless the brush is hollow.
  void TextAt(int x, int y, const std::string& text);
  // Text laid out inside r (text_flags), clipped to r.
  void TextIn(const Rect& r, const std::string& text, unsigned flags);
  void DrawBitmap(const Rect& r, std::shared_ptr<const gui::Bitmap> bitmap);

  // Extent of `text` in the current font (line breaks start new lines).
  virtual Size TextExtent(const std::string& text) = 0;

 protected:
  // Paints (or records) one operation.
  virtual void Perform(const DrawOp& op) = 0;

 private:
  DrawOp Make(DrawOp::Kind kind) const;
};

// The headless canvas: keeps every operation; text is measured with the fixed metric.
class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas();
  explicit RecordingCanvas(std::function<Size(const gui::Font&, const std::string&)> measure);

  Size TextExtent(const std::string& text) override;
  const std::vector<DrawOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // Operations of one kind, in drawing order.
  std::vector<DrawOp> OpsOf(DrawOp::Kind kind) const;

 protected:
  void Perform(const DrawOp& op) override;

 private:
  std::function<Size(const gui::Font&, const std::string&)> measure_;
  std::vector<DrawOp> ops_;
};

// The headless text metric, documented so layouts can be checked by hand: every line is as high
// as the font's pixel height and every byte (a Shift-JIS double-byte character is two bytes)
// half that wide, rounded down per line; the extent is the widest line by the number of lines.
// An empty text is one empty line. CR bytes are not counted; LF starts a new line.
Size FixedTextExtent(const gui::Font& font, const std::string& text);

// Removes the accelerator marks of a caption: "&" before a character goes, "&&" becomes "&".
std::string StripAccelerator(const std::string& caption);

}  // namespace gui

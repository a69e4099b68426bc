#include "gui/win32/gdi_canvas.h"

#include <vector>

#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Wide;

FontCache::~FontCache() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::Get(const gui::Font& font) {
  const std::string key = font.name + "|" + std::to_string(font.height) + "|" + std::to_string(font.bold) + std::to_string(font.italic) +
                          std::to_string(font.underline) + "|" + std::to_string(font.charset);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::wstring face = Wide(font.name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT h = CreateFontIndirectW(&lf);
  fonts_[key] = h;
  return h;
}

COLORREF ToColorRef(gui::Color c) {
  if (IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

GdiCanvas::GdiCanvas(HDC dc, FontCache& fonts) : dc_(dc), fonts_(fonts), saved_(SaveDC(dc)) {}

GdiCanvas::~GdiCanvas() { RestoreDC(dc_, saved_); }

void GdiCanvas::UseFont(const gui::Font& f) {
  SelectObject(dc_, fonts_.Get(f));
  SetTextColor(dc_, ToColorRef(f.color));
}

Size GdiCanvas::TextExtent(const std::string& text) {
  return MeasureText(fonts_, font, text);
}

namespace {

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.Right(), r.Bottom()}; }

// Selects a pen and a brush for the duration of one shape.
class ShapeTools {
 public:
  ShapeTools(HDC dc, const Pen& pen, const Brush& brush) : dc_(dc) {
    pen_ = CreatePen(PS_SOLID, pen.width, ToColorRef(pen.color));
    brush_ = brush.color == colors::kNone ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(ToColorRef(brush.color));
    ownBrush_ = brush.color != colors::kNone;
    oldPen_ = SelectObject(dc_, pen_);
    oldBrush_ = SelectObject(dc_, brush_);
  }
  ~ShapeTools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    if (ownBrush_) DeleteObject(brush_);
  }

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  bool ownBrush_;
  HGDIOBJ oldPen_, oldBrush_;
};

void Fill(HDC dc, const Rect& r, gui::Color c) {
  if (c == colors::kNone) return;
  HBRUSH b = CreateSolidBrush(ToColorRef(c));
  RECT rc = ToRect(r);
  ::FillRect(dc, &rc, b);
  DeleteObject(b);
}

}  // namespace

void GdiCanvas::Perform(const DrawOp& op) {
  switch (op.kind) {
    case DrawOp::Kind::FillRect:
      Fill(dc_, op.rect, op.brush.color);
      break;
    case DrawOp::Kind::FrameRect: {
      if (op.brush.color == colors::kNone) break;
      HBRUSH b = CreateSolidBrush(ToColorRef(op.brush.color));
      RECT rc = ToRect(op.rect);
      ::FrameRect(dc_, &rc, b);
      DeleteObject(b);
      break;
    }
    case DrawOp::Kind::Bevel: {
      // Top and left edges in the first colour, bottom and right in the second, one ring per
      // pixel of width, as the classic 3-D frames are drawn.
      Rect r = op.rect;
      for (int i = 0; i < op.width && r.width > 0 && r.height > 0; ++i) {
        Fill(dc_, Rect{r.left, r.top, r.width - 1, 1}, op.colors[0]);
        Fill(dc_, Rect{r.left, r.top, 1, r.height - 1}, op.colors[0]);
        Fill(dc_, Rect{r.left, r.Bottom() - 1, r.width, 1}, op.colors[1]);
        Fill(dc_, Rect{r.Right() - 1, r.top, 1, r.height}, op.colors[1]);
        r = Rect{r.left + 1, r.top + 1, r.width - 2, r.height - 2};
      }
      break;
    }
    case DrawOp::Kind::Line: {
      ShapeTools tools(dc_, op.pen, op.brush);
      MoveToEx(dc_, op.points[0].x, op.points[0].y, nullptr);
      LineTo(dc_, op.points[1].x, op.points[1].y);
      break;
    }
    case DrawOp::Kind::Rectangle: {
      ShapeTools tools(dc_, op.pen, op.brush);
      ::Rectangle(dc_, op.rect.left, op.rect.top, op.rect.Right(), op.rect.Bottom());
      break;
    }
    case DrawOp::Kind::Ellipse: {
      ShapeTools tools(dc_, op.pen, op.brush);
      ::Ellipse(dc_, op.rect.left, op.rect.top, op.rect.Right(), op.rect.Bottom());
      break;
    }
    case DrawOp::Kind::Polygon: {
      if (op.points.size() < 2) break;
      ShapeTools tools(dc_, op.pen, op.brush);
      std::vector<POINT> pts;
      for (const Point& p : op.points) pts.push_back(POINT{p.x, p.y});
      ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
      break;
    }
    case DrawOp::Kind::Text: {
      UseFont(op.font);
      if (op.brush.color == colors::kNone) {
        SetBkMode(dc_, TRANSPARENT);
      } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ToColorRef(op.brush.color));
      }
      std::wstring w = Wide(op.text);
      TextOutW(dc_, op.points[0].x, op.points[0].y, w.c_str(), static_cast<int>(w.size()));
      break;
    }
    case DrawOp::Kind::TextRect: {
      UseFont(op.font);
      Fill(dc_, op.rect, op.brush.color);
      SetBkMode(dc_, TRANSPARENT);
      std::wstring w = Wide(op.text);
      RECT rc = ToRect(op.rect);
      // The text_flags values are the DrawText flags of the same names.
      DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, op.flags | DT_EXPANDTABS);
      break;
    }
    case DrawOp::Kind::Bitmap: {
      if (op.bitmap == nullptr || op.bitmap->Empty()) break;
      BITMAPINFO bi{};
      bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      bi.bmiHeader.biWidth = op.bitmap->Width();
      bi.bmiHeader.biHeight = -op.bitmap->Height();  // top-down rows
      bi.bmiHeader.biPlanes = 1;
      bi.bmiHeader.biBitCount = 32;
      bi.bmiHeader.biCompression = BI_RGB;
      SetStretchBltMode(dc_, COLORONCOLOR);
      StretchDIBits(dc_, op.rect.left, op.rect.top, op.rect.width, op.rect.height, 0, 0, op.bitmap->Width(), op.bitmap->Height(),
                    op.bitmap->Data(), &bi, DIB_RGB_COLORS, SRCCOPY);
      break;
    }
  }
}

Size MeasureText(FontCache& fonts, const gui::Font& font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, fonts.Get(font));
  Size s;
  if (text.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    s = Size{0, tm.tmHeight};
  } else {
    std::wstring w = Wide(text);
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    s = Size{rc.right - rc.left, rc.bottom - rc.top};
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return s;
}

}  // namespace gui::win32

// 夢の風: a night sky under the moon where characters such as 「夢」「星」「風」 drift down on the
// wind, near ones large and bright, far ones small and faint, while classic haiku appear in
// vertical columns in the middle, fade in column by column and fade away again.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "saver_host.h"

namespace {

using savers::Frame;

constexpr wchar_t kDrifting[] = L"夢星風月花雪空光雲桜海静";

struct Haiku {
  const wchar_t* lines[3];
  const wchar_t* poet;
};

const Haiku kHaiku[] = {
    {{L"古池や", L"蛙飛びこむ", L"水の音"}, L"芭蕉"},
    {{L"菜の花や", L"月は東に", L"日は西に"}, L"蕪村"},
    {{L"閑さや", L"岩にしみ入る", L"蝉の声"}, L"芭蕉"},
    {{L"五月雨を", L"あつめて早し", L"最上川"}, L"芭蕉"},
    {{L"痩蛙", L"まけるな一茶", L"是に有"}, L"一茶"},
};

constexpr int kSizeClasses = 6;
// The poem's character height in design pixels.
constexpr double kPoemHeight = 47.6;
// One haiku: fade in column by column, stay, fade out, pause.
constexpr double kColumnDelay = 0.9, kFadeIn = 2.2, kStay = 9.0, kFadeOut = 2.5, kPause = 1.5;

struct Drifter {
  wchar_t glyph;
  double x, y;       // centre, pixels
  double depth;      // 0 far .. 1 near
  double phase;      // of the sideways sway
  std::uint32_t tint;
};

class Yume : public savers::Saver {
 public:
  Yume(int count, int speed)
      : random_(savers::SceneSeed()),
        count_(count),
        speed_(0.3 + speed * 0.17),
        haiku_(static_cast<int>(random_.Next() % (sizeof kHaiku / sizeof kHaiku[0]))) {}
  ~Yume() override { DeleteFonts(); }

  void Resize(int width, int height, double unit) override {
    width_ = width;
    height_ = height;
    unit_ = unit;
    DeleteFonts();
    for (int i = 0; i < kSizeClasses; ++i) drift_[i] = Mincho(std::max(6, static_cast<int>(unit * (21.5 + 12.3 * i))));
    poemFont_ = Mincho(std::max(7, static_cast<int>(unit * kPoemHeight)));
    poetFont_ = Mincho(std::max(6, static_cast<int>(unit * 27.6)));
    MakeBackground();
    drifters_.resize(static_cast<size_t>(count_));
    for (Drifter& d : drifters_) Spawn(d, random_.Range(-0.1, 1.0) * height_);
    std::sort(drifters_.begin(), drifters_.end(), [](const Drifter& a, const Drifter& b) { return a.depth < b.depth; });
  }

  void Advance(double seconds) override {
    time_ += seconds;
    poemTime_ += seconds;
    double cycle = kColumnDelay * 2 + kFadeIn + kStay + kFadeOut + kPause;
    if (poemTime_ > cycle) {
      poemTime_ = 0;
      haiku_ = (haiku_ + 1) % static_cast<int>(sizeof kHaiku / sizeof kHaiku[0]);
    }
    double fall = height_ * speed_ * seconds;
    for (Drifter& d : drifters_) {
      d.y += fall * (0.035 + 0.085 * d.depth);
      d.x += fall * 0.03 * (0.5 + d.depth);  // the wind blows a little to the right
      if (d.y > height_ * 1.08 || d.x > width_ * 1.08) Spawn(d, -height_ * 0.08);
    }
  }

  void Draw(const Frame& f) override {
    std::copy(background_.begin(), background_.end(), f.pixels);
    SetBkMode(f.dc, TRANSPARENT);
    SetTextAlign(f.dc, TA_LEFT | TA_TOP);
    for (const Drifter& d : drifters_) {
      double sway = std::sin(time_ * (0.4 + 0.5 * d.depth) + d.phase) * width_ * 0.02;
      int sizeClass = std::min(kSizeClasses - 1, static_cast<int>(d.depth * kSizeClasses));
      // Fade in at the top and out near the bottom edge.
      double edge = std::min(1.0, std::min((d.y + height_ * 0.08) / (height_ * 0.2), (height_ * 1.05 - d.y) / (height_ * 0.25)));
      double alpha = (0.22 + 0.55 * d.depth) * std::max(0.0, edge);
      if (alpha <= 0.01) continue;
      Glyph(f.dc, drift_[sizeClass], d.glyph, d.x + sway, d.y, d.tint, alpha);
    }
    DrawHaiku(f.dc);
  }

 private:
  HFONT Mincho(int pixels) {
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ 明朝");
  }

  void DeleteFonts() {
    for (HFONT& font : drift_) {
      if (font != nullptr) DeleteObject(font);
      font = nullptr;
    }
    if (poemFont_ != nullptr) DeleteObject(poemFont_);
    if (poetFont_ != nullptr) DeleteObject(poetFont_);
    poemFont_ = poetFont_ = nullptr;
  }

  void Spawn(Drifter& d, double y) {
    d.glyph = kDrifting[random_.Next() % (sizeof kDrifting / sizeof kDrifting[0] - 1)];
    d.depth = random_.Unit();
    d.x = random_.Range(-0.1, 1.0) * width_;
    d.y = y;
    d.phase = random_.Range(0, 6.28);
    double r = random_.Unit();
    d.tint = r < 0.45 ? savers::Rgb(245, 245, 255) : r < 0.70 ? savers::Rgb(255, 196, 222)
           : r < 0.88   ? savers::Rgb(185, 212, 255)
                        : savers::Rgb(255, 226, 160);
  }

  // The sky colour at a height: indigo above, plum towards the horizon.
  std::uint32_t SkyAt(double y) const {
    double t = std::clamp(y / std::max(1, height_), 0.0, 1.0);
    return t < 0.6 ? savers::Mix(savers::Rgb(6, 8, 34), savers::Rgb(34, 20, 72), t / 0.6)
                   : savers::Mix(savers::Rgb(34, 20, 72), savers::Rgb(74, 30, 70), (t - 0.6) / 0.4);
  }

  // One character centred on (x, y), blended into the sky by `alpha`.
  void Glyph(HDC dc, HFONT font, wchar_t glyph, double x, double y, std::uint32_t tint, double alpha) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, &glyph, 1, &size);
    SetTextColor(dc, savers::ToColorRef(savers::Mix(SkyAt(y), tint, std::min(1.0, alpha))));
    TextOutW(dc, static_cast<int>(x) - size.cx / 2, static_cast<int>(y) - size.cy / 2, &glyph, 1);
    SelectObject(dc, old);
  }

  // A text written top to bottom, starting at (x, top), centred on x.
  int Column(HDC dc, HFONT font, const std::wstring& text, double x, double top, std::uint32_t tint, double alpha) {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    double y = top;
    for (wchar_t c : text) {
      // A soft shadow keeps the poem readable over the drifting characters.
      Glyph(dc, font, c, x + tm.tmHeight * 0.06, y + tm.tmHeight * 0.5 + tm.tmHeight * 0.06, savers::Rgb(0, 0, 0), alpha * 0.6);
      Glyph(dc, font, c, x, y + tm.tmHeight * 0.5, tint, alpha);
      y += tm.tmHeight * 1.08;
    }
    return static_cast<int>(y);
  }

  void DrawHaiku(HDC dc) {
    const Haiku& h = kHaiku[haiku_];
    double spacing = unit_ * kPoemHeight * 1.75;
    double top = height_ * 0.2;
    double fadeOutStart = kColumnDelay * 2 + kFadeIn + kStay;
    double out = std::clamp((poemTime_ - fadeOutStart) / kFadeOut, 0.0, 1.0);
    int bottom = 0;
    for (int i = 0; i < 3; ++i) {
      double in = std::clamp((poemTime_ - i * kColumnDelay) / kFadeIn, 0.0, 1.0);
      double alpha = in * (1.0 - out);
      double x = width_ / 2.0 + spacing * (1 - i);  // right to left
      if (alpha > 0.01) bottom = std::max(bottom, Column(dc, poemFont_, h.lines[i], x, top, savers::Rgb(252, 246, 228), alpha));
    }
    double poetIn = std::clamp((poemTime_ - 3 * kColumnDelay) / kFadeIn, 0.0, 1.0) * (1.0 - out);
    if (poetIn > 0.01) {
      double poetTop = top + unit_ * kPoemHeight * 1.08 * 6.2;
      Column(dc, poetFont_, h.poet, width_ / 2.0 - spacing * 1.9, poetTop, savers::Rgb(230, 190, 200), poetIn * 0.85);
    }
  }

  // The sky, a faint dust of stars and the moon with its halo, drawn once per size.
  void MakeBackground() {
    background_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    double mx = width_ * 0.84, my = height_ * 0.17, moon = unit_ * 42.2;
    for (int y = 0; y < height_; ++y) {
      std::uint32_t sky = SkyAt(y);
      for (int x = 0; x < width_; ++x) {
        double d = std::hypot(x - mx, y - my) / moon;
        std::uint32_t c = sky;
        if (d < 1.0) {
          double shade = 0.88 + 0.12 * std::clamp(((x - mx) - (y - my)) / moon, -1.0, 1.0);
          c = savers::Mix(sky, savers::Rgb(static_cast<int>(255 * shade), static_cast<int>(246 * shade), static_cast<int>(214 * shade)),
                          std::min(1.0, (1.0 - d) * 6.0));
        } else {
          c = savers::Mix(sky, savers::Rgb(200, 190, 230), 0.35 * std::exp(-(d - 1.0) * 1.1));
        }
        background_[static_cast<size_t>(y) * width_ + x] = c;
      }
    }
    int dust = width_ * height_ / 1400;
    for (int i = 0; i < dust; ++i) {
      int x = static_cast<int>(random_.Next() % static_cast<std::uint32_t>(width_));
      int y = static_cast<int>(std::pow(random_.Unit(), 1.6) * height_ * 0.75);
      std::uint32_t& p = background_[static_cast<size_t>(y) * width_ + x];
      p = savers::Mix(p, savers::Rgb(255, 255, 255), random_.Range(0.2, 0.8));
    }
  }

  savers::Random random_;
  int count_;
  double speed_;
  int haiku_;
  int width_ = 0;
  int height_ = 0;
  double unit_ = 1;
  double time_ = 0;
  double poemTime_ = 0;
  HFONT drift_[kSizeClasses] = {};
  HFONT poemFont_ = nullptr;
  HFONT poetFont_ = nullptr;
  std::vector<Drifter> drifters_;
  std::vector<std::uint32_t> background_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  savers::SaverInfo info;
  info.settingsName = L"Yume";
  info.settings = {{L"Count", L"文字の数", 5, 60, 24}, {L"Speed", L"速さ", 1, 10, 4}};
  info.create = [](const std::vector<int>& v, bool) -> std::unique_ptr<savers::Saver> {
    return std::make_unique<Yume>(v[0], v[1]);
  };
  return savers::RunSaver(info);
}

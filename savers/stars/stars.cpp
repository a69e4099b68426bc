// 星空の旅: a flight through a star field. Stars come from the depth towards the viewer and
// streak past; a faint nebula glows behind them and the whole sky rolls slowly.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "saver_host.h"

namespace {

using savers::Frame;

struct Star {
  double x, y, z;  // x in [-1, 1], y in [-aspect, aspect], depth z in (0, 1]
  std::uint32_t tint;
};

class Stars : public savers::Saver {
 public:
  Stars(int count, int speed, bool preview)
      : random_(savers::SceneSeed()),
        count_(count),
        speed_(0.05 + speed * 0.045),
        preview_(preview) {}

  void Resize(int width, int height, double unit) override {
    width_ = width;
    height_ = height;
    aspect_ = static_cast<double>(height) / width;
    scale_ = width * 0.5;
    pixelSize_ = std::max(0.35, unit);
    MakeBackground();
    int n = count_;
    if (preview_) n = std::max(80, count_ * width * height / (1024 * 768));
    stars_.resize(static_cast<size_t>(n));
    for (Star& s : stars_) Spawn(s, random_.Range(0.05, 1.0));
  }

  void Advance(double seconds) override {
    angle_ += seconds * 0.035;
    step_ = speed_ * seconds;
    for (Star& s : stars_) {
      s.z -= step_;
      if (s.z <= 0.03) Spawn(s, random_.Range(0.85, 1.0));
    }
  }

  void Draw(const Frame& f) override {
    std::copy(background_.begin(), background_.end(), f.pixels);
    double c = std::cos(angle_), sn = std::sin(angle_);
    double cx = width_ / 2.0, cy = height_ / 2.0;
    for (Star& s : stars_) {
      double rx = s.x * c - s.y * sn, ry = s.x * sn + s.y * c;
      double px = cx + rx / s.z * scale_, py = cy + ry / s.z * scale_;
      if (px < -20 || py < -20 || px > width_ + 20 || py > height_ + 20) {
        Spawn(s, random_.Range(0.85, 1.0));
        continue;
      }
      double closeness = 1.0 - s.z;
      double bright = std::min(1.0, closeness * closeness * 1.6 + 0.08) * std::min(1.0, closeness * 6.0);
      // The streak: where the star was a moment ago, fading towards its tail.
      double tailZ = s.z + std::max(step_, 0.004) * 3.0;
      double tx = cx + rx / tailZ * scale_, ty = cy + ry / tailZ * scale_;
      Streak(f, tx, ty, px, py, s.tint, bright * 0.55);
      Dot(f, px, py, (0.4 + closeness * closeness * 2.6) * pixelSize_, s.tint, bright);
    }
  }

 private:
  void Spawn(Star& s, double z) {
    double r = random_.Unit();
    s.tint = r < 0.55   ? savers::Rgb(255, 255, 255)
             : r < 0.75 ? savers::Rgb(165, 195, 255)
             : r < 0.92 ? savers::Rgb(255, 232, 185)
                        : savers::Rgb(255, 180, 160);
    s.x = random_.Range(-1.0, 1.0);
    s.y = random_.Range(-aspect_, aspect_);
    s.z = z;
  }

  static std::uint32_t Scaled(std::uint32_t tint, double k) {
    return savers::Rgb(static_cast<int>(savers::RedOf(tint) * k), static_cast<int>(savers::GreenOf(tint) * k),
                       static_cast<int>(savers::BlueOf(tint) * k));
  }

  void Streak(const Frame& f, double x0, double y0, double x1, double y1, std::uint32_t tint, double bright) {
    double dx = x1 - x0, dy = y1 - y0;
    int steps = static_cast<int>(std::max(std::fabs(dx), std::fabs(dy)));
    if (steps < 2) return;
    steps = std::min(steps, 400);
    for (int i = 0; i <= steps; ++i) {
      double t = static_cast<double>(i) / steps;
      savers::AddLight(f, static_cast<int>(x0 + dx * t), static_cast<int>(y0 + dy * t), Scaled(tint, bright * t));
    }
  }

  // A soft round dot of the given radius in pixels.
  void Dot(const Frame& f, double x, double y, double radius, std::uint32_t tint, double bright) {
    if (radius < 0.8) {
      savers::AddLight(f, static_cast<int>(x), static_cast<int>(y), Scaled(tint, bright));
      return;
    }
    int r = static_cast<int>(std::ceil(radius + 1));
    int ix = static_cast<int>(x), iy = static_cast<int>(y);
    for (int yy = -r; yy <= r; ++yy) {
      for (int xx = -r; xx <= r; ++xx) {
        double d = std::sqrt(static_cast<double>(xx * xx + yy * yy)) / (radius + 0.5);
        if (d >= 1.0) continue;
        double k = (1.0 - d * d);
        savers::AddLight(f, ix + xx, iy + yy, Scaled(tint, bright * k * k));
      }
    }
  }

  // Deep blue night with soft clouds of colour and a dust of faint, far-away stars.
  void MakeBackground() {
    background_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    struct Cloud {
      double x, y, radius;
      int r, g, b;
    };
    const Cloud clouds[] = {
        {0.22, 0.30, 0.35, 38, 12, 60}, {0.75, 0.68, 0.40, 10, 26, 58}, {0.60, 0.20, 0.22, 8, 36, 44},
        {0.30, 0.80, 0.25, 40, 14, 34}, {0.88, 0.25, 0.18, 22, 10, 46},
    };
    double unit = std::max(width_, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        double r = 2, g = 3, b = 12;
        for (const Cloud& c : clouds) {
          double dx = (x - c.x * width_) / (c.radius * unit), dy = (y - c.y * height_) / (c.radius * unit);
          double k = std::exp(-(dx * dx + dy * dy) * 2.2);
          r += c.r * k;
          g += c.g * k;
          b += c.b * k;
        }
        background_[static_cast<size_t>(y) * width_ + x] =
            savers::Rgb(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
      }
    }
    int dust = width_ * height_ / 900;
    for (int i = 0; i < dust; ++i) {
      size_t at = random_.Next() % background_.size();
      int v = 40 + static_cast<int>(random_.Next() % 90);
      std::uint32_t p = background_[at];
      background_[at] = savers::Rgb(savers::RedOf(p) + v, savers::GreenOf(p) + v, savers::BlueOf(p) + v + 10);
    }
  }

  savers::Random random_;
  int count_;
  double speed_;
  bool preview_;
  int width_ = 0;
  int height_ = 0;
  double aspect_ = 0.75;
  double scale_ = 1;
  double pixelSize_ = 1;
  double angle_ = 0;
  double step_ = 0;
  std::vector<Star> stars_;
  std::vector<std::uint32_t> background_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  savers::SaverInfo info;
  info.settingsName = L"Stars";
  info.settings = {{L"Count", L"星の数", 100, 2000, 700}, {L"Speed", L"速さ", 1, 10, 5}};
  info.create = [](const std::vector<int>& v, bool preview) -> std::unique_ptr<savers::Saver> {
    return std::make_unique<Stars>(v[0], v[1], preview);
  };
  return savers::RunSaver(info);
}

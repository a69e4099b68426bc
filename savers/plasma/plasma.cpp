// 虹色の波: a rainbow plasma. Four sine waves, two of them rings around wandering centres, add
// up to a pattern that flows while its colours cycle slowly through the spectrum.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "saver_host.h"

namespace {

using savers::Frame;

constexpr double kTau = 6.283185307179586;

class Plasma : public savers::Saver {
 public:
  // Phases are in 1/1024 of a wave; the sine table holds 0..1023 so that four waves add up to
  // 0..4092, a quarter of which picks one of 1024 palette entries: fine enough for no bands.
  static constexpr int kSteps = 1024;

  // Each scene starts at a moment of its own, so that two monitors do not show the same picture.
  Plasma(int speed, int detail)
      : speed_(0.15 + speed * 0.09), detail_(detail), time_(savers::Random(savers::SceneSeed()).Range(0, 200)) {
    for (int i = 0; i < kSteps; ++i) {
      sine_[i] = static_cast<std::uint16_t>(511.5 + 511.5 * std::sin(i * kTau / kSteps));
    }
  }

  void Resize(int width, int height, double unit) override {
    width_ = width;
    height_ = height;
    wave_ = std::max(8.0, unit * (845 - detail_ * 69));  // design pixels
    // Ring distances from the middle of a table twice the frame's size; a wandering centre is
    // a moving window into it.
    int tw = 2 * width, th = 2 * height;
    rings_.assign(static_cast<size_t>(tw) * static_cast<size_t>(th), 0);
    for (int y = 0; y < th; ++y) {
      for (int x = 0; x < tw; ++x) {
        double d = std::hypot(static_cast<double>(x - width), static_cast<double>(y - height));
        rings_[static_cast<size_t>(y) * tw + x] = static_cast<std::uint16_t>(static_cast<long>(d * kSteps / wave_) & (kSteps - 1));
      }
    }
    columns_.resize(static_cast<size_t>(width));
    rows_.resize(static_cast<size_t>(height));
  }

  void Advance(double seconds) override { time_ += seconds * speed_; }

  void Draw(const Frame& f) override {
    if (rings_.empty()) return;
    MakePalette();
    double t = time_;
    for (int x = 0; x < width_; ++x) columns_[x] = Sine(x * kSteps / (wave_ * 1.3) + t * 280);
    for (int y = 0; y < height_; ++y) rows_[y] = Sine(y * kSteps / (wave_ * 0.9) - t * 220);
    int c1x = static_cast<int>(width_ * (0.5 + 0.42 * std::sin(t * 0.71)));
    int c1y = static_cast<int>(height_ * (0.5 + 0.42 * std::cos(t * 0.53)));
    int c2x = static_cast<int>(width_ * (0.5 + 0.45 * std::sin(t * 0.37 + 2.0)));
    int c2y = static_cast<int>(height_ * (0.5 + 0.45 * std::sin(t * 0.61 + 1.0)));
    unsigned ring1Phase = static_cast<unsigned>(static_cast<long>(t * 360) & (kSteps - 1));
    unsigned ring2Phase = static_cast<unsigned>(static_cast<long>(-t * 240) & (kSteps - 1));
    size_t tw = static_cast<size_t>(2 * width_);
    for (int y = 0; y < height_; ++y) {
      const std::uint16_t* ring1 = &rings_[(static_cast<size_t>(y + height_ - c1y)) * tw + static_cast<size_t>(width_ - c1x)];
      const std::uint16_t* ring2 = &rings_[(static_cast<size_t>(y + height_ - c2y)) * tw + static_cast<size_t>(width_ - c2x)];
      std::uint32_t* out = f.pixels + static_cast<size_t>(y) * static_cast<size_t>(width_);
      int row = rows_[y];
      for (int x = 0; x < width_; ++x) {
        int v = columns_[x] + row + sine_[(ring1[x] + ring1Phase) & (kSteps - 1)] +
                sine_[(ring2[x] + ring2Phase) & (kSteps - 1)];
        out[x] = palette_[(v >> 2) & (kSteps - 1)];
      }
    }
  }

 private:
  int Sine(double phase) const { return sine_[static_cast<unsigned>(static_cast<long>(phase)) & (kSteps - 1)]; }

  // Three turns of the spectrum over the palette, shifted with time; the light swells and sinks
  // five times around it, which draws soft dark seams between the bands.
  void MakePalette() {
    double shift = time_ * 0.06;
    for (int i = 0; i < kSteps; ++i) {
      double u = static_cast<double>(i) / kSteps;
      double light = 0.6 + 0.4 * std::cos(kTau * (u * 5.0 - shift * 1.3));
      double hue = u * 3.0 + shift;
      auto channel = [&](double offset) {
        double c = 0.5 + 0.5 * std::cos(kTau * (hue + offset));
        return static_cast<int>(255.0 * light * (0.18 + 0.82 * c));
      };
      palette_[i] = savers::Rgb(channel(0.0), channel(-1.0 / 3.0), channel(-2.0 / 3.0));
    }
  }

  double speed_;
  int detail_;
  double time_;
  int width_ = 0;
  int height_ = 0;
  double wave_ = 100;
  std::uint16_t sine_[kSteps];
  std::uint32_t palette_[kSteps];
  std::vector<std::uint16_t> rings_;
  std::vector<int> columns_;
  std::vector<int> rows_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  savers::SaverInfo info;
  info.settingsName = L"Plasma";
  info.settings = {{L"Speed", L"速さ", 1, 10, 5}, {L"Detail", L"模様の細かさ", 1, 10, 5}};
  info.create = [](const std::vector<int>& v, bool) -> std::unique_ptr<savers::Saver> {
    return std::make_unique<Plasma>(v[0], v[1]);
  };
  return savers::RunSaver(info);
}

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
  Plasma(int speed, int detail) : speed_(0.15 + speed * 0.09), detail_(detail) {
    for (int i = 0; i < 256; ++i) {
      sine_[i] = static_cast<std::uint8_t>(31.5 + 31.5 * std::sin(i * kTau / 256.0));
    }
  }

  void Resize(int width, int height) override {
    width_ = width;
    height_ = height;
    wave_ = std::max(8.0, height * (1.35 - detail_ * 0.11));
    // Ring distances from the middle of a table twice the frame's size, in 1/256 of a wave;
    // the byte wraps exactly once per wave, as the sine table does.
    int tw = 2 * width, th = 2 * height;
    rings_.assign(static_cast<size_t>(tw) * static_cast<size_t>(th), 0);
    for (int y = 0; y < th; ++y) {
      for (int x = 0; x < tw; ++x) {
        double d = std::hypot(static_cast<double>(x - width), static_cast<double>(y - height));
        rings_[static_cast<size_t>(y) * tw + x] = static_cast<std::uint8_t>(static_cast<long>(d * 256.0 / wave_) & 255);
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
    for (int x = 0; x < width_; ++x) {
      columns_[x] = sine_[static_cast<std::uint8_t>(static_cast<long>(x * 256.0 / (wave_ * 1.3) + t * 70))];
    }
    for (int y = 0; y < height_; ++y) {
      rows_[y] = sine_[static_cast<std::uint8_t>(static_cast<long>(y * 256.0 / (wave_ * 0.9) - t * 55))];
    }
    int c1x = static_cast<int>(width_ * (0.5 + 0.42 * std::sin(t * 0.71)));
    int c1y = static_cast<int>(height_ * (0.5 + 0.42 * std::cos(t * 0.53)));
    int c2x = static_cast<int>(width_ * (0.5 + 0.45 * std::sin(t * 0.37 + 2.0)));
    int c2y = static_cast<int>(height_ * (0.5 + 0.45 * std::sin(t * 0.61 + 1.0)));
    std::uint8_t ring1Phase = static_cast<std::uint8_t>(static_cast<long>(t * 90));
    std::uint8_t ring2Phase = static_cast<std::uint8_t>(static_cast<long>(-t * 60));
    size_t tw = static_cast<size_t>(2 * width_);
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* ring1 = &rings_[(static_cast<size_t>(y + height_ - c1y)) * tw + static_cast<size_t>(width_ - c1x)];
      const std::uint8_t* ring2 = &rings_[(static_cast<size_t>(y + height_ - c2y)) * tw + static_cast<size_t>(width_ - c2x)];
      std::uint32_t* out = f.pixels + static_cast<size_t>(y) * static_cast<size_t>(width_);
      int row = rows_[y];
      for (int x = 0; x < width_; ++x) {
        int v = columns_[x] + row + sine_[static_cast<std::uint8_t>(ring1[x] + ring1Phase)] +
                sine_[static_cast<std::uint8_t>(ring2[x] + ring2Phase)];
        out[x] = palette_[v & 255];
      }
    }
  }

 private:
  // Two rainbow cycles around the 256 entries, turning with time; the dark seams between the
  // bands give the pattern its depth.
  void MakePalette() {
    double shift = time_ * 0.05;
    for (int i = 0; i < 256; ++i) {
      double u = i / 256.0;
      double light = 0.62 + 0.38 * std::cos(kTau * (u * 3.0 + shift * 1.7));
      auto channel = [&](double offset) {
        return static_cast<int>(255 * light * (0.5 + 0.5 * std::cos(kTau * (u * 2.0 + shift + offset))));
      };
      palette_[i] = savers::Rgb(channel(0.0), channel(0.33), channel(0.67));
    }
  }

  double speed_;
  int detail_;
  int width_ = 0;
  int height_ = 0;
  double wave_ = 100;
  double time_ = 0;
  std::uint8_t sine_[256];
  std::uint32_t palette_[256];
  std::vector<std::uint8_t> rings_;
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

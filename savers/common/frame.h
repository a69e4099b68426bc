// The picture a saver draws each frame: a top-down 32-bit DIB (0x00RRGGBB per pixel) that is
// also selected into a memory DC for GDI text and shapes, plus small pixel helpers.
#pragma once
#include <windows.h>

#include <cstdint>

namespace savers {

struct Frame {
  HDC dc;                  // the memory DC holding the DIB; call GdiFlush() before touching pixels
  std::uint32_t* pixels;   // width * height pixels, row after row, top row first
  int width;
  int height;
};

inline std::uint32_t Rgb(int r, int g, int b) {
  auto clamp = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
  return (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}
inline int RedOf(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int GreenOf(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

// `a` mixed towards `b` by t in [0, 1].
inline std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return Rgb(lerp(RedOf(a), RedOf(b)), lerp(GreenOf(a), GreenOf(b)), lerp(BlueOf(a), BlueOf(b)));
}

// Light added onto a pixel, saturating; pixels outside the frame are ignored.
inline void AddLight(const Frame& f, int x, int y, std::uint32_t light) {
  if (x < 0 || y < 0 || x >= f.width || y >= f.height) return;
  std::uint32_t& p = f.pixels[static_cast<size_t>(y) * static_cast<size_t>(f.width) + static_cast<size_t>(x)];
  p = Rgb(RedOf(p) + RedOf(light), GreenOf(p) + GreenOf(light), BlueOf(p) + BlueOf(light));
}

inline std::uint32_t ToColorRef(std::uint32_t c) { return RGB(RedOf(c), GreenOf(c), BlueOf(c)); }

// A small, fast random generator (xorshift32); every saver seeds its own.
class Random {
 public:
  explicit Random(std::uint32_t start) : state_(start ? start : 0x9E3779B9u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [0, 1).
  double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
  double Range(double low, double high) { return low + (high - low) * Unit(); }

 private:
  std::uint32_t state_;
};

}  // namespace savers

// Helpers shared by the LZH tests: CRC-32 of extracted data, temporary folders, file bytes,
// deterministic test data.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "lzh/io.h"
#include "lzh/status.h"

namespace lzh {
// Failure messages name the status instead of dumping its bytes.
inline void PrintTo(Status s, std::ostream* os) { *os << StatusText(s); }
}  // namespace lzh

namespace lzhtest {

// CRC-32 with the zlib polynomial, as the corpus manifest lists it.
class Crc32Sink final : public lzh::OutputSink {
 public:
  bool Write(const uint8_t* data, size_t size) override {
    // Slicing by 8: the corpus streams gigabytes through this.
    static const std::vector<std::vector<uint32_t>> t = [] {
      std::vector<std::vector<uint32_t>> t(8, std::vector<uint32_t>(256));
      for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
      }
      for (uint32_t i = 0; i < 256; ++i)
        for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
      return t;
    }();
    uint32_t c = crc_;
    length += size;
    while (size >= 8) {
      uint32_t lo = c ^ (data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24));
      c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^ t[3][data[4]] ^
          t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
      data += 8;
      size -= 8;
    }
    while (size--) c = t[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    crc_ = c;
    return true;
  }
  uint32_t Value() const { return crc_ ^ 0xFFFFFFFFu; }
  uint64_t length = 0;

 private:
  uint32_t crc_ = 0xFFFFFFFFu;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  explicit TempDir(const std::string& tag) {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("qvlzh-" + tag + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }
  // Joined as text: names are Shift-JIS bytes, which std::filesystem would re-encode.
  std::string operator/(const std::string& name) const { return path_.string() + "/" + name; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Kinds of test data: each stresses a different part of the encoder.
enum class DataKind { kText, kRandom, kZeros, kRepeatInside, kRepeatOutside, kMixed };

inline std::vector<uint8_t> MakeData(DataKind kind, size_t size, uint32_t variant = 1) {
  std::mt19937 rng(variant);
  std::vector<uint8_t> v(size);
  static const char* words[] = {"screen ", "saver ", "archive ", "window ", "\r\n", "timer ", "list ", "folder "};
  switch (kind) {
    case DataKind::kText: {
      size_t i = 0;
      while (i < size) {
        const char* w = words[rng() % 8];
        for (; *w && i < size; ++w) v[i++] = static_cast<uint8_t>(*w);
      }
      break;
    }
    case DataKind::kRandom:
      for (auto& b : v) b = static_cast<uint8_t>(rng());
      break;
    case DataKind::kZeros:
      break;
    case DataKind::kRepeatInside:
    case DataKind::kRepeatOutside: {
      // Random blocks repeated at a distance just inside or just outside the 8 KiB window.
      size_t period = kind == DataKind::kRepeatInside ? 8191 : 8193;
      for (size_t i = 0; i < size; ++i) v[i] = i < period ? static_cast<uint8_t>(rng()) : v[i - period];
      break;
    }
    case DataKind::kMixed:
      for (size_t i = 0; i < size; ++i) {
        size_t block = (i / 4096) % 4;
        v[i] = block == 0   ? static_cast<uint8_t>(rng())
               : block == 1 ? 0
               : block == 2 ? static_cast<uint8_t>("abcdefgh"[rng() % 8])
                            : static_cast<uint8_t>(i * 7);
      }
      break;
  }
  return v;
}

}  // namespace lzhtest

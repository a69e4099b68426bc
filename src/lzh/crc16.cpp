#include "lzh/crc16.h"

#include <array>

namespace lzh {
namespace {

// Slicing-by-4 tables: table[k][b] is the CRC of byte b followed by k zero bytes.
struct Tables {
  std::array<std::array<uint16_t, 256>, 4> t{};
  Tables() {
    for (unsigned b = 0; b < 256; ++b) {
      uint16_t c = static_cast<uint16_t>(b);
      for (int i = 0; i < 8; ++i) c = (c & 1) ? static_cast<uint16_t>((c >> 1) ^ 0xA001) : static_cast<uint16_t>(c >> 1);
      t[0][b] = c;
    }
    for (unsigned b = 0; b < 256; ++b) {
      for (int k = 1; k < 4; ++k) {
        uint16_t prev = t[k - 1][b];
        t[k][b] = static_cast<uint16_t>((prev >> 8) ^ t[0][prev & 0xFF]);
      }
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

void Crc16::Update(const uint8_t* data, size_t size) {
  const auto& t = GetTables().t;
  uint32_t c = crc_;
  while (size >= 4) {
    c ^= static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8);
    c = t[3][c & 0xFF] ^ t[2][(c >> 8) & 0xFF] ^ t[1][data[2]] ^ t[0][data[3]];
    data += 4;
    size -= 4;
  }
  while (size--) c = (c >> 8) ^ t[0][(c ^ *data++) & 0xFF];
  crc_ = static_cast<uint16_t>(c);
}

}  // namespace lzh

// CRC-16 of LZH members and headers: polynomial 0xA001 (reflected 0x8005), initial value 0.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lzh {

class Crc16 {
 public:
  void Update(const uint8_t* data, size_t size);
  uint16_t Value() const { return crc_; }

  static uint16_t Of(const uint8_t* data, size_t size) {
    Crc16 c;
    c.Update(data, size);
    return c.Value();
  }

 private:
  uint16_t crc_ = 0;
};

}  // namespace lzh

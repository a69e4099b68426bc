#include "lzh/huffman_decode.h"

namespace lzh {

void HuffmanDecoder::BuildSingle(int symbol) {
  // Both entries of a one-bit table hold the symbol with length 0: no bits are consumed.
  primary_ = 1;
  subMask_ = 0;
  table_.assign(2, kValid | static_cast<uint32_t>(symbol));
}

bool HuffmanDecoder::Build(const uint8_t* lengths, int n, int primaryBits) {
  unsigned count[17] = {};
  for (int i = 0; i < n; ++i) {
    if (lengths[i] > 16) return false;
    ++count[lengths[i]];
  }
  uint32_t start[18] = {};
  uint32_t total = 0;
  for (int len = 1; len <= 16; ++len) {
    start[len] = total;
    total += count[len] << (16 - len);
    if (total > 0x10000) return false;
  }
  primary_ = primaryBits;
  subMask_ = (1u << (16 - primaryBits)) - 1;
  table_.assign(size_t{1} << primaryBits, 0);
  for (int sym = 0; sym < n; ++sym) {
    int len = lengths[sym];
    if (len == 0) continue;
    uint32_t code = start[len];  // left-aligned in 16 bits
    start[len] += 1u << (16 - len);
    uint32_t entry = kValid | (static_cast<uint32_t>(len) << 16) | static_cast<uint32_t>(sym);
    if (len <= primaryBits) {
      uint32_t first = code >> (16 - primaryBits);
      uint32_t span = 1u << (primaryBits - len);
      for (uint32_t k = 0; k < span; ++k) table_[first + k] = entry;
    } else {
      uint32_t prefix = code >> (16 - primaryBits);
      if (!(table_[prefix] & kSub)) {
        table_[prefix] = kSub | static_cast<uint32_t>(table_.size());
        table_.resize(table_.size() + subMask_ + 1, 0);
      }
      uint32_t base = (table_[prefix] & 0xFFFFFF) + (code & subMask_);
      uint32_t span = 1u << (16 - len);
      for (uint32_t k = 0; k < span; ++k) table_[base + k] = entry;
    }
  }
  return true;
}

}  // namespace lzh

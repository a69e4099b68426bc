// Bit input and canonical Huffman decoding tables of the -lh5-/-lh6-/-lh7- decoder.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "lzh/io.h"

namespace lzh {

// Reads `size` bytes at `offset` of an input most significant bit first. Past the end it
// supplies zero bits and counts them, so a decoder notices data that ends too early.
class BitReader {
 public:
  BitReader(InputFile& in, uint64_t offset, uint64_t size)
      : in_(in), next_(offset), end_(offset + size), fileEnd_(offset + size > in.Size()) {}

  // Makes at least `n` (up to 57) bits available.
  void Ensure(int n) {
    if (count_ < n) Refill();
  }
  uint32_t Peek(int n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
  void Skip(int n) {
    bits_ <<= n;
    count_ -= n;
  }
  uint32_t Get(int n) {
    if (n == 0) return 0;
    Ensure(n);
    uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  // True once more zero bits were consumed past the end than a bit buffer can hold ahead.
  bool Overrun() const { return padBytes_ > 16; }
  // Whether the declared data reaches past the end of the file.
  bool PastFileEnd() const { return fileEnd_; }

 private:
  static constexpr size_t kBufferSize = 1 << 16;

  void Refill() {
    while (count_ <= 56) {
      if (pos_ == len_ && !FillBuffer()) {
        ++padBytes_;
        count_ += 8;
        continue;
      }
      bits_ |= static_cast<uint64_t>(buf_[pos_++]) << (56 - count_);
      count_ += 8;
    }
  }
  bool FillBuffer() {
    if (next_ >= end_) return false;
    uint64_t want = end_ - next_;
    if (want > kBufferSize) want = kBufferSize;
    len_ = in_.ReadAt(next_, buf_.get(), static_cast<size_t>(want));
    pos_ = 0;
    if (len_ == 0) {
      fileEnd_ = true;
      end_ = next_;
      return false;
    }
    next_ += len_;
    return true;
  }

  InputFile& in_;
  uint64_t next_, end_;
  bool fileEnd_;
  std::unique_ptr<uint8_t[]> buf_{new uint8_t[kBufferSize]};
  size_t pos_ = 0, len_ = 0;
  uint64_t bits_ = 0;
  int count_ = 0;
  int padBytes_ = 0;
};

// A canonical code (codes assigned by length, then by symbol) with lengths up to 16, decoded
// through a primary table and 16-bit sub-tables for longer codes.
class HuffmanDecoder {
 public:
  // False for an over-subscribed code. Incomplete codes are accepted; their unused bit
  // patterns decode as errors.
  bool Build(const uint8_t* lengths, int n, int primaryBits);
  // A code of one symbol and no bits.
  void BuildSingle(int symbol);
  // The next symbol, or -1 for a bit pattern without a symbol. Needs 16 bits available.
  int Decode(BitReader& br) const {
    uint32_t e = table_[br.Peek(primary_)];
    if (e & kSub) e = table_[(e & 0xFFFFFF) + (br.Peek(16) & subMask_)];
    if (!(e & kValid)) return -1;
    br.Skip(static_cast<int>((e >> 16) & 0x1F));
    return static_cast<int>(e & 0xFFFF);
  }

 private:
  static constexpr uint32_t kSub = 0x80000000u;
  static constexpr uint32_t kValid = 0x40000000u;
  std::vector<uint32_t> table_;
  int primary_ = 0;
  uint32_t subMask_ = 0;
};

}  // namespace lzh

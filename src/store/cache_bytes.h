// The byte layout the program's cache files share: little-endian numbers, texts with their
// length in front, and an FNV-1a checksum of everything before it at the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace store::cache_bytes {

inline uint32_t Checksum(const char* data, size_t size) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < size; ++i) {
    h ^= static_cast<unsigned char>(data[i]);
    h *= 16777619u;
  }
  return h;
}

inline void PutNumber(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void PutText(std::string& out, const std::string& text) {
  PutNumber(out, text.size(), 4);
  out += text;
}

// Appends the checksum: the file's bytes are complete.
inline void Seal(std::string& out) { PutNumber(out, Checksum(out.data(), out.size()), 4); }

// Reads what lies between a file's magic and its checksum; every read fails past the end.
class Reader {
 public:
  // `ok()` is false unless `bytes` begins with `magic` and ends with the
  // checksum of what comes before it.
  Reader(const std::string& bytes, const char* magic, size_t magicSize) : bytes_(bytes), at_(magicSize) {
    if (bytes.size() < magicSize + 4 || bytes.compare(0, magicSize, magic, magicSize) != 0) return;
    const size_t end = bytes.size() - 4;
    uint32_t stored = 0;
    for (size_t i = 0; i < 4; ++i) stored |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[end + i])) << (8 * i);
    if (stored == Checksum(bytes.data(), end)) end_ = end;
  }
  bool ok() const { return end_ != 0; }
  bool Number(uint64_t& value, int bytes) {
    if (end_ < at_ || end_ - at_ < static_cast<size_t>(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += static_cast<size_t>(bytes);
    return true;
  }
  bool Text(std::string& text) {
    uint64_t size = 0;
    if (!Number(size, 4) || end_ - at_ < size) return false;
    text.assign(bytes_, at_, size);
    at_ += size;
    return true;
  }
  bool AtEnd() const { return ok() && at_ == end_; }
  // How many items of at least `itemSize` bytes can still follow: room to reserve for `count`
  // items without trusting a damaged count.
  size_t Room(uint64_t count, size_t itemSize) const {
    const size_t left = end_ > at_ ? (end_ - at_) / itemSize : 0;
    return static_cast<size_t>(count < left ? count : left);
  }

 private:
  const std::string& bytes_;
  size_t end_ = 0;
  size_t at_;
};

}  // namespace store::cache_bytes
